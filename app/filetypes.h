#pragma once
// The file types that filter every open and save dialog, known to the runtime by their names.

#include "rt/folderitem.h"

namespace FileTypes {

// "text/plain": ".txt" files.
inline rt::FileType pTextPlain;
// "qd3d/3dmf": ".3mf" files.
inline rt::FileType pQd3d3dmf;
// "special/any": any file.
inline rt::FileType pSpecialAny;

// Creates the three types and registers them with the runtime.
void Initialize();

} // namespace FileTypes
