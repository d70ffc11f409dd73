#include "tests/desktop/testmanager/frame.h"

#include <algorithm>
#include <limits>
#include <xcb/xproto.h>

namespace testwm {

Sides DrawnSides(const Extents& extents) {
    const auto drawn = [](std::uint32_t side) { return std::min<std::int64_t>(side, kMaxDrawnSide); };
    return {drawn(extents.left), drawn(extents.right), drawn(extents.top), drawn(extents.bottom)};
}

Point FramePosition(Point at, Sides sides, std::uint32_t gravity) {
    // How far the frame's top-left lies from the client's requested top-left; the client's
    // border is set to 0 when it is taken in, so its outer edge is the client's edge.
    std::int64_t dx = 0;
    std::int64_t dy = 0;
    switch (gravity) {
    case XCB_GRAVITY_NORTH:
    case XCB_GRAVITY_CENTER:
    case XCB_GRAVITY_SOUTH:
        dx = -(sides.left + sides.right) / 2;
        break;
    case XCB_GRAVITY_NORTH_EAST:
    case XCB_GRAVITY_EAST:
    case XCB_GRAVITY_SOUTH_EAST:
        dx = -(sides.left + sides.right);
        break;
    case XCB_GRAVITY_STATIC:
        dx = -sides.left;
        break;
    default:
        break;
    }
    switch (gravity) {
    case XCB_GRAVITY_WEST:
    case XCB_GRAVITY_CENTER:
    case XCB_GRAVITY_EAST:
        dy = -(sides.top + sides.bottom) / 2;
        break;
    case XCB_GRAVITY_SOUTH_WEST:
    case XCB_GRAVITY_SOUTH:
    case XCB_GRAVITY_SOUTH_EAST:
        dy = -(sides.top + sides.bottom);
        break;
    case XCB_GRAVITY_STATIC:
        dy = -sides.top;
        break;
    default:
        break;
    }
    return {at.x + dx, at.y + dy};
}

std::int16_t ClampPosition(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                              std::numeric_limits<std::int16_t>::max()));
}

std::uint16_t ClampSize(std::int64_t value) {
    return static_cast<std::uint16_t>(
        std::clamp<std::int64_t>(value, 1, std::numeric_limits<std::uint16_t>::max()));
}

} // namespace testwm
