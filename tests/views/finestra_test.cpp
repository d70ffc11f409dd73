#include "views/finestra.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

#include "model/globali.h"
#include "rt/application.h"
#include "rt/menu.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/projection.h"

namespace {

constexpr rt::Color kWhite = 0xFFFFFF;
const rt::Color kBox = rt::HSV(0.1, 0.6, 0.6);

rt::Color Shade(double value) {
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
        globali::assx = globali::assy = 0;
        globali::assz = 1;
        SetBounds(300, 100, 50);
        SetPoints({}, {}, {});
        globali::mxtot = globali::mytot = 0;
    }
    void TearDown() override { rt::CloseIfOpen<Finestra>(); }

    static void SetBounds(double dx, double dy, double dz) {
        globali::xmin = globali::ymin = globali::zmin = 0;
        globali::xmax = globali::dx = dx;
        globali::ymax = globali::dy = dy;
        globali::zmax = globali::dz = dz;
    }

    static void SetPoints(const std::vector<double>& x, const std::vector<double>& y,
                          const std::vector<double>& z) {
        globali::px = x;
        globali::py = y;
        globali::pz = z;
        globali::ptot = static_cast<std::int32_t>(x.size()) - 1;
    }

    // A white picture of the canvas's size, with the example's box as its nine edges land.
    static rt::Picture ExampleBox() {
        const rt::Picture picture = rt::Picture::New(840, 540);
        const std::int32_t edges[9][4] = {{220, 335, 820, 335}, {220, 335, 20, 335},  {620, 335, 620, 235},
                                          {820, 235, 820, 335}, {620, 335, 820, 335}, {20, 235, 20, 335},
                                          {620, 335, 20, 335},  {620, 235, 20, 235},  {620, 235, 820, 235}};
        picture.Graphics().SetForeColor(kBox);
        for (const auto& e : edges)
            picture.Graphics().DrawLine(e[0], e[1], e[2], e[3]);
        return picture;
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
};

TEST_F(DrawingWindow, BoxOfTheExampleFillsTheWidthBetweenTheMargins) {
    Finestra& window = rt::Instance<Finestra>();
    window.disegnaingombro();
    EXPECT_EQ(globali::scala, 2.0);
    EXPECT_EQ(globali::spostx, 20);
    EXPECT_EQ(globali::sposty, -220);
    ASSERT_TRUE(globali::disegno);
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);
    EXPECT_EQ(DifferingPixels(globali::disegno, ExampleBox()), 0);
    EXPECT_EQ(globali::disegno.Pixel(220, 285), kWhite); // no upright above the front bottom corner
    EXPECT_EQ(window.can_dis.Width(), 840);
    EXPECT_EQ(window.can_dis.Height(), 540);
}

TEST_F(DrawingWindow, InstallsTheApplicationsMenuBar) {
    rt::Application application;
    rt::MenuBar bar;
    application.SetMenuBar(&bar);
    application.Register();
    EXPECT_EQ(rt::Instance<Finestra>().WindowMenuBar(), &bar);
    rt::CloseIfOpen<Finestra>();
}

TEST_F(DrawingWindow, DrawingOnAWindowBeingClosedOpensNoOtherWindow) {
    Finestra& window = rt::Instance<Finestra>();
    window.Close();
    window.disegnaingombro();
    window.disegnamesh();
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
}

