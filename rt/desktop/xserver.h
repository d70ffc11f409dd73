#pragma once
// The X server behind Qt's xcb platform, asked directly where Qt has no call for it: window
// manager state (WM_STATE, _NET_FRAME_EXTENTS) and window properties. Which manager runs is
// rt/desktop/windowmanager.h's to know.
// Off X (no connection) the calls do nothing and answer as each says. None waits on the window
// manager: each is one request to the X server, or one round trip.

#include <QDeadlineTimer>
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
// The root window of the screen Qt's windows are on: the root above a native window of the
// program, before there is one the screen DISPLAY names; XCB_WINDOW_NONE off X.
xcb_window_t Root();
// The number of the screen whose root is Root().
int RootScreenNumber();
// The atom of that name, interned once per connection; XCB_ATOM_NONE off X.
xcb_atom_t Atom(const char* name);
// The X window of a top-level widget whose native window exists; XCB_WINDOW_NONE otherwise.
xcb_window_t WindowOf(const QWidget& window);

// The 32-bit items of a property of type `type` (or any type with XCB_ATOM_ANY), at most
// `count`; nothing when the property is missing, of another type or of another format, or the
// window is gone.
std::optional<std::vector<std::uint32_t>> Property32(xcb_window_t window, xcb_atom_t property,
                                                     xcb_atom_t type, std::uint32_t count);

// Replaces the window's property of type `type` with the 32-bit `values`.
void SetProperty32(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                   const std::vector<std::uint32_t>& values);

// True while the window's WM_STATE says anything but Withdrawn: a manager holds it.
bool HeldByManager(xcb_window_t window);
// True while the window is mapped (viewable or not). Off X, and when the server cannot say (the
// window is gone), true: no wait for a mapping is then started.
bool Mapped(xcb_window_t window);
// Maps the window, as a client does without a manager.
void Map(xcb_window_t window);
// Adds the event mask to those this program selects on another client's window (the manager's).
void SelectEvents(xcb_window_t window, std::uint32_t mask);
// Puts the atom into the window's property that lists atoms, or takes it out; the property changes
// only where the list does.
void ListAtom(xcb_window_t window, xcb_atom_t property, xcb_atom_t atom, bool listed);
// Adds the _NET_WM_STATE atoms to the window's state, before it is mapped: a manager reads them as
// it takes the window in, and drops them as it withdraws it.
void AddStates(xcb_window_t window, const std::vector<const char*>& names);

// Polls the X server until `done` holds or the deadline passes; false when it did not hold in
// time. Runs no event of the program meanwhile.
bool PollUntil(const std::function<bool()>& done, const QDeadlineTimer& deadline);

// The frame the manager draws around the window, as its _NET_FRAME_EXTENTS says, unchecked; nothing
// while the window has none. The manager owns the property: the program only reads it.
std::optional<QMargins> FrameExtents(xcb_window_t window);
// Asks the manager which frame it would draw around the window, not yet mapped
// (_NET_REQUEST_FRAME_EXTENTS, EWMH), and returns at once: a manager that answers sets the
// window's _NET_FRAME_EXTENTS.
void SendFrameExtentsRequest(xcb_window_t window);

// The window that has the X keyboard focus: XCB_WINDOW_NONE for None, 1 for PointerRoot.
xcb_window_t InputFocus();
// True when the window was made by this program's connection to the X server.
bool OwnWindow(xcb_window_t window);
// True when both windows were made by the same client.
bool SameClient(xcb_window_t one, xcb_window_t other);

// Gives the viewable window of the program the keyboard, as ICCCM 4.1.7 allows a client: with the
// time of the user's event that led to it, never CurrentTime; nothing without such a time.
void TakeInputFocus(xcb_window_t window, xcb_timestamp_t time);

} // namespace rt::x11
