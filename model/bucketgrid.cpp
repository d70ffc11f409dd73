#include "model/bucketgrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pointindex {

namespace {

// Points a cell on average.
constexpr double kPointsPerCell = 2.0;
// The grid is kept when a point shares its cell with at most this many points on average...
constexpr double kMostCrowding = 8.0;
// ...and at least this share of the cells holds a point.
constexpr double kLeastFilledShare = 0.5;
// Coordinates and cell sizes within these limits keep every distance's square finite and exact
// enough for the edges' slack.
constexpr double kLargestCoordinate = 1e150;
constexpr double kSmallestCell = 1e-140;
constexpr std::int64_t kMostCellsASide = 1 << 20;

} // namespace

std::int64_t BucketGrid::Clamped(double cell, std::int64_t count) {
    if (!(cell >= 0))
        return 0;
    const double last = static_cast<double>(count - 1);
    return cell >= last ? count - 1 : static_cast<std::int64_t>(cell);
}

std::size_t BucketGrid::MemoryBytes() const {
    return offsets_.capacity() * sizeof(std::uint32_t) + (x_.capacity() + y_.capacity()) * sizeof(double) +
           index_.capacity() * sizeof(std::uint32_t);
}

std::optional<BucketGrid> BucketGrid::IfEven(std::span<const double> x, std::span<const double> y) {
    const std::size_t count = std::min(x.size(), y.size());
    if (count == 0 || count >= std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
    std::size_t finite = 0;
    for (std::size_t k = 0; k < count; ++k)
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            if (std::abs(x[k]) > kLargestCoordinate || std::abs(y[k]) > kLargestCoordinate)
                return std::nullopt;
            minX = std::min(minX, x[k]);
            maxX = std::max(maxX, x[k]);
            minY = std::min(minY, y[k]);
            maxY = std::max(maxY, y[k]);
            ++finite;
        }
    const double spanX = maxX - minX, spanY = maxY - minY;
    if (finite == 0 || !(spanX > 0) || !(spanY > 0))
        return std::nullopt;

    // Square cells, about kPointsPerCell points each on an even spread.
    const double side = std::sqrt(spanX * spanY * kPointsPerCell / static_cast<double>(finite));
    if (!(side > kSmallestCell))
        return std::nullopt;
    const double columns = std::ceil(spanX / side), rows = std::ceil(spanY / side);
    if (!(columns <= kMostCellsASide && rows <= kMostCellsASide) ||
        columns * rows > 4.0 * static_cast<double>(finite) + 16)
        return std::nullopt;

    BucketGrid grid;
    grid.minX_ = minX;
    grid.minY_ = minY;
    grid.columns_ = static_cast<std::int64_t>(columns);
    grid.rows_ = static_cast<std::int64_t>(rows);
    grid.width_ = spanX / columns;
    grid.height_ = spanY / rows;
    grid.inverseWidth_ = 1 / grid.width_;
    grid.inverseHeight_ = 1 / grid.height_;
    grid.slack_ = 1e-9 * (std::abs(minX) + std::abs(maxX) + std::abs(minY) + std::abs(maxY));

    // Counting sort of the points by cell.
    const auto cells = static_cast<std::size_t>(grid.columns_ * grid.rows_);
    std::vector<std::uint32_t> cellOf(count, 0);
    grid.offsets_.assign(cells + 1, 0);
    for (std::size_t k = 0; k < count; ++k)
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            const std::int64_t cell = grid.RowOf(y[k]) * grid.columns_ + grid.ColumnOf(x[k]);
            cellOf[k] = static_cast<std::uint32_t>(cell);
            ++grid.offsets_[static_cast<std::size_t>(cell) + 1];
        }
    double crowding = 0;
    std::size_t filled = 0;
    for (std::size_t c = 1; c <= cells; ++c) {
        const auto n = static_cast<double>(grid.offsets_[c]);
        crowding += n * n;
        filled += grid.offsets_[c] > 0 ? 1 : 0;
        grid.offsets_[c] += grid.offsets_[c - 1];
    }
    if (crowding / static_cast<double>(finite) > kMostCrowding ||
        static_cast<double>(filled) < kLeastFilledShare * static_cast<double>(cells))
        return std::nullopt;

    grid.x_.resize(finite);
    grid.y_.resize(finite);
    grid.index_.resize(finite);
    std::vector<std::uint32_t> next(grid.offsets_.begin(), grid.offsets_.end() - 1);
    for (std::size_t k = 0; k < count; ++k)
        if (std::isfinite(x[k]) && std::isfinite(y[k])) {
            const std::uint32_t p = next[cellOf[k]]++;
            grid.x_[p] = x[k];
            grid.y_[p] = y[k];
            grid.index_[p] = static_cast<std::uint32_t>(k);
        }
    return grid;
}

} // namespace pointindex
