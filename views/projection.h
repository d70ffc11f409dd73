#pragma once
// The parallel projection of the axonometric drawing, its fit to the screen area and the height
// colours of its points and grid cells.
//
// A point (x, y, z) is taken relative to the lower corner of the bounds (x' = x - xmin, ...) and
// projected to H = x'·cos(assx) + (dy - y')·cos(assy) across and V = x'·sin(assx) + y'·sin(assy)
// + z'·assz up, in data units; the fit turns these into picture pixels.

#include <cstdint>
#include <optional>

#include "rt/conv.h"

namespace axo {

class Projection {
public:
    Projection(double assx, double assy, double assz, double dy);
    // The shared view angles, height factor and Y span.
    static Projection Current();

    double H(double xr, double yr) const { return (xr * cosx_ - yr * cosy_) + dy_ * cosy_; }
    double V(double xr, double yr, double zr) const { return (xr * sinx_ + yr * siny_) + zr * assz_; }

    // A corner of the bounding box: p in {0, dx}, q either 0 or dy (qFar), r in {0, dz}. A term
    // with a zero factor counts 0, whatever the other factor.
    double CornerH(double p, bool qFar) const;
    double CornerV(double p, double q, double r) const;

    double CosX() const { return cosx_; }
    double SinX() const { return sinx_; }
    double CosY() const { return cosy_; }
    double SinY() const { return siny_; }
    double Assz() const { return assz_; }

private:
    double cosx_, sinx_, cosy_, siny_, assz_, dy_;
};

// Pixels per data unit and the offsets of the drawing in its picture.
struct Fit {
    double scala = 0;
    std::int32_t spostx = 0;
    std::int32_t sposty = 0;
};

// Fits the box of spans dx, dy, dz, seen in the projection, to a picture of (scrx - 20) by
// (scry - 20) pixels with 20-pixel margins on the sides. The scale divides by the whole-number
// projected extents; when both of them are 0 (extents below one unit) the real extents are used
// instead, and a scale that would still not be finite becomes 0, so the drawing collapses to the
// middle of the picture rather than leaving it.
Fit ComputeFit(const Projection& projection, double dx, double dy, double dz, std::int32_t scrx,
               std::int32_t scry);

struct Pixel {
    std::int32_t X = 0;
    std::int32_t Y = 0;
};

// Where a projected point lands: X = int32(H·scala + spostx), Y = int32(((scry - 5) - V·scala) +
// sposty). Nothing when a coordinate is not a finite number.
std::optional<Pixel> PointPixel(double H, double V, const Fit& fit, std::int32_t scry);
// The same for grid nodes, with the whole numbers (scry - 5) and sposty added first:
// X = int32(spostx + H·scala), Y = int32(((scry - 5) + sposty) - V·scala).
std::optional<Pixel> NodePixel(double H, double V, const Fit& fit, std::int32_t scry);

// The colour of a survey point: HSV(0.3, 0.6, (z / zmax) / 2 + 0.1).
rt::Color PointColor(double z, double zmax);
// The colour of both triangles of a grid cell, from its corner (i, j): HSV(0.3, 0.6, (z / zmax) /
// 1.5 + 0.15).
rt::Color CellColor(double z, double zmax);
// The colour of the bounding box.
rt::Color BoxColor();

} // namespace axo
