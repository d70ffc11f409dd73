#pragma once

#include "rt/folderitem.h"

namespace globali {

// Writes the height grid to f as tab-separated X, Y and height, one node per line ended by a
// carriage return, column by column. False, with the user told and the partial file removed,
// when the file could not be written, or without a complete grid (nothing
// written).
bool createstoxyz(const rt::FolderItem& f);

} // namespace globali
