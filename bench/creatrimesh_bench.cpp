#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/globali.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/fincontrol.h"

namespace {

// The surface and the contour ribbons (ribbon setting 7) of an n x n grid, progress bar included.
void BM_CreaTrimeshWithRibbons(benchmark::State& state) {
    terrainbench::RollingGrid(static_cast<std::int32_t>(state.range(0)));
    globali::celamesh = false;
    rt::Instance<fincontrol>().Slider2.SetValue(7);
    for (auto _ : state) {
        globali::creatrimesh();
        benchmark::DoNotOptimize(globali::tercurva->VertexCount());
    }
    state.counters["ribbon_quads"] = globali::tercurva->VertexCount() / 4;
}
BENCHMARK(BM_CreaTrimeshWithRibbons)->Arg(300)->Arg(999)->Unit(benchmark::kMillisecond);

// The surface alone (ribbon setting 0) of the same grid.
void BM_CreaTrimeshSurfaceOnly(benchmark::State& state) {
    terrainbench::RollingGrid(static_cast<std::int32_t>(state.range(0)));
    globali::celamesh = false;
    rt::Instance<fincontrol>().Slider2.SetValue(0);
    for (auto _ : state) {
        globali::creatrimesh();
        benchmark::DoNotOptimize(globali::terreno->VertexCount());
    }
}
BENCHMARK(BM_CreaTrimeshSurfaceOnly)->Arg(300)->Arg(999)->Unit(benchmark::kMillisecond);

} // namespace
