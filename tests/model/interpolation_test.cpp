// The height grid interpolated from the survey points.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "model/globali.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "tests/model/panel_probe.h"
#include "views/fincontrol.h"

namespace {

struct Point {
    double x, y, z;
};

// Points, a box from (xmin, ymin) with the given spans, a grid of mxtot by mytot intervals and
// the power slider at `slider`.
void Prepare(const std::vector<Point>& points, double xmin, double ymin, double dx, double dy,
             std::int32_t mxtot, std::int32_t mytot, std::int32_t slider = 10) {
    using namespace globali;
    px.clear();
    py.clear();
    pz.clear();
    for (const Point& p : points) {
        px.push_back(p.x);
        py.push_back(p.y);
        pz.push_back(p.z);
    }
    ptot = static_cast<std::int32_t>(points.size()) - 1;
    globali::xmin = xmin;
    globali::ymin = ymin;
    globali::xmax = xmin + dx;
    globali::ymax = ymin + dy;
    globali::dx = dx;
    globali::dy = dy;
    globali::mxtot = mxtot;
    globali::mytot = mytot;
    rt::Instance<fincontrol>().Slider1.SetValue(slider);
}

// Weight of a point at squared distance q with power p, a zero distance counting as 0.001.
double Weight(double q, double p) {
    return std::pow(1 / std::sqrt(q == 0 ? 0.001 : q), p);
}

bool GridIsFinite() {
    for (std::int32_t i = 0; i <= globali::mxtot; ++i)
        for (std::int32_t j = 0; j <= globali::mytot; ++j)
            if (!std::isfinite(globali::mx(i, j)) || !std::isfinite(globali::my(i, j)) ||
                !std::isfinite(globali::mz(i, j)))
                return false;
    return true;
}

TEST(GridInterpolation, NodesSpreadEvenlyOverTheBox) {
    // A larger grid first: the arrays are cut to the new counts.
    Prepare({{0, 0, 1}, {10, 0, 2}, {0, 30, 3}}, -2.5, 7, 10, 30, 6, 5);
    globali::terrenopunti(1);
    Prepare({{0, 0, 1}, {10, 0, 2}, {0, 30, 3}}, -2.5, 7, 10, 30, 4, 3);

    globali::terrenopunti(1);

    ASSERT_EQ(globali::mz.UBound0(), 4);
    ASSERT_EQ(globali::mz.UBound1(), 3);
    ASSERT_EQ(globali::mx.UBound0(), 4);
    ASSERT_EQ(globali::my.UBound1(), 3);
    for (std::int32_t i = 0; i <= 4; ++i)
        for (std::int32_t j = 0; j <= 3; ++j) {
            EXPECT_EQ(globali::mx(i, j), -2.5 + (10.0 / 4) * i);
            EXPECT_EQ(globali::my(i, j), 7 + (30.0 / 3) * j);
        }
    EXPECT_DOUBLE_EQ(globali::mx(4, 3), -2.5 + 10);
    EXPECT_DOUBLE_EQ(globali::my(4, 3), 7 + 30);
}

// Node (0, 0) of a box (0, 0)-(30, 30); the selection starts from distance 60.
TEST(GridInterpolation, EqualDistancesKeepTheEarlierPointInTheFirstSlot) {
    const std::vector<Point> points{{12, 16, 100}, {3, 4, 10}, {4, 3, 20}, {6, 8, 40}};

    // Point 1 (distance 5) replaces point 0 (20); point 2 ties with point 1 and takes slot 2;
    // point 3 (10) beats neither and takes slot 3.
    Prepare(points, 0, 0, 30, 30, 2, 2);
    globali::terrenopunti(1);
    EXPECT_EQ(globali::mz(0, 0), (10 * 0.2 + 20 * 0.2 + 40 * 0.1) / (0.2 + 0.2 + 0.1));
    EXPECT_DOUBLE_EQ(globali::mz(0, 0), 20);

    // Two points: the third one is never looked at.
    Prepare(points, 0, 0, 30, 30, 2, 2);
    globali::terrenopunti(2);
    EXPECT_EQ(globali::mz(0, 0), (10 * 0.2 + 20 * 0.2) / (0.2 + 0.2));
    EXPECT_DOUBLE_EQ(globali::mz(0, 0), 15);
}

TEST(GridInterpolation, PointsMetFromFarToNearLeaveTheOtherSlotsWithPointZero) {
    // Distances 10, 5 and 1 from node (0, 0): each point displaces the previous one from slot 1.
    const std::vector<Point> points{{6, 8, 6}, {3, 4, 50}, {0.6, 0.8, 12}};
    Prepare(points, 0, 0, 10, 10, 2, 2);

    globali::terrenopunti(1);

    const double w2 = Weight(0.6 * 0.6 + 0.8 * 0.8, 1);
    const double w0 = 1 / 10.0;
    EXPECT_EQ(globali::mz(0, 0), (12 * w2 + 6 * w0 + 6 * w0) / (w2 + w0 + w0));
    EXPECT_NEAR(globali::mz(0, 0), 11, 1e-12);

    Prepare(points, 0, 0, 10, 10, 2, 2);
    globali::terrenopunti(2);
    EXPECT_EQ(globali::mz(0, 0), (12 * w2 + 6 * w0) / (w2 + w0));
}

TEST(GridInterpolation, DisplacedPointIsDroppedNotMovedDown) {
    // Node (0, 0): point 0 at 4, point 1 at 5 (slot 2), point 2 at 1 takes slot 1 and drops point
    // 0; slot 3 is entered by point 3 at 8, although point 0 is nearer.
    const std::vector<Point> points{{0, 4, 1}, {3, 4, 2}, {1, 0, 3}, {0, 8, 4}};
    Prepare(points, 0, 0, 10, 10, 2, 2);

    globali::terrenopunti(1);

    EXPECT_EQ(globali::mz(0, 0), (3 * 1.0 + 2 * 0.2 + 4 * 0.125) / (1.0 + 0.2 + 0.125));
}

TEST(GridInterpolation, PowerComesFromTheSliderInTenths) {
    const std::vector<Point> points{{1, 0, 10}, {4, 0, 40}};

    Prepare(points, 0, 0, 4, 4, 2, 2, 10);
    globali::terrenopunti(2);
    EXPECT_EQ(globali::mz(0, 0), (10 * 1.0 + 40 * 0.25) / 1.25);

    Prepare(points, 0, 0, 4, 4, 2, 2, 5);
    globali::terrenopunti(2);
    EXPECT_EQ(globali::mz(0, 0), (10 * 1.0 + 40 * 0.5) / 1.5);
    EXPECT_DOUBLE_EQ(globali::mz(0, 0), 20);

    Prepare(points, 0, 0, 4, 4, 2, 2, 20);
    globali::terrenopunti(2);
    EXPECT_EQ(globali::mz(0, 0), (10 * 1.0 + 40 * Weight(16, 2)) / (1.0 + Weight(16, 2)));
}

TEST(GridInterpolation, NodeOnAPointIsDominatedByItWithoutTakingItsHeight) {
    const std::vector<Point> points{{0, 0, 50}, {3, 4, 10}, {5, 5, 0}};
    Prepare(points, 0, 0, 5, 5, 2, 2);

    globali::terrenopunti(2);

    const double near = Weight(0, 1);
    EXPECT_EQ(globali::mz(0, 0), (50 * near + 10 * 0.2) / (near + 0.2));
    EXPECT_NE(globali::mz(0, 0), 50);
    EXPECT_NEAR(globali::mz(0, 0), 49.75, 0.01);
}

TEST(GridInterpolation, FlatSurveyGivesAFlatGrid) {
    Prepare({{0, 0, 7.25}, {10, 0, 7.25}, {0, 10, 7.25}, {10, 10, 7.25}, {5, 3, 7.25}}, 0, 0, 10, 10, 5, 5);

    globali::terrenopunti(1);

    for (std::int32_t i = 0; i <= 5; ++i)
        for (std::int32_t j = 0; j <= 5; ++j)
            EXPECT_NEAR(globali::mz(i, j), 7.25, 1e-12);
}

TEST(GridInterpolation, ZeroSpansKeepPointZeroInEverySlot) {
    // One place surveyed three times: nothing beats the starting distance of 0.
    for (const std::int32_t mode : {1, 2}) {
        Prepare({{5, 5, 3}, {5, 5, 9}, {5, 5, -4}}, 5, 5, 0, 0, 2, 2);

        globali::terrenopunti(mode);

        ASSERT_TRUE(GridIsFinite());
        for (std::int32_t i = 0; i <= 2; ++i)
            for (std::int32_t j = 0; j <= 2; ++j) {
                EXPECT_EQ(globali::mx(i, j), 5);
                EXPECT_EQ(globali::my(i, j), 5);
                EXPECT_DOUBLE_EQ(globali::mz(i, j), 3) << "mode " << mode;
            }
    }
}

TEST(GridInterpolation, ZeroWidthPutsEveryNodeOnOneLine) {
    Prepare({{2, 0, 0}, {2, 10, 10}, {2, 5, 5}}, 2, 0, 0, 10, 3, 2);

    globali::terrenopunti(2);

    ASSERT_TRUE(GridIsFinite());
    for (std::int32_t i = 0; i <= 3; ++i)
        EXPECT_EQ(globali::mx(i, 1), 2);
    EXPECT_EQ(globali::mz(1, 1), (5 * Weight(0, 1) + 10 * 0.2) / (Weight(0, 1) + 0.2));
}

TEST(GridInterpolation, HeightsNearTheLimitsOfDoublesStayFinite) {
    const double huge = 1.7e308;
    // A node on a point weighs it about 31.6 times, which overflows the plain weighted sum.
    Prepare({{0, 0, huge}, {3, 4, huge}, {4, 3, huge}}, 0, 0, 10, 10, 2, 2);
    globali::terrenopunti(1);
    ASSERT_TRUE(GridIsFinite());
    EXPECT_NEAR(globali::mz(0, 0) / huge, 1, 1e-12);

    Prepare({{0, 0, -huge}, {3, 4, huge}, {4, 3, -huge}}, 0, 0, 10, 10, 2, 2);
    globali::terrenopunti(1);
    ASSERT_TRUE(GridIsFinite());
    const double w = Weight(0, 1);
    EXPECT_NEAR(globali::mz(0, 0) / huge, (-w + 0.2 - 0.2) / (w + 0.4), 1e-12);
}

TEST(GridInterpolation, PointAlmostOnANodeWithHighPowerDominatesWithoutOverflow) {
    // A squared distance of 1e-320 raised to the power 2.5 gives an infinite weight.
    Prepare({{1e-160, 0, 8}, {3, 4, 100}, {4, 3, -100}}, 0, 0, 10, 10, 2, 2, 50);

    globali::terrenopunti(1);

    ASSERT_TRUE(GridIsFinite());
    EXPECT_DOUBLE_EQ(globali::mz(0, 0), 8);
}

TEST(GridInterpolation, CoordinatesFarFromZeroStillFindTheNearestPoint) {
    const double far = 1e200;
    Prepare({{-far, -far, 1}, {far, -far, 2}, {-far, far, 3}, {far, far, 4}}, -far, -far, 2 * far, 2 * far, 2,
            2);

    globali::terrenopunti(2);

    ASSERT_TRUE(GridIsFinite());
    EXPECT_DOUBLE_EQ(globali::mz(0, 0), 1);
    EXPECT_DOUBLE_EQ(globali::mz(2, 0), 2);
    EXPECT_DOUBLE_EQ(globali::mz(0, 2), 3);
    EXPECT_DOUBLE_EQ(globali::mz(2, 2), 4);
    // The centre is equally far from all four: the first two share it.
    EXPECT_DOUBLE_EQ(globali::mz(1, 1), 1.5);
}

TEST(GridInterpolation, SpansBeyondTheRangeOfDoublesPlaceNodesBetweenTheEnds) {
    const double huge = 1.7e308;
    Prepare({{-huge, 0, 1}, {huge, 0, 2}, {0, 1, 3}}, -huge, 0, INFINITY, 1, 2, 2);
    globali::xmax = huge;

    globali::terrenopunti(1);

    ASSERT_TRUE(GridIsFinite());
    EXPECT_EQ(globali::mx(0, 0), -huge);
    EXPECT_EQ(globali::mx(1, 0), 0);
    EXPECT_EQ(globali::mx(2, 0), huge);
    EXPECT_NEAR(globali::mz(0, 0), 1, 1e-9);
}

TEST(GridInterpolation, UndefinedCoordinatesNeverReachTheGrid) {
    Prepare({{NAN, 0, 1}, {3, 4, NAN}, {4, 3, 5}}, 0, 0, 10, 10, 2, 2);

    globali::terrenopunti(1);

    EXPECT_TRUE(GridIsFinite());
}

// The selection and weighting done literally, node by node: every distance rooted and compared.
double LiteralHeight(double x, double y, bool threePoints, double p) {
    using namespace globali;
    const double start = dx + dy;
    double b[3] = {start, start, start};
    std::int32_t k[3] = {0, 0, 0};
    for (std::int32_t n = 0; n <= ptot; ++n) {
        double t = std::sqrt((x - px[n]) * (x - px[n]) + (y - py[n]) * (y - py[n]));
        for (int s = 0; s < (threePoints ? 3 : 2); ++s)
            if (t < b[s]) {
                k[s] = n;
                b[s] = t;
                t = start;
            }
    }
    double w[3], sum = 0, weights = 0;
    for (int s = 0; s < (threePoints ? 3 : 2); ++s) {
        w[s] = Weight((x - px[k[s]]) * (x - px[k[s]]) + (y - py[k[s]]) * (y - py[k[s]]), p);
        sum += pz[k[s]] * w[s];
        weights += w[s];
    }
    return sum / weights;
}

TEST(GridInterpolation, ManyPointsGiveTheHeightsOfTheLiteralSelection) {
    // Points on a coarse lattice, many of them at equal distances from a node, and scattered ones.
    std::vector<Point> lattice, scattered;
    for (std::int32_t n = 0; n < 60; ++n)
        lattice.push_back(
            {static_cast<double>((n * 37) % 21), static_cast<double>((n * 53) % 17), n % 11 - 5.0});
    for (std::int32_t n = 0; n < 300; ++n)
        scattered.push_back(
            {20.0 * ((n * 7919) % 1000) / 1000, 16.0 * ((n * 104729) % 997) / 997, n % 23 * 0.5});
    for (const auto& points : {lattice, scattered})
        for (const std::int32_t mode : {1, 2}) {
            Prepare(points, 0, 0, 20, 16, 10, 8, 15);

            globali::terrenopunti(mode);

            for (std::int32_t i = 0; i <= 10; ++i)
                for (std::int32_t j = 0; j <= 8; ++j)
                    ASSERT_EQ(globali::mz(i, j), LiteralHeight(2.0 * i, 2.0 * j, mode == 1, 1.5))
                        << "mode " << mode << " node " << i << ", " << j;
        }
}

TEST(GridInterpolation, ProgressReportsTheStartOfEveryColumnAndStaysAtTheEnd) {
    Prepare({{0, 0, 1}, {9, 0, 2}, {0, 9, 3}}, 0, 0, 9, 9, 3, 2);
    ProgressProbe probe;

    globali::terrenopunti(1);

    EXPECT_EQ(probe.Events(), (std::vector<std::string>{"0 of 100", "33 of 100", "67 of 100", "100 of 100"}));
    EXPECT_EQ(rt::Instance<fincontrol>().ProgressBar1.Value(), 100);
}

TEST(GridInterpolation, YieldsOncePerPointPerNodeAndPerColumn) {
    Prepare({{0, 0, 1}, {9, 0, 2}, {0, 9, 3}, {4, 4, 4}}, 0, 0, 9, 9, 3, 2);
    const std::uint64_t before = rt::YieldCount();

    globali::terrenopunti(2);

    const std::uint64_t nodes = 4 * 3;
    EXPECT_EQ(rt::YieldCount() - before, nodes * 4 + nodes + 4);
}

} // namespace
