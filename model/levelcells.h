#pragma once
// The grid cells that each contour level can cross. A level crosses a cell's edge only strictly
// between the edge's two heights, so a cell gives a level a segment only when the level lies
// strictly between the least and the greatest of its four node heights; those cells are listed
// per level, so that a tracing pass visits only them. A height that is not a number makes a cell a
// candidate for every level.

#include <cstdint>
#include <vector>

#include "model/array2d.h"
#include "model/contours.h"
#include "rt/runtime.h"

namespace contours {

class LevelCells {
public:
    // Cells (i, j), 0 <= i < nx, 0 <= j < ny, of the heights z, which must cover nodes 0..nx by
    // 0..ny; levels k = kmin, kmin + step, ... <= kmax at height 2k.
    LevelCells(const Array2D<double>& z, std::int32_t nx, std::int32_t ny, const LevelSeries& levels);

    // Calls trace(i, j) for each cell (i, j) that level number q (0 for kmin, then one per step)
    // can cross, in the order column i, row j, among the yields that a pass over every cell of the
    // level makes: one after each cell, one after each column and one after the level. Levels are
    // taken in ascending order.
    template <class Trace> void TraceLevel(std::int64_t q, Trace&& trace) {
        Walk walk = Level(q);
        std::uint64_t done = 0;
        std::int64_t flat = 0;
        while (walk.Next(flat)) {
            const std::int64_t i = flat / ny_;
            // The cells before this one and the columns before its own.
            const auto before = static_cast<std::uint64_t>(flat + i);
            rt::RuntimeBackgroundTasks(before - done);
            done = before;
            trace(static_cast<std::int32_t>(i), static_cast<std::int32_t>(flat % ny_));
        }
        rt::RuntimeBackgroundTasks(static_cast<std::uint64_t>(cellCount_ + nx_) + 1 - done);
    }

private:
    // The candidates of one level, in ascending flat index i * ny + j.
    class Walk {
    public:
        bool Next(std::int64_t& flat) {
            if (every_ >= 0) {
                flat = every_;
                return every_++ < cells_;
            }
            if (at_ == end_)
                return false;
            flat = *at_++;
            return true;
        }

    private:
        friend class LevelCells;
        const std::int64_t* at_ = nullptr;
        const std::int64_t* end_ = nullptr;
        // Every cell, counted up to cells_, when no list is kept (-1 otherwise).
        std::int64_t every_ = -1;
        std::int64_t cells_ = 0;
    };
    Walk Level(std::int64_t q);

    void FillChunk(std::int64_t first);
    std::int64_t FirstAtOrAbove(double height) const;
    std::int64_t FirstAbove(double height) const;
    double Height(std::int64_t q) const;

    // A series of more levels than this is not sorted out: every cell is a candidate.
    static constexpr std::int64_t kMostLevels = 1 << 16;

    std::int64_t nx_ = 0;
    std::int64_t ny_ = 0;
    std::int64_t cellCount_ = 0;
    std::int64_t kmin_ = 0;
    std::int64_t step_ = 1;
    std::int64_t levelCount_ = 0;
    // Per cell (flat index i * ny + j): the first level it can cross and one past its last.
    std::vector<std::int32_t> firstLevel_;
    std::vector<std::int32_t> endLevel_;
    // Candidates per level, by a prefix of counts.
    std::vector<std::int64_t> levelTotals_;
    // The levels chunkFirst_ .. chunkEnd_ - 1 whose cells are held in cells_, level by level.
    std::int64_t chunkFirst_ = 0;
    std::int64_t chunkEnd_ = 0;
    std::vector<std::int64_t> chunkOffsets_;
    std::vector<std::int64_t> cells_;
};

} // namespace contours
