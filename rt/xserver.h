#pragma once
// The X server behind Qt's xcb platform, asked directly where Qt has no call for it: window
// manager state (WM_STATE, _NET_FRAME_EXTENTS, the manager's selection) and window properties.
// Every call is harmless off X: no connection, no answer.

#include <QMargins>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include <xcb/xcb.h>

class QWidget;

namespace rt::x11 {

// A reply of the X server, freed with the C library as xcb asks.
template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <class T> Reply<T> Take(T* reply) {
    return Reply<T>(reply, &std::free);
}

// Qt's connection to the X server; null on other platforms.
xcb_connection_t* Connection();
// The root window of the default screen; XCB_WINDOW_NONE off X.
xcb_window_t Root();
// The atom of that name, interned once per connection; XCB_ATOM_NONE off X.
xcb_atom_t Atom(const char* name);
// The X window of a top-level widget whose native window exists; XCB_WINDOW_NONE otherwise.
xcb_window_t WindowOf(const QWidget& window);

// True while a window manager holds the default screen's manager selection (WM_S<n>, ICCCM 2.8).
// A manager that ended leaves WM_STATE and _NET_SUPPORTING_WM_CHECK behind, never the selection.
bool ManagerRuns();
// True when the running manager names the atom in its _NET_SUPPORTED list.
bool ManagerSupports(const char* name);

// The 32-bit items of a property of type `type` (or any type with XCB_ATOM_ANY), at most
// `count`; nothing when the property is missing or of another format.
std::optional<std::vector<std::uint32_t>> Property32(xcb_window_t window, xcb_atom_t property,
                                                     xcb_atom_t type, std::uint32_t count);

// Replaces the window's property of type `type` with the 32-bit `values`.
void SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                   const std::vector<std::uint32_t>& values);

// True while the window's WM_STATE says anything but Withdrawn: a manager holds it.
bool HeldByManager(xcb_window_t window);
// True while the window is mapped (viewable or not); true also when the server cannot say.
bool Mapped(xcb_window_t window);

// Polls the X server until `done` holds, at most `ms` milliseconds; false when it did not hold in
// time. Runs no event of the program meanwhile.
bool PollUntil(const std::function<bool()>& done, int ms);

// The frame the manager draws around the window, as its _NET_FRAME_EXTENTS says; nothing while
// the window has none.
std::optional<QMargins> FrameExtents(xcb_window_t window);
// Asks the running manager which frame it would draw around the window, not yet mapped
// (_NET_REQUEST_FRAME_EXTENTS, EWMH), and waits at most `ms` for its answer. Nothing when the
// manager does not offer the request or does not answer in time. Runs no event of the program.
std::optional<QMargins> RequestFrameExtents(xcb_window_t window, int ms);

// Gives the viewable window the keyboard, as a client may for its own window (ICCCM 4.1.7), for
// a window whose manager refuses to activate it.
void TakeInputFocus(xcb_window_t window);

} // namespace rt::x11
