// The 3D surface mesh of the height grid: one vertex per node coloured by height, two triangles
// per cell; then the contour ribbons.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include "model/contours.h"
#include "model/creatrimesh.h"
#include "model/globali.h"
#include "model/meshtransform.h"
#include "model/ribbons.h"
#include "model/terrainpanel.h"
#include "rt/runtime.h"

namespace {

// Progress of a grid row: row * 20 as a whole number, divided by the row count, plus the base.
std::int32_t RowProgress(std::int32_t row, std::int32_t rows, double base) {
    const double part =
        rows > 0 ? static_cast<double>(std::int64_t{row} * 20) / static_cast<double>(rows) : 0.0;
    return rt::conv(part + base);
}

void ShowRow(std::int32_t row, std::int32_t rows, double base) {
    TerrainPanel::Current().ShowProgress(RowProgress(row, rows, base));
    rt::RuntimeBackgroundTask();
}

std::int32_t RibbonSetting() {
    return TerrainPanel::Current().RibbonSetting();
}

// The grid can be meshed: its arrays hold every node and the counts fit the mesh's int32 lists.
bool GridIsMeshable(std::int32_t nx, std::int32_t ny) {
    using namespace globali;
    if (!contours::GridCovers(mx, nx, ny) || !contours::GridCovers(my, nx, ny) ||
        !contours::GridCovers(mz, nx, ny))
        return false;
    const std::int64_t vertices = (std::int64_t{nx} + 1) * (std::int64_t{ny} + 1);
    const std::int64_t triangles = 2 * std::int64_t{nx} * std::int64_t{ny};
    return vertices <= std::numeric_limits<std::int32_t>::max() &&
           triangles <= std::numeric_limits<std::int32_t>::max();
}

} // namespace

void globali::creatrimesh() {
    TerrainPanel& panel = TerrainPanel::Current();
    panel.SetProgressMaximum(100);
    const std::int32_t nx = mxtot;
    const std::int32_t ny = mytot;
    if (!GridIsMeshable(nx, ny)) {
        // No grid to show: both meshes become empty ones.
        terreno = std::make_shared<rt::Trimesh>();
        tercurva = std::make_shared<rt::Trimesh>();
        panel.ShowProgress(0);
        return;
    }

    Array2D<double> sceneX(nx, ny);
    Array2D<double> sceneY(nx, ny);
    Array2D<double> sceneZ(nx, ny);

    const meshbuild::MeshTransform transform = meshbuild::TransformFromBounds();

    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            sceneX(i, j) = transform.X(mx(i, j));
            sceneY(i, j) = transform.Y(my(i, j));
            sceneZ(i, j) = transform.Z(mz(i, j));
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, ny, 0.0);
    }

    const double thickness = meshbuild::RibbonThickness(transform, RibbonSetting());

    terreno = std::make_shared<rt::Trimesh>();
    rt::Trimesh& surface = *terreno;

    surface.SetVertexCount((nx + 1) * (ny + 1));
    rt::VectorList& positions = surface.VertexPositions();
    std::int32_t n = 0;
    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            positions.SetXYZ(n, sceneX(i, j), sceneZ(i, j), sceneY(i, j));
            ++n;
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, ny, 20.0);
    }

    surface.HasVertexColors = true;
    rt::ColorList& colours = surface.VertexColors();
    n = 0;
    for (std::int32_t j = 0; j <= ny; ++j) {
        for (std::int32_t i = 0; i <= nx; ++i) {
            colours.SetItem(n, contours::HeightColour(mz(i, j)));
            ++n;
            rt::RuntimeBackgroundTask();
        }
        ShowRow(j, ny, 40.0);
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
        ShowRow(j, ny, 60.0);
    }

    surface.RenderBackFaces = true;

    const contours::LevelSeries levels = contours::LevelSeriesFor(50.0);

    tercurva = std::make_shared<rt::Trimesh>();
    if (RibbonSetting() > 0)
        meshbuild::BuildRibbons(*tercurva, transform, thickness, levels);

    panel.ShowProgress(0);
}
