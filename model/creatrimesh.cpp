// The 3D surface mesh of the height grid: one vertex per node coloured by height, two triangles
// per cell; then the contour ribbons.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>

#include "model/contours.h"
#include "model/creatrimesh.h"
#include "model/globali.h"
#include "model/meshtransform.h"
#include "model/ribbons.h"
#include "model/terraindata.h"
#include "model/terrainpanel.h"
#include "rt/runtime.h"

namespace {

// Progress of a grid row: row * 20 as a whole number, divided by the row count, plus the base.
std::int32_t RowProgress(std::int32_t row, std::int32_t rows, double base) {
    const double part =
        rows > 0 ? static_cast<double>(std::int64_t{row} * 20) / static_cast<double>(rows) : 0.0;
    return rt::conv(part + base);
}

void ShowRow(terrain::Progress& progress, std::int32_t row, std::int32_t rows, double base) {
    progress.ShowProgress(RowProgress(row, rows, base));
    rt::RuntimeBackgroundTask();
}

// The grid can be meshed: its arrays hold every node and the counts fit the mesh's int32 lists.
bool GridIsMeshable(const terrain::HeightGrid& grid) {
    const std::int32_t nx = grid.nx;
    const std::int32_t ny = grid.ny;
    if (!contours::GridCovers(grid.x, nx, ny) || !contours::GridCovers(grid.y, nx, ny) ||
        !contours::GridCovers(grid.z, nx, ny))
        return false;
    const std::int64_t vertices = (std::int64_t{nx} + 1) * (std::int64_t{ny} + 1);
    const std::int64_t triangles = 2 * std::int64_t{nx} * std::int64_t{ny};
    return vertices <= std::numeric_limits<std::int32_t>::max() &&
           triangles <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

namespace terrain {

Meshes BuildMeshes(const HeightGrid& grid, const Bounds& bounds, std::int32_t ribbonSetting,
                   Progress& progress) {
    progress.SetProgressMaximum(100);
    Meshes meshes;
    if (!GridIsMeshable(grid)) {
        // No grid to show: both meshes are empty ones.
        meshes.surface = std::make_shared<rt::Trimesh>();
        meshes.ribbons = std::make_shared<rt::Trimesh>();
        progress.ShowProgress(0);
        return meshes;
    }
    const std::int32_t nx = grid.nx;
    const std::int32_t ny = grid.ny;
    const Array2D<double>& mx = grid.x;
    const Array2D<double>& my = grid.y;
    const Array2D<double>& mz = grid.z;

    Array2D<double> sceneX(nx, ny);
    Array2D<double> sceneY(nx, ny);
    Array2D<double> sceneZ(nx, ny);

    const meshbuild::MeshTransform transform = meshbuild::TransformFromBounds(bounds);

    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            sceneX(i, j) = transform.X(mx(i, j));
            sceneY(i, j) = transform.Y(my(i, j));
            sceneZ(i, j) = transform.Z(mz(i, j));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(progress, j, ny, 0.0);
    }

    const double thickness = meshbuild::RibbonThickness(bounds, transform, ribbonSetting);

    meshes.surface = std::make_shared<rt::Trimesh>();
    rt::Trimesh& surface = *meshes.surface;

    surface.SetVertexCount((nx + 1) * (ny + 1));
    rt::VectorList& positions = surface.VertexPositions();
    std::int32_t n = 0;
    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            positions.SetXYZ(n, sceneX(i, j), sceneZ(i, j), sceneY(i, j));
            ++n;
            rt::RuntimeBackgroundTask();
        }
        ShowRow(progress, j, ny, 20.0);
    }

    surface.HasVertexColors = true;
    rt::ColorList& colours = surface.VertexColors();
    n = 0;
    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            colours.SetItem(n, contours::HeightColour(mz(i, j), bounds.zmin, bounds.zmax));
            ++n;
            rt::RuntimeBackgroundTask();
        }
        ShowRow(progress, j, ny, 40.0);
    }

    surface.SetTriangleCount(2 * nx * ny);
    rt::TriangleList& triangles = surface.Triangles();
    std::int32_t t = 0;
    for (std::int32_t j = 0; j < ny; ++j) {
        for (std::int32_t i = 0; i < nx; ++i) {
            const std::int32_t a = i + j * (nx + 1);
            const std::int32_t b = a + nx + 1;
            triangles.SetABC(t, a, b, b + 1);
            triangles.SetABC(t + 1, b + 1, a + 1, a);
            t += 2;
            rt::RuntimeBackgroundTask();
        }
        ShowRow(progress, j, ny, 60.0);
    }

    surface.RenderBackFaces = true;

    const contours::LevelSeries levels = contours::LevelSeriesFor(50.0, bounds.zmin, bounds.zmax);

    meshes.ribbons = std::make_shared<rt::Trimesh>();
    if (ribbonSetting > 0)
        meshbuild::BuildRibbons(*meshes.ribbons, grid, transform, thickness, levels, progress);

    progress.ShowProgress(0);
    return meshes;
}

} // namespace terrain

void globali::creatrimesh() {
    TerrainPanel& panel = TerrainPanel::Current();
    terrain::Meshes meshes = terrain::BuildMeshes(grid, bounds, panel.RibbonSetting(), panel);
    terreno = std::move(meshes.surface);
    tercurva = std::move(meshes.ribbons);
}
