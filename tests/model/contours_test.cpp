// Height colours, contour level series, the tracing of a level through one grid cell, and the
// height-coloured top view drawn with them onto the drawing canvas's backdrop.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/contours.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "tests/model/terrainsetup.h"

namespace {

using contours::HeightColour;
using contours::TraceCell;
using std::vector;
using terraintest::SetBounds;
using terraintest::SetGrid;

constexpr double kBig = std::numeric_limits<double>::max();
constexpr rt::Color kBackdrop = 0x2040C0;

class Contours : public terraintest::TerrainTest {
protected:
    // A canvas of width x height showing a plain blue backdrop.
    rt::Picture PrepareCanvas(std::int32_t width, std::int32_t height) {
        panel.canvasWidth = width;
        panel.canvasHeight = height;
        panel.backdrop = rt::Picture::New(width, height, 32);
        panel.backdrop.Graphics().SetForeColor(kBackdrop);
        panel.backdrop.Graphics().FillRect(0, 0, width, height);
        return panel.backdrop;
    }
};

TEST_F(Contours, HueAndLevelSeriesFollowTheHeightRangeEvenWhenItOverflows) {
    const struct {
        double zmin, zmax, z, hue;
    } hues[] = {{-40, 60, -40, 0.33}, {-40, 60, 60, 0.0}, {-kBig, kBig, 0, 0.165}, {-kBig, kBig, NAN, 0.33}};
    for (const auto& c : hues) {
        SetBounds(0, 1, 0, 1, c.zmin, c.zmax);
        EXPECT_EQ(HeightColour(c.z), rt::HSV(c.hue, 0.66, 0.33)) << c.z << " in " << c.zmin << ".." << c.zmax;
    }
    const struct {
        double zmin, zmax, divisor;
        std::int32_t kmin, kmax, step;
    } series[] = {
        {-1, 0, 50, -1, 0, 1}, // -0.5 halves away from zero
        {0, 140, 20, 0, 70, 4},
        {-kBig, kBig, 20, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max(),
         rt::conv(4294967295.0 / 20.0)},
    };
    for (const auto& c : series) {
        SetBounds(0, 1, 0, 1, c.zmin, c.zmax);
        const contours::LevelSeries s = contours::LevelSeriesFor(c.divisor);
        EXPECT_EQ(vector<std::int32_t>({s.kmin, s.kmax, s.step}),
                  vector<std::int32_t>({c.kmin, c.kmax, c.step}))
            << c.zmin << ".." << c.zmax << " / " << c.divisor;
    }
}

TEST_F(Contours, NeighbouringCellsMeetExactlyOnTheirSharedEdge) {
    // Cells (0, 0) and (1, 0) share the edge at x = 10; interpolating it from its upper end would
    // round differently.
    const contours::Node a00{0, 0, 1}, a10{10, 0, 1.1}, a01{0, 10, 1.5}, a11{10, 10, 7}, b10{20, 0, 2.5},
        b11{20, 10, 8};
    const contours::CellTrace left = TraceCell(3.3, a00, a10, a01, a11);
    const contours::CellTrace right = TraceCell(3.3, a10, b10, a11, b11);
    ASSERT_TRUE(left.hasB && right.hasA);
    EXPECT_EQ(vector<double>({left.b.x1, left.b.y1}), vector<double>({right.a.x0, right.a.y0}));
}

TEST_F(Contours, TopViewWithoutSpanBackdropOrFiniteHeightsStaysDefined) {
    rt::Picture backdrop = PrepareCanvas(400, 300);
    SetBounds(0, 100, 50, 50, 0, 10);
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();
    EXPECT_EQ(backdrop.Pixel(200, 150), kBackdrop);
    EXPECT_EQ(panel.progress.back(), 0);
    panel.backdrop = rt::Picture();
    SetBounds(0, 100, 0, 100, 0, 10);
    globali::curvedilivello();
    EXPECT_EQ(panel.progress.back(), 0);
    backdrop = PrepareCanvas(400, 400);
    SetBounds(0, 100, 0, 100, -kBig, kBig);
    SetGrid(4, 4, [](int i, int j) { return (i + j) % 2 == 0 ? -kBig : kBig; });
    globali::curvedilivello();
    EXPECT_EQ(panel.maximum, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(vector<rt::Color>({backdrop.Pixel(1, 1), backdrop.Pixel(101, 1)}),
              vector<rt::Color>({HeightColour(-kBig), HeightColour(kBig)}));
}

// The top view of a w x h picture drawn by the plain loops: every node's rectangle, then every
// level's segments through every cell.
rt::Picture PlainTopView(std::int32_t w, std::int32_t h) {
    using namespace globali;
    const rt::Picture picture = rt::Picture::New(w, h, 32);
    rt::Graphics& g = picture.Graphics();
    auto at = [](int index, int size, int count) { return static_cast<double>(index * size) / count; };
    for (int i = 0; i <= mxtot; ++i)
        for (int j = 0; j <= mytot; ++j) {
            g.SetForeColor(HeightColour(mz(i, j)));
            g.FillRect(rt::conv(at(i, w, mxtot)), rt::conv(at(j, h, mytot)),
                       rt::conv(static_cast<double>(w) / mxtot + 1.0),
                       rt::conv(static_cast<double>(h) / mytot + 1.0));
        }
    g.SetForeColor(0);
    const contours::LevelSeries levels = contours::LevelSeriesFor(20.0);
    for (std::int64_t k = levels.kmin; k <= levels.kmax; k += levels.step)
        for (int i = 0; i < mxtot; ++i)
            for (int j = 0; j < mytot; ++j) {
                const double x0 = at(i, w, mxtot), x1 = at(i + 1, w, mxtot), y0 = at(j, h, mytot),
                             y1 = at(j + 1, h, mytot);
                const contours::CellTrace t =
                    TraceCell(contours::LevelHeight(k), {x0, y0, mz(i, j)}, {x1, y0, mz(i + 1, j)},
                              {x0, y1, mz(i, j + 1)}, {x1, y1, mz(i + 1, j + 1)});
                for (const auto* s : {t.hasA ? &t.a : nullptr, t.hasB ? &t.b : nullptr})
                    if (s != nullptr)
                        g.DrawLine(rt::conv(s->x0), rt::conv(s->y0), rt::conv(s->x1), rt::conv(s->y1));
            }
    return picture;
}

TEST_F(Contours, TopViewDrawsThePixelsOfThePlainLoopsWithTheSameYields) {
    for (const auto& g : terraintest::TracingGrids()) {
        const rt::Picture backdrop = PrepareCanvas(300, 200);
        SetBounds(0, 90, 0, 75, g.zmin, g.zmax);
        SetGrid(g.nx, g.ny, g.height);
        const std::uint64_t before = rt::YieldCount();
        globali::curvedilivello();
        // A picture 240 x 200 pasted at (30, 0).
        const rt::Picture expected = PrepareCanvas(300, 200);
        expected.Graphics().DrawPicture(PlainTopView(240, 200), 30, 0);
        std::int64_t differing = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 300; ++x)
                differing += backdrop.Pixel(x, y) != expected.Pixel(x, y) ? 1 : 0;
        EXPECT_EQ(differing, 0) << g.nx << " x " << g.ny;
        const contours::LevelSeries levels = contours::LevelSeriesFor(20.0);
        const std::uint64_t levelCount = (std::int64_t{levels.kmax} - levels.kmin) / levels.step + 1;
        EXPECT_EQ(rt::YieldCount() - before, (g.nx + 1) * (g.ny + 2) + levelCount * (g.nx * g.ny + g.nx + 1));
        EXPECT_EQ(panel.progress.back(), 0);
    }
}

} // namespace
