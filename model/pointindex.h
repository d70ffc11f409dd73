#pragma once
// A spatial index of the survey points for nearest-point searches: a balanced k-d tree over the
// points with finite coordinates, split at the median of the longer side, a few points a leaf.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace pointindex {

class PointIndex {
public:
    PointIndex() = default;
    // Indexes point k = (x[k], y[k]) for k < min(x.size(), y.size()); points with a coordinate
    // that is not finite are left out.
    PointIndex(std::span<const double> x, std::span<const double> y);

    // The number of points indexed.
    std::size_t Size() const { return points_.size(); }
    // The memory the index holds, in bytes.
    std::size_t MemoryBytes() const;

    // Calls visit(k, x, y) for every indexed point within distance radius of (x, y), and for
    // some farther ones. Radii below 1e-100 may miss points that the rounding of squares puts
    // nearer; an infinite or not-a-number radius visits every point.
    template <class Visit> void VisitNear(double x, double y, double radius, Visit&& visit) const;

    // Some indexed point near (x, y): one of the leaf that the point falls in. Size() > 0.
    std::size_t PointNear(double x, double y) const;

private:
    struct Box {
        double minX, maxX, minY, maxY;
    };
    struct Entry {
        double x, y;
        std::uint32_t index;
    };
    struct Range {
        std::size_t node, begin, end;
    };

    void Build(std::size_t node, std::size_t begin, std::size_t end, int depth);
    static std::size_t Middle(std::size_t begin, std::size_t end) { return begin + (end - begin) / 2; }
    bool IsLeaf(std::size_t node) const { return 2 * node + 1 >= boxes_.size(); }
    static bool Beyond(const Box& box, double x, double y, double limitSquare);

    std::vector<Entry> points_;
    std::vector<Box> boxes_;
};

inline bool PointIndex::Beyond(const Box& box, double x, double y, double limitSquare) {
    const double ex = x < box.minX ? box.minX - x : (x > box.maxX ? x - box.maxX : 0.0);
    const double ey = y < box.minY ? box.minY - y : (y > box.maxY ? y - box.maxY : 0.0);
    return ex * ex + ey * ey > limitSquare;
}

template <class Visit> void PointIndex::VisitNear(double x, double y, double radius, Visit&& visit) const {
    if (points_.empty())
        return;
    // The slack covers the rounding of the box distances; an overflowing limit prunes nothing.
    double limitSquare = radius * radius * (1.0 + 1e-9);
    if (std::isnan(limitSquare))
        limitSquare = std::numeric_limits<double>::infinity();
    Range stack[64];
    std::size_t top = 0;
    stack[top++] = {0, 0, points_.size()};
    while (top > 0) {
        const Range r = stack[--top];
        if (Beyond(boxes_[r.node], x, y, limitSquare))
            continue;
        if (IsLeaf(r.node)) {
            for (std::size_t p = r.begin; p < r.end; ++p)
                visit(static_cast<std::size_t>(points_[p].index), points_[p].x, points_[p].y);
            continue;
        }
        const std::size_t middle = Middle(r.begin, r.end);
        stack[top++] = {2 * r.node + 2, middle, r.end};
        stack[top++] = {2 * r.node + 1, r.begin, middle};
    }
}

} // namespace pointindex
