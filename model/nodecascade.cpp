#include "model/nodecascade.h"

#include <algorithm>
#include <cstdint>

namespace nodecascade {

namespace {

// The index is asked for no smaller radius, so that the squares of the distances it compares
// keep their precision.
constexpr double kSmallestRadius = 1e-100;
// Points are certainly met in order up to this share of the radius the index was asked for.
constexpr double kSureShare = 1.0 - 1e-9;
// A node that needs more of the points than this share of them, and more than kPlainMinimum,
// takes the plain pass, whose cost does not grow with the share.
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

Slots NearestCascade::Find(double nodeX, double nodeY, double start) {
    if (!(start > 0.0) || index_.Size() == 0)
        return {};
    double radius;
    if (haveGuess_) {
        radius = guessRadius_ + Distance(nodeX - guessX_, nodeY - guessY_);
    } else {
        const std::size_t near = index_.PointNear(nodeX, nodeY);
        radius = Distance(nodeX - x_[near], nodeY - y_[near]);
    }
    haveGuess_ = false;
    radius = std::max(radius, kSmallestRadius);

    for (;;) {
        // A point left out lies farther than the radius, and its distance, however rounded,
        // exceeds `sure`.
        const double sure = radius * kSureShare;
        std::size_t visited = 0;
        met_.clear();
        index_.VisitNear(nodeX, nodeY, radius, [&](std::size_t k, double px, double py) {
            ++visited;
            const double t = Distance(nodeX - px, nodeY - py);
            if (t < start)
                met_.push_back({t, k});
        });
        const bool all = !(sure < start) || visited == index_.Size();
        const auto end = all ? met_.end() : std::partition(met_.begin(), met_.end(), [sure](const Met& m) {
            return m.distance <= sure;
        });
        const auto count = static_cast<std::size_t>(end - met_.begin());
        if (count > kPlainMinimum && count > index_.Size() / kPlainShareDivisor)
            return PlainCascade(x_, y_, nodeX, nodeY, start, threeSlots_);
        std::sort(met_.begin(), end, [](const Met& a, const Met& b) {
            return a.distance < b.distance || (a.distance == b.distance && a.point < b.point);
        });

        Slots slots;
        std::size_t lowest = kNone, lowestOther = kNone;
        bool second = false;
        for (auto m = met_.begin(); m != end; ++m) {
            if (lowest == kNone)
                slots.first = m->point;
            if (m->point < lowest) {
                lowest = m->point;
                continue;
            }
            if (!second) {
                slots.second = m->point;
                second = true;
            }
            if (threeSlots_ && m->point < lowestOther) {
                lowestOther = m->point;
                continue;
            }
            if (threeSlots_)
                slots.third = m->point;
            haveGuess_ = true;
            guessX_ = nodeX;
            guessY_ = nodeY;
            guessRadius_ = m->distance;
            return slots;
        }
        if (all)
            return slots;
        radius *= count < 4 ? 4.0 : 2.0;
    }
}

} // namespace nodecascade
