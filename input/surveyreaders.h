#pragma once
// The passes of the XYZ and DXF readers over their files, apart from the commands that choose
// the file and show what was read: each fills `survey` and is false when the file cannot be
// opened or read to its end.

#include <cstdint>

#include "input/loadedsurvey.h"
#include "rt/folderitem.h"

// One lone point per line, X, Y and Z the line's first three tab-separated fields.
bool ReadXyzFile(const rt::FolderItem& file, LoadedSurvey& survey);

// The polylines of the form the file uses, the k-th at height firstHeight + (k - 1) * heightStep,
// thinned by the vertex skip.
bool ReadDxfFile(const rt::FolderItem& file, double firstHeight, double heightStep, std::int32_t skip,
                 LoadedSurvey& survey);
