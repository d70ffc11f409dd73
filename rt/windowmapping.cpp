#include "rt/windowmapping.h"

#include <QWidget>
#include <functional>

#include "rt/xserver.h"

namespace rt::detail {

namespace {

constexpr int kLongestWaitMs = 1000;

// Waits while `pending` holds and a manager runs, at most the longest wait. A manager that has
// ended leaves its WM_STATE on the windows it held, and nothing will ever change it.
void WaitWhile(const std::function<bool()>& pending) {
    x11::PollUntil([&] { return !pending() || !x11::ManagerRuns(); }, kLongestWaitMs);
}

} // namespace

void AwaitWithdrawal(const QWidget& window) {
    const xcb_window_t id = x11::WindowOf(window);
    if (id == XCB_WINDOW_NONE || !window.isWindow() || window.isVisible())
        return;
    WaitWhile([&] { return x11::HeldByManager(id); });
}

void AwaitMapping(const QWidget& window) {
    const xcb_window_t id = x11::WindowOf(window);
    if (id == XCB_WINDOW_NONE || !window.isWindow() || !window.isVisible())
        return;
    WaitWhile([&] { return !x11::Mapped(id) && !x11::HeldByManager(id); });
}

} // namespace rt::detail
