#pragma once
// Control arrays of light shapes kept as compact tables: one small record per member, no object
// of its own. A window may hold hundreds of thousands of members (the points and segments of a
// survey); they are drawn, stacked and hit-tested like single light shapes (see rt/shapes.h),
// among the window's other controls in the order of their creation.
//
// A member is reached by its number through a handle; a handle used once its window has closed
// (and the members have gone) throws std::out_of_range. Member 0 is usually the template: AddCopy
// gives a new member its settings and the next number.

#include <cstdint>
#include <functional>
#include <vector>

#include "rt/conv.h"
#include "rt/shapepaint.h"

class QPainter;
class QRect;
class QWidget;

namespace rt {

class Window;
namespace detail {
struct WindowAccess;
}

// What the window needs of an array: drawing, hit-testing and pressing runs of its members.
class ShapeArray {
public:
    // The press handler shared by every member: the member's number and the press relative to
    // the member's top-left corner. A press on a visible, enabled member never reaches the window.
    std::function<bool(std::int32_t index, std::int32_t x, std::int32_t y)> MouseDown;

    ShapeArray(const ShapeArray&) = delete;
    ShapeArray& operator=(const ShapeArray&) = delete;

protected:
    ShapeArray() = default;
    virtual ~ShapeArray();
    // Puts member `slot` into the window's stacking order, above everything created so far.
    void Place(Window& window, std::int32_t slot);
    void Repaint() const;
    Window* window_ = nullptr;
    // The window's content widget, where the members are drawn.
    QWidget* content_ = nullptr;

private:
    friend struct detail::WindowAccess;
    virtual void Paint(QPainter& painter, const QRect& area, std::int32_t first, std::int32_t last) const = 0;
    // The top member among slots first..last that takes a press at (x, y), or -1; hidden members
    // never, disabled ones only when `includeDisabled`.
    virtual std::int32_t TopAt(std::int32_t x, std::int32_t y, std::int32_t first, std::int32_t last,
                               bool includeDisabled) const = 0;
    virtual std::int32_t NumberAt(std::int32_t slot) const = 0;
    virtual detail::ShapeBox BoxAt(std::int32_t slot) const = 0;
    // The window closes: the members go at once, not when the window object is destroyed.
    virtual void Release() = 0;
};

// The members' records and their numbers, ascending in creation order.
template <class Item> class ShapeTable : public ShapeArray {
public:
    bool Has(std::int32_t index) const { return Find(index) >= 0; }
    std::int32_t Count() const { return static_cast<std::int32_t>(items_.size()); }
    // The highest member number, -1 when empty.
    std::int32_t UBound() const { return items_.empty() ? -1 : items_.back().number; }
    // Room for `count` members in all, so that a known number of new members grows the table once.
    void Reserve(std::int64_t count);

protected:
    // Throws std::out_of_range for a number that has no member.
    std::int32_t SlotOf(std::int32_t index) const;
    // A member with a fixed number above every number so far, not yet in a window.
    std::int32_t AddItem(std::int32_t index, const Item& item);
    // A copy of member 0's settings, numbered one above the highest, in member 0's window.
    std::int32_t AddCopyItem();
    void PlaceItem(Window& window, std::int32_t slot);
    std::vector<Item> items_;

private:
    std::int32_t Find(std::int32_t index) const;
    std::int32_t NumberAt(std::int32_t slot) const override {
        return items_[static_cast<std::size_t>(slot)].number;
    }
    void Release() override;
};

namespace detail {
struct LineItem {
    std::int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    Color color = 0x000000;
    std::int32_t width = 1;
    std::int32_t number = 0;
    bool visible = true, enabled = true, placed = false;
};
struct RectItem {
    ShapeBox box;
    Color fill = 0xFFFFFF, border = 0x000000;
    std::int32_t borderWidth = 1;
    std::int32_t number = 0;
    bool visible = true, enabled = true, placed = false;
};
} // namespace detail

// Lines from (X1, Y1) to (X2, Y2), window coordinates, hit within 3 pixels or half their width.
class LineArray : public ShapeTable<detail::LineItem> {
public:
    class Member {
    public:
        // Joins the window; the ends, not the position given, place the line.
        void Create(Window& window, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height);
        std::int32_t X1() const { return Item().x1; }
        std::int32_t Y1() const { return Item().y1; }
        std::int32_t X2() const { return Item().x2; }
        std::int32_t Y2() const { return Item().y2; }
        void SetEnds(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2);
        Color BorderColor() const { return Item().color; }
        void SetBorderColor(Color color);
        void SetBorderWidth(std::int32_t width);
        bool Visible() const { return Item().visible; }
        void SetVisible(bool visible);
        void SetEnabled(bool enabled);

    private:
        friend class LineArray;
        Member(LineArray& array, std::int32_t slot) : array_(&array), slot_(slot) {}
        detail::LineItem& Item() const { return array_->items_.at(static_cast<std::size_t>(slot_)); }
        LineArray* array_;
        std::int32_t slot_;
    };

    // A member with a fixed number (above all numbers so far), placed by its Create.
    Member Add(std::int32_t index);
    Member AddCopy();
    Member operator()(std::int32_t index) { return {*this, SlotOf(index)}; }

private:
    void Paint(QPainter& painter, const QRect& area, std::int32_t first, std::int32_t last) const override;
    std::int32_t TopAt(std::int32_t x, std::int32_t y, std::int32_t first, std::int32_t last,
                       bool includeDisabled) const override;
    detail::ShapeBox BoxAt(std::int32_t slot) const override;
};

// Filled rectangles with a border drawn inside them.
class RectArray : public ShapeTable<detail::RectItem> {
public:
    class Member {
    public:
        void Create(Window& window, std::int32_t left, std::int32_t top, std::int32_t width,
                    std::int32_t height);
        std::int32_t Left() const { return Item().box.left; }
        std::int32_t Top() const { return Item().box.top; }
        void SetLeft(std::int32_t left);
        void SetTop(std::int32_t top);
        Color FillColor() const { return Item().fill; }
        void SetFillColor(Color color);
        void SetBorderColor(Color color);
        void SetBorderWidth(std::int32_t width);
        void SetVisible(bool visible);
        void SetEnabled(bool enabled);

    private:
        friend class RectArray;
        Member(RectArray& array, std::int32_t slot) : array_(&array), slot_(slot) {}
        detail::RectItem& Item() const { return array_->items_.at(static_cast<std::size_t>(slot_)); }
        RectArray* array_;
        std::int32_t slot_;
    };

    Member Add(std::int32_t index);
    Member AddCopy();
    Member operator()(std::int32_t index) { return {*this, SlotOf(index)}; }

private:
    void Paint(QPainter& painter, const QRect& area, std::int32_t first, std::int32_t last) const override;
    std::int32_t TopAt(std::int32_t x, std::int32_t y, std::int32_t first, std::int32_t last,
                       bool includeDisabled) const override;
    detail::ShapeBox BoxAt(std::int32_t slot) const override {
        return items_[static_cast<std::size_t>(slot)].box;
    }
};

} // namespace rt
