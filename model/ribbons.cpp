// The contour ribbons: every contour segment of the height grid becomes an upright quad of two
// triangles. A counting pass sizes the mesh exactly, a filling pass writes it.

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/contours.h"
#include "model/levelcells.h"
#include "model/ribbons.h"
#include "model/terraindata.h"
#include "rt/runtime.h"

namespace {

// (k - kmin) / (kmax - kmin) * 10 + base; a single level reports the base.
std::int32_t LevelProgress(std::int64_t k, const contours::LevelSeries& levels, double base) {
    const std::int64_t range = std::int64_t{levels.kmax} - levels.kmin;
    const double share = range > 0 ? static_cast<double>(k - levels.kmin) / static_cast<double>(range) : 0.0;
    return rt::conv(share * 10.0 + base);
}

// Traces every level of the series through every cell, in the order level, column i, row j,
// triangle A before B, and hands each segment with its cell to `visit`. Only the cells that can
// cross a level are traced, among the yields of every cell.
template <class Visit>
void TraceGrid(const terrain::HeightGrid& grid, const contours::LevelSeries& levels,
               contours::LevelCells& candidates, terrain::Progress& progress, double progressBase,
               Visit&& visit) {
    const Array2D<double>& mx = grid.x;
    const Array2D<double>& my = grid.y;
    const Array2D<double>& mz = grid.z;
    std::int64_t q = 0;
    for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step, ++q) {
        progress.ShowProgress(LevelProgress(k, levels, progressBase));
        const double level = contours::LevelHeight(k);
        candidates.TraceLevel(q, [&](std::int32_t i, std::int32_t j) {
            const contours::Node n00{mx(i, j), my(i, j), mz(i, j)};
            const contours::Node n10{mx(i + 1, j), my(i + 1, j), mz(i + 1, j)};
            const contours::Node n01{mx(i, j + 1), my(i, j + 1), mz(i, j + 1)};
            const contours::Node n11{mx(i + 1, j + 1), my(i + 1, j + 1), mz(i + 1, j + 1)};
            const contours::CellTrace trace = contours::TraceCell(level, n00, n10, n01, n11);
            if (trace.hasA)
                visit(i, j, trace.a);
            if (trace.hasB)
                visit(i, j, trace.b);
        });
    }
}

} // namespace

namespace meshbuild {

void BuildRibbons(rt::Trimesh& mesh, const terrain::HeightGrid& grid, const MeshTransform& transform,
                  double thickness, const contours::LevelSeries& levels, terrain::Progress& progress) {
    contours::LevelCells candidates(grid.z, grid.nx, grid.ny, levels);
    std::int64_t vertexCount = 0;
    std::int64_t triangleCount = 0;
    TraceGrid(grid, levels, candidates, progress, 80.0,
              [&](std::int32_t, std::int32_t, const contours::Segment&) {
                  vertexCount += 4;
                  triangleCount += 2;
              });
    // A grid too large for the mesh's int32 lists gets no ribbons rather than a partial set.
    if (vertexCount > std::numeric_limits<std::int32_t>::max())
        vertexCount = triangleCount = 0;
    mesh.SetVertexCount(static_cast<std::int32_t>(vertexCount));
    mesh.SetTriangleCount(static_cast<std::int32_t>(triangleCount));

    rt::VectorList& positions = mesh.VertexPositions();
    rt::TriangleList& triangles = mesh.Triangles();
    std::int64_t n = 0;
    std::int64_t m = 0;
    TraceGrid(grid, levels, candidates, progress, 90.0,
              [&](std::int32_t i, std::int32_t j, const contours::Segment& s) {
                  if (n + 4 > vertexCount)
                      return;
                  const double x0 = transform.X(s.x0);
                  const double y0 = transform.Y(s.y0);
                  const double x1 = transform.X(s.x1);
                  const double y1 = transform.Y(s.y1);
                  const double base = transform.Z(grid.z(i, j));
                  double top = base + thickness;
                  if (!std::isfinite(top))
                      top = base;
                  const auto v = static_cast<std::int32_t>(n);
                  positions.SetXYZ(v, x0, top, y0);
                  positions.SetXYZ(v + 1, x1, top, y1);
                  positions.SetXYZ(v + 2, x1, base, y1);
                  positions.SetXYZ(v + 3, x0, base, y0);
                  const auto t = static_cast<std::int32_t>(m);
                  triangles.SetABC(t, v, v + 1, v + 2);
                  triangles.SetABC(t + 1, v + 2, v + 3, v);
                  n += 4;
                  m += 2;
              });

    mesh.RenderBackFaces = true;
    mesh.HasVertexColors = true;
    mesh.VertexColors().AddRGBToAll(0, 0, 0);
}

} // namespace meshbuild
