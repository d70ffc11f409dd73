// Peak memory of reading an XYZ file and showing it in the 2D editor: a million points read once,
// the same file read again over them (the editor is replaced), and ten million points. The peak
// resident size is reset before each case (/proc/self/clear_refs), so "peak_MB" is the process's
// highest resident size during the case and "peak_above_start_MB" what the case added to it.
// The ten-million case needs about 2 GB and runs only with AMBRELIX_BENCH_LARGE=1, best alone:
//   AMBRELIX_BENCH_LARGE=1 ambrelix_bench --benchmark_filter=Xyz10M

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtGlobal>

#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <random>
#include <string>

#include "input/readers.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "model/modulodxf.h"
#include "rt/dialogs.h"
#include "rt/windowregistry.h"

namespace {

// A resident-size line of /proc/self/status ("VmRSS", "VmHWM"), in MB.
double StatusMegabytes(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    const std::string prefix = std::string(field) + ":";
    while (std::getline(status, line))
        if (line.rfind(prefix, 0) == 0)
            return std::stod(line.substr(prefix.size())) / 1024.0;
    return 0.0;
}

// XYZ lines of random coordinates, written as they are made so that the file never sits in memory.
std::string XyzFile(std::int64_t lines) {
    static QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("points%1.txt").arg(lines)).toStdString();
    if (std::ifstream(path).good())
        return path;
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> coordinate(0, 100000);
    std::ofstream out(path, std::ios::binary);
    char line[96];
    for (std::int64_t i = 0; i < lines; ++i) {
        const int length = std::snprintf(line, sizeof line, "%f\t%f\t%f\n", coordinate(random),
                                         coordinate(random), coordinate(random));
        out.write(line, length);
    }
    return path;
}

void Read(const std::string& path) {
    rt::ScriptedDialogs script;
    script.AnswerOpen(path);
    Inizio::apritesto();
    // The editor's first paint, with every item.
    QCoreApplication::processEvents();
}

// No editor and no survey, and the memory they held given back.
void StartEmpty() {
    rt::WindowRegistry::DiscardAll();
    QCoreApplication::processEvents();
    Inizio::azzeradati();
    globali::px.shrink_to_fit();
    globali::py.shrink_to_fit();
    globali::pz.shrink_to_fit();
    modulodxf::dxfxyz.shrink_to_fit();
    modulodxf::qqpun.assign(1, 0);
    modulodxf::qqpun.shrink_to_fit();
    modulodxf::qqlin.Redim(0, 1);
    malloc_trim(0);
}

void ResetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

void ReportPeak(benchmark::State& state, double start) {
    const double peak = StatusMegabytes("VmHWM");
    state.counters["peak_MB"] = peak;
    state.counters["peak_above_start_MB"] = peak - start;
    state.counters["points"] = globali::ptot + 1;
}

void MeasureRead(benchmark::State& state, std::int64_t points, bool readBefore) {
    const std::string path = XyzFile(points);
    for (auto _ : state) {
        state.PauseTiming();
        StartEmpty();
        if (readBefore)
            Read(path);
        ResetPeak();
        const double start = StatusMegabytes("VmRSS");
        state.ResumeTiming();
        Read(path);
        state.PauseTiming();
        ReportPeak(state, start);
        StartEmpty();
        state.ResumeTiming();
    }
}

void BM_Xyz1MFirstRead(benchmark::State& state) {
    MeasureRead(state, 1000000, false);
}
BENCHMARK(BM_Xyz1MFirstRead)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_Xyz1MReadAgain(benchmark::State& state) {
    MeasureRead(state, 1000000, true);
}
BENCHMARK(BM_Xyz1MReadAgain)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Xyz10MFirstRead(benchmark::State& state) {
    if (!qEnvironmentVariableIsSet("AMBRELIX_BENCH_LARGE")) {
        state.SkipWithError("needs about 2 GB: set AMBRELIX_BENCH_LARGE=1 and run it alone");
        return;
    }
    MeasureRead(state, 10000000, false);
}
BENCHMARK(BM_Xyz10MFirstRead)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
