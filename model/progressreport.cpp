#include "model/progressreport.h"

#include <utility>

#include "rt/window.h"
#include "views/fincontrol.h"

namespace progressreport {

namespace {
std::function<void(std::int32_t)>& Observer() {
    static std::function<void(std::int32_t)> observer;
    return observer;
}
} // namespace

void SetMaximum(std::int32_t maximum) {
    rt::Instance<fincontrol>().ProgressBar1.SetMaximum(maximum);
}

void Show(std::int32_t value) {
    auto& bar = rt::Instance<fincontrol>().ProgressBar1;
    bar.SetValue(value);
    if (Observer())
        Observer()(value);
    bar.Refresh();
}

void SetObserver(std::function<void(std::int32_t value)> observer) {
    Observer() = std::move(observer);
}

} // namespace progressreport
