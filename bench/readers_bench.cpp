// The file readers on large generated files: an XYZ list of a million points, and DXF drawings of
// lightweight and of R12 polylines, measured in bytes read per second: the whole commands (with
// the 2D display), and the readers' passes alone beside a plain std::from_chars scan of the same
// file, whose speed the counter "from_chars" gives.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <charconv>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

#include "input/readers.h"
#include "input/surveyreaders.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"

namespace {

// Writes the text to a file of a folder that lives as long as the benchmark binary.
std::string WriteFile(const std::string& name, const std::string& text) {
    static QTemporaryDir folder;
    const std::string path = folder.filePath(QString::fromStdString(name)).toStdString();
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

std::string Coordinate(std::mt19937_64& random) {
    return std::to_string(std::uniform_real_distribution<double>(0, 100000)(random));
}

void RunReader(benchmark::State& state, const std::string& path, std::size_t bytes, void (*reader)()) {
    for (auto _ : state) {
        rt::ScriptedDialogs script;
        script.AnswerOpen(path);
        reader();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["points"] = globali::ptot + 1;
}

// The file read in large blocks, each line cut at LF and its tab-separated fields converted with
// std::from_chars: what a reader costs at the least. Bytes per second.
double FromCharsScan(const std::string& path) {
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    std::string block(256 * 1024, '\0');
    std::size_t kept = 0;
    double sum = 0;
    std::int64_t bytes = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block.data() + kept, block.size() - kept);
        if (got <= 0)
            break;
        bytes += got;
        const char* p = block.data();
        const char* const end = p + kept + got;
        for (const char* eol; (eol = static_cast<const char*>(std::memchr(p, '\n', end - p))) != nullptr;
             p = eol + 1) {
            for (const char* field = p; field < eol;) {
                double value = 0;
                std::from_chars(field, eol, value);
                sum += value;
                const void* tab = std::memchr(field, '\t', eol - field);
                field = tab == nullptr ? eol : static_cast<const char*>(tab) + 1;
            }
        }
        kept = static_cast<std::size_t>(end - p);
        std::memmove(block.data(), p, kept);
    }
    ::close(fd);
    benchmark::DoNotOptimize(sum);
    return static_cast<double>(bytes) /
           std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Times `read` alone; the plain scan of the same file runs beside it, untimed.
template <class Read>
void RunPass(benchmark::State& state, const std::string& path, std::size_t bytes, Read read) {
    double scanned = 0;
    for (auto _ : state) {
        LoadedSurvey survey;
        benchmark::DoNotOptimize(read(rt::FolderItem(path), survey));
        state.PauseTiming();
        state.counters["points"] = static_cast<double>(survey.PointCount());
        survey = LoadedSurvey();
        scanned = std::max(scanned, FromCharsScan(path));
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(bytes));
    state.counters["from_chars"] =
        benchmark::Counter(scanned, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
}

std::string Points(std::int64_t lines) {
    std::mt19937_64 random(7);
    std::string text;
    for (std::int64_t line = 0; line < lines; ++line)
        text += Coordinate(random) + '\t' + Coordinate(random) + '\t' + Coordinate(random) + '\n';
    return text;
}

void BM_apritesto(benchmark::State& state) {
    const std::string text = Points(state.range(0));
    RunReader(state, WriteFile("points.txt", text), text.size(), Inizio::apritesto);
}
BENCHMARK(BM_apritesto)->Arg(1000000)->Unit(benchmark::kMillisecond);

void BM_ReadXyzFile(benchmark::State& state) {
    const std::string text = Points(state.range(0));
    RunPass(state, WriteFile("points.txt", text), text.size(), ReadXyzFile);
}
BENCHMARK(BM_ReadXyzFile)->Arg(1000000)->Unit(benchmark::kMillisecond);

// Contours of 100 vertices each, about `megabytes` MB of them.
std::string Drawing(bool lightweight, std::int64_t megabytes) {
    std::mt19937_64 random(11);
    std::string text = "  0\nSECTION\n  2\nENTITIES\n";
    std::int32_t handle = 0x100;
    while (static_cast<std::int64_t>(text.size()) < megabytes * 1000000) {
        if (lightweight)
            text += "  0\nLWPOLYLINE\n  5\n" + std::to_string(handle++) +
                    "\n  8\nCONTOURS\n100\nAcDbPolyline\n 90\n"
                    "100\n 70\n0\n 38\n10.0\n";
        else
            text += "  0\nPOLYLINE\n  8\nCONTOURS\n 66\n1\n 10\n0.0\n 20\n0.0\n 30\n10.0\n";
        for (int v = 0; v < 100; ++v) {
            if (!lightweight)
                text += "  0\nVERTEX\n  5\n" + std::to_string(handle++) + "\n  8\nCONTOURS\n";
            text += " 10\n" + Coordinate(random) + "\n 20\n" + Coordinate(random) + "\n";
            if (!lightweight)
                text += " 30\n0.0\n";
        }
        if (!lightweight)
            text += "  0\nSEQEND\n  8\nCONTOURS\n";
    }
    return text + "  0\nENDSEC\n  0\nEOF\n";
}

void ReadDrawing() {
    modulodxf::leggidxf(100, 5, 0);
}

void BM_leggidxf(benchmark::State& state) {
    const bool lightweight = state.range(0) == 1;
    const std::string text = Drawing(lightweight, state.range(1));
    RunReader(state, WriteFile(lightweight ? "lw.dxf" : "r12.dxf", text), text.size(), ReadDrawing);
}
BENCHMARK(BM_leggidxf)
    ->ArgNames({"lightweight", "MB"})
    ->Args({1, 50})
    ->Args({0, 50})
    ->Unit(benchmark::kMillisecond);

void BM_ReadDxfFile(benchmark::State& state) {
    const bool lightweight = state.range(0) == 1;
    const std::string text = Drawing(lightweight, state.range(1));
    RunPass(state, WriteFile(lightweight ? "lw.dxf" : "r12.dxf", text), text.size(),
            [](const rt::FolderItem& file, LoadedSurvey& survey) {
                return ReadDxfFile(file, 100, 5, 0, survey);
            });
}
BENCHMARK(BM_ReadDxfFile)
    ->ArgNames({"lightweight", "MB"})
    ->Args({1, 50})
    ->Args({0, 50})
    ->Unit(benchmark::kMillisecond);

} // namespace
