#pragma once
// Where the manager puts a frame and its client. The reported extents may be absurd; what is
// drawn stays within X's 16-bit positions and sizes, computed in 64 bits so nothing overflows.

#include <cstdint>

#include "tests/desktop/testmanager/options.h"

namespace testwm {

// The widest side drawn: far beyond any real frame, and small enough that a frame on screen
// keeps its client's position within X's 16-bit range.
constexpr std::int64_t kMaxDrawnSide = 10000;

// The sides of the frame as drawn: the reported ones, each at most kMaxDrawnSide.
struct Sides {
    std::int64_t left = 0;
    std::int64_t right = 0;
    std::int64_t top = 0;
    std::int64_t bottom = 0;
};
Sides DrawnSides(const Extents& extents);

struct Point {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// The frame's top-left for a client that asks to lie at `at` (its position as if it had no
// frame), with the client's WM_NORMAL_HINTS win_gravity (ICCCM 4.1.2.3): the gravity's
// reference point of the client stays where it asked, except Static, where the client's own
// top-left does. Unknown gravities count as NorthWest.
Point FramePosition(Point at, Sides sides, std::uint32_t gravity);

// X's ranges: INT16 positions, CARD16 sizes of at least one pixel.
std::int16_t ClampPosition(std::int64_t value);
std::uint16_t ClampSize(std::int64_t value);

} // namespace testwm
