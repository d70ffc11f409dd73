#pragma once

#include <cstddef>

namespace Inizio {

// Bounds, spans and ratio of the point set, shown on the control panel with the proposed grid
// intervals.
void calcolaingombro();
// Grows the bounding box, with strict comparisons, to take in point k (an index of the point arrays).
void allargaingombro(std::size_t k);

} // namespace Inizio
