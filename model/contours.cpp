#include "model/contours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/globali.h"

namespace contours {

namespace {

// (z - zmin) / (zmax - zmin), formed from halved values when the plain differences overflow.
double RelativeHeight(double z, double zmin, double zmax) {
    const double span = zmax - zmin;
    if (span != 0.0 && std::isfinite(span)) {
        const double t = (z - zmin) / span;
        if (std::isfinite(t))
            return t;
    }
    const double halfSpan = zmax / 2 - zmin / 2;
    if (halfSpan != 0.0 && std::isfinite(halfSpan)) {
        const double t = (z / 2 - zmin / 2) / halfSpan;
        if (std::isfinite(t))
            return t;
    }
    return 0.0;
}

} // namespace

rt::Color HeightColour(double z, double zmin, double zmax) {
    const double t = RelativeHeight(z, zmin, zmax);
    return rt::HSV(0.33 - t * 0.33, 0.66, 0.33);
}

rt::Color HeightColour(double z) {
    return HeightColour(z, globali::zmin, globali::zmax);
}

LevelSeries LevelSeriesFor(double divisor, double zmin, double zmax) {
    LevelSeries series;
    series.kmin = rt::conv(zmin / 2.0);
    series.kmax = rt::conv(zmax / 2.0);
    // The difference of two int32 values needs 33 bits at the extremes.
    const std::int64_t range = std::int64_t{series.kmax} - std::int64_t{series.kmin};
    const double quotient = divisor > 0.0 ? static_cast<double>(range) / divisor : 1.0;
    series.step = std::max<std::int32_t>(1, rt::conv(std::max(1.0, quotient)));
    return series;
}

} // namespace contours
