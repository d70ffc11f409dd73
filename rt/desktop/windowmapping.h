#pragma once
// Hiding and showing top-level windows under an X window manager. Under a manager, mapping a
// window asks the manager to take it in, and unmapping it hands it back; the manager does both
// later, in its own process. A window unmapped before the manager has taken it in, or mapped
// again before the manager has withdrawn it (cleared its WM_STATE), may be left unmapped by the
// manager, which finishes the earlier request last (the rule of ICCCM 4.1.4). The waits run only
// while a manager holds the screen's manager selection; without one they end at once. All waits
// until the event loop runs again share one deadline, a second away from the first of them.

class QWidget;

namespace rt::detail {

// Waits until the window manager has withdrawn the hidden top-level window, at most until the
// shared deadline.
// Returns at once for a window that shows, was never shown, or that no manager holds, and on
// other platforms than X. Runs no event of the program meanwhile.
void AwaitWithdrawal(const QWidget& window);
// Waits until the shown top-level window is mapped, or the manager has taken it in (it may keep
// it iconic), at most until the shared deadline; before the window is hidden.
void AwaitMapping(const QWidget& window);

} // namespace rt::detail
