#include "model/bucketgrid.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "model/parallelcolumns.h"

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
// Point sets this large are sorted into the cells on every core, in as many chunks.
constexpr std::size_t kThreadMinimum = 1 << 16;

std::size_t Chunks(std::size_t count) {
    return count < kThreadMinimum ? 1 : parallelcolumns::WorkerCount();
}

// Calls work(chunk, begin, end) for Chunks(count) runs of 0..count-1 that follow one another, each
// on a helper thread of its own when there is more than one.
template <typename Work> void ForEachChunk(std::size_t count, const Work& work) {
    const std::size_t chunks = Chunks(count);
    if (chunks == 1) {
        work(0, 0, count);
        return;
    }
    parallelcolumns::OnEveryWorker(
        [&](std::size_t c) { work(c, count * c / chunks, count * (c + 1) / chunks); });
}

} // namespace

std::int64_t BucketGrid::Clamped(double cell, std::int64_t count) {
    if (!(cell >= 0))
        return 0;
    const double last = static_cast<double>(count - 1);
    return cell >= last ? count - 1 : static_cast<std::int64_t>(cell);
}

std::size_t BucketGrid::MemoryBytes() const {
    return offsets_.capacity() * sizeof(std::uint32_t) + size_ * sizeof(Entry);
}

std::optional<BucketGrid> BucketGrid::IfEven(std::span<const double> x, std::span<const double> y,
                                             std::span<const double> z) {
    const std::size_t count = std::min({x.size(), y.size(), z.size()});
    if (count == 0 || count >= std::numeric_limits<std::uint32_t>::max())
        return std::nullopt;
    const auto finiteAt = [&](std::size_t k) { return std::isfinite(x[k]) && std::isfinite(y[k]); };

    struct Extent {
        double minX = std::numeric_limits<double>::infinity(), maxX = -minX, minY = minX, maxY = -minX;
        std::size_t finite = 0;
        bool tooLarge = false;
    };
    std::vector<Extent> extents(Chunks(count));
    ForEachChunk(count, [&](std::size_t chunk, std::size_t begin, std::size_t end) {
        Extent e;
        for (std::size_t k = begin; k < end; ++k)
            if (finiteAt(k)) {
                e.tooLarge |= std::abs(x[k]) > kLargestCoordinate || std::abs(y[k]) > kLargestCoordinate;
                e.minX = std::min(e.minX, x[k]);
                e.maxX = std::max(e.maxX, x[k]);
                e.minY = std::min(e.minY, y[k]);
                e.maxY = std::max(e.maxY, y[k]);
                ++e.finite;
            }
        extents[chunk] = e;
    });
    Extent all;
    for (const Extent& e : extents) {
        if (e.tooLarge)
            return std::nullopt;
        all.minX = std::min(all.minX, e.minX);
        all.maxX = std::max(all.maxX, e.maxX);
        all.minY = std::min(all.minY, e.minY);
        all.maxY = std::max(all.maxY, e.maxY);
        all.finite += e.finite;
    }
    const double minX = all.minX, maxX = all.maxX, minY = all.minY, maxY = all.maxY;
    const std::size_t finite = all.finite;
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

    // Counting sort of the points by cell, the counts and the places taken with atomic steps, so
    // that the order of the points within a cell depends on the threads. The search puts the points
    // it meets in order by distance and index, so the order within a cell does not show.
    const auto cells = static_cast<std::size_t>(grid.columns_ * grid.rows_);
    const auto cellOf = std::make_unique_for_overwrite<std::uint32_t[]>(count);
    grid.offsets_.assign(cells + 1, 0);
    ForEachChunk(count, [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k)
            if (finiteAt(k)) {
                const std::int64_t cell = grid.RowOf(y[k]) * grid.columns_ + grid.ColumnOf(x[k]);
                cellOf[k] = static_cast<std::uint32_t>(cell);
                std::atomic_ref(grid.offsets_[static_cast<std::size_t>(cell) + 1])
                    .fetch_add(1, std::memory_order_relaxed);
            }
    });
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

    grid.points_ = std::make_unique_for_overwrite<Entry[]>(finite);
    grid.size_ = finite;
    std::vector<std::uint32_t> next(grid.offsets_.begin(), grid.offsets_.end() - 1);
    ForEachChunk(count, [&](std::size_t, std::size_t begin, std::size_t end) {
        for (std::size_t k = begin; k < end; ++k)
            if (finiteAt(k)) {
                const std::uint32_t p =
                    std::atomic_ref(next[cellOf[k]]).fetch_add(1, std::memory_order_relaxed);
                grid.points_[p] = {x[k], y[k], z[k], static_cast<std::uint32_t>(k)};
            }
    });
    return grid;
}

} // namespace pointindex
