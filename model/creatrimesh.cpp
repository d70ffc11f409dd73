// The 3D surface mesh of the height grid: one vertex per node coloured by height, two triangles
// per cell; then the contour ribbons.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>

#include "model/contours.h"
#include "model/globali.h"
#include "model/meshbuild.h"
#include "model/progressreport.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/fincontrol.h"

namespace meshbuild {

double MeshTransform::Coordinate(double value, double low, double half) const {
    const double c = ((value - low) - half) * scale;
    if (std::isfinite(c))
        return c;
    // The same value from halved terms, for differences beyond the range of doubles.
    const double halved = ((value / 2 - low / 2) - half / 2) * scale;
    if (std::isfinite(halved) && std::fabs(halved) <= 0x1p1022)
        return halved * 2;
    return 0.0;
}

namespace {

// 1000 / span, or infinity when the span sets no limit (zero, negative, not a number, or so
// small that the quotient overflows).
double ScaleLimit(double low, double high) {
    const double span = high - low;
    double limit = std::numeric_limits<double>::infinity();
    if (std::isfinite(span)) {
        if (span > 0.0)
            limit = 1000.0 / span;
    } else {
        const double half = contours::HalfSpan(low, high);
        if (half > 0.0)
            limit = 500.0 / half;
    }
    return std::isfinite(limit) ? limit : std::numeric_limits<double>::infinity();
}

} // namespace

MeshTransform TransformFromBounds() {
    using namespace globali;
    MeshTransform t;
    double scale = std::min(ScaleLimit(xmin, xmax), ScaleLimit(ymin, ymax));
    scale = std::min(scale, ScaleLimit(zmin, zmax));
    t.scale = std::isfinite(scale) ? scale : 1.0;
    t.xmin = std::isfinite(xmin) ? xmin : 0.0;
    t.ymin = std::isfinite(ymin) ? ymin : 0.0;
    t.zmin = std::isfinite(zmin) ? zmin : 0.0;
    t.hx = contours::HalfSpan(xmin, xmax);
    t.hy = contours::HalfSpan(ymin, ymax);
    t.hz = contours::HalfSpan(zmin, zmax);
    return t;
}

double RibbonThickness(const MeshTransform& transform, std::int32_t setting) {
    using namespace globali;
    const std::int32_t v = std::clamp<std::int32_t>(setting, 0, 14);
    const double divisor = static_cast<double>((15 - v) * 100);
    const double thickness = (((((xmax - xmin) + ymax) - ymin) + zmax) - zmin) * transform.scale / divisor;
    if (std::isfinite(thickness))
        return thickness;
    const double s = transform.scale;
    const double halved = (transform.hx * s + transform.hy * s + transform.hz * s) / divisor;
    return std::isfinite(halved) ? halved * 2 : 0.0;
}

} // namespace meshbuild

namespace {

// Progress of a grid row: row * 20 as a whole number, divided by the row count, plus the base.
std::int32_t RowProgress(std::int32_t row, std::int32_t rows, double base) {
    const double part =
        rows > 0 ? static_cast<double>(std::int64_t{row} * 20) / static_cast<double>(rows) : 0.0;
    return rt::conv(part + base);
}

void ShowRow(std::int32_t row, std::int32_t rows, double base) {
    progressreport::Show(RowProgress(row, rows, base));
    rt::RuntimeBackgroundTask();
}

std::int32_t RibbonSetting() {
    return rt::Instance<fincontrol>().Slider2.Value();
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
    progressreport::SetMaximum(100);
    const std::int32_t nx = mxtot;
    const std::int32_t ny = mytot;
    if (!GridIsMeshable(nx, ny)) {
        // No grid to show: both meshes become empty ones.
        terreno = std::make_shared<rt::Trimesh>();
        tercurva = std::make_shared<rt::Trimesh>();
        progressreport::Show(0);
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

    progressreport::Show(0);
}
