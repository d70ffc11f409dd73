// Grid interpolation on large surveys, against the plain pass over every point and, in the same
// run, against GDAL's gdal_grid (inverse distance to the nearest 3 points, power 1) on the same
// points and grid. The gdal_grid cases are skipped where it is not installed.

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <random>
#include <span>
#include <string>

#include "model/globali.h"
#include "model/nodecascade.h"
#include "model/terrainpanel.h"
#include "rt/window.h"
#include "views/fincontrol.h"

namespace {

constexpr double kWidth = 3000, kDepth = 2000;

enum class Survey { Uniform100k, Uniform1M, Contours6k, Line20k };

struct Shape {
    std::int64_t points;
    std::int32_t intervals;
    const char* file;
};

Shape ShapeOf(Survey survey) {
    switch (survey) {
    case Survey::Uniform100k:
        return {100000, 300, "uniform100k"};
    case Survey::Uniform1M:
        return {1000000, 999, "uniform1m"};
    case Survey::Contours6k:
        return {6000, 300, "contours6k"};
    case Survey::Line20k:
        return {20000, 300, "line20k"};
    }
    return {};
}

// The survey's points over 0..3000 by 0..2000, its bounds and grid, and the power slider at 10.
void Prepare(Survey survey) {
    const Shape shape = ShapeOf(survey);
    const auto count = static_cast<std::size_t>(shape.points);
    globali::px.assign(count, 0.0);
    globali::py.assign(count, 0.0);
    globali::pz.assign(count, 0.0);
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (std::size_t k = 0; k < count; ++k) {
        double x = unit(random) * kWidth, y = unit(random) * kDepth;
        if (survey == Survey::Contours6k) {
            // 48 wavy contours across the box, one after the other, each traced left to right.
            const double line = static_cast<double>(k / 125), along = static_cast<double>(k % 125) / 124;
            x = along * kWidth;
            y = (line + 0.5) * kDepth / 48 + 12 * std::sin(along * 6 * std::numbers::pi + line);
        } else if (survey == Survey::Line20k) {
            const double along = static_cast<double>(k) / static_cast<double>(count - 1);
            x = along * kWidth;
            y = along * kDepth;
        }
        globali::px[k] = x;
        globali::py[k] = y;
        globali::pz[k] = 100 + 0.05 * x + 30 * std::sin(y / 300);
    }
    globali::ptot = static_cast<std::int32_t>(shape.points - 1);
    globali::xmin = globali::ymin = 0;
    globali::xmax = globali::dx = kWidth;
    globali::ymax = globali::dy = kDepth;
    globali::mxtot = globali::mytot = shape.intervals;
    rt::Instance<fincontrol>().Slider1.SetValue(10);
}

void BM_Interpolation(benchmark::State& state, Survey survey) {
    Prepare(survey);
    for (auto _ : state) {
        // As in the program, the command starts from an idle event loop that has drawn the windows.
        state.PauseTiming();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        globali::terrenopunti(1);
        benchmark::DoNotOptimize(globali::mz(1, 1));
    }
    state.counters["nodes"] = static_cast<double>((globali::mxtot + 1) * (globali::mytot + 1));
}

// A panel that shows nothing: the interpolation's own time, without the progress bar's repaints.
// Its CPU column is the time of every thread, which a busy machine disturbs less than the real time.
class SilentPanel : public TerrainPanel {
public:
    std::int32_t PowerSetting() override { return 10; }
    std::int32_t RibbonSetting() override { return 0; }
    void ShowSpans(double, double, double) override {}
    void SetXCountText(const std::string&) override {}
    void SetYCountText(const std::string&) override {}
    void SetProgressMaximum(std::int32_t) override {}
    void ShowProgress(std::int32_t) override {}
    std::int32_t CanvasWidth() override { return 0; }
    std::int32_t CanvasHeight() override { return 0; }
    rt::Picture CanvasBackdrop() override { return {}; }
};

void BM_InterpolationUnshown(benchmark::State& state, Survey survey) {
    Prepare(survey);
    SilentPanel silent;
    TerrainPanel* const shown = TerrainPanel::Install(&silent);
    for (auto _ : state) {
        globali::terrenopunti(1);
        benchmark::DoNotOptimize(globali::mz(1, 1));
    }
    TerrainPanel::Install(shown);
}

// The plain pass over every point, on one thread, for four columns; the counter whole_grid_s is
// the time it would take for the whole grid.
void BM_PlainPass(benchmark::State& state, Survey survey) {
    Prepare(survey);
    const std::span<const double> x(globali::px), y(globali::py), z(globali::pz);
    const std::int32_t n = globali::mxtot, stride = n / 3;
    double seconds = 0;
    for (auto _ : state) {
        const auto begin = std::chrono::steady_clock::now();
        for (std::int32_t i = 0; i <= n; i += stride)
            for (std::int32_t j = 0; j <= n; ++j) {
                const auto found =
                    nodecascade::PlainCascade(x, y, z, kWidth * i / n, kDepth * j / n, kWidth + kDepth, true);
                benchmark::DoNotOptimize(found);
            }
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    }
    const double sampled = n / stride + 1;
    state.counters["whole_grid_s"] = seconds / static_cast<double>(state.iterations()) * (n + 1) / sampled;
}

// gdal_grid on the same points (a CSV file read through a VRT) and grid, all cores, with a search
// radius that holds about 30 points on average.
void BM_GdalGrid(benchmark::State& state, Survey survey) {
    if (std::system("command -v gdal_grid > /dev/null 2>&1") != 0) {
        state.SkipWithError("gdal_grid is not installed (apt gdal-bin)");
        return;
    }
    Prepare(survey);
    const Shape shape = ShapeOf(survey);
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "ambrelix_bench_gdal";
    std::filesystem::create_directories(folder);
    const std::filesystem::path csv = folder / (std::string(shape.file) + ".csv");
    const std::filesystem::path vrt = folder / (std::string(shape.file) + ".vrt");
    {
        std::ofstream points(csv);
        points.precision(17);
        points << "x,y,z\n";
        for (std::size_t k = 0; k < globali::px.size(); ++k)
            points << globali::px[k] << ',' << globali::py[k] << ',' << globali::pz[k] << '\n';
        std::ofstream layer(vrt);
        layer << "<OGRVRTDataSource><OGRVRTLayer name=\"" << shape.file << "\"><SrcDataSource>"
              << csv.string() << "</SrcDataSource><GeometryType>wkbPoint</GeometryType>"
              << "<GeometryField encoding=\"PointFromColumns\" x=\"x\" y=\"y\" z=\"z\"/>"
              << "</OGRVRTLayer></OGRVRTDataSource>\n";
    }
    const double radius =
        std::sqrt(30 * kWidth * kDepth / (std::numbers::pi * static_cast<double>(shape.points)));
    const std::string nodes = std::to_string(shape.intervals + 1);
    const std::string command =
        "gdal_grid -q --config GDAL_NUM_THREADS ALL_CPUS -a invdistnn:power=1:max_points=3:radius=" +
        std::to_string(radius) + " -txe 0 3000 -tye 0 2000 -outsize " + nodes + " " + nodes +
        " -ot Float64 -of GTiff " + vrt.string() + " " + (folder / "grid.tif").string();
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("gdal_grid failed");
            break;
        }
    state.counters["radius"] = radius;
}

#define AMBRELIX_INTERPOLATION_CASES(survey)                                                                 \
    BENCHMARK_CAPTURE(BM_Interpolation, survey, Survey::survey)                                              \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->UseRealTime();                                                                                     \
    BENCHMARK_CAPTURE(BM_InterpolationUnshown, survey, Survey::survey)                                       \
        ->Unit(benchmark::kMillisecond)                                                                      \
        ->MeasureProcessCPUTime()                                                                            \
        ->UseRealTime();                                                                                     \
    BENCHMARK_CAPTURE(BM_PlainPass, survey, Survey::survey)->Unit(benchmark::kMillisecond)->Iterations(1);   \
    BENCHMARK_CAPTURE(BM_GdalGrid, survey, Survey::survey)->Unit(benchmark::kMillisecond)->UseRealTime()

AMBRELIX_INTERPOLATION_CASES(Uniform100k);
AMBRELIX_INTERPOLATION_CASES(Uniform1M);
AMBRELIX_INTERPOLATION_CASES(Contours6k);
AMBRELIX_INTERPOLATION_CASES(Line20k);

} // namespace
