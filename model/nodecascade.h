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
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "model/pointindex.h"

namespace nodecascade {

// A slot's point, its coordinates and its height, read from wherever the search found it (the
// same values as the point set's).
struct Slot {
    std::size_t point = 0;
    double x = 0, y = 0, z = 0;
};

struct Slots {
    Slot first, second, third;
};

// The distance of a point offset by (ex, ey) from a node: the square root of the sum of squares,
// or, when the squares overflow, the distance taken without them.
inline double Distance(double ex, double ey) {
    const double square = ex * ex + ey * ey;
    if (square <= std::numeric_limits<double>::max())
        return std::sqrt(square);
    return std::hypot(ex, ey);
}

// The pass itself over points 0..n-1, n = min(x.size(), y.size(), z.size()), in index order.
// Slot 3 is filled only when threeSlots. A slot no point reaches holds point 0 (at the origin when
// n = 0).
Slots PlainCascade(std::span<const double> x, std::span<const double> y, std::span<const double> z,
                   double nodeX, double nodeY, double start, bool threeSlots);

// The same slots from the nearest points, met from the spatial index nearest first (equal
// distances in index order) until the slots are settled. One search per thread: it keeps its
// working lists.
class NearestCascade {
public:
    // x, y and z are the points that the index was built from; they outlive the search.
    NearestCascade(const pointindex::PointIndex& index, std::span<const double> x, std::span<const double> y,
                   std::span<const double> z, bool threeSlots);

    Slots Find(double nodeX, double nodeY, double start);

    // A point met, with its distance from the node and its position in the index.
    struct Met {
        double distance;
        std::uint32_t point, at;
    };

private:
    Slots FindInGrid(const pointindex::BucketGrid& grid, double nodeX, double nodeY, double start);
    Slots FindInTree(double nodeX, double nodeY, double start);
    // The `wanted` points nearest the node below `start`, nearest first, into nearest_.
    void Nearest(double nodeX, double nodeY, double start, std::size_t wanted);
    // Whether a node that has looked at `looked` points does better with the plain pass.
    bool PlainIsCheaper(std::size_t looked) const;

    const pointindex::PointIndex& index_;
    std::span<const double> x_, y_, z_;
    bool threeSlots_;
    // Slots that no point reached: point 0.
    Slots unfilled_;
    std::vector<Met> nearest_;
    struct Pending {
        pointindex::PointIndex::Range range;
        double bound;
    };
    std::vector<Pending> stack_;
};

} // namespace nodecascade
