// The axonometric drawing of a 300 x 300 grid: 180 000 triangle outlines.

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>

#include "model/globali.h"
#include "rt/window.h"
#include "views/finestra.h"

namespace {

constexpr std::int32_t kIntervals = 300;

// A rolling terrain 3000 x 2000 units, up to 120 high, seen in the isometric view on a screen
// area of 1107 x 971 pixels (a 1280 x 1024 screen).
void SetUpTerrain() {
    globali::scrx = 1107;
    globali::scry = 971;
    globali::assx = globali::assy = 0.52359833333;
    globali::assz = 1;
    globali::mxtot = globali::mytot = kIntervals;
    globali::mx.Redim(kIntervals, kIntervals);
    globali::my.Redim(kIntervals, kIntervals);
    globali::mz.Redim(kIntervals, kIntervals);
    for (std::int32_t i = 0; i <= kIntervals; ++i)
        for (std::int32_t j = 0; j <= kIntervals; ++j) {
            const double x = 10.0 * i;
            const double y = 2000.0 * j / kIntervals;
            globali::mx(i, j) = x;
            globali::my(i, j) = y;
            globali::mz(i, j) = 60.0 + 30.0 * std::sin(x / 300.0) + 30.0 * std::cos(y / 250.0);
        }
    globali::xmin = globali::ymin = globali::zmin = 0;
    globali::xmax = globali::dx = 3000;
    globali::ymax = globali::dy = 2000;
    globali::zmax = globali::dz = 120;
}

void BM_DisegnameshGrid300(benchmark::State& state) {
    SetUpTerrain();
    Finestra& window = rt::Instance<Finestra>();
    for (auto _ : state) {
        state.PauseTiming();
        window.disegnaingombro();
        state.ResumeTiming();
        window.disegnamesh();
    }
    state.SetItemsProcessed(state.iterations() * 2 * kIntervals * kIntervals);
    state.counters["triangles"] = 2.0 * kIntervals * kIntervals;
    rt::CloseIfOpen<Finestra>();
}
BENCHMARK(BM_DisegnameshGrid300)->Unit(benchmark::kMillisecond);

// The box and the fit alone, which every drawing starts with.
void BM_DisegnaingombroBox(benchmark::State& state) {
    SetUpTerrain();
    Finestra& window = rt::Instance<Finestra>();
    for (auto _ : state)
        window.disegnaingombro();
    rt::CloseIfOpen<Finestra>();
}
BENCHMARK(BM_DisegnaingombroBox)->Unit(benchmark::kMillisecond);

} // namespace
