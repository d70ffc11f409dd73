#include "views/finestra.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "app/menu.h"
#include "model/globali.h"
#include "rt/conv.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "rt/window.h"

namespace {

constexpr rt::Color kWhite = 0xFFFFFF;
const rt::Color kBox = rt::HSV(0.1, 0.6, 0.6);

rt::Color PointShade(double value) {
    return rt::HSV(0.3, 0.6, value);
}

// The example survey: a box 300 x 100 x 50 from the origin, seen from the side (both axes at angle
// 0, heights at full size) on an 860 x 560 screen area. The fit is scala 2, spostx 20,
// sposty -220, so a point lands at X = 20 + 2·(x + 100 - y), Y = 335 - 2·z.
class DrawingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        globali::scrx = 860;
        globali::scry = 560;
        globali::assx = 0;
        globali::assy = 0;
        globali::assz = 1;
        SetBounds(300, 100, 50);
        globali::ptot = -1;
        globali::px.assign(1, 0.0);
        globali::py.assign(1, 0.0);
        globali::pz.assign(1, 0.0);
        globali::mxtot = 0;
        globali::mytot = 0;
    }
    void TearDown() override { rt::CloseIfOpen<Finestra>(); }

    static void SetBounds(double dx, double dy, double dz) {
        globali::xmin = globali::ymin = globali::zmin = 0;
        globali::xmax = globali::dx = dx;
        globali::ymax = globali::dy = dy;
        globali::zmax = globali::dz = dz;
    }

    static void SetPoints(const std::vector<std::vector<double>>& points) {
        globali::px.clear();
        globali::py.clear();
        globali::pz.clear();
        for (const auto& p : points) {
            globali::px.push_back(p[0]);
            globali::py.push_back(p[1]);
            globali::pz.push_back(p[2]);
        }
        globali::ptot = static_cast<std::int32_t>(points.size()) - 1;
    }

    // A grid of (xs.size() - 1) by (ys.size() - 1) intervals with heights z[i][j].
    static void SetGrid(const std::vector<double>& xs, const std::vector<double>& ys,
                        const std::vector<std::vector<double>>& z) {
        const auto last_i = static_cast<std::int32_t>(xs.size()) - 1;
        const auto last_j = static_cast<std::int32_t>(ys.size()) - 1;
        globali::mx.Redim(last_i, last_j);
        globali::my.Redim(last_i, last_j);
        globali::mz.Redim(last_i, last_j);
        for (std::int32_t i = 0; i <= last_i; ++i)
            for (std::int32_t j = 0; j <= last_j; ++j) {
                globali::mx(i, j) = xs[static_cast<std::size_t>(i)];
                globali::my(i, j) = ys[static_cast<std::size_t>(j)];
                globali::mz(i, j) = z[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)];
            }
        globali::mxtot = last_i;
        globali::mytot = last_j;
    }

    static rt::Picture Blank() { return rt::Picture::New(840, 540); }

    // The box of the example as its nine edges land in the picture.
    static void DrawExampleBox(const rt::Picture& picture) {
        rt::Graphics& g = picture.Graphics();
        g.SetForeColor(kBox);
        g.DrawLine(220, 335, 820, 335);
        g.DrawLine(220, 335, 20, 335);
        g.DrawLine(620, 335, 620, 235);
        g.DrawLine(820, 235, 820, 335);
        g.DrawLine(620, 335, 820, 335);
        g.DrawLine(20, 235, 20, 335);
        g.DrawLine(620, 335, 20, 335);
        g.DrawLine(620, 235, 20, 235);
        g.DrawLine(620, 235, 820, 235);
    }

    static std::int64_t DifferingPixels(const rt::Picture& a, const rt::Picture& b) {
        if (a.Width() != b.Width() || a.Height() != b.Height())
            return -1;
        std::int64_t count = 0;
        for (std::int32_t y = 0; y < a.Height(); ++y)
            for (std::int32_t x = 0; x < a.Width(); ++x)
                count += a.Pixel(x, y) != b.Pixel(x, y) ? 1 : 0;
        return count;
    }

    static std::int64_t PixelsOfColour(const rt::Picture& picture, rt::Color colour) {
        std::int64_t count = 0;
        for (std::int32_t y = 0; y < picture.Height(); ++y)
            for (std::int32_t x = 0; x < picture.Width(); ++x)
                count += picture.Pixel(x, y) == colour ? 1 : 0;
        return count;
    }

    // Whether any pixel of the 3 x 3 block around (x, y) has the colour.
    static bool ColourNear(const rt::Picture& picture, std::int32_t x, std::int32_t y, rt::Color colour) {
        for (std::int32_t dy = -1; dy <= 1; ++dy)
            for (std::int32_t dx = -1; dx <= 1; ++dx)
                if (picture.Pixel(x + dx, y + dy) == colour)
                    return true;
        return false;
    }
    static bool WhiteAround(const rt::Picture& picture, std::int32_t x, std::int32_t y) {
        for (std::int32_t dy = -1; dy <= 1; ++dy)
            for (std::int32_t dx = -1; dx <= 1; ++dx)
                if (picture.Pixel(x + dx, y + dy) != kWhite)
                    return false;
        return true;
    }
};

