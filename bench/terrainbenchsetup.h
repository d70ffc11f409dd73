#pragma once
// A rolling survey for the terrain benchmarks: bounds 0..3000 by 0..2000, heights 0..100, and
// an n by n grid of smooth hills over it, made the shared bounds and grid.

#include <cmath>
#include <cstdint>
#include <utility>

#include "model/array2d.h"
#include "model/globali.h"
#include "model/terraindata.h"

namespace terrainbench {

inline void RollingGrid(std::int32_t n) {
    globali::bounds = {0, 0, 0, 3000, 2000, 100, 3000, 2000, 100, 2000.0 / 3000.0};
    terrain::HeightGrid grid{n, n, Array2D<double>(n, n), Array2D<double>(n, n), Array2D<double>(n, n)};
    for (std::int32_t i = 0; i <= n; ++i)
        for (std::int32_t j = 0; j <= n; ++j) {
            const double x = 3000.0 * i / n;
            const double y = 2000.0 * j / n;
            grid.x(i, j) = x;
            grid.y(i, j) = y;
            grid.z(i, j) = 50.0 + 25.0 * std::sin(x / 400.0) + 25.0 * std::cos(y / 300.0);
        }
    globali::grid = std::move(grid);
}

} // namespace terrainbench
