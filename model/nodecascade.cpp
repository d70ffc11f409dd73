#include "model/nodecascade.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

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
// The tree search asks for this many nearest points first, and this many times more each time
// the slots are not settled among them.
constexpr std::size_t kFirstNearest = 8;
constexpr std::size_t kNearestGrowth = 4;
// The grid search picks the nearest of the points waiting to be walked one at a time while there
// are at most this many of them.
constexpr std::size_t kMostSelected = 48;

// A distance no point farther than `bound` (as measured without rounding) falls below when
// Distance rounds it; tiny bounds, whose squares lose precision, count as none.
double SureBound(double bound) {
    bound *= kSureShare;
    return bound < kSmallestRadius ? 0.0 : bound;
}

// Nearest first, equal distances in index order.
constexpr auto Before = [](const NearestCascade::Met& a, const NearestCascade::Met& b) {
    return a.distance < b.distance || (a.distance == b.distance && a.point < b.point);
};

// Nearest first, equal distances in index order, as one number: the distances the grid search
// meets are finite and not negative, and such doubles order as their bit patterns do.
using OrderKey = unsigned __int128;
OrderKey KeyOf(const NearestCascade::Met& m) {
    return (static_cast<OrderKey>(std::bit_cast<std::uint64_t>(m.distance)) << 32) | m.point;
}

// The slots from the points met nearest first, one at a time (see the rule at the top of
// nodecascade.h). Once Meet reports them settled no later point changes them: a later point is
// farther, or as far with a larger index, than every point met, so it is not the first; and
// whether a point is a record, for slot 1 or slot 2, depends only on the points met before it.
class Walk {
public:
    Walk(bool threeSlots, const Slots& unfilled) : threeSlots_(threeSlots), slots_(unfilled) {}

    // Meets the next point; true once the slots are settled.
    bool Meet(const Slot& met) {
        if (lowest_ == kNone)
            slots_.first = met;
        if (met.point < lowest_) {
            lowest_ = met.point;
            return false;
        }
        if (!second_) {
            slots_.second = met;
            second_ = true;
        }
        if (!threeSlots_)
            return true;
        if (met.point < lowestOther_) {
            lowestOther_ = met.point;
            return false;
        }
        slots_.third = met;
        return true;
    }
    const Slots& Result() const { return slots_; }

private:
    bool threeSlots_;
    Slots slots_;
    std::size_t lowest_ = kNone, lowestOther_ = kNone;
    bool second_ = false;
};

} // namespace

Slots PlainCascade(std::span<const double> x, std::span<const double> y, std::span<const double> z,
                   double nodeX, double nodeY, double start, bool threeSlots) {
    const std::size_t count = std::min({x.size(), y.size(), z.size()});
    Slots found;
    if (count > 0)
        found.first = found.second = found.third = {0, x[0], y[0], z[0]};
    double b1 = start, b2 = start, b3 = start;
    // The last slot holds the largest distance of the three, so a point whose square is at least
    // that slot's square (the root does not decrease) beats none and skips its root. No point is
    // skipped while the last slot is free, or when its distance was taken without squares.
    double skipFrom = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t k = 0; k < count; ++k) {
        const double ex = nodeX - x[k];
        const double ey = nodeY - y[k];
        const double square = ex * ex + ey * ey;
        if (square >= skipFrom)
            continue;
        double t = Distance(ex, ey);
        if (t < b1) {
            found.first = {k, x[k], y[k], z[k]};
            b1 = t;
            t = start;
        }
        if (t < b2) {
            found.second = {k, x[k], y[k], z[k]};
            b2 = t;
            t = start;
            if (!threeSlots)
                skipFrom = square;
        }
        if (threeSlots && t < b3) {
            found.third = {k, x[k], y[k], z[k]};
            b3 = t;
            skipFrom = square;
        }
    }
    return found;
}

NearestCascade::NearestCascade(const pointindex::PointIndex& index, std::span<const double> x,
                               std::span<const double> y, std::span<const double> z, bool threeSlots)
    : index_(index), x_(x), y_(y), z_(z), threeSlots_(threeSlots) {
    if (!x.empty() && !y.empty() && !z.empty())
        unfilled_.first = unfilled_.second = unfilled_.third = {0, x[0], y[0], z[0]};
}

bool NearestCascade::PlainIsCheaper(std::size_t looked) const {
    return looked > kPlainMinimum && looked > index_.Size() / kPlainShareDivisor;
}

