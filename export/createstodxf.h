#pragma once

#include "rt/folderitem.h"

namespace globali {

// Writes the height grid to f as DXF 3D faces: a header with the bounds as the drawing's
// extents, two triangular faces per cell split along the diagonal from node (i, j) to node
// (i + 1, j + 1), and the end-of-file marker. Every line ends with a carriage return and a line
// feed. False, with the user told and the partial file removed, when the file could not be
// written, or without a complete grid (nothing written).
bool createstodxf(const rt::FolderItem& f);

} // namespace globali
