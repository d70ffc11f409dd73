#pragma once
// The polyline table, the 2D editor's control maps and selection, and the 2D view transform.

#include <cstdint>
#include <vector>

#include "model/array2d.h"
#include "model/globali.h"
#include "model/terraindata.h"

namespace modulodxf {

// Polyline table: row r (1..dxfcounter) = (first point, point count - 1). At launch one row of
// one column; writers re-dimension it to (last row, 1) before writing a row.
// Members of the shared survey.
inline Array2D<std::int32_t>& dxfpn = globali::survey.rows;
inline std::int32_t& dxfcounter = globali::survey.rowCount;
// The row of each point; kept in step, read by nothing.
inline std::vector<std::int32_t>& dxfxyz = globali::survey.rowOfPoint;

// 2D editor: point control k (1..qpun) shows row qqpun(k); segment control j (1..qlin) belongs to
// row qqlin(j, 0), whose first segment control is qqlin(j, 1).
inline terrain::EditorMaps editormaps;
inline std::int32_t& qpun = editormaps.points;
inline std::vector<std::int32_t>& qqpun = editormaps.pointRow;
inline std::int32_t& qlin = editormaps.segments;
inline Array2D<std::int32_t>& qqlin = editormaps.segmentRow;
// Selection: element 0 the control (-1 none), element 1 its kind (1 point, 2 segment).
inline std::vector<std::int32_t> selpre(2, 0);
inline std::int32_t selnow = 0;

// 2D view transform: window X = zmfct * (x - zxmin) + xz,
// window Y = scry - (zmfct * (y - zymin) + yz).
inline double zmfct = 0;
inline double xz = 0;
inline double yz = 0;
inline double zxmin = 0;
inline double zymin = 0;
inline double zxmax = 0;
inline double zymax = 0;

} // namespace modulodxf
