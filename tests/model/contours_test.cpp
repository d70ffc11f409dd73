// Height colours, contour level series, the tracing of a level through one grid cell, and the
// height-coloured top view drawn with them onto the drawing window's backdrop.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "model/contours.h"
#include "model/globali.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "tests/model/terrainsetup.h"
#include "views/finestra.h"

namespace {

using contours::HeightColour;
using contours::Node;
using contours::TraceCell;
using std::vector;
using terraintest::SetBounds;
using terraintest::SetGrid;

constexpr double kBig = std::numeric_limits<double>::max();

void SetHeightRange(double zmin, double zmax) {
    terraintest::SetBounds(0, 1, 0, 1, zmin, zmax);
}

TEST(HeightColour, HueFallsFromGreenAtTheLowestToRedAtTheHighestHeight) {
    const struct {
        double zmin, zmax, z, hue;
    } cases[] = {
        {-40, 60, -40, 0.33},    {-40, 60, 60, 0.0},       {-40, 60, 10, 0.165},
        {5, 5, 5, 0.33},         {5, 5, 7, 0.33},          {0, 0, 0, 0.33}, // flat: all as the lowest
        {-kBig, kBig, 0, 0.165}, {-kBig, kBig, kBig, 0.0}, {-kBig, kBig, NAN, 0.33},
    };
    for (const auto& c : cases) {
        SetHeightRange(c.zmin, c.zmax);
        EXPECT_EQ(HeightColour(c.z), rt::HSV(c.hue, 0.66, 0.33)) << c.z << " in " << c.zmin << ".." << c.zmax;
    }
}

TEST(LevelSeries, EvenLevelsOfTheHeightRangeSteppedByTheDivisor) {
    constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const struct {
        double zmin, zmax, divisor;
        std::int32_t kmin, kmax, step;
    } cases[] = {
        {-6, 10, 20, -3, 5, 1},
        {-1, 0, 50, -1, 0, 1}, // -0.5 halves away from zero
        {100, 300, 20, 50, 150, 5},
        {100, 300, 50, 50, 150, 2},
        {0, 140, 20, 0, 70, 4}, // 3.5 halves away from zero
        {-kBig, kBig, 20, kMin, kMax, rt::conv(4294967295.0 / 20.0)},
    };
    for (const auto& c : cases) {
        SetHeightRange(c.zmin, c.zmax);
        const contours::LevelSeries series = contours::LevelSeriesFor(c.divisor);
        EXPECT_EQ(vector<std::int32_t>({series.kmin, series.kmax, series.step}),
                  vector<std::int32_t>({c.kmin, c.kmax, c.step}))
            << c.zmin << ".." << c.zmax << " / " << c.divisor;
    }
    EXPECT_EQ(contours::LevelHeight(-3), -6.0);
}

vector<double> Coordinates(const contours::Segment& s) {
    return {s.x0, s.y0, s.x1, s.y1};
}

// The worked cell: columns at x 0 and 10, rows at y 0 and 10.
const Node n00{0, 0, 1}, n10{10, 0, 5}, n01{0, 10, 3}, n11{10, 10, 5};

TEST(CellTracing, EachTriangleRunsFromItsRowEdgeToTheDiagonal) {
    const contours::CellTrace trace = TraceCell(4.0, n00, n10, n01, n11);
    ASSERT_TRUE(trace.hasA && trace.hasB);
    EXPECT_EQ(Coordinates(trace.a), (vector<double>{7.5, 0, 5, 5}));
    EXPECT_EQ(Coordinates(trace.b), (vector<double>{5, 10, 5, 5}));
}

TEST(CellTracing, ACornerOnTheLevelOrALevelOutsideTheCellGivesNoSegment) {
    const struct {
        const char* what;
        double level;
        Node a, b, c, d;
    } cases[] = {
        {"one crossing per triangle", 4, {0, 0, 4}, {10, 0, 5}, {0, 10, 3}, {10, 10, 4}},
        {"the rest on one side", 4, {0, 0, 4}, {10, 0, 5}, {0, 10, 6}, {10, 10, 9}},
        {"flat on the level", 4, {0, 0, 4}, {10, 0, 4}, {0, 10, 4}, {10, 10, 4}},
        {"below the cell", 0, n00, n10, n01, n11},
        {"above the cell", 6, n00, n10, n01, n11},
    };
    for (const auto& c : cases) {
        const contours::CellTrace trace = TraceCell(c.level, c.a, c.b, c.c, c.d);
        EXPECT_FALSE(trace.hasA || trace.hasB) << c.what;
    }
}

TEST(CellTracing, SegmentsOfNeighbouringCellsAndTrianglesMeetExactly) {
    // Cells (0, 0) and (1, 0) share the column edge at x = 10. Interpolating that edge from its
    // upper end would round differently.
    const Node a00{0, 0, 1}, a10{10, 0, 1.1}, a01{0, 10, 1.5}, a11{10, 10, 7};
    const Node b10{20, 0, 2.5}, b11{20, 10, 8};
    const contours::CellTrace left = TraceCell(3.3, a00, a10, a01, a11);
    const contours::CellTrace right = TraceCell(3.3, a10, b10, a11, b11);
    ASSERT_TRUE(left.hasB && right.hasA);
    EXPECT_EQ(vector<double>({left.b.x1, left.b.y1}), vector<double>({right.a.x0, right.a.y0}));
    EXPECT_EQ(right.a.x0, 10.0);
    EXPECT_NEAR(right.a.y0, 2.2 * 10 / 5.9, 1e-12);

    // The two triangles of one cell share the diagonal point.
    const contours::CellTrace both = TraceCell(3.7, n00, n10, n01, {10, 10, 3.1});
    ASSERT_TRUE(both.hasA && both.hasB);
    EXPECT_EQ(vector<double>({both.a.x1, both.a.y1}), vector<double>({both.b.x1, both.b.y1}));
}

constexpr rt::Color kBackdrop = 0x2040C0;
constexpr rt::Color kBlack = 0x000000;

// A drawing window whose canvas is width x height and shows a plain blue backdrop.
rt::Picture PrepareCanvas(std::int32_t width, std::int32_t height) {
    Finestra& window = rt::Instance<Finestra>();
    window.can_dis.SetWidth(width);
    window.can_dis.SetHeight(height);
    rt::Picture backdrop = rt::Picture::New(width, height, 32);
    backdrop.Graphics().SetForeColor(kBackdrop);
    backdrop.Graphics().FillRect(0, 0, width, height);
    window.can_dis.SetBackdrop(backdrop);
    return backdrop;
}

TEST(TopView, FitsTheBoundingBoxToTheCanvasAndPastesItCentred) {
    const struct {
        std::int32_t width, height, top, bottom; // rows of the picture's first and last pixels
    } cases[] = {
        {1000, 800, 200, 599}, // picture 1000 x 400
        {1001, 801, 201, 600}, // 1001 x conv(400.4); the top margin conv(200.5)
    };
    for (const auto& c : cases) {
        const rt::Picture backdrop = PrepareCanvas(c.width, c.height);
        SetBounds(0, 500, 0, 200, 0, 10);
        SetGrid(2, 2, [](int, int) { return 1.0; });

        globali::curvedilivello();

        const rt::Color node = HeightColour(1.0);
        for (const std::int32_t x : {0, c.width / 2, c.width - 1}) {
            EXPECT_EQ(backdrop.Pixel(x, c.top - 1), kBackdrop) << c.width << ": " << x;
            EXPECT_EQ(backdrop.Pixel(x, c.top), node) << c.width << ": " << x;
            EXPECT_EQ(backdrop.Pixel(x, c.bottom), node) << c.width << ": " << x;
            EXPECT_EQ(backdrop.Pixel(x, c.bottom + 1), kBackdrop) << c.width << ": " << x;
        }
    }
}

TEST(TopView, EachCellShowsItsTopLeftNodeWithYGrowingDownward) {
    const rt::Picture backdrop = PrepareCanvas(1000, 800);
    SetBounds(0, 500, 0, 200, 0, 2);
    // All heights strictly between the levels 0 and 2: no contour line.
    SetGrid(2, 2, [](int i, int j) { return 0.1 + 0.3 * i + 0.6 * j; });
    globali::mz(1, 1) = 1.9; // a hill near (xmax, ymax)

    globali::curvedilivello();

    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j)
            EXPECT_EQ(backdrop.Pixel(250 + 500 * i, 300 + 200 * j), HeightColour(globali::mz(i, j)))
                << "cell " << i << ", " << j;
    EXPECT_EQ(backdrop.Pixel(900, 550), HeightColour(1.9));
    // The later rectangle covers the one-pixel overlap of the earlier one.
    EXPECT_EQ(backdrop.Pixel(499, 300), HeightColour(globali::mz(0, 0)));
    EXPECT_EQ(backdrop.Pixel(500, 300), HeightColour(globali::mz(1, 0)));
    EXPECT_EQ(backdrop.Pixel(250, 400), HeightColour(globali::mz(0, 1)));
}

