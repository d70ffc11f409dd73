#include "model/levelcells.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

namespace contours {

namespace {

// Candidates held at once; a level with more is held alone.
constexpr std::int64_t kChunkBudget = std::int64_t{1} << 22;

} // namespace

LevelCells::LevelCells(const Array2D<double>& z, std::int32_t nx, std::int32_t ny, const LevelSeries& levels)
    : nx_(std::max<std::int32_t>(nx, 0)), ny_(std::max<std::int32_t>(ny, 0)), cellCount_(nx_ * ny_),
      kmin_(levels.kmin), step_(std::max<std::int64_t>(levels.step, 1)) {
    const std::int64_t range = std::int64_t{levels.kmax} - levels.kmin;
    levelCount_ = range < 0 ? 0 : range / step_ + 1;
    if (levelCount_ == 0 || levelCount_ > kMostLevels || nx < 1 || ny < 1)
        return;

    const auto cells = static_cast<std::size_t>(std::int64_t{nx} * ny);
    firstLevel_.resize(cells);
    endLevel_.resize(cells);
    std::vector<std::int64_t> starts(static_cast<std::size_t>(levelCount_) + 1, 0);
    std::size_t c = 0;
    for (std::int32_t i = 0; i < nx; ++i) {
        for (std::int32_t j = 0; j < ny; ++j, ++c) {
            const double corners[4] = {z(i, j), z(i + 1, j), z(i, j + 1), z(i + 1, j + 1)};
            double low = corners[0];
            double high = corners[0];
            bool numbers = true;
            for (const double h : corners) {
                numbers = numbers && !std::isnan(h);
                low = std::min(low, h);
                high = std::max(high, h);
            }
            // A level crosses an edge only strictly between its two heights.
            const std::int64_t first = numbers ? FirstAbove(low) : 0;
            const std::int64_t end = numbers ? std::max(first, FirstAtOrAbove(high)) : levelCount_;
            firstLevel_[c] = static_cast<std::int32_t>(first);
            endLevel_[c] = static_cast<std::int32_t>(end);
            ++starts[static_cast<std::size_t>(first)];
            --starts[static_cast<std::size_t>(end)];
        }
    }
    // Per level, the number of cells whose range covers it.
    levelTotals_.resize(static_cast<std::size_t>(levelCount_));
    std::int64_t open = 0;
    for (std::size_t q = 0; q < levelTotals_.size(); ++q) {
        open += starts[q];
        levelTotals_[q] = open;
    }
}

double LevelCells::Height(std::int64_t q) const {
    return LevelHeight(kmin_ + q * step_);
}

std::int64_t LevelCells::FirstAtOrAbove(double height) const {
    const double guess = (height / 2.0 - static_cast<double>(kmin_)) / static_cast<double>(step_);
    std::int64_t q = 0;
    if (guess >= static_cast<double>(levelCount_))
        q = levelCount_;
    else if (guess > 0.0)
        q = static_cast<std::int64_t>(std::ceil(guess));
    while (q > 0 && Height(q - 1) >= height)
        --q;
    while (q < levelCount_ && Height(q) < height)
        ++q;
    return q;
}

std::int64_t LevelCells::FirstAbove(double height) const {
    std::int64_t q = FirstAtOrAbove(height);
    while (q < levelCount_ && Height(q) <= height)
        ++q;
    return q;
}

void LevelCells::FillChunk(std::int64_t first) {
    std::int64_t end = first;
    std::int64_t total = 0;
    while (end < levelCount_ &&
           (end == first || total + levelTotals_[static_cast<std::size_t>(end)] <= kChunkBudget))
        total += levelTotals_[static_cast<std::size_t>(end++)];
    chunkFirst_ = first;
    chunkEnd_ = end;
    chunkOffsets_.assign(static_cast<std::size_t>(end - first) + 1, 0);
    for (std::int64_t q = first; q < end; ++q)
        chunkOffsets_[static_cast<std::size_t>(q - first) + 1] =
            chunkOffsets_[static_cast<std::size_t>(q - first)] + levelTotals_[static_cast<std::size_t>(q)];
    cells_.resize(static_cast<std::size_t>(total));
    std::vector<std::int64_t> fill(chunkOffsets_.begin(), chunkOffsets_.end() - 1);
    for (std::size_t c = 0; c < firstLevel_.size(); ++c) {
        const std::int64_t from = std::max<std::int64_t>(firstLevel_[c], first);
        const std::int64_t to = std::min<std::int64_t>(endLevel_[c], end);
        for (std::int64_t q = from; q < to; ++q)
            cells_[static_cast<std::size_t>(fill[static_cast<std::size_t>(q - first)]++)] =
                static_cast<std::int64_t>(c);
    }
}

LevelCells::Walk LevelCells::Level(std::int64_t q) {
    Walk walk;
    if (levelCount_ > kMostLevels) {
        walk.every_ = 0;
        walk.cells_ = cellCount_;
        return walk;
    }
    if (q < 0 || q >= levelCount_ || firstLevel_.empty())
        return walk;
    if (q < chunkFirst_ || q >= chunkEnd_)
        FillChunk(q);
    const auto at = static_cast<std::size_t>(q - chunkFirst_);
    walk.at_ = cells_.data() + chunkOffsets_[at];
    walk.end_ = cells_.data() + chunkOffsets_[at + 1];
    return walk;
}

} // namespace contours
