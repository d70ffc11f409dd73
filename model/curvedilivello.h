#pragma once

namespace globali {

// Draws the height-coloured top view with contour lines onto the drawing window's backdrop.
void curvedilivello();

} // namespace globali
