#pragma once
// The window manager that runs on the program's screen, known here alone. A manager may end or be
// replaced at any moment, also while the program polls the X server with no event read, so each
// question goes to the server. Whenever the answer differs from the last one, and when an event
// tells that it may (the manager's window destroyed, a new manager's MANAGER message, the root's
// _NET_SUPPORTING_WM_CHECK changed), the module takes the new manager in: it watches the new
// manager's window for its end, maps the program's windows that waited to be mapped by a manager
// that ended, and tells the listeners. Off X there is never a manager.

#include <functional>
#include <xcb/xcb.h>

namespace rt::x11 {

// The window through which a window manager holds the screen's manager selection (WM_S<n>,
// ICCCM 2.8), else, for a manager that takes none, the live window its _NET_SUPPORTING_WM_CHECK
// names (EWMH); XCB_WINDOW_NONE while no manager runs. A manager that ended leaves WM_STATE and the
// root's _NET_SUPPORTING_WM_CHECK behind, never the selection or its own window.
xcb_window_t ManagerOwner();
// True while a window manager runs (ManagerOwner).
bool ManagerRuns();
// True when the running manager names the atom in its _NET_SUPPORTED list.
bool ManagerSupports(const char* name);

// Runs `changed` with the manager found now, at once, and with each other one found later
// (XCB_WINDOW_NONE when the manager has ended). Returns a key for UnlistenManager.
int ListenManager(std::function<void(xcb_window_t now)> changed);
void UnlistenManager(int key);

// For the event watch (rt/desktop/xevents.h): a window was destroyed, which ends the manager when it
// is the manager's.
void WindowDestroyed(xcb_window_t window);
// For the event watch: another manager may hold the screen now; it is looked for once the
// application's event loop runs.
void ManagerMayHaveChanged();

} // namespace rt::x11
