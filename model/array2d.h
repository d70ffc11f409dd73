#pragma once
// A two-dimensional shared array with inclusive upper bounds, re-dimensioned keeping the values
// at the indices that survive (new elements are zero). In the sanitizer build (AMBRELIX_SANITIZE)
// every element access checks both indices and aborts with a message when one is out of range.

#include <cstddef>
#include <cstdint>
#ifdef AMBRELIX_SANITIZE
#include <cstdio>
#include <cstdlib>
#endif
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
    T& operator()(std::int32_t i, std::int32_t j) {
        Check(i, j);
        return data_[Offset(i, j, columns_)];
    }
    const T& operator()(std::int32_t i, std::int32_t j) const {
        Check(i, j);
        return data_[Offset(i, j, columns_)];
    }

private:
    void Check([[maybe_unused]] std::int32_t i, [[maybe_unused]] std::int32_t j) const {
#ifdef AMBRELIX_SANITIZE
        if (!InRange(i, j)) {
            std::fprintf(stderr, "Array2D: index (%d, %d) outside the bounds (%d, %d)\n", static_cast<int>(i),
                         static_cast<int>(j), static_cast<int>(UBound0()), static_cast<int>(UBound1()));
            std::abort();
        }
#endif
    }

    static std::size_t Offset(std::int64_t i, std::int64_t j, std::int64_t columns) {
        return static_cast<std::size_t>(i) * static_cast<std::size_t>(columns) + static_cast<std::size_t>(j);
    }
    std::vector<T> data_;
    std::int64_t rows_ = 0;
    std::int64_t columns_ = 0;
};
