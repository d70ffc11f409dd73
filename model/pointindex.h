#pragma once
// A spatial index of the survey points for nearest-point searches: a bucket grid when the points
// with finite coordinates spread evenly, otherwise a balanced k-d tree over them, split at the
// median of the longer side, a few points a leaf.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/bucketgrid.h"

namespace pointindex {

class PointIndex {
public:
    PointIndex() = default;
    // Indexes point k = (x[k], y[k]) for k < min(x.size(), y.size(), z.size()); points with a
    // coordinate that is not finite are left out. The bucket grid keeps the heights z beside the
    // coordinates.
    PointIndex(std::span<const double> x, std::span<const double> y, std::span<const double> z);

    // The number of points indexed.
    std::size_t Size() const { return grid_ ? grid_->Size() : points_.size(); }
    // The bucket grid, when the points spread evenly; the tree is empty then.
    const BucketGrid* Grid() const { return grid_ ? &*grid_ : nullptr; }
    // The memory the index holds, in bytes.
    std::size_t MemoryBytes() const;

    struct Box {
        double minX, maxX, minY, maxY;
    };
    // A segment between two of a subtree's points and the largest distance of its points from
    // the segment (a little more): tight around points that lie along a line.
    struct Capsule {
        double ax, ay, bx, by, radius;
    };
    struct Entry {
        double x, y;
        std::uint32_t index;
    };
    // A subtree: its node and the run of points it holds.
    struct Range {
        std::size_t node, begin, end;
    };

    // The whole tree: Size() > 0 and no Grid().
    Range Root() const { return {0, 0, points_.size()}; }
    bool IsLeaf(const Range& r) const { return 2 * r.node + 1 >= boxes_.size(); }
    Range Left(const Range& r) const { return {2 * r.node + 1, r.begin, Middle(r.begin, r.end)}; }
    Range Right(const Range& r) const { return {2 * r.node + 2, Middle(r.begin, r.end), r.end}; }
    // The smallest box around the subtree's points.
    const Box& BoxOf(const Range& r) const { return boxes_[r.node]; }
    const Capsule& CapsuleOf(const Range& r) const { return capsules_[r.node]; }
    // The distance of (x, y) from the capsule's segment.
    static double SegmentDistance(const Capsule& c, double x, double y);
    // The p-th point in tree order: its coordinates and its index in the point set.
    const Entry& At(std::size_t p) const { return points_[p]; }

private:
    // Sets the node's box and capsule and, unless it is a leaf, splits its points at the median
    // (true then).
    bool Split(std::size_t node, std::size_t begin, std::size_t end);
    // The node and all of its subtree.
    void Build(std::size_t node, std::size_t begin, std::size_t end);
    Capsule CapsuleAround(std::size_t begin, std::size_t end, bool alongX) const;
    static std::size_t Middle(std::size_t begin, std::size_t end) { return begin + (end - begin) / 2; }
    bool IsLeafNode(std::size_t node) const { return 2 * node + 1 >= boxes_.size(); }

    std::optional<BucketGrid> grid_;
    std::vector<Entry> points_;
    std::vector<Box> boxes_;
    std::vector<Capsule> capsules_;
};

} // namespace pointindex
