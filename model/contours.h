#pragma once
// Rules on the height grid shared by the top view and the 3D meshes: the colour of a height, the
// series of contour levels, and the tracing of one level through one grid cell (two triangles,
// marching-triangles style).

#include <cmath>
#include <cstdint>

#include "model/array2d.h"
#include "rt/conv.h"

namespace contours {

// The colour of a height by its place between zmin and zmax: hue 0.33 (green) at the lowest
// height falling to 0 (red) at the highest, saturation 0.66, value 0.33. A flat survey
// (zmax = zmin), or a height that gives no finite relative height, takes the colour of the lowest
// height.
rt::Color HeightColour(double z, double zmin, double zmax);
// The same between the shared bounds' globali::zmin and globali::zmax.
rt::Color HeightColour(double z);

// Contour levels k = kmin, kmin + step, ... while k <= kmax; level k lies at height 2k.
struct LevelSeries {
    std::int32_t kmin = 0;
    std::int32_t kmax = 0;
    std::int32_t step = 1;
};

// The level series of the height range zmin..zmax with the given divisor: the step grows so that
// about `divisor` levels remain of a wide range; it is at least 1.
LevelSeries LevelSeriesFor(double divisor, double zmin, double zmax);

// The height of level k. Formed in double so that no level index overflows.
inline double LevelHeight(std::int64_t k) {
    return 2.0 * static_cast<double>(k);
}

// A grid node placed in the caller's plane, with its height.
struct Node {
    double x = 0;
    double y = 0;
    double z = 0;
};

struct Segment {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
};

// What one level leaves in one cell: a segment in triangle A and/or in triangle B.
struct CellTrace {
    bool hasA = false;
    bool hasB = false;
    Segment a;
    Segment b;
};

namespace detail {

enum class EdgeKind { Row, Column, Diagonal };

struct Crossings {
    int count = 0;
    double x[2] = {0, 0};
    double y[2] = {0, 0};
};

inline bool Crossed(double za, double zb, double level) {
    return (za < level && level < zb) || (za > level && level > zb);
}

// pa + ((level - za) * (pb - pa)) / (zb - za). Heights or positions near the limits of doubles
// can overflow that form; the same point is then found from halved values, which cannot.
inline double Interpolate(double pa, double pb, double za, double zb, double level) {
    const double p = pa + ((level - za) * (pb - pa)) / (zb - za);
    if (std::isfinite(p))
        return p;
    const double share = (level / 2 - za / 2) / (zb / 2 - za / 2);
    const double halved = pa / 2 + share * (pb / 2 - pa / 2);
    if (std::isfinite(halved) && std::fabs(halved) <= 0x1p1022)
        return halved * 2;
    return pa;
}

inline void AddCrossing(Crossings& list, const Node& a, const Node& b, EdgeKind kind, double level) {
    if (!Crossed(a.z, b.z, level))
        return;
    const double x = kind == EdgeKind::Column ? a.x : Interpolate(a.x, b.x, a.z, b.z, level);
    const double y = kind == EdgeKind::Row ? a.y : Interpolate(a.y, b.y, a.z, b.z, level);
    if (list.count < 2) {
        list.x[list.count] = x;
        list.y[list.count] = y;
    }
    ++list.count;
}

inline bool Skipped(const Node& c0, const Node& c1, const Node& c2, double level) {
    return (c0.z < level && c1.z < level && c2.z < level) || (c0.z > level && c1.z > level && c2.z > level);
}

inline bool ToSegment(const Crossings& list, Segment& segment) {
    if (list.count != 2)
        return false;
    segment = {list.x[0], list.y[0], list.x[1], list.y[1]};
    return true;
}

} // namespace detail

// Traces `level` through the cell whose nodes are n00 = (i, j), n10 = (i+1, j), n01 = (i, j+1)
// and n11 = (i+1, j+1). The diagonal from (i+1, j) to (i, j+1) cuts the cell into triangle A
// (n00, n10, n01) and triangle B (n11, n10, n01). Every edge is interpolated from the same end
// in both cells or triangles that share it, so neighbouring segments meet to the last bit. A
// node exactly on the level crosses nothing.
inline CellTrace TraceCell(double level, const Node& n00, const Node& n10, const Node& n01, const Node& n11) {
    using detail::EdgeKind;
    CellTrace trace;
    if (!detail::Skipped(n00, n10, n01, level)) {
        detail::Crossings list;
        detail::AddCrossing(list, n00, n10, EdgeKind::Row, level);
        detail::AddCrossing(list, n00, n01, EdgeKind::Column, level);
        detail::AddCrossing(list, n10, n01, EdgeKind::Diagonal, level);
        trace.hasA = detail::ToSegment(list, trace.a);
    }
    if (!detail::Skipped(n11, n10, n01, level)) {
        detail::Crossings list;
        detail::AddCrossing(list, n01, n11, EdgeKind::Row, level);
        detail::AddCrossing(list, n10, n11, EdgeKind::Column, level);
        detail::AddCrossing(list, n10, n01, EdgeKind::Diagonal, level);
        trace.hasB = detail::ToSegment(list, trace.b);
    }
    return trace;
}

// Whether the grid array holds the nodes 0..nx by 0..ny of a grid of at least one cell.
inline bool GridCovers(const Array2D<double>& grid, std::int32_t nx, std::int32_t ny) {
    return nx >= 1 && ny >= 1 && grid.UBound0() >= nx && grid.UBound1() >= ny;
}

// Half of high - low, also when the difference itself would overflow; 0 for bounds that are not
// numbers.
inline double HalfSpan(double low, double high) {
    const double half = (high - low) / 2;
    if (std::isfinite(half))
        return half;
    const double halved = high / 2 - low / 2;
    return std::isfinite(halved) ? halved : 0.0;
}

} // namespace contours
