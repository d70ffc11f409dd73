#pragma once
// A spatial index for evenly spread points: a uniform grid of cells over the points' box, a few
// points a cell, the points stored cell by cell (rows of cells one after the other), so that a
// run of cells along a row is one run of points.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace pointindex {

class BucketGrid {
public:
    // The grid over the points k < min(x.size(), y.size(), z.size()) with finite coordinates x, y
    // (z is the height each point brings along), or nothing when they crowd into few cells or
    // leave most cells empty (a line, clusters), or when their coordinates are too large or their
    // box too thin for cells of a measurable size.
    static std::optional<BucketGrid> IfEven(std::span<const double> x, std::span<const double> y,
                                            std::span<const double> z);

    std::size_t Size() const { return size_; }
    std::size_t MemoryBytes() const;

    std::int64_t Columns() const { return columns_; }
    std::int64_t Rows() const { return rows_; }
    // The column and row of the cell holding a position; positions outside the grid give the
    // nearest cell on its border.
    std::int64_t ColumnOf(double x) const { return Clamped((x - minX_) * inverseWidth_, columns_); }
    std::int64_t RowOf(double y) const { return Clamped((y - minY_) * inverseHeight_, rows_); }
    // The left edge of column c and the lower edge of row r, c <= Columns(), r <= Rows(). A point
    // lies inside its cell's edges up to Slack().
    double EdgeX(std::int64_t c) const { return minX_ + static_cast<double>(c) * width_; }
    double EdgeY(std::int64_t r) const { return minY_ + static_cast<double>(r) * height_; }
    double Slack() const { return slack_; }

    // A point, with its index in the point set.
    struct Entry {
        double x, y, z;
        std::uint32_t index;
    };
    // The points of the cells first..last (inclusive) of row r, as positions for At().
    std::size_t Begin(std::int64_t r, std::int64_t first) const { return Offset(r * columns_ + first); }
    std::size_t End(std::int64_t r, std::int64_t last) const { return Offset(r * columns_ + last + 1); }
    const Entry& At(std::size_t p) const { return points_[p]; }

private:
    BucketGrid() = default;
    static std::int64_t Clamped(double cell, std::int64_t count);
    std::size_t Offset(std::int64_t cell) const { return offsets_[static_cast<std::size_t>(cell)]; }

    double minX_ = 0, minY_ = 0, width_ = 1, height_ = 1, inverseWidth_ = 1, inverseHeight_ = 1, slack_ = 0;
    std::int64_t columns_ = 1, rows_ = 1;
    std::vector<std::uint32_t> offsets_;
    // Left uninitialised until the points are sorted in: a survey of millions would otherwise be
    // written twice.
    std::unique_ptr<Entry[]> points_;
    std::size_t size_ = 0;
};

} // namespace pointindex