TEST_F(DrawingWindow, PointsAreMarkedBelowRightOfTheirSpotInTheShadeOfTheirHeight) {
    Finestra& window = rt::Instance<Finestra>();
    // Heights 5, 0, 50 (the highest) and 25; the count reaches beyond the stored points.
    SetPoints({10, 100, 200, 40}, {20, 50, 10, 90}, {5, 0, 50, 25});
    globali::ptot = 40;
    window.disegnaingombro();
    const std::uint64_t yields = rt::YieldCount();
    window.assonometria();
    EXPECT_EQ(rt::YieldCount() - yields, 4u);
    const rt::Picture expected = ExampleBox();
    rt::Graphics& g = expected.Graphics();
    const std::int32_t marks[][2] = {{200, 325}, {320, 335}, {600, 235}, {120, 285}};
    const double shades[] = {0.15, 0.1, 0.6, 0.35};
    for (std::size_t k = 0; k < 4; ++k) {
        g.SetForeColor(Shade(shades[k]));
        g.DrawOval(marks[k][0], marks[k][1], 2, 2);
    }
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, GridDrawsTwoTriangleOutlinesPerCellInTheShadeOfItsFirstCorner) {
    Finestra& window = rt::Instance<Finestra>();
    // Nodes (150 i, 50 j, z[i][j]); the counts reach beyond the filled grid.
    const double z[3][3] = {{0, 10, 20}, {5, 25, 50}, {10, 30, 40}};
    for (auto* grid : {&globali::mx, &globali::my, &globali::mz})
        grid->Redim(2, 2);
    for (std::int32_t i = 0; i <= 2; ++i)
        for (std::int32_t j = 0; j <= 2; ++j) {
            globali::mx(i, j) = 150 * i;
            globali::my(i, j) = 50 * j;
            globali::mz(i, j) = z[i][j];
        }
    globali::mxtot = 9;
    globali::mytot = 7;
    window.disegnaingombro();
    window.can_dis.SetBackdrop(rt::Picture());
    const std::uint64_t yields = rt::YieldCount();
    window.disegnamesh();
    EXPECT_EQ(rt::YieldCount() - yields, 6u); // one per cell, one more per column
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);

    // Node (i, j) lands at X = 220 + 300 i - 100 j, Y = 335 - 2 z(i, j).
    auto x = [](int i, int j) { return 220 + 300 * i - 100 * j; };
    auto y = [&](int i, int j) { return 335 - 2 * static_cast<int>(z[i][j]); };
    const rt::Picture expected = ExampleBox();
    rt::Graphics& g = expected.Graphics();
    for (int i = 0; i < 2; ++i)
        for (int j = 0; j < 2; ++j) {
            g.SetForeColor(Shade((z[i][j] / 50) / 1.5 + 0.15));
            g.DrawPolygon({0, x(i, j), y(i, j), x(i, j + 1), y(i, j + 1), x(i + 1, j), y(i + 1, j)});
            g.DrawPolygon(
                {0, x(i + 1, j + 1), y(i + 1, j + 1), x(i, j + 1), y(i, j + 1), x(i + 1, j), y(i + 1, j)});
        }
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

TEST_F(DrawingWindow, GridOfManyCellsDrawsThePixelsOfThePlainLoopWithTheSameYields) {
    Finestra& window = rt::Instance<Finestra>();
    globali::assx = 0.5;
    globali::assy = 0.7;
    const std::int32_t nx = 57, ny = 41;
    for (auto* grid : {&globali::mx, &globali::my, &globali::mz})
        grid->Redim(nx, ny);
    for (std::int32_t i = 0; i <= nx; ++i)
        for (std::int32_t j = 0; j <= ny; ++j) {
            globali::mx(i, j) = 300.0 * i / nx;
            globali::my(i, j) = 100.0 * j / ny;
            globali::mz(i, j) = (i * j) % 11 == 5 ? NAN : 25 + 20 * std::sin(i / 4.0 + j / 3.0);
        }
    globali::mxtot = nx;
    globali::mytot = ny;
    window.disegnaingombro();
    const rt::Picture expected = rt::Picture::New(840, 540);
    expected.Graphics().DrawPicture(globali::disegno, 0, 0);
    const std::uint64_t yields = rt::YieldCount();

    window.disegnamesh();

    EXPECT_EQ(rt::YieldCount() - yields, static_cast<std::uint64_t>(nx * ny + nx));
    const axo::Projection projection = axo::Projection::Current();
    const axo::Fit fit{globali::scala, globali::spostx, globali::sposty};
    rt::Graphics& g = expected.Graphics();
    auto outline = [&](std::initializer_list<std::pair<int, int>> nodes, rt::Color colour) {
        std::vector<std::int32_t> points{0};
        for (const auto& [k, l] : nodes) {
            const double xr = globali::mx(k, l), yr = globali::my(k, l), zr = globali::mz(k, l);
            const auto at =
                axo::NodePixel(projection.H(xr, yr), projection.V(xr, yr, zr), fit, globali::scry);
            if (!at)
                return;
            points.insert(points.end(), {at->X, at->Y});
        }
        g.SetForeColor(colour);
        g.DrawPolygon(points);
    };
    for (int i = 0; i < nx; ++i)
        for (int j = 0; j < ny; ++j) {
            const rt::Color colour = axo::CellColor(globali::mz(i, j), globali::zmax);
            outline({{i, j}, {i, j + 1}, {i + 1, j}}, colour);
            outline({{i + 1, j + 1}, {i, j + 1}, {i + 1, j}}, colour);
        }
    EXPECT_EQ(DifferingPixels(globali::disegno, expected), 0);
}

} // namespace
