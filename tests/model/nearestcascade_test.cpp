// The slots found from the nearest points against the plain pass over all points, node by node,
// on surveys shaped to break a nearest-point search: ties, duplicates, points on nodes, points
// met in order of decreasing distance, points on one line or in one place.

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "model/globali.h"
#include "model/nodecascade.h"
#include "model/pointindex.h"
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

// Rings around (150, 100), the outer first, each walked in order: a traced contour file.
std::vector<Point> Contours(int rings, int perRing) {
    std::vector<Point> points;
    for (int r = rings; r >= 1; --r)
        for (int n = 0; n < perRing; ++n) {
            const double angle = 2 * std::numbers::pi * n / perRing;
            points.push_back({150 + 6.0 * r * std::cos(angle), 100 + 4.0 * r * std::sin(angle), 2.0 * r});
        }
    return points;
}

std::vector<Survey> Surveys() {
    std::mt19937_64 random(7);
    std::vector<Survey> surveys;
    surveys.push_back({"uniform", Uniform(3000, random)});

    std::vector<Point> clusters;
    std::normal_distribution<double> spread(0.0, 1.5);
    for (int n = 0; n < 1500; ++n)
        clusters.push_back(
            {40.0 + 50 * (n % 5) + spread(random), 30.0 + 35 * (n % 4) + spread(random), n % 9 * 1.0});
    surveys.push_back({"clusters", clusters});
    surveys.push_back({"contours in file order", Contours(12, 60)});

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

    std::vector<Point> line, lineScrambled;
    for (int n = 0; n < 2000; ++n)
        line.push_back({300.0 * n / 1999, 200.0 * n / 1999, n % 17 * 1.0});
    lineScrambled = line;
    std::shuffle(lineScrambled.begin(), lineScrambled.end(), random);
    surveys.push_back({"one line in order", line});
    surveys.push_back({"one line scrambled", lineScrambled});

    surveys.push_back({"identical", std::vector<Point>(300, Point{120, 80, 4})});
    surveys.push_back({"one point", {{120, 80, 4}}});
    surveys.push_back({"two points", {{120, 80, 4}, {10, 190, 9}}});
    surveys.push_back({"three points", {{120, 80, 4}, {10, 190, 9}, {299, 3, 1}}});
    return surveys;
}

// The box that the bounds computation would give the points: every point inside.
void SetBoundsOf(const std::vector<Point>& points) {
    double xmin = points[0].x, xmax = xmin, ymin = points[0].y, ymax = ymin;
    for (const Point& p : points) {
        xmin = std::min(xmin, p.x);
        xmax = std::max(xmax, p.x);
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    terraintest::SetBounds(xmin, xmax, ymin, ymax, 0, 0);
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
        terraintest::SetPoints(survey.points);
        const std::span<const double> x(globali::px), y(globali::py), z(globali::pz);
        const pointindex::PointIndex index(x, y, z);
        // Evenly spread points are searched through the grid, a line through the tree.
        if (survey.what == "uniform" || survey.what.starts_with("one line")) {
            ASSERT_EQ(index.Grid() != nullptr, survey.what == "uniform") << survey.what;
        }
        // Nodes over the survey and beyond it, and starts from none reaching past the box to
        // half a node spacing.
        for (const double start : {500.0, 60.0, 5.0})
            for (const bool threeSlots : {true, false}) {
                nodecascade::NearestCascade search(index, x, y, z, threeSlots);
                for (std::int32_t i = -2; i <= survey.nx + 2; ++i)
                    for (std::int32_t j = -2; j <= survey.ny + 2; ++j) {
                        const double nodeX = (300.0 / survey.nx) * i, nodeY = (200.0 / survey.ny) * j;
                        const nodecascade::Slots plain =
                            nodecascade::PlainCascade(x, y, z, nodeX, nodeY, start, threeSlots);
                        const nodecascade::Slots found = search.Find(nodeX, nodeY, start);
                        ASSERT_TRUE(SameSlots(found, plain, threeSlots))
                            << survey.what << ", start " << start << (threeSlots ? ", three" : ", two")
                            << " slots, node " << i << ", " << j << ": found " << found.first.point << " "
                            << found.second.point << " " << found.third.point << ", plain "
                            << plain.first.point << " " << plain.second.point << " " << plain.third.point;
                    }
            }
    }
}

