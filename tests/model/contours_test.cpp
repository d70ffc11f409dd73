#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "model/contours.h"
#include "model/globali.h"
#include "rt/conv.h"
#include "terrainsetup.h"

namespace {

using contours::HeightColour;
using contours::Node;

int Red(rt::Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(rt::Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(rt::Color c) {
    return static_cast<int>(c & 0xFF);
}

TEST(HeightColour, RunsFromDarkGreenAtTheLowestToDarkRedAtTheHighestHeight) {
    terraintest::SetBounds(0, 1, 0, 1, -40.0, 60.0);
    const rt::Color low = HeightColour(-40.0);
    const rt::Color high = HeightColour(60.0);
    EXPECT_EQ(low, rt::HSV(0.33, 0.66, 0.33));
    EXPECT_EQ(high, rt::HSV(0.0, 0.66, 0.33));
    EXPECT_EQ(HeightColour(10.0), rt::HSV(0.165, 0.66, 0.33));
    EXPECT_GT(Green(low), Red(low));
    EXPECT_GT(Green(low), Blue(low));
    EXPECT_GT(Red(high), Green(high));
    EXPECT_GT(Red(high), Blue(high));
    EXPECT_LE(Green(low), 85); // value 0.33 keeps the tones dark
}

TEST(HeightColour, FlatSurveyColoursEveryHeightAsTheLowest) {
    terraintest::SetBounds(0, 1, 0, 1, 5.0, 5.0);
    EXPECT_EQ(HeightColour(5.0), rt::HSV(0.33, 0.66, 0.33));
    EXPECT_EQ(HeightColour(7.0), rt::HSV(0.33, 0.66, 0.33));
    terraintest::SetBounds(0, 1, 0, 1, 0.0, 0.0);
    EXPECT_EQ(HeightColour(0.0), rt::HSV(0.33, 0.66, 0.33));
}

TEST(HeightColour, StaysDefinedForSpansBeyondTheRangeOfDoubles) {
    const double big = std::numeric_limits<double>::max();
    terraintest::SetBounds(0, 1, 0, 1, -big, big);
    EXPECT_EQ(HeightColour(0.0), rt::HSV(0.165, 0.66, 0.33));
    EXPECT_EQ(HeightColour(big), rt::HSV(0.0, 0.66, 0.33));
    EXPECT_EQ(HeightColour(std::nan("")), rt::HSV(0.33, 0.66, 0.33));
}

TEST(LevelSeries, NegativeHeightsGiveEvenLevelsFromTheLowestUp) {
    terraintest::SetBounds(0, 1, 0, 1, -6.0, 10.0);
    const contours::LevelSeries series = contours::LevelSeriesFor(20.0);
    EXPECT_EQ(series.kmin, -3);
    EXPECT_EQ(series.kmax, 5);
    EXPECT_EQ(series.step, 1);
    EXPECT_EQ(contours::LevelHeight(series.kmin), -6.0);

    terraintest::SetBounds(0, 1, 0, 1, -1.0, 0.0);
    const contours::LevelSeries nearZero = contours::LevelSeriesFor(50.0);
    EXPECT_EQ(nearZero.kmin, -1); // -0.5, halves away from zero
    EXPECT_EQ(nearZero.kmax, 0);
    EXPECT_EQ(nearZero.step, 1);
}

TEST(LevelSeries, WideRangeStepsByTheDivisor) {
    terraintest::SetBounds(0, 1, 0, 1, 100.0, 300.0);
    const contours::LevelSeries topView = contours::LevelSeriesFor(20.0);
    EXPECT_EQ(topView.kmin, 50);
    EXPECT_EQ(topView.kmax, 150);
    EXPECT_EQ(topView.step, 5);
    EXPECT_EQ(contours::LevelSeriesFor(50.0).step, 2);

    terraintest::SetBounds(0, 1, 0, 1, 0.0, 140.0);
    EXPECT_EQ(contours::LevelSeriesFor(20.0).step, 4); // 3.5, halves away from zero
}

TEST(LevelSeries, ExtremeHeightsKeepAFewLevelsWithoutOverflow) {
    const double big = std::numeric_limits<double>::max();
    terraintest::SetBounds(0, 1, 0, 1, -big, big);
    const contours::LevelSeries series = contours::LevelSeriesFor(20.0);
    EXPECT_EQ(series.kmin, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(series.kmax, std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(series.step, rt::conv(4294967295.0 / 20.0));
    std::int64_t levels = 0;
    for (std::int64_t k = series.kmin; k <= series.kmax; k += series.step)
        ++levels;
    EXPECT_EQ(levels, 20); // the rounded-up step stops short of kmax
}

// Cell of the worked example: columns at x 0 and 10, rows at y 0 and 10.
struct ExampleCell {
    Node n00{0, 0, 1};
    Node n10{10, 0, 5};
    Node n01{0, 10, 3};
    Node n11{10, 10, 5};
};

TEST(CellTracing, TriangleAGivesTheSegmentFromTheRowEdgeToTheDiagonal) {
    const ExampleCell c;
    const contours::CellTrace trace = contours::TraceCell(4.0, c.n00, c.n10, c.n01, c.n11);
    ASSERT_TRUE(trace.hasA);
    EXPECT_EQ(trace.a.x0, 7.5);
    EXPECT_EQ(trace.a.y0, 0.0);
    EXPECT_EQ(trace.a.x1, 5.0);
    EXPECT_EQ(trace.a.y1, 5.0);
    // Triangle B runs from its row edge (row j+1) to the diagonal.
    ASSERT_TRUE(trace.hasB);
    EXPECT_EQ(trace.b.x0, 5.0);
    EXPECT_EQ(trace.b.y0, 10.0);
    EXPECT_EQ(trace.b.x1, 5.0);
    EXPECT_EQ(trace.b.y1, 5.0);
}

TEST(CellTracing, ACornerOnTheLevelOrALevelOutsideTheCellGivesNoSegment) {
    // One crossing only (the diagonal 5 -> 3): no segment.
    contours::CellTrace trace = contours::TraceCell(4.0, {0, 0, 4}, {10, 0, 5}, {0, 10, 3}, {10, 10, 9});
    EXPECT_FALSE(trace.hasA);
    // The other corners on the same side of the level.
    trace = contours::TraceCell(4.0, {0, 0, 4}, {10, 0, 5}, {0, 10, 6}, {10, 10, 9});
    EXPECT_FALSE(trace.hasA);
    EXPECT_FALSE(trace.hasB);
    // A flat cell on a level.
    trace = contours::TraceCell(4.0, {0, 0, 4}, {10, 0, 4}, {0, 10, 4}, {10, 10, 4});
    EXPECT_FALSE(trace.hasA);
    EXPECT_FALSE(trace.hasB);
    // Levels below or above the whole cell.
    const ExampleCell c;
    for (double level : {0.0, 6.0}) {
        trace = contours::TraceCell(level, c.n00, c.n10, c.n01, c.n11);
        EXPECT_FALSE(trace.hasA || trace.hasB) << level;
    }
}

TEST(CellTracing, SegmentsOfNeighbouringCellsMeetExactlyOnTheSharedEdge) {
    const double level = 3.3;
    // Cell (0, 0) and cell (1, 0) share the column edge at x = 10. The heights are chosen so
    // that interpolating that edge from its upper end would round differently.
    const Node a00{0, 0, 1}, a10{10, 0, 1.1}, a01{0, 10, 1.5}, a11{10, 10, 7};
    const Node b10{20, 0, 2.5}, b11{20, 10, 8};
    const contours::CellTrace left = contours::TraceCell(level, a00, a10, a01, a11);
    const contours::CellTrace right = contours::TraceCell(level, a10, b10, a11, b11);
    ASSERT_TRUE(left.hasB);
    ASSERT_TRUE(right.hasA);
    EXPECT_EQ(left.b.x1, 10.0);
    EXPECT_EQ(left.b.y1, right.a.y0);
    EXPECT_EQ(right.a.x0, 10.0);
    EXPECT_NEAR(right.a.y0, 2.2 * 10 / 5.9, 1e-12);

    // The two triangles of one cell share the diagonal point.
    const ExampleCell c;
    const contours::CellTrace both = contours::TraceCell(3.7, c.n00, c.n10, c.n01, {10, 10, 3.1});
    ASSERT_TRUE(both.hasA);
    ASSERT_TRUE(both.hasB);
    EXPECT_EQ(both.a.x1, both.b.x1);
    EXPECT_EQ(both.a.y1, both.b.y1);
}

TEST(CellTracing, HeightsAtTheLimitsOfDoublesGiveFiniteCrossings) {
    const double big = 1e308;
    const contours::CellTrace trace =
        contours::TraceCell(0.0, {0, 0, -big}, {10, 0, big}, {0, 10, -big}, {10, 10, big});
    ASSERT_TRUE(trace.hasA);
    ASSERT_TRUE(trace.hasB);
    for (const contours::Segment& s : {trace.a, trace.b}) {
        EXPECT_TRUE(std::isfinite(s.x0) && std::isfinite(s.y0) && std::isfinite(s.x1) && std::isfinite(s.y1));
        EXPECT_NEAR(s.x0, 5.0, 1e-9);
        EXPECT_NEAR(s.x1, 5.0, 1e-9);
    }
}

} // namespace
