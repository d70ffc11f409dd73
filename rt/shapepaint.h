#pragma once
// Internal: the looks and the hit tests of rectangles and lines, shared by the light shapes and the
// compact shape arrays so that both draw the same pixels and take the same presses.

#include <cstdint>

#include "rt/conv.h"

class QPainter;
class QRect;

namespace rt::detail {

// A shape's box in window pixels.
struct ShapeBox {
    std::int32_t left = 0, top = 0, width = 0, height = 0;
};

// The box a line's ends span; spans beyond the int32 range saturate.
ShapeBox LineBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
// How far beyond its box a press still hits a line drawn `width` pixels wide.
std::int32_t LineReach(std::int32_t width);
// Whether a press lies within the box widened by `reach`: presses beyond need no closer test.
bool NearBox(const ShapeBox& box, std::int32_t reach, std::int32_t x, std::int32_t y);

bool RectContains(const ShapeBox& box, std::int32_t x, std::int32_t y);
// A line counts within 3 pixels, or half its width when that is more.
bool LineContains(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
                  std::int32_t x, std::int32_t y);

// A filled rectangle with its border drawn inside it, clipped to `area` (what is repainted).
void PaintRect(QPainter& painter, const QRect& area, const ShapeBox& box, Color fill, Color border,
               std::int32_t borderWidth);
// Whether the rectangle shows a border: false when the fill covers all of it.
bool HasBorder(const ShapeBox& box, std::int32_t borderWidth);
// The part of a borderless rectangle inside `area`; false when none is.
bool ShownPart(const QRect& area, const ShapeBox& box, QRect& shown);
// A line drawn with the painter's current pen, clipped to `area`: false when it lies outside it.
bool LineMayShow(const QRect& area, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t width);
// The pen of a line shape: its colour and width, square ends.
void SetLinePen(QPainter& painter, Color color, std::int32_t width);

} // namespace rt::detail