TEST(TopView, DrawsContourLinesInBlack) {
    const rt::Picture backdrop = PrepareCanvas(1000, 800);
    SetBounds(0, 500, 0, 200, 0, 10);
    // Heights 1, 3, 5 along X: level 2 runs down x = 250, level 4 down x = 750.
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });

    globali::curvedilivello();

    for (int y : {250, 300, 350, 450, 550}) {
        EXPECT_EQ(backdrop.Pixel(250, y), kBlack) << y;
        EXPECT_EQ(backdrop.Pixel(750, y), kBlack) << y;
    }
    EXPECT_EQ(backdrop.Pixel(252, 300), HeightColour(1.0));
    EXPECT_EQ(backdrop.Pixel(500, 300), HeightColour(3.0));
    EXPECT_EQ(backdrop.Pixel(748, 500), HeightColour(3.0));
    EXPECT_EQ(backdrop.Pixel(752, 500), HeightColour(3.0));
}

TEST(TopView, ReportsOneStepPerColumnThenOnePerLevelOfTheSteppedSeries) {
    // 30 columns; levels k = 0 .. zmax / 2, stepped for 20 levels.
    const struct {
        double zmax;
        std::int32_t step, lastLevel, maximum;
    } cases[] = {{20, 1, 10, 41}, {200, 5, 100, 131}, {140, 4, 68, 101}};
    for (const auto& c : cases) {
        PrepareCanvas(600, 400);
        SetBounds(0, 300, 0, 200, 0, c.zmax);
        SetGrid(30, 2, [](int i, int j) { return 0.5 * i + j; });
        terraintest::ProgressLog log;

        globali::curvedilivello();

        vector<std::int32_t> expected{0};
        for (std::int32_t column = 0; column <= 30; ++column)
            expected.push_back(column);
        for (std::int32_t k = 0; k <= c.lastLevel; k += c.step)
            expected.push_back(k + 1 + 30);
        expected.push_back(0);
        EXPECT_EQ(log.values, expected) << "heights up to " << c.zmax;
        EXPECT_EQ(terraintest::Bar().Maximum(), c.maximum);
        EXPECT_EQ(terraintest::Bar().Value(), 0);
    }
}

