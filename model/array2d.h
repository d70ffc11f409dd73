#pragma once
// A two-dimensional shared array with inclusive upper bounds, re-dimensioned keeping the values
// at the indices that survive (new elements are zero).

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

template <class T> class Array2D {
public:
    Array2D() = default;
    Array2D(std::int32_t upper0, std::int32_t upper1) { Redim(upper0, upper1); }

    // Upper bounds below 0 give an empty array (UBound -1).
    void Redim(std::int32_t upper0, std::int32_t upper1) {
        // Counts are 64-bit so that an upper bound of INT32_MAX does not overflow.
        const std::int64_t rows = upper0 < 0 ? 0 : std::int64_t{upper0} + 1;
        const std::int64_t columns = upper1 < 0 ? 0 : std::int64_t{upper1} + 1;
        std::vector<T> resized(static_cast<std::size_t>(rows) * static_cast<std::size_t>(columns), T{});
        for (std::int64_t i = 0; i < rows && i < rows_; ++i)
            for (std::int64_t j = 0; j < columns && j < columns_; ++j)
                resized[Offset(i, j, columns)] = data_[Offset(i, j, columns_)];
        data_ = std::move(resized);
        rows_ = rows;
        columns_ = columns;
    }

    std::int32_t UBound0() const { return static_cast<std::int32_t>(rows_ - 1); }
    std::int32_t UBound1() const { return static_cast<std::int32_t>(columns_ - 1); }
    bool InRange(std::int32_t i, std::int32_t j) const {
        return i >= 0 && j >= 0 && i < rows_ && j < columns_;
    }

    // The caller keeps the indices within the bounds (InRange tells whether they are).
    T& operator()(std::int32_t i, std::int32_t j) { return data_[Offset(i, j, columns_)]; }
    const T& operator()(std::int32_t i, std::int32_t j) const { return data_[Offset(i, j, columns_)]; }

private:
    static std::size_t Offset(std::int64_t i, std::int64_t j, std::int64_t columns) {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(j);
    }
    std::vector<T> data_;
    std::int64_t rows_ = 0;
    std::int64_t columns_ = 0;
};
