#pragma once

namespace Inizio {

// Bounds, spans and ratio of the point set, shown on the control panel with the proposed grid
// intervals.
void calcolaingombro();

} // namespace Inizio
