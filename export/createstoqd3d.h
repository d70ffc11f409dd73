#pragma once

#include "rt/folderitem.h"

namespace globali {

// Writes the height grid to f as a 3DMF text metafile holding one triangle mesh: two triangles
// per cell, the vertices centred and scaled as the 3D view's surface (X, height, Y), the
// bounding box, one unit normal per triangle and the diffuse colour col_3d. Lines begin with
// tabs and end with a carriage return. False, with the user told and the partial file removed,
// when the file could not be written, or without a complete grid (nothing
// written).
bool createstoqd3d(const rt::FolderItem& f);

} // namespace globali
