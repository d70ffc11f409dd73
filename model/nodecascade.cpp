#include "model/nodecascade.h"

#include <algorithm>
#include <cstdint>

namespace nodecascade {

namespace {

// A subtree's distance from a node, shrunk by this share, is no larger than the distance of any
// of its points as Distance rounds it, when it is at least kSmallestRadius.
constexpr double kSureShare = 1.0 - 1e-9;
constexpr double kSmallestRadius = 1e-100;
// A node that has to look at more of the points than this share of them, and more than
// kPlainMinimum, takes the plain pass, whose cost does not grow with the share.
constexpr std::size_t kPlainShareDivisor = 8;
constexpr std::size_t kPlainMinimum = 256;
constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();

} // namespace

Slots PlainCascade(std::span<const double> x, std::span<const double> y, double nodeX, double nodeY,
                   double start, bool threeSlots) {
    Slots slots;
    double b1 = start, b2 = start, b3 = start;
    // The last slot holds the largest distance of the three, so a point whose square is at least
    // that slot's square (the root does not decrease) beats none and skips its root. No point is
    // skipped while the last slot is free, or when its distance was taken without squares.
    double skipFrom = std::numeric_limits<double>::quiet_NaN();
    const std::size_t count = std::min(x.size(), y.size());
    for (std::size_t k = 0; k < count; ++k) {
        const double ex = nodeX - x[k];
        const double ey = nodeY - y[k];
        const double square = ex * ex + ey * ey;
        if (square >= skipFrom)
            continue;
        double t = Distance(ex, ey);
        if (t < b1) {
            slots.first = k;
            b1 = t;
            t = start;
        }
        if (t < b2) {
            slots.second = k;
            b2 = t;
            t = start;
            if (!threeSlots)
                skipFrom = square;
        }
        if (threeSlots && t < b3) {
            slots.third = k;
            b3 = t;
            skipFrom = square;
        }
    }
    return slots;
}

NearestCascade::NearestCascade(const pointindex::PointIndex& index, std::span<const double> x,
                               std::span<const double> y, bool threeSlots)
    : index_(index), x_(x), y_(y), threeSlots_(threeSlots) {}

// The queue's order: smaller keys first; at equal keys subtrees before points, so that no
// equally near point hides in them, and points by index.
bool NearestCascade::Later(const Queued& a, const Queued& b) {
    if (a.key != b.key)
        return a.key > b.key;
    if (a.isPoint != b.isPoint)
        return a.isPoint;
    return a.point > b.point;
}

void NearestCascade::Push(const Queued& q) {
    queue_.push_back(q);
    std::push_heap(queue_.begin(), queue_.end(), Later);
}

void NearestCascade::PushSubtree(const pointindex::PointIndex::Range& range, double nodeX, double nodeY,
                                 double start) {
    const pointindex::PointIndex::Box& box = index_.BoxOf(range);
    const double ex = nodeX < box.minX ? box.minX - nodeX : (nodeX > box.maxX ? nodeX - box.maxX : 0.0);
    const double ey = nodeY < box.minY ? box.minY - nodeY : (nodeY > box.maxY ? nodeY - box.maxY : 0.0);
    // Below the rounding of any point's distance; tiny distances, whose squares lose precision,
    // count as none.
    double key = Distance(ex, ey) * kSureShare;
    if (key < kSmallestRadius)
        key = 0.0;
    if (key < start)
        Push({key, false, 0, range});
}

Slots NearestCascade::Find(double nodeX, double nodeY, double start) {
    Slots slots;
    if (!(start > 0.0) || index_.Size() == 0)
        return slots;
    queue_.clear();
    PushSubtree(index_.Root(), nodeX, nodeY, start);
    std::size_t lowest = kNone, lowestOther = kNone, queuedPoints = 0;
    bool second = false;
    while (!queue_.empty()) {
        std::pop_heap(queue_.begin(), queue_.end(), Later);
        const Queued q = queue_.back();
        queue_.pop_back();
        if (!q.isPoint) {
            if (!index_.IsLeaf(q.range)) {
                PushSubtree(index_.Left(q.range), nodeX, nodeY, start);
                PushSubtree(index_.Right(q.range), nodeX, nodeY, start);
                continue;
            }
            for (std::size_t p = q.range.begin; p < q.range.end; ++p) {
                const pointindex::PointIndex::Entry& e = index_.At(p);
                const double t = Distance(nodeX - e.x, nodeY - e.y);
                if (t < start)
                    Push({t, true, e.index, {}});
            }
            queuedPoints += q.range.end - q.range.begin;
            if (queuedPoints > kPlainMinimum && queuedPoints > index_.Size() / kPlainShareDivisor)
                return PlainCascade(x_, y_, nodeX, nodeY, start, threeSlots_);
            continue;
        }
        if (lowest == kNone)
            slots.first = q.point;
        if (q.point < lowest) {
            lowest = q.point;
            continue;
        }
        if (!second) {
            slots.second = q.point;
            second = true;
        }
        if (threeSlots_ && q.point < lowestOther) {
            lowestOther = q.point;
            continue;
        }
        if (threeSlots_)
            slots.third = q.point;
        return slots;
    }
    return slots;
}

} // namespace nodecascade
