#include "rt/ovalpixels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace rt {

namespace {

constexpr std::int64_t kNone = std::numeric_limits<std::int64_t>::max();

// One row of the oval, the columns [left, right); empty when left >= right.
struct Row {
    std::int64_t left = kNone;
    std::int64_t right = -kNone;
};

// A pixel belongs to the oval when its centre lies within the ellipse inscribed in the box and
// drawn a quarter pixel inside it; a row keeps at least its middle pixel or two, so that thin
// ovals have no gaps.
class Oval {
public:
    Oval(std::int64_t left, std::int64_t top, std::int64_t width, std::int64_t height)
        : left_(left), top_(top), width_(std::max<std::int64_t>(0, width)),
          height_(std::max<std::int64_t>(0, height)) {}
    explicit Oval(const OvalBox& box) : Oval(box.left, box.top, box.width, box.height) {}

    Row At(std::int64_t y) const {
        const std::int64_t row = y - top_;
        if (row < 0 || row >= height_ || width_ == 0)
            return {};
        const double halfWidth = width_ / 2.0;
        const double halfHeight = height_ / 2.0;
        const double dy = (row + 0.5 - halfHeight) / (halfHeight - 0.25);
        const double reach = std::max(0.5, (halfWidth - 0.25) * std::sqrt(std::max(0.0, 1.0 - dy * dy)));
        const auto first = static_cast<std::int64_t>(std::ceil(halfWidth - reach - 0.5));
        const auto last = static_cast<std::int64_t>(std::floor(halfWidth + reach - 0.5));
        return {left_ + std::max<std::int64_t>(0, first), left_ + std::min(width_ - 1, last) + 1};
    }

    std::int64_t Top() const { return top_; }
    std::int64_t Bottom() const { return top_ + height_; }

private:
    std::int64_t left_, top_, width_, height_;
};

void AddSpan(std::vector<QRect>& spans, std::int64_t y, std::int64_t left, std::int64_t right,
             const QRect& clip) {
    left = std::max<std::int64_t>(left, clip.left());
    right = std::min<std::int64_t>(right, static_cast<std::int64_t>(clip.right()) + 1);
    if (left < right)
        spans.emplace_back(static_cast<int>(left), static_cast<int>(y), static_cast<int>(right - left), 1);
}

// The rows of the oval that lie inside the clip, [first, end).
std::pair<std::int64_t, std::int64_t> VisibleRows(const Oval& oval, const QRect& clip) {
    return {std::max<std::int64_t>(oval.Top(), clip.top()),
            std::min<std::int64_t>(oval.Bottom(), static_cast<std::int64_t>(clip.bottom()) + 1)};
}

} // namespace

std::vector<QRect> OvalPixels(const OvalBox& box, const QRect& clip) {
    const Oval oval(box);
    std::vector<QRect> spans;
    const auto [first, end] = VisibleRows(oval, clip);
    for (std::int64_t y = first; y < end; ++y) {
        const Row row = oval.At(y);
        AddSpan(spans, y, row.left, row.right, clip);
    }
    return spans;
}

std::vector<QRect> OvalOutlinePixels(const OvalBox& box, std::int32_t penWidth, std::int32_t penHeight,
                                     const QRect& clip) {
    std::vector<QRect> spans;
    if (penWidth <= 0 || penHeight <= 0)
        return spans;
    const Oval oval(box);
    // The inside left by the pen: the oval of the box inset by the pen's size, less every pixel
    // next to (or diagonally next to) one outside the oval, so that the outline has no gaps.
    const Oval inset(std::int64_t{box.left} + penWidth, std::int64_t{box.top} + penHeight,
                     std::int64_t{box.width} - 2 * std::int64_t{penWidth},
                     std::int64_t{box.height} - 2 * std::int64_t{penHeight});
    const auto [first, end] = VisibleRows(oval, clip);
    for (std::int64_t y = first; y < end; ++y) {
        const Row row = oval.At(y);
        Row inside = inset.At(y);
        for (std::int64_t k = y - 1; k <= y + 1; ++k) {
            const Row near = oval.At(k);
            inside.left = std::max(inside.left, near.left == kNone ? kNone : near.left + 1);
            inside.right = std::min(inside.right, near.right == -kNone ? -kNone : near.right - 1);
        }
        if (inside.left >= inside.right) {
            AddSpan(spans, y, row.left, row.right, clip);
            continue;
        }
        AddSpan(spans, y, row.left, inside.left, clip);
        AddSpan(spans, y, inside.right, row.right, clip);
    }
    return spans;
}

} // namespace rt
