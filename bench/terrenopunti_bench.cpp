// Grid interpolation on a 30 by 60 grid over survey points scattered at random.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>

#include "model/globali.h"
#include "model/inizio.h"
#include "rt/window.h"
#include "views/fincontrol.h"

namespace {

// `count` points in a box twice as tall as it is wide, their bounds, and the grid counts.
void PrepareSurvey(std::int64_t count) {
    rt::Instance<fincontrol>();
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> across(0.0, 1000.0);
    std::uniform_real_distribution<double> along(0.0, 2000.0);
    std::uniform_real_distribution<double> height(100.0, 400.0);
    const auto size = static_cast<std::size_t>(count);
    globali::px.resize(size);
    globali::py.resize(size);
    globali::pz.resize(size);
    for (std::size_t k = 0; k < size; ++k) {
        globali::px[k] = across(random);
        globali::py[k] = along(random);
        globali::pz[k] = height(random);
    }
    globali::ptot = static_cast<std::int32_t>(count - 1);
    Inizio::calcolaingombro();
    globali::mxtot = 30;
    globali::mytot = 60;
}

void BM_terrenopunti(benchmark::State& state) {
    PrepareSurvey(state.range(0));
    const auto mode = static_cast<std::int32_t>(state.range(1));
    for (auto _ : state) {
        globali::terrenopunti(mode);
        benchmark::DoNotOptimize(globali::mz(15, 30));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0) * 31 * 61);
    state.counters["mode"] = static_cast<double>(mode);
}

BENCHMARK(BM_terrenopunti)
    ->ArgNames({"points", "mode"})
    ->ArgsProduct({{1000, 10000, 100000}, {1, 2}})
    ->Unit(benchmark::kMillisecond);

} // namespace
