#include "rt/shapes.h"

#include <QPainter>
#include <QPen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "rt/ovalpixels.h"
#include "rt/shapepaint.h"
#include "rt/widgetinternal.h"
#include "rt/window.h"

namespace rt {

using detail::ToQColor;

namespace {

void RepaintWindow(const Control& control) {
    if (Window* window = control.ParentWindow())
        window->ContentWidget()->update();
}

} // namespace

Color RectShape::FillColor() const {
    return fill_;
}
void RectShape::SetFillColor(Color color) {
    fill_ = color;
    RepaintWindow(*this);
}
void RectShape::SetBorderColor(Color color) {
    border_ = color;
    RepaintWindow(*this);
}
void RectShape::SetBorderWidth(std::int32_t width) {
    borderWidth_ = std::max(0, width);
    RepaintWindow(*this);
}

bool RectShape::Contains(std::int32_t x, std::int32_t y) const {
    return detail::RectContains({Left(), Top(), Width(), Height()}, x, y);
}

bool RectShape::HitLight(std::int32_t x, std::int32_t y) const {
    return Contains(x, y);
}

void RectShape::DrawLight(QPainter& painter) const {
    detail::PaintRect(painter, painter.window(), {Left(), Top(), Width(), Height()}, fill_, border_,
                      borderWidth_);
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
    const detail::ShapeBox box = detail::LineBox(x1_, y1_, x2_, y2_);
    geometry_.left = box.left;
    geometry_.top = box.top;
    geometry_.width = box.width;
    geometry_.height = box.height;
}

void LineShape::SetBorderColor(Color color) {
    color_ = color;
    RepaintWindow(*this);
}

void LineShape::SetBorderWidth(std::int32_t width) {
    width_ = std::max(0, width);
    hitReach_ = detail::LineReach(width_);
    RepaintWindow(*this);
}

bool LineShape::Contains(std::int32_t x, std::int32_t y) const {
    return detail::LineContains(x1_, y1_, x2_, y2_, width_, x, y);
}

bool LineShape::HitLight(std::int32_t x, std::int32_t y) const {
    return Contains(x, y);
}

void LineShape::DrawLight(QPainter& painter) const {
    if (width_ <= 0)
        return;
    painter.save();
    detail::SetLinePen(painter, color_, width_);
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
