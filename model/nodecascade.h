#pragma once
// The choice of a grid node's survey points: one pass over the points in index order, each point
// taking the first of the slots whose distance it beats (strictly), the occupant dropped. Slots
// start at the distance `start` with point 0.
//
// The same slots come from the points met nearest first, equal distances in index order: slot 1
// takes the first point met. A point whose index is below that of every point met before it
// entered slot 1 in the pass (a record); no other point did. Slot 2 takes the first point that is
// not a record, and the non-records whose index is below that of every non-record met before
// entered it. Slot 3 takes the first point that is neither. Points no nearer than `start` reach
// no slot. So a node needs only its nearest few points, which NearestCascade finds with the
// spatial index.

#include <cmath>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "model/pointindex.h"

namespace nodecascade {

struct Slots {
    std::size_t first = 0, second = 0, third = 0;
};

// The distance of a point offset by (ex, ey) from a node: the square root of the sum of squares,
// or, when the squares overflow, the distance taken without them.
inline double Distance(double ex, double ey) {
    const double square = ex * ex + ey * ey;
    if (square <= std::numeric_limits<double>::max())
        return std::sqrt(square);
    return std::hypot(ex, ey);
}

// The pass itself over points 0..n-1, n = min(x.size(), y.size()), in index order. Slot 3 is
// filled only when threeSlots.
Slots PlainCascade(std::span<const double> x, std::span<const double> y, double nodeX, double nodeY,
                   double start, bool threeSlots);

// The same slots from the nearest points, met one by one from the spatial index, nearest first.
// One search per thread: it keeps its working queue.
class NearestCascade {
public:
    // x and y are the points that the index was built from; they outlive the search.
    NearestCascade(const pointindex::PointIndex& index, std::span<const double> x, std::span<const double> y,
                   bool threeSlots);

    Slots Find(double nodeX, double nodeY, double start);

private:
    // A subtree not yet opened, keyed by a distance no point in it undercuts, or a point keyed
    // by its distance.
    struct Queued {
        double key;
        bool isPoint;
        std::size_t point;
        pointindex::PointIndex::Range range;
    };
    static bool Later(const Queued& a, const Queued& b);
    void Push(const Queued& q);
    void PushSubtree(const pointindex::PointIndex::Range& range, double nodeX, double nodeY, double start);

    const pointindex::PointIndex& index_;
    std::span<const double> x_, y_;
    bool threeSlots_;
    std::vector<Queued> queue_;
};

} // namespace nodecascade
