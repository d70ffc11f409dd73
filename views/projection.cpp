#include "views/projection.h"

#include <cmath>

#include "model/globali.h"

namespace axo {

namespace {

double Term(double a, double b) {
    return a == 0.0 ? 0.0 : a * b;
}

// The narrower of the two ratios decides; equal ratios, and a comparison with a ratio that is not
// a number, take the height ratio.
double ChooseScale(double rw, double rh) {
    return rw < rh ? rw : rh;
}

// z / zmax, or 0 when that is not a finite number (zmax = 0 for a survey whose highest point lies
// at height 0): such points and cells take the colour of height 0.
double HeightFraction(double z, double zmax) {
    const double fraction = z / zmax;
    return std::isfinite(fraction) ? fraction : 0.0;
}

} // namespace

Projection::Projection(double assx, double assy, double assz, double dy)
    : cosx_(std::cos(assx)), sinx_(std::sin(assx)), cosy_(std::cos(assy)), siny_(std::sin(assy)), assz_(assz),
      dy_(dy) {}

Projection Projection::Current() {
    return Projection(globali::assx, globali::assy, globali::assz, globali::dy);
}

double Projection::CornerH(double p, bool qFar) const {
    return Term(p, cosx_) + Term(qFar ? 0.0 : dy_, cosy_);
}

double Projection::CornerV(double p, double q, double r) const {
    return (Term(p, sinx_) + Term(q, siny_)) + Term(r, assz_);
}

Fit ComputeFit(const Projection& projection, double dx, double dy, double dz, std::int32_t scrx,
               std::int32_t scry) {
    const double realWidth = Term(dx, projection.CosX()) + Term(dy, projection.CosY());
    const double realHeight =
        (Term(dx, projection.SinX()) + Term(dy, projection.SinY())) + Term(dz, projection.Assz());
    const std::int32_t w = rt::conv(realWidth);
    const std::int32_t h = rt::conv(realHeight);
    const double roomX = static_cast<double>(scrx) - 60.0;
    const double roomY = static_cast<double>(scry) - 60.0;

    double width = w;
    double height = h;
    double rw = roomX / width;
    double rh = roomY / height;
    double scala = ChooseScale(rw, rh);
    if (!std::isfinite(scala) && w == 0 && h == 0) {
        width = realWidth;
        height = realHeight;
        rw = roomX / width;
        rh = roomY / height;
        scala = ChooseScale(rw, rh);
    }
    if (!std::isfinite(scala))
        scala = std::isfinite(rw) ? rw : (std::isfinite(rh) ? rh : 0.0);

    Fit fit;
    fit.scala = scala;
    fit.spostx = rt::conv(((static_cast<double>(scrx) - 20.0) - width * scala) / 2.0);
    fit.sposty = rt::conv(-(((static_cast<double>(scry) - 20.0) - height * scala) / 2.0));
    return fit;
}

namespace {

std::optional<Pixel> Finite(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y))
        return std::nullopt;
    return Pixel{rt::conv(x), rt::conv(y)};
}

} // namespace

std::optional<Pixel> PointPixel(double H, double V, const Fit& fit, std::int32_t scry) {
    const double x = H * fit.scala + static_cast<double>(fit.spostx);
    const double y = ((static_cast<double>(scry) - 5.0) - V * fit.scala) + static_cast<double>(fit.sposty);
    return Finite(x, y);
}

std::optional<Pixel> NodePixel(double H, double V, const Fit& fit, std::int32_t scry) {
    // Added as whole numbers; 64 bits keep the sum exact for every pair of int32 values.
    const std::int64_t base = (static_cast<std::int64_t>(scry) - 5) + static_cast<std::int64_t>(fit.sposty);
    const double x = static_cast<double>(fit.spostx) + H * fit.scala;
    const double y = static_cast<double>(base) - V * fit.scala;
    return Finite(x, y);
}

rt::Color PointColor(double z, double zmax) {
    return rt::HSV(0.3, 0.6, HeightFraction(z, zmax) / 2.0 + 0.1);
}

rt::Color CellColor(double z, double zmax) {
    return rt::HSV(0.3, 0.6, HeightFraction(z, zmax) / 1.5 + 0.15);
}

rt::Color BoxColor() {
    return rt::HSV(0.1, 0.6, 0.6);
}

} // namespace axo
