#include "rt/desktop/windowmapping.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>
#include <QWidget>
#include <functional>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

constexpr int kLongestWaitMs = 1000;

// The waits until the event loop runs again share one deadline: a manager that leaves WM_STATE on
// windows it no longer shows, or maps nothing, costs a command one second, not one per window.
QDeadlineTimer SharedDeadline() {
    static QDeadlineTimer deadline;
    static bool running = false;
    if (!running) {
        running = true;
        deadline.setRemainingTime(kLongestWaitMs);
        QTimer::singleShot(0, QCoreApplication::instance(), [] { running = false; });
    }
    return deadline;
}

// Waits while `pending` holds and a manager runs, until the shared deadline. A manager that has
// ended leaves its WM_STATE on the windows it held, and nothing will ever change it.
void WaitWhile(const std::function<bool()>& pending) {
    if (!pending() || !x11::ManagerRuns())
        return;
    x11::PollUntil([&] { return !pending() || !x11::ManagerRuns(); }, SharedDeadline());
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
