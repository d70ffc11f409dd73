#pragma once

#include <cstdint>

#include "model/terraindata.h"

namespace terrain {

// Fills the grid's nodes 0..nx by 0..ny, spread evenly over the bounds (xmin..xmax by ymin..ymax,
// steps dx / nx and dy / ny), with heights by inverse-distance weighting to the power of three of
// the survey's points per node, or two when not threePoints. The grid's arrays are re-dimensioned
// to nx by ny unless they have those bounds already. The nodes are computed on helper threads,
// which read the survey and the bounds only; the calling thread reports progress 0..100 by
// columns, in order, and yields while it waits.
void InterpolateGrid(const Survey& survey, const Bounds& bounds, double power, bool threePoints,
                     HeightGrid& grid, Progress& progress);

} // namespace terrain

namespace globali {

// Fills the height grid mx, my, mz (nodes 0..mxtot by 0..mytot over the bounds) by inverse-distance
// weighting of three survey points per node, or two when mode is 2, with the control panel's power.
void terrenopunti(std::int32_t mode);

} // namespace globali
