#pragma once
// The 2D working mode's half of the switches between the working modes (modes/ joins the halves).

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
