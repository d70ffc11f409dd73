#pragma once
// The 3D working mode's half of the switches between the working modes (modes/ joins the halves).

namespace threedmode {

// Whether the points can carry a surface; when they cannot, closes the 3D working mode's windows
// and says why.
bool PointsCarryASurface();
// Closes the control panel, the drawing window and the 3D view window.
void CloseWindows();
// Computes the bounds and opens the control panel beside the chosen view; the working mode
// becomes 3D.
void Open();
// Redraws the chosen view after the points changed under it.
void RedrawViews();

} // namespace threedmode
