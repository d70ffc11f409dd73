#include "model/meshtransform.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "model/contours.h"
#include "model/globali.h"

namespace meshbuild {

double MeshTransform::Coordinate(double value, double low, double half) const {
    const double c = ((value - low) - half) * scale;
    if (std::isfinite(c))
        return c;
    // The same value from halved terms, for differences beyond the range of doubles.
    const double halved = ((value / 2 - low / 2) - half / 2) * scale;
    if (std::isfinite(halved) && std::fabs(halved) <= 0x1p1022)
        return halved * 2;
    return 0.0;
}

namespace {

// 1000 / span, or infinity when the span sets no limit (zero, negative, not a number, or so
// small that the quotient overflows).
double ScaleLimit(double low, double high) {
    const double span = high - low;
    double limit = std::numeric_limits<double>::infinity();
    if (std::isfinite(span)) {
        if (span > 0.0)
            limit = 1000.0 / span;
    } else {
        const double half = contours::HalfSpan(low, high);
        if (half > 0.0)
            limit = 500.0 / half;
    }
    return std::isfinite(limit) ? limit : std::numeric_limits<double>::infinity();
}

} // namespace

MeshTransform TransformFromBounds(const terrain::Bounds& b) {
    MeshTransform t;
    double scale = std::min(ScaleLimit(b.xmin, b.xmax), ScaleLimit(b.ymin, b.ymax));
    scale = std::min(scale, ScaleLimit(b.zmin, b.zmax));
    t.scale = std::isfinite(scale) ? scale : 1.0;
    t.xmin = std::isfinite(b.xmin) ? b.xmin : 0.0;
    t.ymin = std::isfinite(b.ymin) ? b.ymin : 0.0;
    t.zmin = std::isfinite(b.zmin) ? b.zmin : 0.0;
    t.hx = contours::HalfSpan(b.xmin, b.xmax);
    t.hy = contours::HalfSpan(b.ymin, b.ymax);
    t.hz = contours::HalfSpan(b.zmin, b.zmax);
    return t;
}

MeshTransform TransformFromBounds() {
    return TransformFromBounds(globali::bounds);
}

double RibbonThickness(const terrain::Bounds& b, const MeshTransform& transform, std::int32_t setting) {
    const std::int32_t v = std::clamp<std::int32_t>(setting, 0, 14);
    const double divisor = static_cast<double>((15 - v) * 100);
    const double thickness =
        (((((b.xmax - b.xmin) + b.ymax) - b.ymin) + b.zmax) - b.zmin) * transform.scale / divisor;
    if (std::isfinite(thickness))
        return thickness;
    const double s = transform.scale;
    const double halved = (transform.hx * s + transform.hy * s + transform.hz * s) / divisor;
    return std::isfinite(halved) ? halved * 2 : 0.0;
}

} // namespace meshbuild
