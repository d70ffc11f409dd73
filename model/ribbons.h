#pragma once
// The contour ribbons of the height grid.

#include "model/contours.h"
#include "model/meshtransform.h"
#include "model/terraindata.h"
#include "rt/scene3d.h"

namespace meshbuild {

// Fills an empty mesh with one upright quad per contour segment of the height grid (levels of
// the given series, stepped for divisor 50), standing on the height of each cell's node (i, j);
// reports progress 80..90 while counting and 90..100 while filling. The grid's arrays cover its
// nodes.
void BuildRibbons(rt::Trimesh& mesh, const terrain::HeightGrid& grid, const MeshTransform& transform,
                  double thickness, const contours::LevelSeries& levels, terrain::Progress& progress);

} // namespace meshbuild
