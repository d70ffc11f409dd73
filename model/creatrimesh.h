#pragma once

#include <cstdint>
#include <memory>

#include "model/terraindata.h"
#include "rt/scene3d.h"

namespace terrain {

// The 3D surface mesh and the contour ribbons.
struct Meshes {
    std::shared_ptr<rt::Trimesh> surface, ribbons;
};

// The surface of the grid (one vertex per node coloured by height between the bounds' zmin and
// zmax, two triangles per cell, fitted to the scene by the bounds) and, for a ribbon setting
// above 0, the contour ribbons of that setting's height. A grid whose arrays do not cover its
// nodes, or too large for the mesh's lists, gives two empty meshes. Progress: 0..100, then 0.
Meshes BuildMeshes(const HeightGrid& grid, const Bounds& bounds, std::int32_t ribbonSetting,
                   Progress& progress);

} // namespace terrain

namespace globali {

// Builds the 3D surface mesh terreno from the height grid and, when the control panel asks for
// them, the contour ribbons tercurva; both are replaced by new meshes.
void creatrimesh();

} // namespace globali