TEST_F(DrawingWindow, OpensAtTheScreenAreaSizeWithTheMenuBarAndAnEmptyCanvas) {
    Finestra& window = rt::Instance<Finestra>();
    EXPECT_EQ(window.Title(), "3 D");
    EXPECT_EQ(window.Left(), 168);
    EXPECT_EQ(window.Top(), 48);
    EXPECT_EQ(window.Width(), 860);
    EXPECT_EQ(window.Height(), 560);
    EXPECT_EQ(window.WindowMenuBar(), &Menu());
    EXPECT_TRUE(window.Visible());
    EXPECT_EQ(window.can_dis.Left(), 10);
    EXPECT_EQ(window.can_dis.Top(), 10);
    EXPECT_EQ(window.can_dis.Width(), 840);
    EXPECT_EQ(window.can_dis.Height(), 540);
    EXPECT_FALSE(window.can_dis.Backdrop());
    EXPECT_EQ(&rt::Instance<Finestra>(), &window);
}

TEST_F(DrawingWindow, BoxOfTheExampleFillsTheWidthBetweenTheMargins) {
    Finestra& window = rt::Instance<Finestra>();
    window.disegnaingombro();

    EXPECT_EQ(globali::scala, 2.0);
    EXPECT_EQ(globali::spostx, 20);
    EXPECT_EQ(globali::sposty, -220);
    ASSERT_TRUE(globali::disegno);
    EXPECT_EQ(globali::disegno.Width(), 840);
    EXPECT_EQ(globali::disegno.Height(), 540);
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);

    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);

    // Front bottom corner, far top corner, and the drawing's ends at X = 20 and X = 820.
    EXPECT_EQ(globali::disegno.Pixel(220, 335), kBox);
    EXPECT_EQ(globali::disegno.Pixel(620, 235), kBox);
    EXPECT_EQ(globali::disegno.Pixel(20, 335), kBox);
    EXPECT_EQ(globali::disegno.Pixel(820, 335), kBox);
    EXPECT_EQ(globali::disegno.Pixel(19, 335), kWhite);
    EXPECT_EQ(globali::disegno.Pixel(821, 335), kWhite);
    // The vertical edge above the front bottom corner is not drawn.
    EXPECT_EQ(globali::disegno.Pixel(220, 285), kWhite);
}

TEST_F(DrawingWindow, IsometricBoxShowsItsFloorThreeUprightsAndTheTwoFarTopEdges) {
    globali::assx = globali::assy = 0.52359833333;
    SetBounds(100, 100, 100);
    rt::Instance<Finestra>().disegnaingombro();
    const rt::Picture& picture = globali::disegno;

    // w = 173, h = 200: the height decides (2.5 pixels a unit); corners land at X 204, 421, 637
    // and Y 35, 160, 285, 410, 535.
    EXPECT_EQ(globali::scala, 2.5);
    EXPECT_EQ(globali::spostx, 204);
    EXPECT_EQ(globali::sposty, -20);

    // Drawn: the floor's four sides, the uprights at three corners, the two top edges at the far corner.
    EXPECT_TRUE(ColourNear(picture, 529, 472, kBox));
    EXPECT_TRUE(ColourNear(picture, 312, 472, kBox));
    EXPECT_TRUE(ColourNear(picture, 529, 347, kBox));
    EXPECT_TRUE(ColourNear(picture, 312, 347, kBox));
    EXPECT_TRUE(ColourNear(picture, 421, 160, kBox));
    EXPECT_TRUE(ColourNear(picture, 637, 285, kBox));
    EXPECT_TRUE(ColourNear(picture, 204, 285, kBox));
    EXPECT_TRUE(ColourNear(picture, 312, 97, kBox));
    EXPECT_TRUE(ColourNear(picture, 529, 97, kBox));
    // Not drawn: the three edges meeting at the corner above the front bottom corner.
    EXPECT_TRUE(WhiteAround(picture, 421, 410));
    EXPECT_TRUE(WhiteAround(picture, 529, 222));
    EXPECT_TRUE(WhiteAround(picture, 312, 222));
}

TEST_F(DrawingWindow, EveryFitStartsANewPicture) {
    Finestra& window = rt::Instance<Finestra>();
    window.disegnaingombro();
    const rt::Picture first = globali::disegno;
    SetPoints({{10, 20, 5}});
    window.assonometria();
    window.disegnaingombro();

    EXPECT_FALSE(globali::disegno == first);
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);
    const rt::Picture boxOnly = Blank();
    DrawExampleBox(boxOnly);
    EXPECT_EQ(DifferingPixels(globali::disegno, boxOnly), 0);
}