// Large surveys are sorted into the grid's cells on every core.
TEST(NearestCascade, AGridSortedOnEveryCoreFindsThePlainPassSlots) {
    std::mt19937_64 random(11);
    std::vector<double> x, y, z;
    for (const Point& p : Uniform(70000, random)) {
        x.push_back(p.x);
        y.push_back(p.y);
        z.push_back(p.z);
    }
    const pointindex::PointIndex index(x, y, z);
    ASSERT_NE(index.Grid(), nullptr);
    ASSERT_EQ(index.Size(), x.size());
    nodecascade::NearestCascade search(index, x, y, z, true);
    for (std::int32_t i = 0; i <= 20; ++i)
        for (std::int32_t j = 0; j <= 15; ++j) {
            const double nodeX = 15.0 * i + 0.37, nodeY = (200.0 / 15) * j;
            ASSERT_TRUE(SameSlots(search.Find(nodeX, nodeY, 500),
                                  nodecascade::PlainCascade(x, y, z, nodeX, nodeY, 500, true), true))
                << i << ", " << j;
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

TEST(NearestCascade, TheIndexOfALargeSurveyTakesLessThan48BytesAPoint) {
    std::mt19937_64 random(3);
    for (const std::size_t count : {1000u, 100000u, 131073u}) {
        const std::vector<Point> points = Uniform(count, random);
        std::vector<double> x, y, z, lineX, lineY;
        for (const Point& p : points) {
            x.push_back(p.x);
            y.push_back(p.y);
            z.push_back(p.z);
            lineX.push_back(p.x);
            lineY.push_back(p.x * 0.75);
        }
        // The grid for the even spread, the tree for the line.
        EXPECT_LT(pointindex::PointIndex(x, y, z).MemoryBytes(), 48 * count) << count;
        EXPECT_LT(pointindex::PointIndex(lineX, lineY, z).MemoryBytes(), 48 * count) << count;
    }
}

// The height the plain pass gives a node, weighted as the grid weighs it.
double PlainHeight(double x, double y, bool threeSlots, double power) {
    using namespace globali;
    const auto found = nodecascade::PlainCascade(px, py, pz, x, y, dx + dy, threeSlots);
    const std::size_t chosen[] = {found.first.point, found.second.point, found.third.point};
    double sum = 0, weights = 0;
    for (int s = 0; s < (threeSlots ? 3 : 2); ++s) {
        const std::size_t k = chosen[s];
        const double q = (x - px[k]) * (x - px[k]) + (y - py[k]) * (y - py[k]);
        const double w = std::pow(1 / std::sqrt(q == 0 ? 0.001 : q), power);
        sum += pz[k] * w;
        weights += w;
    }
    return sum / weights;
}

class FastInterpolation : public terraintest::TerrainTest {};

TEST_F(FastInterpolation, EveryNodeHasThePlainPassHeightBitForBit) {
    auto surveys = Surveys();
    // Zero spans: every point in one place, or on one upright line.
    surveys.push_back({"zero spans", std::vector<Point>(40, Point{7, 9, 3})});
    surveys.push_back({"zero width", {{5, 0, 1}, {5, 10, 2}, {5, 3, 3}, {5, 7, 4}, {5, 3, 5}}});
    std::int32_t slider = 5;
    for (const Survey& survey : surveys)
        for (const std::int32_t mode : {1, 2}) {
            slider = slider % 45 + 7;
            terraintest::SetPoints(survey.points);
            SetBoundsOf(survey.points);
            globali::mxtot = survey.nx * 3;
            globali::mytot = survey.ny * 2;
            panel.power = slider;
            panel.progress.clear();
            const double power = slider / 10.0;
            const std::uint64_t yields = rt::YieldCount();

            globali::terrenopunti(mode);

            EXPECT_GT(rt::YieldCount() - yields, static_cast<std::uint64_t>(globali::mxtot));
            ASSERT_EQ(panel.progress.size(), static_cast<std::size_t>(globali::mxtot) + 1);
            for (std::size_t i = 0; i < panel.progress.size(); ++i)
                ASSERT_EQ(panel.progress[i], rt::conv(static_cast<double>(i * 100) / globali::mxtot));
            for (std::int32_t i = 0; i <= globali::mxtot; ++i)
                for (std::int32_t j = 0; j <= globali::mytot; ++j) {
                    const double x = globali::mx(i, j), y = globali::my(i, j);
                    ASSERT_EQ(globali::mz(i, j), PlainHeight(x, y, mode == 1, power))
                        << survey.what << ", mode " << mode << ", node " << i << ", " << j;
                }
        }
}

} // namespace