TEST(TopView, FlatSurveyIsOneColourWithoutLines) {
    const rt::Picture backdrop = PrepareCanvas(400, 400);
    SetBounds(0, 100, 0, 100, 5, 5);
    SetGrid(4, 4, [](int, int) { return 5.0; });

    globali::curvedilivello();

    for (int x = 0; x < 400; x += 37)
        for (int y = 0; y < 400; y += 41)
            EXPECT_EQ(backdrop.Pixel(x, y), rt::HSV(0.33, 0.66, 0.33)) << x << ", " << y;
}

TEST(TopView, ZeroSpanOrMissingBackdropPastesNothingAndEndsTheProgress) {
    const rt::Picture backdrop = PrepareCanvas(400, 300);
    SetBounds(0, 100, 50, 50, 0, 10);
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();
    for (int x = 0; x < 400; x += 50)
        for (int y = 0; y < 300; y += 50)
            EXPECT_EQ(backdrop.Pixel(x, y), kBackdrop);
    EXPECT_EQ(terraintest::Bar().Value(), 0);

    rt::Instance<Finestra>().can_dis.SetBackdrop(rt::Picture());
    SetBounds(0, 100, 0, 100, 0, 10);
    SetGrid(2, 2, [](int i, int) { return 1.0 + 2.0 * i; });
    globali::curvedilivello();
    EXPECT_FALSE(rt::Instance<Finestra>().can_dis.Backdrop());
    EXPECT_EQ(terraintest::Bar().Value(), 0);
}

TEST(TopView, ExtremeHeightsStillColourTheWholePicture) {
    const rt::Picture backdrop = PrepareCanvas(400, 400);
    const double big = std::numeric_limits<double>::max();
    SetBounds(0, 100, 0, 100, -big, big);
    SetGrid(4, 4, [big](int i, int j) { return (i + j) % 2 == 0 ? -big : big; });

    globali::curvedilivello();

    EXPECT_EQ(terraintest::Bar().Maximum(), std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(terraintest::Bar().Value(), 0);
    EXPECT_EQ(backdrop.Pixel(1, 1), HeightColour(-big));
    EXPECT_EQ(backdrop.Pixel(101, 1), HeightColour(big));
}

} // namespace
