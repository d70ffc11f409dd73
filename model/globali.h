#pragma once
// The shared survey data and view state of module globali, with the terrain routines that live
// in it (declared in headers of their own, included at the end). Every variable that is not an array starts
// at zero; the arrays have their launch shapes.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/array2d.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/scene3d.h"

namespace globali {

// Point set: point k is (px(k), py(k), pz(k)), k = 0..ptot; ptot = -1 means no points.
inline std::vector<double> px(1, 0.0);
inline std::vector<double> py(1, 0.0);
inline std::vector<double> pz(1, 0.0);
inline std::int32_t ptot = 0;

// Height grid: nodes (i, j), i = 0..mxtot along X, j = 0..mytot along Y.
inline std::int32_t mxtot = 0;
inline std::int32_t mytot = 0;
inline Array2D<double> mx(0, 0);
inline Array2D<double> my(0, 0);
inline Array2D<double> mz(0, 0);

// Bounds, spans and the aspect ratio dy / dx.
inline double xmin = 0, ymin = 0, zmin = 0;
inline double xmax = 0, ymax = 0, zmax = 0;
inline double dx = 0, dy = 0, dz = 0;
inline double rapp = 0;

// The 3D meshes: surface and contour ribbons; null until the first build.
inline std::shared_ptr<rt::Trimesh> terreno;
inline std::shared_ptr<rt::Trimesh> tercurva;
inline bool celamesh = false;

// Interface language: 1 English, any other value Italian.
inline std::int32_t lingua = 0;
// Screen area: the main screen's width less 173 and height less 53.
inline std::int32_t scrx = 0;
inline std::int32_t scry = 0;

// Axonometric view: angles in radians, height factor, fit and drawing.
inline double assx = 0;
inline double assy = 0;
inline double assz = 0;
inline double scala = 0;
inline std::int32_t spostx = 0;
inline std::int32_t sposty = 0;
inline rt::Picture disegno;

// Colour of the exported 3DMF mesh.
inline rt::Color col_3d = 0;
// The tool palette's current tool: 1 select, 2 reference, 3 contour, 4 single point.
inline std::int32_t momento = 0;
// Smoothing mask of the GDL MESH statement.
inline std::int32_t mesh = 0;
// First height and height step of the DXF import.
inline double dxfprima = 0;
inline double dxfdelta = 0;
// The 3DMF writer's working vector.
inline std::optional<rt::Vector3D> vec;

} // namespace globali

// The terrain routines of the module.
#include "model/creatrimesh.h"
#include "model/curvedilivello.h"
#include "model/terrenopunti.h"
