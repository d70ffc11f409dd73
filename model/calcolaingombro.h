#pragma once

#include <cstddef>

#include "model/terraindata.h"

namespace terrain {

// The bounding box of the survey's points 0..last (of point 0 alone, or the origin, when there is
// no other), its spans and the ratio dy / dx (1 when that is not finite). Progress: 0..100 by
// points, then 0.
Bounds MeasureBounds(const Survey& survey, Progress& progress);
// Grows the box, with strict comparisons, to take in (x, y, z); the spans stay as they are.
void GrowBounds(Bounds& bounds, double x, double y, double z);

} // namespace terrain

namespace Inizio {

// Bounds, spans and ratio of the point set, shown on the control panel with the proposed grid
// intervals.
void calcolaingombro();
// Grows the bounding box, with strict comparisons, to take in point k (an index of the point arrays).
void allargaingombro(std::size_t k);

} // namespace Inizio
