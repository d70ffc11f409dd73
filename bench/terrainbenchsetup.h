#pragma once
// A rolling survey for the terrain benchmarks: bounds 0..3000 by 0..2000, heights 0..100, and
// an n by n grid of smooth hills over it.

#include <cmath>
#include <cstdint>

#include "model/globali.h"

namespace terrainbench {

inline void RollingGrid(std::int32_t n) {
    globali::xmin = 0;
    globali::xmax = 3000;
    globali::ymin = 0;
    globali::ymax = 2000;
    globali::zmin = 0;
    globali::zmax = 100;
    globali::dx = 3000;
    globali::dy = 2000;
    globali::dz = 100;
    globali::rapp = globali::dy / globali::dx;
    globali::mxtot = n;
    globali::mytot = n;
    globali::mx.Redim(n, n);
    globali::my.Redim(n, n);
    globali::mz.Redim(n, n);
    for (std::int32_t i = 0; i <= n; ++i)
        for (std::int32_t j = 0; j <= n; ++j) {
            const double x = 3000.0 * i / n;
            const double y = 2000.0 * j / n;
            globali::mx(i, j) = x;
            globali::my(i, j) = y;
            globali::mz(i, j) = 50.0 + 25.0 * std::sin(x / 400.0) + 25.0 * std::cos(y / 300.0);
        }
}

} // namespace terrainbench
