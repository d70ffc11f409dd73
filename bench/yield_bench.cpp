// The price of yielding to the event loop from inside a long operation, on most calls and with
// windows open that need repainting.

#include <benchmark/benchmark.h>

#include "rt/controls.h"
#include "rt/runtime.h"
#include "rt/window.h"

namespace {

void BM_YieldMostCalls(benchmark::State& state) {
    for (auto _ : state)
        rt::RuntimeBackgroundTask();
    state.counters["yields"] = static_cast<double>(rt::YieldCount());
}
BENCHMARK(BM_YieldMostCalls);

class ProgressWindow : public rt::Window {
public:
    rt::ProgressBar Bar;

protected:
    void Layout() override {
        SetWidth(200);
        SetHeight(40);
    }
    void CreateControls() override { Bar.Create(*this, 10, 10, 180, 12); }
};

// A loop that moves a progress bar and repaints it at once on every step, as the mesh builder does.
void BM_ProgressStepWithRefreshAndYield(benchmark::State& state) {
    ProgressWindow& window = rt::Instance<ProgressWindow>();
    std::int32_t value = 0;
    for (auto _ : state) {
        window.Bar.SetValue(value++ % 100);
        window.Bar.Refresh();
        rt::RuntimeBackgroundTask();
    }
    rt::WindowRegistry::DiscardAll();
}
BENCHMARK(BM_ProgressStepWithRefreshAndYield);

} // namespace