Slots NearestCascade::Find(double nodeX, double nodeY, double start) {
    if (!(start > 0.0) || index_.Size() == 0)
        return unfilled_;
    if (!std::isfinite(nodeX) || !std::isfinite(nodeY))
        return PlainCascade(x_, y_, z_, nodeX, nodeY, start, threeSlots_);
    if (const pointindex::BucketGrid* grid = index_.Grid())
        return FindInGrid(*grid, nodeX, nodeY, start);
    return FindInTree(nodeX, nodeY, start);
}

// Rings of cells around the node's cell, one ring wider each time. After ring r every point
// outside the square of rings 0..r lies beyond one of its edges that has cells behind it, so no
// nearer than the node's distance from that edge (less the slack of the cells' edges): the
// bound. The points met so far below the bound are, in (distance, index) order, the first points
// of the nearest-first order, since every point not met is at least as far as the bound; they
// are walked, the rest wait for a wider ring. Points no nearer than `start` are dropped.
Slots NearestCascade::FindInGrid(const pointindex::BucketGrid& grid, double nodeX, double nodeY,
                                 double start) {
    const std::int64_t column = grid.ColumnOf(nodeX), row = grid.RowOf(nodeY);
    const std::int64_t columns = grid.Columns(), rows = grid.Rows();
    const double slack = grid.Slack() + 1e-12 * (std::abs(nodeX) + std::abs(nodeY));
    Walk walk(threeSlots_, unfilled_);
    nearest_.clear();
    std::size_t walked = 0, looked = 0;
    const auto lookAt = [&](std::int64_t r, std::int64_t first, std::int64_t last) {
        if (r < 0 || r >= rows)
            return;
        first = std::max<std::int64_t>(first, 0);
        last = std::min(last, columns - 1);
        if (first > last)
            return;
        const std::size_t end = grid.End(r, last);
        for (std::size_t p = grid.Begin(r, first); p < end; ++p) {
            const pointindex::BucketGrid::Entry& e = grid.At(p);
            const double t = Distance(nodeX - e.x, nodeY - e.y);
            if (t < start)
                nearest_.push_back({t, e.index, static_cast<std::uint32_t>(p)});
        }
        looked += end - grid.Begin(r, first);
    };
    for (std::int64_t ring = 0;; ++ring) {
        lookAt(row - ring, column - ring, column + ring);
        if (ring > 0) {
            lookAt(row + ring, column - ring, column + ring);
            for (std::int64_t r = row - ring + 1; r < row + ring; ++r) {
                lookAt(r, column - ring, column - ring);
                lookAt(r, column + ring, column + ring);
            }
        }
        double bound = std::numeric_limits<double>::infinity();
        if (column - ring > 0)
            bound = std::min(bound, nodeX - grid.EdgeX(column - ring));
        if (column + ring + 1 < columns)
            bound = std::min(bound, grid.EdgeX(column + ring + 1) - nodeX);
        if (row - ring > 0)
            bound = std::min(bound, nodeY - grid.EdgeY(row - ring));
        if (row + ring + 1 < rows)
            bound = std::min(bound, grid.EdgeY(row + ring + 1) - nodeY);
        const bool all = bound == std::numeric_limits<double>::infinity();
        if (!all) {
            bound = SureBound(bound - slack);
            if (ring == 0 && bound < start)
                continue;
        }
        // The points below the bound are walked nearest first, each the nearest of those left
        // (the walk mostly stops after a few); the others wait. Which side of the bound a point
        // lies on, and which is nearer, cannot be foreseen: both are chosen without branches.
        std::size_t ready = walked;
        for (std::size_t m = walked; m < nearest_.size(); ++m) {
            const Met met = nearest_[m];
            nearest_[m] = nearest_[ready];
            nearest_[ready] = met;
            ready += all || met.distance < bound ? 1 : 0;
        }
        // Many are put in order at once instead.
        const bool sorted = ready - walked > kMostSelected;
        if (sorted)
            std::sort(nearest_.begin() + static_cast<std::ptrdiff_t>(walked),
                      nearest_.begin() + static_cast<std::ptrdiff_t>(ready), Before);
        while (walked < ready) {
            std::size_t next = walked;
            OrderKey nearestKey = KeyOf(nearest_[walked]);
            for (std::size_t m = walked + 1; !sorted && m < ready; ++m) {
                const OrderKey key = KeyOf(nearest_[m]);
                const bool nearer = key < nearestKey;
                nearestKey = nearer ? key : nearestKey;
                next = nearer ? m : next;
            }
            std::swap(nearest_[walked], nearest_[next]);
            const Met& met = nearest_[walked++];
            const pointindex::BucketGrid::Entry& e = grid.At(met.at);
            if (walk.Meet({met.point, e.x, e.y, e.z}))
                return walk.Result();
        }
        if (all || bound >= start)
            return walk.Result();
        if (PlainIsCheaper(looked))
            return PlainCascade(x_, y_, z_, nodeX, nodeY, start, threeSlots_);
    }
}

