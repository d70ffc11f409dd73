#pragma once
// The readers: each asks for a file, loads its points in place of the survey once the whole file
// has been read, and enters the 2D working mode.

#include <cstdint>

#include "rt/folderitem.h"

namespace Inizio {

// Asks for a text file of X, Y, Z lines and loads its points as lone points.
void apritesto();
// Asks for a CAD drawing's tab-separated text export and loads its text labels as spot heights.
void apripcaddtesto();

} // namespace Inizio

namespace modulodxf {

// Asks for a DXF file and loads its contour polylines; polyline k (from 1) lies at height
// firstHeight + (k - 1) * heightStep, and skip vertices are passed over between stored points.
void leggidxf(double firstHeight, double heightStep, std::int32_t skip);
// The form of polyline the file uses: 1 lightweight, 2 POLYLINE entities, 3 POLYLINE entities
// with subclass markers.
std::int32_t capiscidxf(const rt::FolderItem& file);

} // namespace modulodxf
