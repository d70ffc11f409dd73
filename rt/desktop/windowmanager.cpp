#include "rt/desktop/windowmanager.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>

#include "rt/desktop/listeners.h"
#include "rt/desktop/xserver.h"

namespace rt::x11 {

namespace {

struct Known {
    xcb_connection_t* connection = nullptr;
    xcb_window_t manager = XCB_WINDOW_NONE;
    detail::Listeners<xcb_window_t> listeners;
    bool lookPending = false;
};

Known known;

// What the X server says runs now, asked anew.
xcb_window_t AskServer() {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr)
        return XCB_WINDOW_NONE;
    const QByteArray name = "WM_S" + QByteArray::number(RootScreenNumber());
    const xcb_atom_t selection = Atom(name.constData());
    if (selection == XCB_ATOM_NONE)
        return XCB_WINDOW_NONE;
    const auto owner = Take(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr));
    if (owner && owner->owner != XCB_WINDOW_NONE)
        return owner->owner;
    // A manager that takes no selection (fluxbox) still names a window of its own, which names
    // itself, as long as it runs (EWMH); one that ended leaves the root's word behind, not the window.
    const xcb_atom_t check = Atom("_NET_SUPPORTING_WM_CHECK");
    const auto named = Property32(Root(), check, XCB_ATOM_WINDOW, 1);
    if (!named || named->empty() || named->front() == XCB_WINDOW_NONE)
        return XCB_WINDOW_NONE;
    const auto itself = Property32(named->front(), check, XCB_ATOM_WINDOW, 1);
    return itself && !itself->empty() && itself->front() == named->front() ? named->front()
                                                                           : xcb_window_t{XCB_WINDOW_NONE};
}

// Maps the program's shown windows that are unmapped: those a manager that has ended was asked to
// map and had not yet, and those it kept minimised, which no one could restore now.
void MapWaitingWindows() {
    for (QWindow* window : QGuiApplication::topLevelWindows()) {
        if (!window->isVisible() || window->handle() == nullptr)
            continue;
        const auto id = static_cast<xcb_window_t>(window->winId());
        if (!Mapped(id))
            Map(id);
    }
}

void TakeIn(xcb_window_t now) {
    const bool ended = known.manager != XCB_WINDOW_NONE && now == XCB_WINDOW_NONE;
    known.manager = now;
    // The owner's window lives as long as the manager holds the screen (ICCCM 2.8).
    if (now != XCB_WINDOW_NONE)
        SelectEvents(now, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    if (ended)
        MapWaitingWindows();
    known.listeners.Tell(now);
}

} // namespace

xcb_window_t ManagerOwner() {
    xcb_connection_t* connection = Connection();
    if (known.connection != connection) {
        known.connection = connection;
        known.manager = XCB_WINDOW_NONE;
    }
    const xcb_window_t now = AskServer();
    if (now != known.manager)
        TakeIn(now);
    return now;
}

bool ManagerRuns() {
    return ManagerOwner() != XCB_WINDOW_NONE;
}

bool ManagerSupports(const char* name) {
    const xcb_atom_t wanted = Atom(name);
    if (wanted == XCB_ATOM_NONE || !ManagerRuns())
        return false;
    const auto supported = Property32(Root(), Atom("_NET_SUPPORTED"), XCB_ATOM_ATOM, 4096);
    if (!supported)
        return false;
    for (const std::uint32_t atom : *supported)
        if (atom == wanted)
            return true;
    return false;
}

int ListenManager(std::function<void(xcb_window_t now)> changed) {
    const xcb_window_t now = ManagerOwner();
    const int key = known.listeners.Add(changed);
    changed(now);
    return key;
}

void UnlistenManager(int key) {
    known.listeners.Remove(key);
}

void WindowDestroyed(xcb_window_t window) {
    if (known.manager != XCB_WINDOW_NONE && window == known.manager && known.connection == Connection())
        TakeIn(XCB_WINDOW_NONE);
}

void ManagerMayHaveChanged() {
    if (known.lookPending || QCoreApplication::instance() == nullptr)
        return;
    known.lookPending = true;
    QTimer::singleShot(0, QCoreApplication::instance(), [] {
        known.lookPending = false;
        static_cast<void>(ManagerOwner());
    });
}

} // namespace rt::x11
