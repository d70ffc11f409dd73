// The height grid interpolated from the survey points.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "model/globali.h"
#include "tests/model/terrainsetup.h"

namespace {

using globali::mx;
using globali::mz;
using terraintest::Point;

struct Box {
    double xmin, xmax, ymin, ymax;
};

class GridInterpolation : public terraintest::TerrainTest {
protected:
    void Interpolate(const std::vector<Point>& points, Box box, std::int32_t nx, std::int32_t ny,
                     std::int32_t mode, std::int32_t slider = 10) {
        terraintest::SetPoints(points);
        terraintest::SetBounds(box.xmin, box.xmax, box.ymin, box.ymax, 0, 0);
        globali::mxtot = nx;
        globali::mytot = ny;
        panel.power = slider;
        globali::terrenopunti(mode);
    }
};

// Weight of a point at squared distance q with power p, a zero distance counting as 0.001.
double Weight(double q, double p) {
    return std::pow(1 / std::sqrt(q == 0 ? 0.001 : q), p);
}

bool GridIsFinite() {
    for (std::int32_t i = 0; i <= globali::mxtot; ++i)
        for (std::int32_t j = 0; j <= globali::mytot; ++j)
            if (!std::isfinite(mx(i, j)) || !std::isfinite(globali::my(i, j)) || !std::isfinite(mz(i, j)))
                return false;
    return true;
}

// Node (0, 0) of a box from the origin; the selection starts from the distance dx + dy.
TEST_F(GridInterpolation, NodeHeightsOfTheWorkedSelections) {
    const std::vector<Point> ties{{12, 16, 100}, {3, 4, 10}, {4, 3, 20}, {6, 8, 40}};
    const std::vector<Point> dropped{{0, 4, 1}, {3, 4, 2}, {1, 0, 3}, {0, 8, 4}};
    const std::vector<Point> pair{{1, 0, 10}, {4, 0, 40}};
    const std::vector<Point> onNode{{0, 0, 50}, {3, 4, 10}, {5, 5, 0}};
    const double w0 = Weight(0, 1);
    const struct {
        const char* what;
        const std::vector<Point>& points;
        double span;
        std::int32_t mode, slider;
        double expected;
    } cases[] = {
        // Point 1 (distance 5) replaces point 0 (20); point 2 ties with it and takes slot 2.
        {"a tie keeps the earlier point first", ties, 30, 1, 10, (10 * 0.2 + 20 * 0.2 + 40 * 0.1) / 0.5},
        // Point 2 drops point 0 from slot 1; slot 3 goes to point 3 at 8, though point 0 is nearer.
        {"a displaced point is dropped", dropped, 10, 1, 10, (3 + 2 * 0.2 + 4 * 0.125) / 1.325},
        {"power 0.5", pair, 4, 2, 5, 20},
        {"a point on the node dominates", onNode, 5, 2, 10, (50 * w0 + 10 * 0.2) / (w0 + 0.2)},
    };
    for (const auto& c : cases) {
        Interpolate(c.points, {0, c.span, 0, c.span}, 2, 2, c.mode, c.slider);
        EXPECT_DOUBLE_EQ(mz(0, 0), c.expected) << c.what;
    }
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
        std::int32_t mode, slider, i, j;
        double expected;
    } cases[] = {
        // A node on a point weighs it about 31.6 times.
        {"sum overflows", {{0, 0, huge}, {3, 4, huge}, {4, 3, huge}}, ten, 1, 10, 0, 0, huge},
        {"sum overflows, mixed signs", {{0, 0, -huge}, {3, 4, huge}, {4, 3, -huge}}, ten, 1, 10, 0, 0, mixed},
        // A squared distance of 1e-320 raised to the power 2.5.
        {"infinite weight", {{1e-160, 0, 8}, {3, 4, 100}, {4, 3, -100}}, ten, 1, 50, 0, 0, 8},
        {"squares overflow, equally far from all", corners, wide, 2, 10, 1, 1, 1.5},
        {"width overflows", {{-huge, 0, 1}, {huge, 0, 2}, {0, 1, 3}}, {-huge, huge, 0, 1}, 1, 10, 0, 0, 1},
    };
    for (const auto& c : cases) {
        Interpolate(c.points, c.box, 2, 2, c.mode, c.slider);
        EXPECT_TRUE(GridIsFinite()) << c.what;
        EXPECT_NEAR(mz(c.i, c.j), c.expected, 1e-9 * std::fabs(c.expected)) << c.what;
    }
    // The last box is wider than the range of doubles: its nodes lie between the ends.
    EXPECT_EQ(std::vector<double>({mx(0, 0), mx(1, 0), mx(2, 0)}), std::vector<double>({-huge, 0, huge}));
    Interpolate({{NAN, 0, 1}, {3, 4, NAN}, {4, 3, 5}}, {0, 10, 0, 10}, 2, 2, 1);
    EXPECT_TRUE(GridIsFinite());
}

} // namespace
