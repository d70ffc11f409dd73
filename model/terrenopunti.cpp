// The height grid: every node's height by inverse-distance weighting of two or three survey
// points, chosen for the node in one pass over the point set.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/globali.h"
#include "model/terrainpanel.h"
#include "model/terrenopunti.h"
#include "rt/conv.h"
#include "rt/runtime.h"

namespace {

// A squared distance of zero weighs as this one, so a point on a node has a large, finite weight.
constexpr double kNearestSquare = 0.001;

// Node coordinate min + (span / intervals) * index. When that overflows (a span beyond the range
// of doubles) the node is placed by the convex combination of the two ends, which cannot.
double NodeCoordinate(double low, double high, double span, std::int64_t intervals, std::int64_t index) {
    const double divisor = static_cast<double>(std::max<std::int64_t>(intervals, 1));
    const double coordinate = low + (span / divisor) * static_cast<double>(index);
    if (std::isfinite(coordinate))
        return coordinate;
    const double share = static_cast<double>(index) / divisor;
    const double blended = low * (1.0 - share) + high * share;
    return std::isfinite(blended) ? blended : 0.0;
}

// Distance from a node to a point: the square root of the sum of squares, or, when the squares
// overflow, the distance taken without them.
double Distance(double square, double ex, double ey) {
    if (square <= std::numeric_limits<double>::max())
        return std::sqrt(square);
    return std::hypot(ex, ey);
}

// No point is skipped while the last slot is free, or when its distance was taken without squares.
constexpr double kNoSkip = std::numeric_limits<double>::quiet_NaN();
double SkipThreshold(double square) {
    return square <= std::numeric_limits<double>::max() ? square : kNoSkip;
}

// The weighted mean of the slots' heights when the plain sums leave the range of doubles (weights
// or height products that overflow, or weights that all vanish): the weights are taken relative
// to the largest, in logarithms, and each height is scaled by its share before it is added.
double GuardedMean(const std::array<double, 3>& heights, const std::array<double, 3>& ex,
                   const std::array<double, 3>& ey, int used, double power) {
    std::array<double, 3> logWeight{};
    double largest = -std::numeric_limits<double>::infinity();
    for (int s = 0; s < used; ++s) {
        double logSquare;
        const double square = ex[s] * ex[s] + ey[s] * ey[s];
        if (square == 0.0)
            logSquare = std::log(kNearestSquare);
        else if (square <= std::numeric_limits<double>::max())
            logSquare = std::log(square);
        else
            logSquare = 2.0 * std::log(std::hypot(ex[s], ey[s]));
        logWeight[s] = -0.5 * power * logSquare;
        largest = std::max(largest, logWeight[s]);
    }
    std::array<double, 3> weight{};
    double total = 0.0;
    for (int s = 0; s < used; ++s) {
        weight[s] = std::isfinite(largest) ? std::exp(logWeight[s] - largest) : 1.0;
        if (!std::isfinite(weight[s]))
            weight[s] = 0.0;
        total += weight[s];
    }
    if (!(total > 0.0)) {
        total = used;
        weight.fill(1.0);
    }
    double mean = 0.0;
    for (int s = 0; s < used; ++s)
        mean += heights[s] * (weight[s] / total);
    if (std::isfinite(mean))
        return mean;
    for (int s = 0; s < used; ++s)
        if (std::isfinite(heights[s]))
            return heights[s];
    return 0.0;
}

} // namespace

namespace globali {

void terrenopunti(std::int32_t mode) {
    const bool threePoints = mode != 2;
    const int used = threePoints ? 3 : 2;

    TerrainPanel& panel = TerrainPanel::Current();
    const double power = static_cast<double>(panel.PowerSetting()) / 10;
    panel.SetProgressMaximum(100);
    mx.Redim(mxtot, mytot);
    my.Redim(mxtot, mytot);
    mz.Redim(mxtot, mytot);

    const std::size_t stored = std::min({px.size(), py.size(), pz.size()});
    const std::int64_t lastPoint = std::min<std::int64_t>(ptot, static_cast<std::int64_t>(stored) - 1);
    const double start = dx + dy;
    const double progressDivisor = static_cast<double>(std::max<std::int32_t>(mxtot, 1));

    for (std::int64_t i = 0; i <= mxtot; ++i) {
        panel.ShowProgress(rt::conv(static_cast<double>(i * 100) / progressDivisor));
        const double x = NodeCoordinate(xmin, xmax, dx, mxtot, i);
        for (std::int64_t j = 0; j <= mytot; ++j) {
            const auto ci = static_cast<std::int32_t>(i);
            const auto cj = static_cast<std::int32_t>(j);
            double b1 = start, b2 = start, b3 = start;
            std::size_t k1 = 0, k2 = 0, k3 = 0;
            const double y = NodeCoordinate(ymin, ymax, dy, mytot, j);
            mx(ci, cj) = x;
            my(ci, cj) = y;
            mz(ci, cj) = 0;

            // One pass: a point takes the first slot it beats, whose occupant is dropped. The last
            // slot holds the largest distance of the three, so a point whose square is at least
            // that slot's square (the root does not decrease) beats none and skips its root.
            double skipFrom = kNoSkip;
            for (std::int64_t k = 0; k <= lastPoint; ++k) {
                const auto p = static_cast<std::size_t>(k);
                const double ex = x - px[p];
                const double ey = y - py[p];
                const double square = ex * ex + ey * ey;
                if (square >= skipFrom) {
                    rt::RuntimeBackgroundTask();
                    continue;
                }
                double t = Distance(square, ex, ey);
                if (t < b1) {
                    k1 = p;
                    b1 = t;
                    t = start;
                }
                if (t < b2) {
                    k2 = p;
                    b2 = t;
                    t = start;
                    if (!threePoints)
                        skipFrom = SkipThreshold(square);
                }
                if (threePoints && t < b3) {
                    k3 = p;
                    b3 = t;
                    skipFrom = SkipThreshold(square);
                }
                rt::RuntimeBackgroundTask();
            }

            if (stored == 0) {
                rt::RuntimeBackgroundTask();
                continue;
            }
            const std::array<std::size_t, 3> chosen{k1, k2, k3};
            std::array<double, 3> heights{}, ex{}, ey{}, weight{};
            for (int s = 0; s < used; ++s) {
                const std::size_t k = chosen[static_cast<std::size_t>(s)];
                ex[s] = x - px[k];
                ey[s] = y - py[k];
                heights[s] = pz[k];
                double q = ex[s] * ex[s] + ey[s] * ey[s];
                if (q == 0)
                    q = kNearestSquare;
                weight[s] = std::pow(1 / std::sqrt(q), power);
            }
            double height;
            if (threePoints)
                height = (heights[0] * weight[0] + heights[1] * weight[1] + heights[2] * weight[2]) /
                         (weight[0] + weight[1] + weight[2]);
            else
                height = (heights[0] * weight[0] + heights[1] * weight[1]) / (weight[0] + weight[1]);
            if (!std::isfinite(height))
                height = GuardedMean(heights, ex, ey, used, power);
            mz(ci, cj) = height;
            rt::RuntimeBackgroundTask();
        }
        rt::RuntimeBackgroundTask();
    }
}

} // namespace globali