// The nearest few points, from a depth-first search of the tree that skips every subtree whose
// box lies farther than the farthest of the points kept; more of them when the slots are not
// settled among the few.
Slots NearestCascade::FindInTree(double nodeX, double nodeY, double start) {
    for (std::size_t wanted = kFirstNearest;; wanted *= kNearestGrowth) {
        if (PlainIsCheaper(wanted))
            return PlainCascade(x_, y_, z_, nodeX, nodeY, start, threeSlots_);
        Nearest(nodeX, nodeY, start, wanted);
        Walk walk(threeSlots_, unfilled_);
        for (const Met& met : nearest_) {
            const pointindex::PointIndex::Entry& e = index_.At(met.at);
            if (walk.Meet({met.point, e.x, e.y, z_[met.point]}))
                return walk.Result();
        }
        if (nearest_.size() < wanted)
            return walk.Result();
    }
}

void NearestCascade::Nearest(double nodeX, double nodeY, double start, std::size_t wanted) {
    // A subtree is opened while a point in it could still be kept: below `start`, and, once
    // `wanted` points are kept, no farther than the farthest of them (as far could come first).
    const auto worthOpening = [&](double bound) {
        return bound < start && (nearest_.size() < wanted || bound <= nearest_.back().distance);
    };
    const auto boundOf = [&](const pointindex::PointIndex::Range& range) {
        const pointindex::PointIndex::Box& box = index_.BoxOf(range);
        const double ex = nodeX < box.minX ? box.minX - nodeX : (nodeX > box.maxX ? nodeX - box.maxX : 0.0);
        const double ey = nodeY < box.minY ? box.minY - nodeY : (nodeY > box.maxY ? nodeY - box.maxY : 0.0);
        const double fromBox = SureBound(Distance(ex, ey));
        if (!worthOpening(fromBox))
            return fromBox;
        // No point is nearer than the box, nor nearer than the capsule's segment less its
        // radius (less the slack of the node's distance from the segment).
        const pointindex::PointIndex::Capsule& capsule = index_.CapsuleOf(range);
        const double slack = 1e-9 * (std::abs(nodeX) + std::abs(nodeY));
        const double fromCapsule = SureBound(pointindex::PointIndex::SegmentDistance(capsule, nodeX, nodeY) -
                                             capsule.radius - slack);
        return std::isfinite(fromCapsule) && fromCapsule > fromBox ? fromCapsule : fromBox;
    };
    nearest_.clear();
    // Depth first, the nearer child first: the stack holds at most one subtree a level below the
    // one being opened, and the one being opened.
    std::size_t top = 0;
    const auto push = [&](const Pending& pending) {
        if (top < stack_.size())
            stack_[top] = pending;
        else
            stack_.push_back(pending);
        ++top;
    };
    push({index_.Root(), boundOf(index_.Root())});
    while (top > 0) {
        const Pending pending = stack_[--top];
        if (!worthOpening(pending.bound))
            continue;
        if (index_.IsLeaf(pending.range)) {
            for (std::size_t p = pending.range.begin; p < pending.range.end; ++p) {
                const pointindex::PointIndex::Entry& e = index_.At(p);
                const Met met{Distance(nodeX - e.x, nodeY - e.y), e.index, static_cast<std::uint32_t>(p)};
                if (!(met.distance < start))
                    continue;
                if (nearest_.size() == wanted) {
                    if (!Before(met, nearest_.back()))
                        continue;
                    nearest_.pop_back();
                }
                // Insertion by hand: the list is short, and a call to move its tail costs more.
                nearest_.push_back(met);
                for (std::size_t m = nearest_.size() - 1; m > 0 && Before(met, nearest_[m - 1]); --m)
                    std::swap(nearest_[m], nearest_[m - 1]);
            }
            continue;
        }
        const pointindex::PointIndex::Range left = index_.Left(pending.range),
                                            right = index_.Right(pending.range);
        const double leftBound = boundOf(left), rightBound = boundOf(right);
        const bool leftFirst = leftBound <= rightBound;
        const Pending first{leftFirst ? left : right, leftFirst ? leftBound : rightBound};
        const Pending second{leftFirst ? right : left, leftFirst ? rightBound : leftBound};
        if (worthOpening(second.bound))
            push(second);
        if (worthOpening(first.bound))
            push(first);
    }
}

} // namespace nodecascade
