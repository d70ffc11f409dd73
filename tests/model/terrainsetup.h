#pragma once
// Shared set-up for the terrain tests: survey points, bounds and a height grid spread evenly over
// them, as values or in the shared variables, and a control panel that records what the routines
// show on it. No window may open while a terrain routine runs.

#include <QApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/globali.h"
#include "model/terraindata.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"
#include "rt/scene3d.h"

namespace terraintest {

struct Point {
    double x, y, z;
};

// A survey of the points, ptot the last.
inline terrain::Survey Points(const std::vector<Point>& points) {
    terrain::Survey survey{.x = {}, .y = {}, .z = {}, .last = static_cast<std::int32_t>(points.size()) - 1};
    for (const Point& p : points) {
        survey.x.push_back(p.x);
        survey.y.push_back(p.y);
        survey.z.push_back(p.z);
    }
    return survey;
}

inline void SetPoints(const std::vector<Point>& points) {
    globali::survey = Points(points);
}

// The bounds with their spans; the ratio is left at 0.
inline terrain::Bounds Bounds(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
    return {xmin, ymin, zmin, xmax, ymax, zmax, xmax - xmin, ymax - ymin, zmax - zmin, 0};
}

// low + (high - low) / count * index; bounds whose span overflows are blended instead.
inline double Spread(double low, double high, int index, int count) {
    const double plain = low + (high - low) / count * index, share = static_cast<double>(index) / count;
    return std::isfinite(plain) ? plain : low * (1.0 - share) + high * share;
}

// A grid of nx by ny intervals over the bounds; node (i, j) gets height(i, j).
inline terrain::HeightGrid Grid(const terrain::Bounds& bounds, std::int32_t nx, std::int32_t ny,
                                const std::function<double(int, int)>& height) {
    terrain::HeightGrid grid{nx, ny, Array2D<double>(nx, ny), Array2D<double>(nx, ny),
                             Array2D<double>(nx, ny)};
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            grid.x(i, j) = Spread(bounds.xmin, bounds.xmax, i, nx);
            grid.y(i, j) = Spread(bounds.ymin, bounds.ymax, j, ny);
            grid.z(i, j) = height(i, j);
        }
    return grid;
}

// The shared bounds and grid (the ratio stays as it is).
inline void SetBounds(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
    terrain::Bounds bounds = Bounds(xmin, xmax, ymin, ymax, zmin, zmax);
    bounds.rapp = globali::rapp;
    globali::bounds = bounds;
}
inline void SetGrid(std::int32_t nx, std::int32_t ny, const std::function<double(int, int)>& height) {
    globali::grid = Grid(globali::bounds, nx, ny, height);
}

// Every node of a grid, x y z each, for comparing grids.
inline std::vector<double> Nodes(const terrain::HeightGrid& grid) {
    std::vector<double> nodes;
    for (std::int32_t i = 0; i <= grid.nx; ++i)
        for (std::int32_t j = 0; j <= grid.ny; ++j)
            nodes.insert(nodes.end(), {grid.x(i, j), grid.y(i, j), grid.z(i, j)});
    return nodes;
}

inline bool AllFinite(const std::vector<double>& values) {
    return std::all_of(values.begin(), values.end(), [](double value) { return std::isfinite(value); });
}

// Vertices first to first + count - 1 of a mesh (every vertex by default), x y z each.
inline std::vector<double> Positions(const rt::Trimesh& mesh, std::int32_t first = 0,
                                     std::int32_t count = -1) {
    std::vector<double> values;
    for (std::int32_t n = first; n < (count < 0 ? mesh.VertexCount() : first + count); ++n) {
        const rt::Vector3D v = mesh.VertexPositions().Item(n);
        values.insert(values.end(), {v.X, v.Y, v.Z});
    }
    return values;
}

// Grids on which the contour passes are compared with the plain tracing of every cell: a rolling
// surface; heights on the levels, beyond them and not numbers; a height range far wider than the
// level divisors keep.
struct TracingGrid {
    std::int32_t nx, ny;
    double zmin, zmax;
    std::function<double(int, int)> height;
};
inline std::vector<TracingGrid> TracingGrids() {
    return {
        {61, 47, 0, 100, [](int i, int j) { return 50 + 45 * std::sin(i / 6.0) * std::cos(j / 5.0); }},
        {13, 11, -6, 10,
         [](int i, int j) { return (i * j) % 7 == 3   ? NAN
                                   : (i + j) % 5 == 0 ? 4.0
                                                      : (i - j) * 1.3; }},
        {40, 25, -3000, 5000, [](int i, int j) { return -3000 + 8000 * ((i * 7 + j * 13) % 17) / 16.0; }},
    };
}

class RecordingPanel : public TerrainPanel {
public:
    std::int32_t power = 10, ribbons = 0, maximum = -1, canvasWidth = 0, canvasHeight = 0;
    std::vector<std::string> texts; // "span: ...", "x: ...", "y: ..." in the order set
    std::vector<std::int32_t> progress;
    rt::Picture backdrop;
    std::int32_t PowerSetting() override { return power; }
    std::int32_t RibbonSetting() override { return ribbons; }
    void ShowSpans(double dx, double dy, double dz) override {
        texts.push_back("span: " + rt::Str(dx) + ",  " + rt::Str(dy) + ",  " + rt::Str(dz));
    }
    void SetXCountText(const std::string& text) override { texts.push_back("x: " + text); }
    void SetYCountText(const std::string& text) override { texts.push_back("y: " + text); }
    void SetProgressMaximum(std::int32_t value) override { maximum = value; }
    void ShowProgress(std::int32_t value) override { progress.push_back(value); }
    std::int32_t CanvasWidth() override { return canvasWidth; }
    std::int32_t CanvasHeight() override { return canvasHeight; }
    rt::Picture CanvasBackdrop() override { return backdrop; }
};

// The named routines on the shared variables, reporting on an installed panel.
class TerrainTest : public ::testing::Test {
protected:
    void SetUp() override { previous_ = TerrainPanel::Install(&panel); }
    void TearDown() override {
        TerrainPanel::Install(previous_);
        EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty()) << "a terrain routine opened a window";
    }
    RecordingPanel panel;

private:
    TerrainPanel* previous_ = nullptr;
};

// The terrain functions on values of their own: the shared variables hold values that would
// change every result, and no panel is installed.
class TerrainValues : public TerrainTest {
protected:
    void SetUp() override {
        TerrainTest::SetUp();
        TerrainPanel::Install(nullptr);
        globali::survey = Points({{1e6, -1e6, 1e6}});
        globali::bounds = Bounds(-1e9, -1e9 + 1, 5e8, 5e8 + 1, -7, -7);
        globali::grid = Grid(globali::bounds, 1, 1, [](int, int) { return NAN; });
    }
    // Records the progress without being installed.
    RecordingPanel& progress = panel;
};

} // namespace terraintest
