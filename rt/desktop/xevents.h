#pragma once
// What the X server reports as it happens, read from Qt's stream of X events as it passes: the
// time of the user's last key or button event (core events, and those of the X Input extension,
// through which Qt takes the pointer), the changes of the program's window properties (a frame's
// extents, WM_STATE), and the events that tell that the window manager ended or another took the
// screen, which rt/desktop/windowmanager.h acts on. The program asks the manager and acts when the
// answer comes, instead of waiting for it.

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <functional>
#include <vector>
#include <xcb/xcb.h>

#include "rt/desktop/listeners.h"

namespace rt::x11 {

class Events : public QObject, public QAbstractNativeEventFilter {
public:
    // The application's watch, made on first use; null off X.
    static Events* Get();

    // The time of the user's last key or button event on a window of the program; XCB_CURRENT_TIME
    // before the first.
    xcb_timestamp_t LastUserTime() const { return lastUserTime_; }
    // The later of the user's last event and the last change of a property of a window of the
    // program: the time to give the keyboard with once the manager has withdrawn a window.
    xcb_timestamp_t LatestTime() const;

    // Runs `changed` with the window and the property whenever a property of a window of the
    // program changes. Returns a key for Unlisten.
    using Listener = std::function<void(xcb_window_t window, xcb_atom_t property)>;
    int Listen(Listener changed);
    void Unlisten(int key);

    // Runs `then` with the X server's time as soon as the server says it: after every request the
    // program has made so far (ICCCM 2.1, a property appended nothing).
    void RequestTime(std::function<void(xcb_timestamp_t time)> then);

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

private:
    explicit Events(QObject* parent);
    ~Events() override;
    // Takes the time of a key or button event of the X Input extension.
    void ReadInputEvent(const xcb_generic_event_t& event);

    xcb_timestamp_t lastUserTime_ = XCB_CURRENT_TIME;
    xcb_timestamp_t lastPropertyTime_ = XCB_CURRENT_TIME;
    // The X Input extension's number in generic events; 0 without the extension.
    std::uint8_t inputExtension_ = 0;
    xcb_atom_t managerMessage_ = XCB_ATOM_NONE;
    xcb_atom_t managerCheck_ = XCB_ATOM_NONE;
    // An unmapped window of the program's own whose property changes tell the time.
    xcb_window_t clock_ = XCB_WINDOW_NONE;
    std::vector<std::function<void(xcb_timestamp_t)>> timeRequests_;
    detail::Listeners<xcb_window_t, xcb_atom_t> listeners_;
};

} // namespace rt::x11
