#include "views/projection.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Both axes at angle 0, heights at full size, on an 860 x 560 screen area.
axo::Projection SideView(double dy) {
    return axo::Projection(0.0, 0.0, 1.0, dy);
}

TEST(DrawingFit, DividesByTheWholeNumberExtents) {
    // Real width 400.4 counts as 400: the scale is exactly 2.
    EXPECT_EQ(axo::ComputeFit(SideView(100), 300.4, 100, 50, 860, 560).scala, 2.0);
}

TEST(DrawingFit, AZeroExtentLetsTheOtherDecide) {
    // w = int32(0.3) = 0 with h = 50: the height ratio 500 / 50.
    const axo::Fit narrow = axo::ComputeFit(SideView(0.1), 0.2, 0.1, 50, 860, 560);
    EXPECT_EQ(narrow.scala, 10.0);
    EXPECT_EQ(narrow.spostx, 420);
    EXPECT_EQ(narrow.sposty, -20);
    // h = 0 with w = 400: the width ratio 800 / 400.
    const axo::Fit flat = axo::ComputeFit(SideView(100), 300, 100, 0, 860, 560);
    EXPECT_EQ(flat.scala, 2.0);
    EXPECT_EQ(flat.spostx, 20);
    EXPECT_EQ(flat.sposty, -270);
}

TEST(DrawingFit, ExtentsBelowOneUnitInBothDirectionsFitByTheirRealSize) {
    // w = int32(0.3) = 0 and h = int32(0.1) = 0: the real extents give rw = 800 / 0.3 and
    // rh = 500 / 0.1, so the width decides and the drawing spans the picture's width.
    const axo::Fit fit = axo::ComputeFit(SideView(0.1), 0.2, 0.1, 0.1, 860, 560);
    ASSERT_TRUE(std::isfinite(fit.scala));
    EXPECT_NEAR(fit.scala, 800.0 / 0.3, 1e-9);
    EXPECT_EQ(fit.spostx, 20);
    EXPECT_EQ(fit.sposty, -137); // -(540 - 0.1 * 2666.67) / 2
}

TEST(DrawingFit, ASurveyOfOneSpotCollapsesToTheMiddleOfThePicture) {
    const axo::Fit fit = axo::ComputeFit(SideView(0), 0, 0, 0, 860, 560);
    EXPECT_EQ(fit.scala, 0.0);
    EXPECT_EQ(fit.spostx, 420);
    EXPECT_EQ(fit.sposty, -270);
}

TEST(DrawingFit, TopViewIgnoresHeights) {
    const axo::Projection top(0, 1.570795, 0, 100);
    const axo::Fit low = axo::ComputeFit(top, 300, 100, 0, 860, 560);
    const axo::Fit high = axo::ComputeFit(top, 300, 100, 1000, 860, 560);
    EXPECT_EQ(low.scala, 800.0 / 300.0); // w = 300, h = 100
    EXPECT_EQ(high.scala, low.scala);
    EXPECT_EQ(high.sposty, low.sposty);
}

TEST(BoxCorners, TermsWithAZeroFactorCountNothing) {
    const axo::Projection infiniteHeights(0, 0, kInf, 100);
    EXPECT_EQ(infiniteHeights.CornerV(300, 100, 0), 0.0);
    EXPECT_EQ(infiniteHeights.CornerH(300, true), 300.0);
    EXPECT_EQ(infiniteHeights.CornerH(0, false), 100.0);
}

TEST(PixelPlacement, NoPixelForACoordinateThatIsNotANumber) {
    const axo::Fit fit{2.0, 20, -220};
    ASSERT_TRUE(axo::PointPixel(90, 5, fit, 560));
    EXPECT_FALSE(axo::PointPixel(kInf, 0, fit, 560));
    EXPECT_FALSE(axo::PointPixel(0, kNaN, fit, 560));
    EXPECT_FALSE(axo::NodePixel(kNaN, 0, fit, 560));
    EXPECT_FALSE(axo::NodePixel(0, -kInf, fit, 560));
    EXPECT_FALSE(axo::PointPixel(0, 0, axo::Fit{kInf, 0, 0}, 560)); // 0 * inf
}

TEST(PixelPlacement, NodeRowBaseIsAddedWithoutOverflow) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const auto node = axo::NodePixel(0, 0, axo::Fit{0.0, 0, kMax}, kMax);
    ASSERT_TRUE(node);
    EXPECT_EQ(node->Y, kMax); // held at the int32 limit
}

TEST(HeightColours, RunFromTheFloorToTheHighestHeight) {
    EXPECT_EQ(axo::PointColor(0, 50), rt::HSV(0.3, 0.6, 0.1));
    EXPECT_EQ(axo::PointColor(50, 50), rt::HSV(0.3, 0.6, 0.6));
    EXPECT_EQ(axo::CellColor(0, 50), rt::HSV(0.3, 0.6, 0.15));
    EXPECT_EQ(axo::CellColor(50, 50), rt::HSV(0.3, 0.6, 1.0 / 1.5 + 0.15));
}

TEST(HeightColours, ZeroHighestHeightGivesTheColourOfHeightZero) {
    EXPECT_EQ(axo::PointColor(0, 0), rt::HSV(0.3, 0.6, 0.1));
    EXPECT_EQ(axo::PointColor(-10, 0), rt::HSV(0.3, 0.6, 0.1));
    EXPECT_EQ(axo::CellColor(0, 0), rt::HSV(0.3, 0.6, 0.15));
    EXPECT_EQ(axo::CellColor(3, 0), rt::HSV(0.3, 0.6, 0.15));
}

TEST(HeightColours, HeightsFarBelowZeroAreHeldToBlack) {
    EXPECT_EQ(axo::PointColor(-100, 50), 0x000000u);
    EXPECT_EQ(axo::CellColor(-100, 50), 0x000000u);
}

} // namespace
