#pragma once

#include "rt/folderitem.h"

namespace globali {

// Writes the height grid to f as one GDL MESH statement: the spans, the node counts and the
// smoothing mask (63 with "Smooth GDL 3D" checked, else 127, kept in globali::mesh), then the
// heights row by row, at most ten to a line and a line break at every row's end; lines end with
// a carriage return. False, with the user told and the partial file removed, when the file
// could not be written, or without a complete grid (nothing written).
bool createstogdl(const rt::FolderItem& f);

} // namespace globali
