// The writers on a 999 x 999 grid (a million nodes, two million DXF faces) and the DXF polyline
// writer on 100 000 vertices, writing into a temporary file; bytes per second are the output's.
// The DXF contour export of 100 000 rows through its progress window needs a display
// (QT_QPA_PLATFORM=xcb, e.g. under xvfb-run); without one it reports that and skips.

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "bench/terrainbenchsetup.h"
#include "export/createstodxf.h"
#include "export/createstogdl.h"
#include "export/createstoqd3d.h"
#include "export/createstoxyz.h"
#include "export/modulowlineedxf.h"
#include "model/globali.h"
#include "model/modulodxf.h"
#include "rt/folderitem.h"

namespace {

void RunWriter(benchmark::State& state, const std::function<bool(const rt::FolderItem&)>& writer) {
    QTemporaryDir folder;
    const std::string path = folder.filePath(QStringLiteral("out")).toStdString();
    std::int64_t bytes = 0;
    for (auto _ : state) {
        if (!writer(rt::FolderItem(path))) {
            state.SkipWithError("the file could not be written");
            return;
        }
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(path));
    }
    state.SetBytesProcessed(bytes);
}

void BM_WriteMeshFile(benchmark::State& state, bool (*writer)(const rt::FolderItem&)) {
    terrainbench::RollingGrid(999);
    RunWriter(state, writer);
}

BENCHMARK_CAPTURE(BM_WriteMeshFile, xyz, &globali::createstoxyz)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteMeshFile, gdl, &globali::createstogdl)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteMeshFile, qd3d, &globali::createstoqd3d)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(BM_WriteMeshFile, dxf_faces, &globali::createstodxf)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// 1 000 contours of 100 vertices each, spiralling out.
void BM_WriteDxfPolylines(benchmark::State& state) {
    constexpr std::int32_t kRows = 1000, kPoints = 100;
    globali::px.assign(kRows * kPoints, 0.0);
    globali::py.assign(kRows * kPoints, 0.0);
    globali::pz.assign(kRows * kPoints, 0.0);
    globali::ptot = kRows * kPoints - 1;
    modulodxf::dxfcounter = kRows;
    modulodxf::dxfpn.Redim(kRows, 1);
    for (std::int32_t k = 0; k < kRows; ++k) {
        modulodxf::dxfpn(k + 1, 0) = k * kPoints;
        modulodxf::dxfpn(k + 1, 1) = kPoints - 1;
        for (std::int32_t p = 0; p < kPoints; ++p) {
            const double angle = p * 0.0628318530718, radius = 10.0 + k * 3.7;
            globali::px[static_cast<std::size_t>(k * kPoints + p)] = radius * std::cos(angle) + 0.123;
            globali::py[static_cast<std::size_t>(k * kPoints + p)] = radius * std::sin(angle) - 0.456;
        }
    }
    RunWriter(state, [](const rt::FolderItem& file) { return ModuloWLineeDXF::scrivilinee(file); });
}

BENCHMARK(BM_WriteDxfPolylines)->Unit(benchmark::kMillisecond)->UseRealTime();

// 100 000 contours of two vertices each, the progress window on the screen: its bar takes 100 000
// steps over 360 pixels.
void BM_WriteDxfContoursThroughProgressWindowUnderX(benchmark::State& state) {
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        state.SkipWithError(
            "the progress window is timed on a display: run under xvfb-run with QT_QPA_PLATFORM=xcb");
        return;
    }
    constexpr std::int32_t kRows = 100000;
    globali::px.resize(2 * kRows);
    globali::py.resize(2 * kRows);
    globali::pz.assign(2 * kRows, 0.0);
    globali::ptot = 2 * kRows - 1;
    modulodxf::dxfcounter = kRows;
    modulodxf::dxfpn.Redim(kRows, 1);
    for (std::int32_t k = 0; k < kRows; ++k) {
        modulodxf::dxfpn(k + 1, 0) = 2 * k;
        modulodxf::dxfpn(k + 1, 1) = 1;
        for (std::size_t p = 2 * static_cast<std::size_t>(k); p < 2 * static_cast<std::size_t>(k) + 2; ++p) {
            globali::px[p] = 1000.25 + 0.5 * static_cast<double>(p);
            globali::py[p] = 2000.75 - 0.25 * static_cast<double>(p);
        }
    }
    RunWriter(state, [](const rt::FolderItem& file) { return ModuloWLineeDXF::scrivilinee(file); });
}

BENCHMARK(BM_WriteDxfContoursThroughProgressWindowUnderX)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
