// The file readers on large generated files: an XYZ list of a million points, and DXF drawings of
// lightweight and of R12 polylines, measured in bytes read per second.

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include <cstdint>
#include <fstream>
#include <random>
#include <string>

#include "input/readers.h"
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

void BM_apritesto(benchmark::State& state) {
    std::mt19937_64 random(7);
    std::string text;
    for (std::int64_t line = 0; line < state.range(0); ++line)
        text += Coordinate(random) + '\t' + Coordinate(random) + '\t' + Coordinate(random) + '\n';
    RunReader(state, WriteFile("points.txt", text), text.size(), Inizio::apritesto);
}
BENCHMARK(BM_apritesto)->Arg(1000000)->Unit(benchmark::kMillisecond);

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

} // namespace
