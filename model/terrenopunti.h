#pragma once

#include <cstdint>

namespace globali {

// Fills the height grid mx, my, mz (nodes 0..mxtot by 0..mytot over the bounds) by inverse-distance
// weighting of three survey points per node, or two when mode is 2, with the control panel's power.
void terrenopunti(std::int32_t mode);

} // namespace globali
