#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "model/calcolaingombro.h"
#include "model/nodecascade.h"
#include "model/pointindex.h"
#include "model/terraindata.h"
#include "model/terrenopunti.h"
#include "rt/runtime.h"
#include "tests/model/terrainsetup.h"

namespace {

using terraintest::Point;

struct Survey {
    std::string what;
    std::vector<Point> points;
    std::int32_t nx = 24, ny = 18;
};

std::vector<Point> Uniform(std::size_t count, std::mt19937_64& random) {
    std::uniform_real_distribution<double> across(0.0, 300.0), along(0.0, 200.0), height(0.0, 50.0);
    std::vector<Point> points(count);
    for (Point& p : points)
        p = {across(random), along(random), height(random)};
    return points;
}

// Surveys shaped to break a nearest-point search.
std::vector<Survey> Surveys() {
    std::mt19937_64 random(7);
    std::vector<Survey> surveys{{"uniform", Uniform(3000, random)}};
    // Rings around (150, 100), the outer first, each walked in order: a traced contour file.
    std::vector<Point> rings;
    for (int r = 12; r >= 1; --r)
        for (int n = 0; n < 60; ++n)
            rings.push_back({150 + 6.0 * r * std::cos(std::numbers::pi * n / 30),
                             100 + 4.0 * r * std::sin(std::numbers::pi * n / 30), 2.0 * r});
    surveys.push_back({"contours in file order", rings});
    std::vector<Point> clusters;
    std::normal_distribution<double> spread(0.0, 1.5);
    for (int n = 0; n < 1500; ++n)
        clusters.push_back(
            {40.0 + 50 * (n % 5) + spread(random), 30.0 + 35 * (n % 4) + spread(random), n % 9 * 1.0});
    surveys.push_back({"clusters", clusters});
    // Every point nearer the centre than all before it; a small set stays below the share at
    // which a node falls back to the plain pass, a large one above it.
    for (const std::size_t count : {200, 2000}) {
        std::vector<Point> inward = Uniform(count, random);
        std::sort(inward.begin(), inward.end(), [](const Point& a, const Point& b) {
            return std::hypot(a.x - 150, a.y - 100) > std::hypot(b.x - 150, b.y - 100);
        });
        surveys.push_back({"decreasing distance from the centre " + std::to_string(count), inward});
    }
    std::vector<Point> duplicated = Uniform(400, random);
    for (std::size_t n = 0; n < 800; ++n)
        duplicated.push_back(duplicated[(n * 7) % 400]);
    std::shuffle(duplicated.begin(), duplicated.end(), random);
    surveys.push_back({"duplicated", duplicated});
    // Whole coordinates, nodes every 12.5 by 11.1: many points equally far from a node.
    std::vector<Point> lattice;
    for (int n = 0; n < 900; ++n)
        lattice.push_back(
            {static_cast<double>((n * 37) % 31 * 10), static_cast<double>((n * 11) % 21 * 10), n % 13 * 1.0});
    surveys.push_back({"lattice ties", lattice});
    // A point on every node of the 24 by 18 grid over 0..300 by 0..200, in scrambled order.
    std::vector<Point> onNodes{{0, 0, 1}, {300, 200, 2}};
    for (int n = 0; n < 25 * 19; ++n)
        onNodes.push_back(
            {0 + (300.0 / 24) * ((n * 7) % 25), 0 + (200.0 / 18) * ((n * 5) % 19), n % 5 * 1.0});
    surveys.push_back({"points on nodes", onNodes});
    std::vector<Point> line;
    for (int n = 0; n < 2000; ++n)
        line.push_back({300.0 * n / 1999, 200.0 * n / 1999, n % 17 * 1.0});
    surveys.push_back({"one line in order", line});
    std::shuffle(line.begin(), line.end(), random);
    surveys.push_back({"one line scrambled", line});
    const Point a{120, 80, 4}, b{10, 190, 9};
    surveys.insert(surveys.end(), {{"identical", std::vector<Point>(300, a)},
                                   {"one point", {a}},
                                   {"two points", {a, b}},
                                   {"three points", {a, b, {299, 3, 1}}}});
    return surveys;
}

// The same points, and the coordinates and heights brought with them bit for bit.
bool SameSlots(const nodecascade::Slots& a, const nodecascade::Slots& b, bool threeSlots) {
    const auto same = [](const nodecascade::Slot& s, const nodecascade::Slot& t) {
        return s.point == t.point && std::bit_cast<std::uint64_t>(s.x) == std::bit_cast<std::uint64_t>(t.x) &&
               std::bit_cast<std::uint64_t>(s.y) == std::bit_cast<std::uint64_t>(t.y) &&
               std::bit_cast<std::uint64_t>(s.z) == std::bit_cast<std::uint64_t>(t.z);
    };
    return same(a.first, b.first) && same(a.second, b.second) && (!threeSlots || same(a.third, b.third));
}

TEST(NearestCascade, FindsThePlainPassSlotsAtEveryNode) {
    for (const Survey& survey : Surveys()) {
        const terrain::Survey points = terraintest::Points(survey.points);
        const std::span<const double> x(points.x), y(points.y), z(points.z);
        const pointindex::PointIndex index(x, y, z);
        // Evenly spread points are searched through the grid, a line through the tree.
        EXPECT_TRUE(survey.what != "uniform" || index.Grid() != nullptr);
        EXPECT_TRUE(!survey.what.starts_with("one line") || index.Grid() == nullptr) << survey.what;
        // Nodes over the survey and beyond it, and starts from none reaching past the box to
        // half a node spacing.
        for (const double start : {500.0, 60.0, 5.0})
            for (const bool threeSlots : {true, false}) {
                nodecascade::NearestCascade search(index, x, y, z, threeSlots);
                for (std::int32_t i = -2; i <= survey.nx + 2; ++i)
                    for (std::int32_t j = -2; j <= survey.ny + 2; ++j) {
                        const double nodeX = (300.0 / survey.nx) * i, nodeY = (200.0 / survey.ny) * j;
                        ASSERT_TRUE(SameSlots(
                            search.Find(nodeX, nodeY, start),
                            nodecascade::PlainCascade(x, y, z, nodeX, nodeY, start, threeSlots), threeSlots))
                            << survey.what << ", start " << start << ", three slots " << threeSlots
                            << ", node " << i << ", " << j;
                    }
            }
    }
}

TEST(NearestCascade, PointsThatCannotBeMeasuredTakeNoSlot) {
    const double huge = 1.7e308;
    const std::vector<double> x{NAN, 5, huge, -huge, 4, INFINITY, 4.5};
    const std::vector<double> y{0, NAN, huge, 3, 1, 0, 0.5};
    const std::vector<double> z{1, 2, 3, 4, 5, 6, 7};
    const pointindex::PointIndex index(x, y, z);
    EXPECT_EQ(index.Size(), 4u);
    for (const double start : {10.0, static_cast<double>(INFINITY)})
        for (const bool threeSlots : {true, false}) {
            nodecascade::NearestCascade search(index, x, y, z, threeSlots);
            for (const double nodeX : {0.0, 4.0, -1e308})
                EXPECT_TRUE(SameSlots(search.Find(nodeX, 0, start),
                                      nodecascade::PlainCascade(x, y, z, nodeX, 0, start, threeSlots),
                                      threeSlots))
                    << nodeX << " " << start;
        }
}

// Large surveys are sorted into the grid's cells, or split into the tree, on every core.
TEST(NearestCascade, TheIndexOfALargeSurveyFindsThePlainPassSlotsAndTakesLessThan48BytesAPoint) {
    std::mt19937_64 random(3);
    for (const std::size_t count : {1000u, 100000u, 131073u}) {
        const terrain::Survey points = terraintest::Points(Uniform(count, random));
        const std::vector<double>&x = points.x, &y = points.y, &z = points.z;
        std::vector<double> lineY(x);
        for (double& value : lineY)
            value *= 0.75;
        // The grid for the even spread, the tree for the line.
        for (const std::vector<double>* ys : std::initializer_list<const std::vector<double>*>{&y, &lineY}) {
            const pointindex::PointIndex index(x, *ys, z);
            ASSERT_TRUE((index.Grid() != nullptr) == (ys == &y) && index.Size() == count);
            nodecascade::NearestCascade search(index, x, *ys, z, true);
            for (double node = 0.37; node < 200; node += 13.3)
                ASSERT_TRUE(SameSlots(search.Find(node * 1.5, node, 500),
                                      nodecascade::PlainCascade(x, *ys, z, node * 1.5, node, 500, true),
                                      true))
                    << count << ", " << node;
            EXPECT_LT(index.MemoryBytes(), 48 * count) << count;
        }
    }
}

struct Box {
    double xmin, xmax, ymin, ymax;
};

class GridInterpolation : public terraintest::TerrainValues {
protected:
    // A 2 x 2 grid over the box, from three points a node (mode 1) or two (mode 2).
    terrain::HeightGrid Interpolate(const std::vector<Point>& points, Box box, std::int32_t mode,
                                    double power = 1) {
        terrain::HeightGrid grid;
        grid.nx = grid.ny = 2;
        terrain::InterpolateGrid(terraintest::Points(points),
                                 terraintest::Bounds(box.xmin, box.xmax, box.ymin, box.ymax, 0, 0), power,
                                 mode != 2, grid, progress);
        return grid;
    }
};

// Weight of a point at squared distance q with power p, a zero distance counting as 0.001.
double Weight(double q, double p) {
    return std::pow(1 / std::sqrt(q == 0 ? 0.001 : q), p);
}

// Node (0, 0) of a box from the origin; the selection starts from the distance dx + dy.
TEST_F(GridInterpolation, NodeHeightsOfTheWorkedSelections) {
    // Point 1 (distance 5) replaces point 0 (20); point 2 ties with it and takes slot 2: a tie
    // keeps the earlier point first.
    EXPECT_DOUBLE_EQ(
        Interpolate({{12, 16, 100}, {3, 4, 10}, {4, 3, 20}, {6, 8, 40}}, {0, 30, 0, 30}, 1).z(0, 0),
        (10 * 0.2 + 20 * 0.2 + 40 * 0.1) / 0.5);
    // Point 2 drops point 0 from slot 1; slot 3 goes to point 3 at 8, though point 0 is nearer.
    EXPECT_DOUBLE_EQ(Interpolate({{0, 4, 1}, {3, 4, 2}, {1, 0, 3}, {0, 8, 4}}, {0, 10, 0, 10}, 1).z(0, 0),
                     (3 + 2 * 0.2 + 4 * 0.125) / 1.325);
}

TEST_F(GridInterpolation, ExtremeOrUndefinedValuesNeverReachTheGrid) {
    const double huge = 1.7e308, far = 1e200, w0 = Weight(0, 1);
    const std::vector<Point> corners{{-far, -far, 1}, {far, -far, 2}, {-far, far, 3}, {far, far, 4}};
    const Box ten{0, 10, 0, 10}, wide{-far, far, -far, far};
    const double mixed = -huge * w0 / (w0 + 0.4);
    const struct {
        const char* what;
        std::vector<Point> points;
        Box box;
        std::int32_t mode;
        double power;
        std::int32_t i, j;
        double expected;
    } cases[] = {
        // A node on a point weighs it about 31.6 times.
        {"sum overflows", {{0, 0, huge}, {3, 4, huge}, {4, 3, huge}}, ten, 1, 1, 0, 0, huge},
        {"sum overflows, mixed signs", {{0, 0, -huge}, {3, 4, huge}, {4, 3, -huge}}, ten, 1, 1, 0, 0, mixed},
        // A squared distance of 1e-320 raised to the power 2.5.
        {"infinite weight", {{1e-160, 0, 8}, {3, 4, 100}, {4, 3, -100}}, ten, 1, 5, 0, 0, 8},
        {"squares overflow, equally far from all", corners, wide, 2, 1, 1, 1, 1.5},
        {"width overflows", {{-huge, 0, 1}, {huge, 0, 2}, {0, 1, 3}}, {-huge, huge, 0, 1}, 1, 1, 0, 0, 1},
    };
    terrain::HeightGrid grid;
    for (const auto& c : cases) {
        grid = Interpolate(c.points, c.box, c.mode, c.power);
        EXPECT_TRUE(terraintest::AllFinite(terraintest::Nodes(grid))) << c.what;
        EXPECT_NEAR(grid.z(c.i, c.j), c.expected, 1e-9 * std::fabs(c.expected)) << c.what;
    }
    // The last box is wider than the range of doubles: its nodes lie between the ends.
    EXPECT_EQ(std::vector<double>({grid.x(0, 0), grid.x(1, 0), grid.x(2, 0)}),
              std::vector<double>({-huge, 0, huge}));
    EXPECT_TRUE(terraintest::AllFinite(
        terraintest::Nodes(Interpolate({{NAN, 0, 1}, {3, 4, NAN}, {4, 3, 5}}, {0, 10, 0, 10}, 1))));
}

// The height the plain pass gives a node, weighted as the grid weighs it.
double PlainHeight(const terrain::Survey& survey, const terrain::Bounds& bounds, double x, double y,
                   bool threeSlots, double power) {
    const std::vector<double>&px = survey.x, &py = survey.y, &pz = survey.z;
    const auto found = nodecascade::PlainCascade(px, py, pz, x, y, bounds.dx + bounds.dy, threeSlots);
    const std::size_t chosen[] = {found.first.point, found.second.point, found.third.point};
    double sum = 0, weights = 0;
    for (const std::size_t k : std::span(chosen).first(threeSlots ? 3 : 2)) {
        const double w = Weight((x - px[k]) * (x - px[k]) + (y - py[k]) * (y - py[k]), power);
        sum += pz[k] * w;
        weights += w;
    }
    return sum / weights;
}

TEST_F(GridInterpolation, EveryNodeHasThePlainPassHeightBitForBit) {
    auto surveys = Surveys();
    // Zero spans: every point in one place, or on one upright line.
    surveys.push_back({"zero spans", std::vector<Point>(40, Point{7, 9, 3})});
    surveys.push_back({"zero width", {{5, 0, 1}, {5, 10, 2}, {5, 3, 3}, {5, 7, 4}, {5, 3, 5}}});
    std::int32_t slider = 5;
    for (const Survey& survey : surveys)
        for (const bool threePoints : {true, false}) {
            slider = slider % 45 + 7;
            const double power = slider / 10.0;
            const terrain::Survey points = terraintest::Points(survey.points);
            const terrain::Bounds bounds = terrain::MeasureBounds(points, progress);
            terrain::HeightGrid grid;
            grid.nx = survey.nx * 3;
            grid.ny = survey.ny * 2;
            progress.progress.clear();
            const std::uint64_t yields = rt::YieldCount();
            terrain::InterpolateGrid(points, bounds, power, threePoints, grid, progress);
            EXPECT_GT(rt::YieldCount() - yields, static_cast<std::uint64_t>(grid.nx));
            ASSERT_EQ(progress.progress.size(), static_cast<std::size_t>(grid.nx) + 1);
            for (std::size_t i = 0; i < progress.progress.size(); ++i)
                ASSERT_EQ(progress.progress[i], rt::conv(static_cast<double>(i * 100) / grid.nx));
            for (std::int32_t i = 0; i <= grid.nx; ++i)
                for (std::int32_t j = 0; j <= grid.ny; ++j) {
                    ASSERT_EQ(grid.z(i, j),
                              PlainHeight(points, bounds, grid.x(i, j), grid.y(i, j), threePoints, power))
                        << survey.what << ", three points " << threePoints << ", node " << i << ", " << j;
                }
        }
}

} // namespace
