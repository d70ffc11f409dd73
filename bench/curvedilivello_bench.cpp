#include <benchmark/benchmark.h>

#include <cstdint>

#include "model/globali.h"
#include "rt/picture.h"
#include "rt/window.h"
#include "terrainbenchsetup.h"
#include "views/fincontrol.h"
#include "views/finestra.h"

namespace {

// The top view of an n x n grid on a 1100 x 800 canvas, progress bar included.
void BM_CurveDiLivello(benchmark::State& state) {
    terrainbench::RollingGrid(static_cast<std::int32_t>(state.range(0)));
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
BENCHMARK(BM_CurveDiLivello)->Arg(300)->Arg(999)->Unit(benchmark::kMillisecond);

} // namespace
