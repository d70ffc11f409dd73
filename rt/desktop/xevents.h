#pragma once
// What the X server reports as it happens, read from Qt's stream of X events as it passes: the
// time of the user's last key or button event, the window manager's changes of the program's
// window properties (a frame's extents, WM_STATE) and the end of the manager. The program asks
// the manager and acts when the answer comes, instead of waiting for it.

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QObject>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>
#include <xcb/xcb.h>

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

    // The window manager that runs now (the owner of the manager selection), watched from here on
    // so that the program notices when it ends; XCB_WINDOW_NONE without one.
    xcb_window_t Manager();

    // Runs `changed` with the window and the property whenever a property of a window of the
    // program changes, and with XCB_WINDOW_NONE when the window manager has ended. Returns a key
    // for Unlisten.
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
    void Notify(xcb_window_t window, xcb_atom_t property);
    // Maps the program's windows that wait to be mapped by a manager that has ended.
    static void MapWaitingWindows();

    xcb_timestamp_t lastUserTime_ = XCB_CURRENT_TIME;
    xcb_timestamp_t lastPropertyTime_ = XCB_CURRENT_TIME;
    xcb_window_t manager_ = XCB_WINDOW_NONE;
    // An unmapped window of the program's own whose property changes tell the time.
    xcb_window_t clock_ = XCB_WINDOW_NONE;
    std::vector<std::function<void(xcb_timestamp_t)>> timeRequests_;
    std::map<int, Listener> listeners_;
    int nextKey_ = 0;
};

} // namespace rt::x11
