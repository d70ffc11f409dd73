#pragma once
// The mesh transform from survey space to the 3D scene, shared by the surface mesh and the
// contour ribbons.

#include <cstdint>

#include "model/terraindata.h"

namespace meshbuild {

// Survey (x, y, z) goes to scene ((x - xmin - hx) * scale, (z - zmin - hz) * scale,
// (y - ymin - hy) * scale): the bounding box is centred on the origin and its largest span
// becomes 1000 scene units on every axis alike.
struct MeshTransform {
    double scale = 1.0;
    double xmin = 0, ymin = 0, zmin = 0;
    double hx = 0, hy = 0, hz = 0;

    double X(double x) const { return Coordinate(x, xmin, hx); }
    double Y(double y) const { return Coordinate(y, ymin, hy); }
    double Z(double z) const { return Coordinate(z, zmin, hz); }

private:
    double Coordinate(double value, double low, double half) const;
};

// The transform of the bounds (xmin .. zmax). A zero span limits nothing; when no span is positive
// every node lies at the origin (scale 1).
MeshTransform TransformFromBounds(const terrain::Bounds& bounds);
// The transform of the shared bounds.
MeshTransform TransformFromBounds();

// The contour ribbons' height: the sum of the three spans of the bounds, scaled, divided by
// (15 - setting) * 100. The setting is taken within 0..14.
double RibbonThickness(const terrain::Bounds& bounds, const MeshTransform& transform, std::int32_t setting);

} // namespace meshbuild
