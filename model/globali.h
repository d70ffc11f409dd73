#pragma once
// The shared survey data and view state of module globali, with the terrain routines that live
// in it (declared in headers of their own, included at the end). Every variable that is not an array starts
// at zero; the arrays have their launch shapes.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "model/array2d.h"
#include "model/terraindata.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/scene3d.h"

namespace globali {

// The shared survey, its bounds and the height grid; the variables below are their members.
inline terrain::Survey survey;
inline terrain::Bounds bounds;
inline terrain::HeightGrid grid;

// Point set: point k is (px(k), py(k), pz(k)), k = 0..ptot; ptot = -1 means no points.
inline std::vector<double>& px = survey.x;
inline std::vector<double>& py = survey.y;
inline std::vector<double>& pz = survey.z;
inline std::int32_t& ptot = survey.last;

// Height grid: nodes (i, j), i = 0..mxtot along X, j = 0..mytot along Y.
inline std::int32_t& mxtot = grid.nx;
inline std::int32_t& mytot = grid.ny;
inline Array2D<double>& mx = grid.x;
inline Array2D<double>& my = grid.y;
inline Array2D<double>& mz = grid.z;

// Bounds, spans and the aspect ratio dy / dx.
inline double& xmin = bounds.xmin;
inline double& ymin = bounds.ymin;
inline double& zmin = bounds.zmin;
inline double& xmax = bounds.xmax;
inline double& ymax = bounds.ymax;
inline double& zmax = bounds.zmax;
inline double& dx = bounds.dx;
inline double& dy = bounds.dy;
inline double& dz = bounds.dz;
inline double& rapp = bounds.rapp;

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
