#include "rt/shapepaint.h"

#include <QPainter>
#include <QPen>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "rt/widgetinternal.h"

namespace rt::detail {

namespace {

std::int32_t Span(std::int32_t from, std::int32_t to) {
    return static_cast<std::int32_t>(
        std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(to) - from), INT32_MAX));
}

// Pixels from `left` (included) to `right` (excluded) on each axis, in 64 bits so that no box
// overflows.
struct Span64 {
    std::int64_t left, top, right, bottom;
    bool Empty() const { return right <= left || bottom <= top; }
};

Span64 Clipped(const Span64& span, const QRect& area) {
    return {std::max<std::int64_t>(span.left, area.left()), std::max<std::int64_t>(span.top, area.top()),
            std::min<std::int64_t>(span.right, std::int64_t{area.left()} + area.width()),
            std::min<std::int64_t>(span.bottom, std::int64_t{area.top()} + area.height())};
}

bool ToQRect(const Span64& span, const QRect& area, QRect& shown) {
    const Span64 part = Clipped(span, area);
    if (part.Empty())
        return false;
    // Inside the area, so every value fits an int.
    shown = QRect(static_cast<int>(part.left), static_cast<int>(part.top),
                  static_cast<int>(part.right - part.left), static_cast<int>(part.bottom - part.top));
    return true;
}

void Fill(QPainter& painter, const QRect& area, const Span64& span, Color color) {
    QRect shown;
    if (ToQRect(span, area, shown))
        painter.fillRect(shown, ToQColor(color));
}

// The border's width inside the rectangle: at most half its smaller side.
std::int64_t Inset(const ShapeBox& box, std::int32_t borderWidth) {
    return std::clamp<std::int64_t>(borderWidth, 0,
                                    std::min(std::max(0, box.width), std::max(0, box.height)) / 2);
}

} // namespace

ShapeBox LineBox(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    return {std::min(x1, x2), std::min(y1, y2), Span(x1, x2), Span(y1, y2)};
}

std::int32_t LineReach(std::int32_t width) {
    return std::max(3, width / 2 + 1);
}

bool NearBox(const ShapeBox& box, std::int32_t reach, std::int32_t x, std::int32_t y) {
    const std::int64_t r = reach;
    return x >= box.left - r && y >= box.top - r && x <= std::int64_t{box.left} + box.width + r &&
           y <= std::int64_t{box.top} + box.height + r;
}

bool RectContains(const ShapeBox& box, std::int32_t x, std::int32_t y) {
    const std::int64_t left = box.left, top = box.top;
    return x >= left && y >= top && x < left + box.width && y < top + box.height;
}

bool LineContains(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2, std::int32_t width,
                  std::int32_t x, std::int32_t y) {
    const double px = x, py = y;
    const double ax = x1, ay = y1, bx = x2, by = y2;
    const double dx = bx - ax, dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSquared, 0.0, 1.0);
    const double cx = ax + t * dx - px, cy = ay + t * dy - py;
    const double reach = std::max(3.0, width / 2.0);
    return cx * cx + cy * cy <= reach * reach;
}

void PaintRect(QPainter& painter, const QRect& area, const ShapeBox& box, Color fill, Color border,
               std::int32_t borderWidth) {
    const std::int64_t width = std::max(0, box.width), height = std::max(0, box.height);
    if (width == 0 || height == 0)
        return;
    const Span64 outer{box.left, box.top, box.left + width, box.top + height};
    // The border lies inside the rectangle; the fill covers what it leaves.
    const std::int64_t inset = Inset(box, borderWidth);
    if (inset > 0)
        Fill(painter, area, outer, border);
    Fill(painter, area, {outer.left + inset, outer.top + inset, outer.right - inset, outer.bottom - inset},
         fill);
}

bool HasBorder(const ShapeBox& box, std::int32_t borderWidth) {
    return Inset(box, borderWidth) > 0;
}

bool ShownPart(const QRect& area, const ShapeBox& box, QRect& shown) {
    const std::int64_t width = std::max(0, box.width), height = std::max(0, box.height);
    return ToQRect({box.left, box.top, box.left + width, box.top + height}, area, shown);
}

bool LineMayShow(const QRect& area, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                 std::int32_t width) {
    const ShapeBox box = LineBox(x1, y1, x2, y2);
    const std::int64_t margin = std::int64_t{width} + 1;
    return !Clipped({box.left - margin, box.top - margin, box.left + std::int64_t{box.width} + margin + 1,
                     box.top + std::int64_t{box.height} + margin + 1},
                    area)
                .Empty();
}

void SetLinePen(QPainter& painter, Color color, std::int32_t width) {
    QPen pen(ToQColor(color));
    pen.setWidth(width);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
}

} // namespace rt::detail
