#include "views/finestra.h"

#include <QImage>
#include <array>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "model/globali.h"
#include "rt/picture.h"
#include "rt/runtime.h"
#include "rt/window.h"
#include "views/projection.h"

namespace {

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
        globali::xmin = globali::ymin = globali::zmin = 0;
        globali::xmax = globali::dx = 300;
        globali::ymax = globali::dy = 100;
        globali::zmax = globali::dz = 50;
        globali::ptot = -1;
        globali::mxtot = globali::mytot = 0;
    }

    // The example's box as its nine edges land; no upright above the front bottom corner.
    static rt::Picture ExampleBox() {
        const rt::Picture picture = rt::Picture::New(840, 540);
        const std::int32_t edges[9][4] = {{220, 335, 820, 335}, {220, 335, 20, 335},  {620, 335, 620, 235},
                                          {820, 235, 820, 335}, {620, 335, 820, 335}, {20, 235, 20, 335},
                                          {620, 335, 20, 335},  {620, 235, 20, 235},  {620, 235, 820, 235}};
        picture.Graphics().SetForeColor(rt::HSV(0.1, 0.6, 0.6));
        for (const auto& e : edges)
            picture.Graphics().DrawLine(e[0], e[1], e[2], e[3]);
        return picture;
    }
};

TEST_F(DrawingWindow, DrawingOnAWindowBeingClosedOpensNoOtherWindow) {
    Finestra& window = rt::Instance<Finestra>();
    window.Close();
    window.disegnaingombro();
    window.disegnamesh();
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
}

TEST_F(DrawingWindow, GridDrawsTwoTriangleOutlinesPerCellInTheShadeOfItsFirstCornerSkippingUnknownNodes) {
    Finestra& window = rt::Instance<Finestra>();
    // Nodes (100 i, 50 j, z[i][j]) on three columns of cells; (2, 1) has no height. The counts
    // reach beyond the filled grid.
    const double z[4][3] = {{0, 10, 20}, {5, 25, 50}, {10, NAN, 40}, {30, 0, 15}};
    for (auto* grid : {&globali::mx, &globali::my, &globali::mz})
        grid->Redim(3, 2);
    for (std::int32_t i = 0; i <= 3; ++i)
        for (std::int32_t j = 0; j <= 2; ++j) {
            globali::mx(i, j) = 100 * i;
            globali::my(i, j) = 50 * j;
            globali::mz(i, j) = z[i][j];
        }
    globali::mxtot = 9;
    globali::mytot = 7;
    window.disegnaingombro();
    window.can_dis.SetBackdrop(rt::Picture());
    const std::uint64_t yields = rt::YieldCount();
    window.disegnamesh();
    EXPECT_EQ(rt::YieldCount() - yields, 9u); // one per cell, one more per column
    EXPECT_EQ(window.can_dis.Backdrop(), globali::disegno);
    const rt::Picture expected = ExampleBox();
    rt::Graphics& g = expected.Graphics();
    auto outline = [&](int i0, int j0, int i1, int j1, int i2, int j2) {
        std::vector<std::int32_t> points{0};
        for (const auto& [i, j] : {std::pair{i0, j0}, {i1, j1}, {i2, j2}}) {
            if (std::isnan(z[i][j]))
                return;
            points.insert(points.end(), {220 + 200 * i - 100 * j, 335 - 2 * static_cast<int>(z[i][j])});
        }
        g.DrawPolygon(points);
    };
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) {
            // A cell whose first corner has no height takes the floor's shade.
            g.SetForeColor(rt::HSV(0.3, 0.6, (std::isnan(z[i][j]) ? 0 : z[i][j] / 50) / 1.5 + 0.15));
            outline(i, j, i, j + 1, i + 1, j);
            outline(i + 1, j + 1, i, j + 1, i + 1, j);
        }
    EXPECT_TRUE(globali::disegno.Image() == expected.Image());
}

TEST_F(DrawingWindow, ALargeGridDrawnOnAllCoresLeavesThePixelsOfTheCellByCellDrawing) {
    Finestra& window = rt::Instance<Finestra>();
    // Steep, uneven heights: triangles of many colours that reach across many rows, and one node
    // without a height.
    constexpr std::int32_t kCells = 250;
    for (auto* grid : {&globali::mx, &globali::my, &globali::mz})
        grid->Redim(kCells, kCells);
    for (std::int32_t i = 0; i <= kCells; ++i)
        for (std::int32_t j = 0; j <= kCells; ++j) {
            globali::mx(i, j) = 300.0 * i / kCells;
            globali::my(i, j) = 100.0 * j / kCells;
            globali::mz(i, j) = 25 + 25 * std::sin(i * 0.37 + j * j * 0.011) * std::cos(j * 0.53);
        }
    globali::mz(40, 70) = NAN;
    globali::mxtot = globali::mytot = kCells;
    window.disegnaingombro();
    const rt::Picture expected = globali::disegno.Copy();
    window.disegnamesh();

    const axo::Projection projection = axo::Projection::Current();
    const axo::Fit fit{globali::scala, globali::spostx, globali::sposty};
    const auto node = [&](std::int32_t i, std::int32_t j) {
        return axo::NodePixel(projection.H(globali::mx(i, j), globali::my(i, j)),
                              projection.V(globali::mx(i, j), globali::my(i, j), globali::mz(i, j)), fit,
                              globali::scry);
    };
    rt::Graphics& g = expected.Graphics();
    for (std::int32_t i = 0; i < kCells; ++i)
        for (std::int32_t j = 0; j < kCells; ++j) {
            g.SetForeColor(axo::CellColor(globali::mz(i, j), globali::zmax));
            for (const auto& corners : {std::array{node(i, j), node(i, j + 1), node(i + 1, j)},
                                        std::array{node(i + 1, j + 1), node(i, j + 1), node(i + 1, j)}}) {
                std::vector<std::int32_t> points{0};
                for (const auto& corner : corners)
                    if (corner)
                        points.insert(points.end(), {corner->X, corner->Y});
                if (points.size() == 7)
                    g.DrawPolygon(points);
            }
        }
    EXPECT_TRUE(globali::disegno.Image() == expected.Image());
    EXPECT_EQ(globali::disegno.Graphics().ForeColor(), g.ForeColor());
}

} // namespace
