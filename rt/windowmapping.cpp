#include "rt/windowmapping.h"

#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

namespace rt::detail {

namespace {

constexpr int kLongestWaitMs = 1000;
constexpr int kPollIntervalMs = 2;

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_connection_t* Connection() {
    auto* x11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t XWindow(const QWidget& window) {
    return static_cast<xcb_window_t>(window.internalWinId());
}

// Waits while `pending` holds, at most the longest wait.
template <class Condition> void WaitWhile(Condition pending) {
    const QDeadlineTimer deadline(kLongestWaitMs);
    while (pending() && !deadline.hasExpired())
        QThread::msleep(kPollIntervalMs);
}

xcb_atom_t WmStateAtom(xcb_connection_t* connection) {
    static xcb_connection_t* internedOn = nullptr;
    static xcb_atom_t atom = XCB_ATOM_NONE;
    if (internedOn != connection) {
        const char name[] = "WM_STATE";
        const Reply<xcb_intern_atom_reply_t> reply(
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr),
            &std::free);
        atom = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        internedOn = connection;
    }
    return atom;
}

// True while the window's WM_STATE says anything but Withdrawn (0).
bool HeldByManager(xcb_connection_t* connection, xcb_window_t window) {
    const xcb_atom_t wmState = WmStateAtom(connection);
    if (wmState == XCB_ATOM_NONE)
        return false;
    const Reply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, wmState, wmState, 0, 1),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4)
        return false;
    return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())) != 0;
}

bool Mapped(xcb_connection_t* connection, xcb_window_t window) {
    const Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, window), nullptr),
        &std::free);
    return !attributes || attributes->map_state != XCB_MAP_STATE_UNMAPPED;
}

} // namespace

void AwaitWithdrawal(const QWidget& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || !window.isWindow() || window.isVisible() ||
        !window.testAttribute(Qt::WA_WState_Created))
        return;
    WaitWhile([&] { return HeldByManager(connection, XWindow(window)); });
}

void AwaitMapping(const QWidget& window) {
    xcb_connection_t* connection = Connection();
    if (connection == nullptr || !window.isWindow() || !window.isVisible() ||
        !window.testAttribute(Qt::WA_WState_Created))
        return;
    WaitWhile(
        [&] { return !Mapped(connection, XWindow(window)) && !HeldByManager(connection, XWindow(window)); });
}

} // namespace rt::detail
