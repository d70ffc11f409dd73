#pragma once
// The shared survey data as the 2D work reads and grows it: which rows, points and control-map
// entries exist, growing the arrays for a new entry, and giving a row one height. Every index
// the 2D editor and the palette take from the data or the maps is checked here first.

#include <cstdint>

namespace surveyrows {

// Row r of the polyline table is in use (1..dxfcounter) and stored.
bool RowExists(std::int32_t r);
// Point i is in use (0..ptot) and stored.
bool PointExists(std::int64_t i);
// The last point in use and stored (-1: none).
std::int64_t LastPoint();
// Every point of row r exists; rows that own no point (count below 0) have none to check.
bool RowPointsExist(std::int32_t r);
// Segment control j and point control k have entries in the maps.
bool SegmentMapped(std::int32_t j);
bool PointMapped(std::int32_t k);

// Grow, never shrink, so that the index given exists.
void GrowPoints(std::int32_t lastPoint);
void GrowTable(std::int32_t lastRow);
void GrowSegmentMap(std::int32_t lastSegment);
void GrowPointMap(std::int32_t lastPoint);

// Every existing point of row r gets height z, yielding once per point.
void SetRowHeight(std::int32_t r, double z);

} // namespace surveyrows
