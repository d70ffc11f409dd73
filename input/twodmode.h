#pragma once
// The 2D working mode: tracing a scanned map, fitting the data into the 2D editor, and this mode's
// half of the switches between the working modes (modes/ joins the halves).

#include "rt/picture.h"

namespace twodmode {

// Closes the tool palette and the 2D editor, then opens them afresh and shows the data, over the
// traced picture when there is one; the working mode becomes 2D.
void Open();
// The 2D editor's whole content over a light grey ground (nil when no picture can be made).
rt::Picture EditorSnapshot();
// Closes the 2D editor and the tool palette.
void CloseWindows();

} // namespace twodmode

namespace Inizio {

// Puts the traced picture under the 2D editor and enables the palette's reference tool.
void mettimmagine();
// The picture road: a scanned map chosen by the user becomes the backdrop for tracing.
void aprimmagine();
// Rescales the traced points so that the reference segment measures the palette's length.
void rifcalcola();

} // namespace Inizio

namespace modulodxf {

// Fits the point set into the 2D editor and draws every row of the polyline table there.
void zooma();
// Draws every row with the view transform in force.
void nozooma();

} // namespace modulodxf
