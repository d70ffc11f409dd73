#include "rt/shapes.h"

#include <QPainter>
#include <QPen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "rt/ovalpixels.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

using detail::ToQColor;

namespace {

void RepaintWindow(const Control& control) {
    if (Window* window = control.ParentWindow())
        window->ContentWidget()->update();
}

// Pixel columns [left, right) and rows [top, bottom), cut to a reach far beyond any picture so
// that no coordinate overflows on the way to the painter.
QRect Drawable(std::int64_t left, std::int64_t top, std::int64_t right, std::int64_t bottom) {
    constexpr std::int64_t kReach = std::int64_t{1} << 30;
    left = std::max(left, -kReach);
    top = std::max(top, -kReach);
    right = std::min(right, kReach);
    bottom = std::min(bottom, kReach);
    if (left >= right || top >= bottom)
        return {};
    return QRect(static_cast<int>(left), static_cast<int>(top), static_cast<int>(right - left),
                 static_cast<int>(bottom - top));
}

} // namespace

Color RectShape::FillColor() const {
    return fill_;
}
void RectShape::SetFillColor(Color color) {
    fill_ = color;
    RepaintWindow(*this);
}
Color RectShape::BorderColor() const {
    return border_;
}
void RectShape::SetBorderColor(Color color) {
    border_ = color;
    RepaintWindow(*this);
}
std::int32_t RectShape::BorderWidth() const {
    return borderWidth_;
}
void RectShape::SetBorderWidth(std::int32_t width) {
    borderWidth_ = std::max(0, width);
    RepaintWindow(*this);
}

bool RectShape::Contains(std::int32_t x, std::int32_t y) const {
    const std::int64_t left = Left(), top = Top();
    return x >= left && y >= top && x < left + Width() && y < top + Height();
}

bool RectShape::HitLight(std::int32_t x, std::int32_t y) const {
    return Contains(x, y);
}

void RectShape::DrawLight(QPainter& painter) const {
    const std::int64_t left = Left(), top = Top();
    const std::int64_t width = std::max(0, Width()), height = std::max(0, Height());
    if (width == 0 || height == 0)
        return;
    // The border lies inside the rectangle.
    const std::int64_t inset = std::clamp<std::int64_t>(borderWidth_, 0, std::min(width, height) / 2);
    const QRect outer = Drawable(left, top, left + width, top + height);
    if (outer.isEmpty())
        return;
    painter.fillRect(outer, ToQColor(border_));
    painter.fillRect(Drawable(left + inset, top + inset, left + width - inset, top + height - inset),
                     ToQColor(fill_));
}

void RectShape::CreateNative(Window& /*window*/) {}

void RectShape::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* shape = dynamic_cast<RectShape*>(&other)) {
        shape->fill_ = fill_;
        shape->border_ = border_;
        shape->borderWidth_ = borderWidth_;
        RepaintWindow(*shape);
    }
}

bool OvalShape::Contains(std::int32_t x, std::int32_t y) const {
    if (Width() <= 0 || Height() <= 0)
        return false;
    const double rx = Width() / 2.0, ry = Height() / 2.0;
    const double dx = (x + 0.5 - Left() - rx) / rx;
    const double dy = (y + 0.5 - Top() - ry) / ry;
    return dx * dx + dy * dy <= 1.0;
}

void OvalShape::DrawLight(QPainter& painter) const {
    const OvalBox box{Left(), Top(), Width(), Height()};
    const QRect clip = painter.window();
    for (const QRect& span : OvalPixels(box, clip))
        painter.fillRect(span, ToQColor(fill_));
    for (const QRect& span : OvalOutlinePixels(box, borderWidth_, borderWidth_, clip))
        painter.fillRect(span, ToQColor(border_));
}

void LineShape::SetEnds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    x1_ = x1;
    y1_ = y1;
    x2_ = x2;
    y2_ = y2;
    FollowEnds();
    RepaintWindow(*this);
}

void LineShape::FollowEnds() {
    geometry_.left = std::min(x1_, x2_);
    geometry_.top = std::min(y1_, y2_);
    geometry_.width = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(x2_) - x1_), INT32_MAX));
    geometry_.height = static_cast<std::int32_t>(
        std::min<std::int64_t>(std::abs(static_cast<std::int64_t>(y2_) - y1_), INT32_MAX));
}

void LineShape::SetBorderColor(Color color) {
    color_ = color;
    RepaintWindow(*this);
}

void LineShape::SetBorderWidth(std::int32_t width) {
    width_ = std::max(0, width);
    hitReach_ = std::max(3, width_ / 2 + 1);
    RepaintWindow(*this);
}

bool LineShape::Contains(std::int32_t x, std::int32_t y) const {
    const double px = x, py = y;
    const double ax = x1_, ay = y1_, bx = x2_, by = y2_;
    const double dx = bx - ax, dy = by - ay;
    const double lengthSquared = dx * dx + dy * dy;
    double t = 0.0;
    if (lengthSquared > 0.0)
        t = std::clamp(((px - ax) * dx + (py - ay) * dy) / lengthSquared, 0.0, 1.0);
    const double cx = ax + t * dx - px, cy = ay + t * dy - py;
    const double reach = std::max(3.0, width_ / 2.0);
    return cx * cx + cy * cy <= reach * reach;
}

bool LineShape::HitLight(std::int32_t x, std::int32_t y) const {
    return Contains(x, y);
}

void LineShape::DrawLight(QPainter& painter) const {
    if (width_ <= 0)
        return;
    painter.save();
    QPen pen(ToQColor(color_));
    pen.setWidth(width_);
    pen.setCapStyle(Qt::SquareCap);
    painter.setPen(pen);
    painter.drawLine(x1_, y1_, x2_, y2_);
    painter.restore();
}

void LineShape::GeometryChanged(const Geometry& before) {
    const std::int64_t dx = static_cast<std::int64_t>(geometry_.left) - before.left;
    const std::int64_t dy = static_cast<std::int64_t>(geometry_.top) - before.top;
    const auto shift = [](std::int32_t value, std::int64_t by) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value + by, INT32_MIN, INT32_MAX));
    };
    x1_ = shift(x1_, dx);
    x2_ = shift(x2_, dx);
    y1_ = shift(y1_, dy);
    y2_ = shift(y2_, dy);
    FollowEnds();
}

void LineShape::CreateNative(Window& /*window*/) {
    FollowEnds();
}

void LineShape::CopySettingsTo(Control& other) const {
    Control::CopySettingsTo(other);
    if (auto* line = dynamic_cast<LineShape*>(&other)) {
        line->color_ = color_;
        line->width_ = width_;
        line->hitReach_ = hitReach_;
        line->SetEnds(x1_, y1_, x2_, y2_);
    }
}

} // namespace rt
