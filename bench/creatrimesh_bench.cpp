#include <benchmark/benchmark.h>

#include "model/globali.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/fincontrol.h"

namespace {

// The surface and the contour ribbons (ribbon setting 7) of a 300 x 300 grid.
void BM_CreaTrimesh300WithRibbons(benchmark::State& state) {
    terrainbench::RollingGrid(300);
    globali::celamesh = false;
    rt::Instance<fincontrol>().Slider2.SetValue(7);
    for (auto _ : state) {
        globali::creatrimesh();
        benchmark::DoNotOptimize(globali::tercurva->VertexCount());
    }
    state.counters["ribbon_quads"] = globali::tercurva->VertexCount() / 4;
}
BENCHMARK(BM_CreaTrimesh300WithRibbons)->Unit(benchmark::kMillisecond);

// The surface alone (ribbon setting 0) of the same grid.
void BM_CreaTrimesh300SurfaceOnly(benchmark::State& state) {
    terrainbench::RollingGrid(300);
    globali::celamesh = false;
    rt::Instance<fincontrol>().Slider2.SetValue(0);
    for (auto _ : state) {
        globali::creatrimesh();
        benchmark::DoNotOptimize(globali::terreno->VertexCount());
    }
}
BENCHMARK(BM_CreaTrimesh300SurfaceOnly)->Unit(benchmark::kMillisecond);

} // namespace
