#pragma once
// Shared set-up for the terrain tests: survey points, bounds, a height grid spread evenly over
// them, and a control panel that records what the routines show on it. No window may open while
// a terrain routine runs.

#include <QApplication>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "model/globali.h"
#include "model/terrainpanel.h"
#include "rt/conv.h"

namespace terraintest {

struct Point {
    double x, y, z;
};

inline void SetPoints(const std::vector<Point>& points) {
    globali::px.clear();
    globali::py.clear();
    globali::pz.clear();
    for (const Point& p : points) {
        globali::px.push_back(p.x);
        globali::py.push_back(p.y);
        globali::pz.push_back(p.z);
    }
    globali::ptot = static_cast<std::int32_t>(points.size()) - 1;
}

inline void SetBounds(double xmin, double xmax, double ymin, double ymax, double zmin, double zmax) {
    using namespace globali;
    std::tie(globali::xmin, globali::xmax, globali::ymin, globali::ymax, globali::zmin, globali::zmax) =
        std::tie(xmin, xmax, ymin, ymax, zmin, zmax);
    std::tie(dx, dy, dz) = std::make_tuple(xmax - xmin, ymax - ymin, zmax - zmin);
}

// low + (high - low) / count * index; bounds whose span overflows are blended instead.
inline double Spread(double low, double high, int index, int count) {
    const double plain = low + (high - low) / count * index, share = static_cast<double>(index) / count;
    return std::isfinite(plain) ? plain : low * (1.0 - share) + high * share;
}

// A grid of nx by ny intervals over the current bounds; node (i, j) gets height(i, j).
inline void SetGrid(std::int32_t nx, std::int32_t ny, const std::function<double(int, int)>& height) {
    globali::mxtot = nx;
    globali::mytot = ny;
    for (auto* grid : {&globali::mx, &globali::my, &globali::mz})
        grid->Redim(nx, ny);
    for (int i = 0; i <= nx; ++i)
        for (int j = 0; j <= ny; ++j) {
            globali::mx(i, j) = Spread(globali::xmin, globali::xmax, i, nx);
            globali::my(i, j) = Spread(globali::ymin, globali::ymax, j, ny);
            globali::mz(i, j) = height(i, j);
        }
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

} // namespace terraintest
