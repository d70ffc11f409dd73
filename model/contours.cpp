#include "model/contours.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/globali.h"

namespace contours {

namespace {

// (z - zmin) / (zmax - zmin), formed from halved values when the plain differences overflow.
double RelativeHeight(double z) {
    const double span = globali::zmax - globali::zmin;
    if (span != 0.0 && std::isfinite(span)) {
        const double t = (z - globali::zmin) / span;
        if (std::isfinite(t))
            return t;
    }
    const double halfSpan = globali::zmax / 2 - globali::zmin / 2;
    if (halfSpan != 0.0 && std::isfinite(halfSpan)) {
        const double t = (z / 2 - globali::zmin / 2) / halfSpan;
        if (std::isfinite(t))
            return t;
    }
    return 0.0;
}

} // namespace

rt::Color HeightColour(double z) {
    const double t = RelativeHeight(z);
    return rt::HSV(0.33 - t * 0.33, 0.66, 0.33);
}

LevelSeries LevelSeriesFor(double divisor) {
    LevelSeries series;
    series.kmin = rt::conv(globali::zmin / 2.0);
    series.kmax = rt::conv(globali::zmax / 2.0);
    // The difference of two int32 values needs 33 bits at the extremes.
    const std::int64_t range = std::int64_t{series.kmax} - std::int64_t{series.kmin};
    const double quotient = divisor > 0.0 ? static_cast<double>(range) / divisor : 1.0;
    series.step = std::max<std::int32_t>(1, rt::conv(std::max(1.0, quotient)));
    return series;
}

} // namespace contours
