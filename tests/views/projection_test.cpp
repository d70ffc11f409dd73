#include "views/projection.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

TEST(DrawingFit, FitsTheProjectedBoxBetweenTheMarginsOfAn860By560Area) {
    // SideView: both axes at angle 0, heights at full size.
    const auto SideView = [](double dy) { return axo::Projection(0.0, 0.0, 1.0, dy); };
    const struct {
        const char* what;
        axo::Projection view;
        double dx, dy, dz, scala;
        std::int32_t spostx, sposty;
    } cases[] = {
        {"real width 400.4 counts as 400", SideView(100), 300.4, 100, 50, 2.0, 20, -220},
        {"width below one unit: the height decides", SideView(0.1), 0.2, 0.1, 50, 10.0, 420, -20},
        {"both below one unit: the real extents", SideView(0.1), 0.2, 0.1, 0.1, 800.0 / 0.3, 20, -137},
        {"one spot: the middle of the picture", SideView(0), 0, 0, 0, 0.0, 420, -270},
        {"top view: heights count nothing", axo::Projection(0, 1.570795, 0, 100), 300, 100, 1000,
         800.0 / 300.0, 20, -137},
    };
    for (const auto& c : cases) {
        const axo::Fit fit = axo::ComputeFit(c.view, c.dx, c.dy, c.dz, 860, 560);
        EXPECT_NEAR(fit.scala, c.scala, 1e-9) << c.what;
        EXPECT_EQ(fit.spostx, c.spostx) << c.what;
        EXPECT_EQ(fit.sposty, c.sposty) << c.what;
    }
}

TEST(DrawingFit, NumbersOutOfRangeGiveNoPixel) {
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const axo::Fit fit{2.0, 20, -220};
    EXPECT_FALSE(axo::PointPixel(kInf, 0, fit, 560));
    EXPECT_FALSE(axo::NodePixel(std::nan(""), 0, fit, 560));
    EXPECT_FALSE(axo::PointPixel(0, 0, axo::Fit{kInf, 0, 0}, 560)); // 0 * inf
    EXPECT_EQ(axo::Projection(0, 0, kInf, 100).CornerV(300, 100, 0), 0.0);
}

} // namespace
