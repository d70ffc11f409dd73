#include "model/pointindex.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <vector>

#include "model/parallelcolumns.h"

namespace pointindex {

namespace {

// Points per leaf at most.
constexpr std::size_t kLeafSize = 16;
// The nodes of the first levels are split on the helper threads, the nodes of a level at once;
// the subtrees this many levels below the root are built each on one helper.
constexpr int kThreadLevels = 3;
// Smaller subtrees are built whole on one helper.
constexpr std::size_t kThreadMinimum = 1 << 12;

// Runs task(t) for t = 0..count-1 on the helper threads.
template <class Task> void OnHelpers(std::size_t count, const Task& task) {
    std::atomic<std::size_t> next{0};
    parallelcolumns::OnEveryWorker([&](std::size_t) {
        for (std::size_t t = next++; t < count; t = next++)
            task(t);
    });
}

} // namespace

PointIndex::PointIndex(std::span<const double> x, std::span<const double> y, std::span<const double> z)
    : grid_(BucketGrid::IfEven(x, y, z)) {
    if (grid_)
        return;
    const std::size_t count = std::min({x.size(), y.size(), z.size()});
    points_.reserve(count);
    for (std::size_t k = 0; k < count; ++k)
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            points_.push_back({x[k], y[k], static_cast<std::uint32_t>(k)});
        }
    if (points_.size() < count)
        points_.shrink_to_fit();
    if (points_.empty())
        return;
    // A complete tree: every leaf at the same depth, the smallest one that leaves at most
    // kLeafSize points in each.
    std::size_t leaves = 1;
    while ((points_.size() + leaves - 1) / leaves > kLeafSize)
        leaves *= 2;
    boxes_.resize(2 * leaves - 1);
    capsules_.resize(2 * leaves - 1);

    std::vector<Range> level{Root()};
    for (int depth = 0; depth < kThreadLevels; ++depth) {
        std::vector<Range> split, whole;
        for (const Range& r : level)
            (r.end - r.begin >= kThreadMinimum && !IsLeaf(r) ? split : whole).push_back(r);
        if (split.empty())
            break;
        OnHelpers(split.size() + whole.size(), [&](std::size_t t) {
            if (t < split.size())
                Split(split[t].node, split[t].begin, split[t].end);
            else
                Build(whole[t - split.size()].node, whole[t - split.size()].begin,
                      whole[t - split.size()].end);
        });
        level.clear();
        for (const Range& r : split) {
            level.push_back(Left(r));
            level.push_back(Right(r));
        }
    }
    // A small tree is built where it is asked for.
    if (level.size() == 1)
        Build(level[0].node, level[0].begin, level[0].end);
    else
        OnHelpers(level.size(), [&](std::size_t t) { Build(level[t].node, level[t].begin, level[t].end); });
}

std::size_t PointIndex::MemoryBytes() const {
    return (grid_ ? grid_->MemoryBytes() : 0) + points_.capacity() * sizeof(Entry) +
           boxes_.capacity() * sizeof(Box) + capsules_.capacity() * sizeof(Capsule);
}

// The segment between the points at the two ends of the longer side; its radius is 0 (every
// point counts as anywhere) when it cannot be measured.
PointIndex::Capsule PointIndex::CapsuleAround(std::size_t begin, std::size_t end, bool alongX) const {
    const auto key = [alongX](const Entry& e) { return alongX ? e.x : e.y; };
    const Entry* low = &points_[begin];
    const Entry* high = low;
    for (std::size_t p = begin + 1; p < end; ++p) {
        if (key(points_[p]) < key(*low))
            low = &points_[p];
        if (key(points_[p]) > key(*high))
            high = &points_[p];
    }
    Capsule capsule{low->x, low->y, high->x, high->y, 0.0};
    double radius = 0.0;
    for (std::size_t p = begin; p < end; ++p) {
        const double d = SegmentDistance(capsule, points_[p].x, points_[p].y);
        radius = d > radius || !std::isfinite(d) ? d : radius;
    }
    // Beyond the rounding of the distances measured from the segment.
    const double slack = 1e-9 * (std::abs(capsule.ax) + std::abs(capsule.ay) + std::abs(capsule.bx) +
                                 std::abs(capsule.by) + radius);
    capsule.radius = radius * (1 + 1e-9) + slack;
    if (!std::isfinite(capsule.radius))
        capsule = {0.0, 0.0, 0.0, 0.0, std::numeric_limits<double>::infinity()};
    return capsule;
}

double PointIndex::SegmentDistance(const Capsule& c, double x, double y) {
    const double ux = c.bx - c.ax, uy = c.by - c.ay;
    const double length = ux * ux + uy * uy;
    double t = length > 0 ? ((x - c.ax) * ux + (y - c.ay) * uy) / length : 0.0;
    t = t > 0 ? (t < 1 ? t : 1.0) : 0.0;
    const double ex = x - (c.ax + t * ux), ey = y - (c.ay + t * uy);
    const double square = ex * ex + ey * ey;
    return square <= std::numeric_limits<double>::max() ? std::sqrt(square) : std::hypot(ex, ey);
}

bool PointIndex::Split(std::size_t node, std::size_t begin, std::size_t end) {
    Box box{points_[begin].x, points_[begin].x, points_[begin].y, points_[begin].y};
    for (std::size_t p = begin + 1; p < end; ++p) {
        box.minX = std::min(box.minX, points_[p].x);
        box.maxX = std::max(box.maxX, points_[p].x);
        box.minY = std::min(box.minY, points_[p].y);
        box.maxY = std::max(box.maxY, points_[p].y);
    }
    boxes_[node] = box;
    const bool alongX = box.maxX - box.minX >= box.maxY - box.minY;
    capsules_[node] = CapsuleAround(begin, end, alongX);
    if (IsLeafNode(node))
        return false;

    const std::size_t middle = Middle(begin, end);
    const auto first = points_.begin();
    std::nth_element(first + static_cast<std::ptrdiff_t>(begin), first + static_cast<std::ptrdiff_t>(middle),
                     first + static_cast<std::ptrdiff_t>(end),
                     [alongX](const Entry& a, const Entry& b) { return alongX ? a.x < b.x : a.y < b.y; });
    return true;
}

void PointIndex::Build(std::size_t node, std::size_t begin, std::size_t end) {
    if (!Split(node, begin, end))
        return;
    const std::size_t middle = Middle(begin, end);
    Build(2 * node + 1, begin, middle);
    Build(2 * node + 2, middle, end);
}

} // namespace pointindex
