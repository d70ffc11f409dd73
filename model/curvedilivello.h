#pragma once

#include <cstdint>

#include "model/terraindata.h"
#include "rt/picture.h"

namespace terrain {

// The top view of the grid for a canvas of the given size: a picture that keeps the bounds'
// proportions and fills the canvas along the axis that decides the scale, every node a small
// rectangle in its height colour, crossed by black contour lines. Nil when the grid's heights do
// not cover its nodes (then nothing is reported) or when nothing fits the canvas. Progress:
// 0..nx, then one step a contour level, then 0.
rt::Picture DrawTopView(const HeightGrid& grid, const Bounds& bounds, std::int32_t canvasWidth,
                        std::int32_t canvasHeight, Progress& progress);

} // namespace terrain

namespace globali {

// Draws the height-coloured top view with contour lines onto the drawing window's backdrop.
void curvedilivello();

} // namespace globali
