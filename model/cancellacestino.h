#pragma once

#include <cstdint>

#include "model/terraindata.h"

namespace terrain {

// Deletes row n (1..rowCount) of the survey's polyline table with its points: the later points
// and rows move down over them, and the editor's controls of later rows follow their rows (the
// deleted row's own controls keep n). Any other n leaves everything as it is.
void DeleteRow(Survey& survey, EditorMaps& maps, std::int32_t n);

} // namespace terrain

namespace Inizio {

// Deletes row n of the polyline table with its points; the later rows and the 2D editor's control
// maps move down one row.
void cancellacestino(std::int32_t n);

} // namespace Inizio