TEST_F(DrawingWindow, PointOfTheExampleIsMarkedBelowAndRightOfItsPosition) {
    Finestra& window = rt::Instance<Finestra>();
    SetPoints({{10, 20, 5}});
    window.disegnaingombro();
    const std::uint64_t yields = rt::YieldCount();
    window.assonometria();
    EXPECT_EQ(rt::YieldCount() - yields, 1u);

    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    expected.Graphics().SetForeColor(PointShade(0.15));
    expected.Graphics().DrawOval(200, 325, 2, 2);
    EXPECT_GT(PixelsOfColour(expected, PointShade(0.15)), 0);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, PointsAreShadedByTheirHeight) {
    Finestra& window = rt::Instance<Finestra>();
    // Heights 0, 50 (the highest) and 25.
    SetPoints({{100, 50, 0}, {200, 10, 50}, {40, 90, 25}});
    window.disegnaingombro();
    window.assonometria();

    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    rt::Graphics& g = expected.Graphics();
    g.SetForeColor(PointShade(0.1));
    g.DrawOval(320, 335, 2, 2);
    g.SetForeColor(PointShade(0.6));
    g.DrawOval(600, 235, 2, 2);
    g.SetForeColor(PointShade(0.35));
    g.DrawOval(120, 285, 2, 2);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
    EXPECT_GT(PixelsOfColour(globali::disegno, PointShade(0.1)), 0);
    EXPECT_GT(PixelsOfColour(globali::disegno, PointShade(0.6)), 0);
    EXPECT_GT(PixelsOfColour(globali::disegno, PointShade(0.35)), 0);
}

TEST_F(DrawingWindow, NoPointsLeaveTheBoxAlone) {
    Finestra& window = rt::Instance<Finestra>();
    window.disegnaingombro();
    const std::uint64_t yields = rt::YieldCount();
    window.assonometria();
    EXPECT_EQ(rt::YieldCount(), yields);
    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, APointBeyondAnyNumberIsLeftOut) {
    Finestra& window = rt::Instance<Finestra>();
    globali::xmin = -1e308;
    SetPoints({{1e308, 20, 5}});
    window.disegnaingombro();
    window.assonometria();
    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, PointCountBeyondTheStoredPointsDrawsOnlyThoseStored) {
    Finestra& window = rt::Instance<Finestra>();
    SetPoints({{10, 20, 5}});
    globali::ptot = 40;
    window.disegnaingombro();
    window.assonometria();
    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    expected.Graphics().SetForeColor(PointShade(0.15));
    expected.Graphics().DrawOval(200, 325, 2, 2);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, FlatSurveyAtHeightZeroIsDrawnInTheColourOfHeightZero) {
    Finestra& window = rt::Instance<Finestra>();
    SetBounds(300, 100, 0);
    SetPoints({{0, 0, 0}, {300, 100, 0}});
    window.disegnaingombro();
    // h = 0: the width decides; the whole box flattens onto the row Y = 555 - 270.
    EXPECT_EQ(globali::scala, 2.0);
    EXPECT_EQ(globali::sposty, -270);
    window.assonometria();

    const rt::Picture expected = Blank();
    rt::Graphics& g = expected.Graphics();
    g.SetForeColor(kBox);
    g.DrawLine(20, 285, 820, 285);
    g.SetForeColor(PointShade(0.1));
    g.DrawOval(220, 285, 2, 2);
    g.DrawOval(620, 285, 2, 2);
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
    EXPECT_GT(PixelsOfColour(globali::disegno, PointShade(0.1)), 0);
}

