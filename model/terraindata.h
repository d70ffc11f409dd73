#pragma once
// The values the terrain routines work on: the survey (points and polyline table), its bounds and
// spans, the height grid, and the 2D editor's maps from controls to polyline rows. The program's
// shared variables are members of one shared instance of each (see globali.h and modulodxf.h);
// the terrain functions take them as arguments, so they also run on values of their own.

#include <cstdint>
#include <vector>

#include "model/array2d.h"

namespace terrain {

// Default-constructed values have the program's launch shapes.
struct Survey {
    // Point k is (x[k], y[k], z[k]), k = 0..last; last = -1 means no points. The arrays may hold
    // more (left from earlier data) or fewer elements; only indices held by all three count.
    std::vector<double> x{0.0}, y{0.0}, z{0.0};
    std::int32_t last = 0;
    // Polyline table: row r (1..rowCount) = (first point, point count - 1).
    Array2D<std::int32_t> rows{0, 0};
    std::int32_t rowCount = 0;
    // The row of each point; kept in step.
    std::vector<std::int32_t> rowOfPoint{0};
};

// The bounding box of the points, its spans and the aspect ratio dy / dx.
struct Bounds {
    double xmin = 0, ymin = 0, zmin = 0;
    double xmax = 0, ymax = 0, zmax = 0;
    double dx = 0, dy = 0, dz = 0;
    double rapp = 0;
};

// Nodes (i, j), i = 0..nx along X, j = 0..ny along Y: position (x(i, j), y(i, j)), height z(i, j).
struct HeightGrid {
    std::int32_t nx = 0, ny = 0;
    Array2D<double> x{0, 0}, y{0, 0}, z{0, 0};
};

// Point control k (1..points) shows row pointRow[k]; segment control j (1..segments) belongs to
// row segmentRow(j, 0), whose first segment control is segmentRow(j, 1).
struct EditorMaps {
    std::int32_t points = 0;
    std::vector<std::int32_t> pointRow{0};
    std::int32_t segments = 0;
    Array2D<std::int32_t> segmentRow{0, 1};
};

// Where a long terrain routine reports how far it has come.
class Progress {
public:
    virtual ~Progress() = default;
    // The progress range becomes 0..maximum.
    virtual void SetProgressMaximum(std::int32_t maximum) = 0;
    // The progress shows the value (and is repainted at once).
    virtual void ShowProgress(std::int32_t value) = 0;
};

} // namespace terrain
