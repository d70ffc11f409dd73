// The height grid: every node's height by inverse-distance weighting of two or three survey
// points, chosen for the node in one pass over the point set.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "model/array2d.h"
#include "model/globali.h"
#include "model/nodecascade.h"
#include "model/parallelcolumns.h"
#include "model/pointindex.h"
#include "model/terraindata.h"
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

// The height of the node at (x, y) from its slots' points, weighted by inverse distance to the
// power; sums left to right.
double NodeHeight(double x, double y, const nodecascade::Slots& slots, int used, double power) {
    const std::array<const nodecascade::Slot*, 3> chosen{&slots.first, &slots.second, &slots.third};
    std::array<double, 3> heights{}, ex{}, ey{}, weight{};
    for (int s = 0; s < used; ++s) {
        const nodecascade::Slot& slot = *chosen[static_cast<std::size_t>(s)];
        ex[s] = x - slot.x;
        ey[s] = y - slot.y;
        heights[s] = slot.z;
        double q = ex[s] * ex[s] + ey[s] * ey[s];
        if (q == 0)
            q = kNearestSquare;
        // pow(w, 1) is w exactly.
        weight[s] = power == 1.0 ? 1 / std::sqrt(q) : std::pow(1 / std::sqrt(q), power);
    }
    double height;
    if (used == 3)
        height = (heights[0] * weight[0] + heights[1] * weight[1] + heights[2] * weight[2]) /
                 (weight[0] + weight[1] + weight[2]);
    else
        height = (heights[0] * weight[0] + heights[1] * weight[1]) / (weight[0] + weight[1]);
    if (!std::isfinite(height))
        height = GuardedMean(heights, ex, ey, used, power);
    return height;
}

} // namespace

namespace terrain {

void InterpolateGrid(const Survey& survey, const Bounds& bounds, double power, bool threePoints,
                     HeightGrid& grid, Progress& progress) {
    const int used = threePoints ? 3 : 2;
    progress.SetProgressMaximum(100);
    const std::int32_t nx = grid.nx;
    const std::int32_t ny = grid.ny;
    // Every node is written below, so arrays of the right size are kept as they are.
    for (Array2D<double>* nodes : {&grid.x, &grid.y, &grid.z})
        if (nodes->UBound0() != nx || nodes->UBound1() != ny)
            nodes->Redim(nx, ny);

    const std::size_t stored = std::min({survey.x.size(), survey.y.size(), survey.z.size()});
    const std::int64_t lastPoint = std::min<std::int64_t>(survey.last, static_cast<std::int64_t>(stored) - 1);
    const double start = bounds.dx + bounds.dy;
    const double progressDivisor = static_cast<double>(std::max<std::int32_t>(nx, 1));

    // Every node's slots come from its nearest points, found through the index, on all cores;
    // this thread reports the columns in order as they complete and keeps the windows drawn.
    const auto count = static_cast<std::size_t>(std::max<std::int64_t>(lastPoint + 1, 0));
    const std::span<const double> xs(survey.x.data(), count);
    const std::span<const double> ys(survey.y.data(), count);
    const std::span<const double> zs(survey.z.data(), count);
    const pointindex::PointIndex index(xs, ys, zs);
    // Points left out of the search (none counted) leave every slot on point 0.
    nodecascade::Slots none;
    if (stored > 0)
        none.first = none.second = none.third = {0, survey.x[0], survey.y[0], survey.z[0]};
    std::vector<nodecascade::NearestCascade> searches;
    for (std::size_t w = 0; w < parallelcolumns::WorkerCount(); ++w)
        searches.emplace_back(index, xs, ys, zs, threePoints);

    // The helpers read only the bounds and the points (through the searches); each writes the
    // nodes of its own columns.
    const Bounds& b = bounds;
    Array2D<double>& mx = grid.x;
    Array2D<double>& my = grid.y;
    Array2D<double>& mz = grid.z;
    const auto column = [&b, &mx, &my, &mz, &searches, &none, nx, ny, stored, count, start, used,
                         power](std::int64_t i, std::size_t worker) {
        nodecascade::NearestCascade& search = searches[worker];
        const double x = NodeCoordinate(b.xmin, b.xmax, b.dx, nx, i);
        for (std::int64_t j = 0; j <= ny; ++j) {
            const auto ci = static_cast<std::int32_t>(i);
            const auto cj = static_cast<std::int32_t>(j);
            const double y = NodeCoordinate(b.ymin, b.ymax, b.dy, ny, j);
            mx(ci, cj) = x;
            my(ci, cj) = y;
            mz(ci, cj) = stored == 0
                             ? 0.0
                             : NodeHeight(x, y, count == 0 ? none : search.Find(x, y, start), used, power);
        }
    };
    const auto columnDone = [&progress, progressDivisor](std::int64_t i) {
        progress.ShowProgress(rt::conv(static_cast<double>(i * 100) / progressDivisor));
    };
    parallelcolumns::Run(std::int64_t{nx} + 1, column, columnDone, [] { rt::RuntimeBackgroundWait(); });
}

} // namespace terrain

namespace globali {

void terrenopunti(std::int32_t mode) {
    TerrainPanel& panel = TerrainPanel::Current();
    const double power = static_cast<double>(panel.PowerSetting()) / 10;
    terrain::InterpolateGrid(survey, bounds, power, mode != 2, grid, panel);
}

} // namespace globali
