#include "rt/shapearray.h"

#include <QPainter>
#include <QRect>
#include <QWidget>
#include <algorithm>
#include <stdexcept>

#include "rt/widgetinternal.h"
#include "rt/window.h"
#include "rt/windowimpl.h"

namespace rt {

ShapeArray::~ShapeArray() {
    if (window_ != nullptr)
        detail::WindowAccess::ForgetArray(*window_, *this);
}

void ShapeArray::Place(Window& window, std::int32_t slot) {
    if (window_ != nullptr && window_ != &window)
        throw std::logic_error("control array members in two windows");
    window_ = &window;
    content_ = window.ContentWidget();
    detail::WindowAccess::Stack(window, *this, slot);
    Repaint();
}

void ShapeArray::Repaint() const {
    // A hidden window, such as an editor being filled, has nothing to repaint.
    if (content_ != nullptr && content_->isVisible())
        content_->update();
}

template <class Item> void ShapeTable<Item>::Reserve(std::int64_t count) {
    if (count > 0 && count <= INT32_MAX)
        items_.reserve(static_cast<std::size_t>(count));
}

template <class Item> std::int32_t ShapeTable<Item>::Find(std::int32_t index) const {
    if (items_.empty())
        return -1;
    // Numbers run on by one from the first but for fixed members added with gaps.
    const std::int64_t guess = std::int64_t{index} - items_.front().number;
    if (guess >= 0 && guess < Count() && items_[static_cast<std::size_t>(guess)].number == index)
        return static_cast<std::int32_t>(guess);
    const auto found =
        std::lower_bound(items_.begin(), items_.end(), index,
                         [](const Item& item, std::int32_t number) { return item.number < number; });
    return found != items_.end() && found->number == index ? static_cast<std::int32_t>(found - items_.begin())
                                                           : -1;
}

template <class Item> std::int32_t ShapeTable<Item>::SlotOf(std::int32_t index) const {
    const std::int32_t slot = Find(index);
    if (slot < 0)
        throw std::out_of_range("no control array member with that number");
    return slot;
}

template <class Item> std::int32_t ShapeTable<Item>::AddItem(std::int32_t index, const Item& item) {
    if (!items_.empty() && index <= UBound())
        throw std::logic_error("control array members must be added in ascending numbers");
    if (Count() == INT32_MAX)
        throw std::length_error("control array full");
    items_.push_back(item);
    items_.back().number = index;
    items_.back().placed = false;
    return Count() - 1;
}

template <class Item> std::int32_t ShapeTable<Item>::AddCopyItem() {
    const std::int32_t templ = SlotOf(0);
    if (UBound() == INT32_MAX)
        throw std::length_error("control array full");
    const bool inWindow = items_[static_cast<std::size_t>(templ)].placed;
    const std::int32_t slot = AddItem(UBound() + 1, items_[static_cast<std::size_t>(templ)]);
    if (inWindow)
        PlaceItem(*window_, slot);
    return slot;
}

template <class Item> void ShapeTable<Item>::PlaceItem(Window& window, std::int32_t slot) {
    Item& item = items_[static_cast<std::size_t>(slot)];
    if (item.placed)
        throw std::logic_error("control created twice");
    Place(window, slot);
    item.placed = true;
}

template <class Item> void ShapeTable<Item>::Release() {
    std::vector<Item>().swap(items_);
    window_ = nullptr;
    content_ = nullptr;
}

template class ShapeTable<detail::LineItem>;
template class ShapeTable<detail::RectItem>;

LineArray::Member LineArray::Add(std::int32_t index) {
    return {*this, AddItem(index, detail::LineItem{})};
}

LineArray::Member LineArray::AddCopy() {
    return {*this, AddCopyItem()};
}

void LineArray::Member::Create(Window& window, std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    array_->PlaceItem(window, slot_);
}

void LineArray::Member::SetEnds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2) {
    detail::LineItem& item = Item();
    item.x1 = x1;
    item.y1 = y1;
    item.x2 = x2;
    item.y2 = y2;
    array_->Repaint();
}

void LineArray::Member::SetBorderColor(Color color) {
    Item().color = color;
    array_->Repaint();
}

void LineArray::Member::SetBorderWidth(std::int32_t width) {
    Item().width = std::max(0, width);
    array_->Repaint();
}

void LineArray::Member::SetVisible(bool visible) {
    Item().visible = visible;
    array_->Repaint();
}

void LineArray::Member::SetEnabled(bool enabled) {
    Item().enabled = enabled;
}

