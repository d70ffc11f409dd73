// The axonometric drawing of an n x n grid: 2 n² triangle outlines.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/globali.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/finestra.h"

namespace {

// The rolling survey seen in the isometric view on a screen area of 1107 x 971 pixels (a 1280 x
// 1024 screen).
void SetUpTerrain(std::int32_t n) {
    terrainbench::RollingGrid(n);
    globali::scrx = 1107;
    globali::scry = 971;
    globali::assx = globali::assy = 0.52359833333;
    globali::assz = 1;
}

void BM_DisegnameshGrid(benchmark::State& state) {
    const auto n = static_cast<std::int32_t>(state.range(0));
    SetUpTerrain(n);
    Finestra& window = rt::Instance<Finestra>();
    for (auto _ : state) {
        state.PauseTiming();
        window.disegnaingombro();
        state.ResumeTiming();
        window.disegnamesh();
    }
    state.SetItemsProcessed(state.iterations() * 2 * std::int64_t{n} * n);
    state.counters["triangles"] = 2.0 * n * n;
    rt::CloseIfOpen<Finestra>();
}
BENCHMARK(BM_DisegnameshGrid)->Arg(300)->Arg(999)->Unit(benchmark::kMillisecond);

// The box and the fit alone, which every drawing starts with.
void BM_DisegnaingombroBox(benchmark::State& state) {
    SetUpTerrain(300);
    Finestra& window = rt::Instance<Finestra>();
    for (auto _ : state)
        window.disegnaingombro();
    rt::CloseIfOpen<Finestra>();
}
BENCHMARK(BM_DisegnaingombroBox)->Unit(benchmark::kMillisecond);

} // namespace