TEST_F(DrawingWindow, SurveyOfOneSpotIsDrawnInTheMiddle) {
    Finestra& window = rt::Instance<Finestra>();
    SetBounds(0, 0, 0);
    SetPoints({{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    window.disegnaingombro();
    window.assonometria();
    EXPECT_EQ(globali::scala, 0.0);
    // Everything at X = 420, Y = 555 - 270.
    const rt::Picture expected = Blank();
    expected.Graphics().SetForeColor(PointShade(0.1));
    expected.Graphics().DrawOval(420, 285, 2, 2);
    for (std::int32_t y = 283; y <= 288; ++y)
        for (std::int32_t x = 418; x <= 423; ++x)
            if (expected.Pixel(x, y) != kWhite) {
                EXPECT_EQ(globali::disegno.Pixel(x, y), PointShade(0.1)) << x << ", " << y;
            }
    EXPECT_GT(PixelsOfColour(globali::disegno, PointShade(0.1)), 0);
    EXPECT_EQ(PixelsOfColour(globali::disegno, kWhite) + PixelsOfColour(globali::disegno, PointShade(0.1)) +
                  PixelsOfColour(globali::disegno, kBox),
              840 * 540);
    std::int64_t marked = 0;
    for (std::int32_t y = 0; y < 540; ++y)
        for (std::int32_t x = 0; x < 840; ++x)
            if (globali::disegno.Pixel(x, y) != kWhite && (x < 418 || x > 423 || y < 283 || y > 288))
                ++marked;
    EXPECT_EQ(marked, 0);
}

TEST_F(DrawingWindow, TinySurveyIsFittedByItsRealExtents) {
    Finestra& window = rt::Instance<Finestra>();
    SetBounds(0.2, 0.1, 0.1);
    window.disegnaingombro();
    // Floor corners: (dx, 0, 0) at the right end X = 820, (0, dy, 0) at the left end X = 20, both
    // at Y = 555 - 137.
    EXPECT_EQ(globali::disegno.Pixel(820, 418), kBox);
    EXPECT_EQ(globali::disegno.Pixel(20, 418), kBox);
    EXPECT_EQ(globali::disegno.Pixel(821, 418), kWhite);
    EXPECT_EQ(globali::disegno.Pixel(19, 418), kWhite);
}

TEST_F(DrawingWindow, GridOfTwoByTwoDrawsEightTrianglesCellByCellInTheColourOfTheirFirstCorner) {
    Finestra& window = rt::Instance<Finestra>();
    const std::vector<std::vector<double>> z = {{0, 10, 20}, {5, 25, 50}, {10, 30, 40}};
    SetGrid({0, 150, 300}, {0, 50, 100}, z);
    window.disegnaingombro();
    window.can_dis.SetBackdrop(rt::Picture());
    const std::uint64_t yields = rt::YieldCount();
    window.disegnamesh();
    EXPECT_EQ(rt::YieldCount() - yields, 6u); // one per cell, one more per column
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);

    // Node (i, j) lands at X = 220 + 300 i - 100 j, Y = 335 - 2 z(i, j).
    auto x = [](int i, int j) { return 220 + 300 * i - 100 * j; };
    auto y = [&](int i, int j) {
        return 335 -
               2 * static_cast<std::int32_t>(z[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)]);
    };
    const rt::Picture expected = Blank();
    DrawExampleBox(expected);
    rt::Graphics& g = expected.Graphics();
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            const double value =
                (z[static_cast<std::size_t>(i)][static_cast<std::size_t>(j)] / 50) / 1.5 + 0.15;
            g.SetForeColor(PointShade(value));
            g.DrawPolygon({0, x(i, j), y(i, j), x(i, j + 1), y(i, j + 1), x(i + 1, j), y(i + 1, j)});
            g.DrawPolygon(
                {0, x(i + 1, j + 1), y(i + 1, j + 1), x(i, j + 1), y(i, j + 1), x(i + 1, j), y(i + 1, j)});
        }
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
    // Cells (0, 0), (0, 1), (1, 0) and (1, 1) take the shades of heights 0, 10, 5 and 25.
    for (const double height : {0.0, 10.0, 5.0, 25.0})
        EXPECT_GT(PixelsOfColour(globali::disegno, PointShade((height / 50) / 1.5 + 0.15)), 0) << height;
    // Heights of the last row and column give no cell its colour.
    EXPECT_EQ(PixelsOfColour(globali::disegno, PointShade((40.0 / 50) / 1.5 + 0.15)), 0);
}

TEST_F(DrawingWindow, GridCountsBeyondTheFilledGridDrawOnlyTheFilledCells) {
    Finestra& window = rt::Instance<Finestra>();
    SetGrid({0, 150, 300}, {0, 50, 100}, {{0, 10, 20}, {5, 25, 50}, {10, 30, 40}});
    window.disegnaingombro();
    window.disegnamesh();
    const rt::Picture filled = globali::disegno;

    globali::mxtot = 9;
    globali::mytot = 7;
    window.disegnaingombro();
    window.disegnamesh();
    EXPECT_EQ(DifferingPixels(globali::disegno, filled), 0);
}

TEST_F(DrawingWindow, FlatGridAtHeightZeroIsDrawnInTheColourOfHeightZero) {
    Finestra& window = rt::Instance<Finestra>();
    SetBounds(300, 100, 0);
    SetGrid({0, 150, 300}, {0, 50, 100}, {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}});
    window.disegnaingombro();
    window.disegnamesh();
    // Every cell is a line along the floor at Y = 285, in the shade of height 0.
    EXPECT_EQ(globali::disegno.Pixel(420, 285), PointShade(0.15));
    EXPECT_EQ(PixelsOfColour(globali::disegno, kWhite) + PixelsOfColour(globali::disegno, PointShade(0.15)) +
                  PixelsOfColour(globali::disegno, kBox),
              840 * 540);
}

} // namespace
