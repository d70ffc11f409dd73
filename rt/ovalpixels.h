#pragma once
// The pixels of an oval that fills its box, as the original platform drew ovals: every row and
// column of the box holds some of it, none lies outside it, a 2 x 2 oval is a 2 x 2 dot and a
// 3 x 3 oval a plus; larger ovals are round. Pictures and light shapes share this rule.

#include <QRect>

#include <cstdint>
#include <vector>

namespace rt {

struct OvalBox {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// The oval's pixels inside `clip`, as rectangles one pixel high, top to bottom.
std::vector<QRect> OvalPixels(const OvalBox& box, const QRect& clip);

// The pixels of its outline inside `clip`, penWidth pixels thick at its sides and penHeight at
// its top and bottom: the oval less the oval of the box inset by the pen.
std::vector<QRect> OvalOutlinePixels(const OvalBox& box, std::int32_t penWidth, std::int32_t penHeight,
                                     const QRect& clip);

} // namespace rt
