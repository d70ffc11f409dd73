#pragma once
// What the X server shows of a top-level window of the program: where its client lies and the
// frame the window manager draws around it, as the manager states it (_NET_FRAME_EXTENTS; a
// manager's invisible resize borders are no part of it).

#include <QRect>
#include <QWidget>
#include <xcb/xcb.h>

#include "rt/xserver.h"

namespace desktop {

// The window's client rectangle in root coordinates; empty before the window exists.
inline QRect ClientOnScreen(const QWidget& window) {
    xcb_connection_t* c = rt::x11::Connection();
    const xcb_window_t id = rt::x11::WindowOf(window);
    if (c == nullptr || id == XCB_WINDOW_NONE)
        return {};
    const auto at = rt::x11::Take(
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, rt::x11::Root(), 0, 0), nullptr));
    const auto size = rt::x11::Take(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    if (!at || !size)
        return {};
    return {at->dst_x, at->dst_y, size->width, size->height};
}

// The rectangle of the frame drawn around the window; its client rectangle while it has none.
inline QRect DrawnFrame(const QWidget& window) {
    const QMargins extents = rt::x11::FrameExtents(rt::x11::WindowOf(window)).value_or(QMargins());
    return ClientOnScreen(window).marginsAdded(extents);
}

// True once the window is viewable and, while a manager runs, the manager has framed it.
inline bool Settled(const QWidget& window) {
    const xcb_window_t id = rt::x11::WindowOf(window);
    if (id == XCB_WINDOW_NONE || !window.isVisible())
        return false;
    xcb_connection_t* c = rt::x11::Connection();
    const auto attributes =
        rt::x11::Take(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr));
    if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE)
        return false;
    return !rt::x11::ManagerRuns() || rt::x11::FrameExtents(id).has_value();
}

} // namespace desktop
