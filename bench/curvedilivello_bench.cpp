#include <benchmark/benchmark.h>

#include "model/globali.h"
#include "rt/picture.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/fincontrol.h"
#include "views/finestra.h"

namespace {

// The top view of a 300 x 300 grid on a 1100 x 800 canvas.
void BM_CurveDiLivello300(benchmark::State& state) {
    terrainbench::RollingGrid(300);
    rt::Instance<fincontrol>();
    Finestra& window = rt::Instance<Finestra>();
    window.can_dis.SetWidth(1100);
    window.can_dis.SetHeight(800);
    const rt::Picture backdrop = rt::Picture::New(1100, 800, 32);
    window.can_dis.SetBackdrop(backdrop);
    for (auto _ : state) {
        globali::curvedilivello();
        benchmark::DoNotOptimize(backdrop.Pixel(550, 400));
    }
}
BENCHMARK(BM_CurveDiLivello300)->Unit(benchmark::kMillisecond);

} // namespace