void LineArray::Paint(QPainter& painter, const QRect& area, std::int32_t first, std::int32_t last) const {
    painter.save();
    // Neighbouring lines mostly share their pen: it is set only when it changes.
    bool penSet = false;
    Color penColor = 0;
    std::int32_t penWidth = 0;
    for (std::int32_t slot = first; slot <= last; ++slot) {
        const detail::LineItem& line = items_[static_cast<std::size_t>(slot)];
        if (!line.visible || line.width <= 0 ||
            !detail::LineMayShow(area, line.x1, line.y1, line.x2, line.y2, line.width))
            continue;
        if (!penSet || line.color != penColor || line.width != penWidth) {
            detail::SetLinePen(painter, line.color, line.width);
            penSet = true;
            penColor = line.color;
            penWidth = line.width;
        }
        painter.drawLine(line.x1, line.y1, line.x2, line.y2);
    }
    painter.restore();
}

std::int32_t LineArray::TopAt(std::int32_t x, std::int32_t y, std::int32_t first, std::int32_t last,
                              bool includeDisabled) const {
    for (std::int32_t slot = last; slot >= first; --slot) {
        const detail::LineItem& line = items_[static_cast<std::size_t>(slot)];
        if (line.visible && (includeDisabled || line.enabled) &&
            detail::NearBox(BoxAt(slot), detail::LineReach(line.width), x, y) &&
            detail::LineContains(line.x1, line.y1, line.x2, line.y2, line.width, x, y))
            return slot;
    }
    return -1;
}

detail::ShapeBox LineArray::BoxAt(std::int32_t slot) const {
    const detail::LineItem& line = items_[static_cast<std::size_t>(slot)];
    return detail::LineBox(line.x1, line.y1, line.x2, line.y2);
}

RectArray::Member RectArray::Add(std::int32_t index) {
    return {*this, AddItem(index, detail::RectItem{})};
}

RectArray::Member RectArray::AddCopy() {
    return {*this, AddCopyItem()};
}

void RectArray::Member::Create(Window& window, std::int32_t left, std::int32_t top, std::int32_t width,
                               std::int32_t height) {
    Item().box = {left, top, width, height};
    array_->PlaceItem(window, slot_);
}

void RectArray::Member::SetLeft(std::int32_t left) {
    Item().box.left = left;
    array_->Repaint();
}

void RectArray::Member::SetTop(std::int32_t top) {
    Item().box.top = top;
    array_->Repaint();
}

void RectArray::Member::SetFillColor(Color color) {
    Item().fill = color;
    array_->Repaint();
}

void RectArray::Member::SetBorderColor(Color color) {
    Item().border = color;
    array_->Repaint();
}

void RectArray::Member::SetBorderWidth(std::int32_t width) {
    Item().borderWidth = std::max(0, width);
    array_->Repaint();
}

void RectArray::Member::SetVisible(bool visible) {
    Item().visible = visible;
    array_->Repaint();
}

void RectArray::Member::SetEnabled(bool enabled) {
    Item().enabled = enabled;
}

void RectArray::Paint(QPainter& painter, const QRect& area, std::int32_t first, std::int32_t last) const {
    // Borderless members of one colour in a row are filled in one call: their order among
    // themselves changes no pixel.
    constexpr std::size_t kBatch = 512;
    std::vector<QRect> batch;
    batch.reserve(kBatch);
    Color batchColor = 0;
    painter.save();
    painter.setPen(Qt::NoPen);
    const auto flush = [&] {
        if (batch.empty())
            return;
        painter.setBrush(detail::ToQColor(batchColor));
        painter.drawRects(batch.data(), static_cast<int>(batch.size()));
        batch.clear();
    };
    for (std::int32_t slot = first; slot <= last; ++slot) {
        const detail::RectItem& rect = items_[static_cast<std::size_t>(slot)];
        if (!rect.visible)
            continue;
        if (detail::HasBorder(rect.box, rect.borderWidth)) {
            flush();
            detail::PaintRect(painter, area, rect.box, rect.fill, rect.border, rect.borderWidth);
            continue;
        }
        QRect shown;
        if (!detail::ShownPart(area, rect.box, shown))
            continue;
        if (rect.fill != batchColor || batch.size() == kBatch)
            flush();
        batchColor = rect.fill;
        batch.push_back(shown);
    }
    flush();
    painter.restore();
}

std::int32_t RectArray::TopAt(std::int32_t x, std::int32_t y, std::int32_t first, std::int32_t last,
                              bool includeDisabled) const {
    for (std::int32_t slot = last; slot >= first; --slot) {
        const detail::RectItem& rect = items_[static_cast<std::size_t>(slot)];
        if (rect.visible && (includeDisabled || rect.enabled) && detail::RectContains(rect.box, x, y))
            return slot;
    }
    return -1;
}

} // namespace rt
