// Tracing, selecting and deleting in the 2D editor, driven by real presses on the editor and the
// palette.

#include <string>

#include "rt/runtime.h"
#include "twod_fixture.h"

namespace {

using Editing = TwoD;

TEST_F(Editing, ASinglePointLandsWhereTheTransformPutsThePress) {
    modulodxf::zmfct = 2;
    modulodxf::xz = 10;
    modulodxf::yz = 20;
    modulodxf::zxmin = 100;
    modulodxf::zymin = 50;
    globali::scry = 600;
    Inizio::mostra2d();
    Tool(4);
    Click(30, 400);
    ASSERT_EQ(globali::ptot, 0);
    EXPECT_EQ(globali::px[0], 110);
    EXPECT_EQ(globali::py[0], 140);
    EXPECT_EQ(modulodxf::qqpun[1], 1);
    EXPECT_EQ(Editor().punto(1).Left(), 28);
    EXPECT_EQ(Editor().punto(1).Top(), 398);
}

TEST_F(Editing, AContourTakesTheHeightTypedForItAndEndsOnAToolPress) {
    Inizio::mostra2d();
    Tool(3);
    Click(10, 10);
    EXPECT_EQ(modulodxf::qlin, 0);
    Palette().z_efield.Type("120");
    Click(50, 10);
    Click(50, 60);
    EXPECT_EQ(globali::pz, (std::vector<double>{120, 120, 120}));
    EXPECT_EQ(modulodxf::dxfpn(1, 1), 2);
    ASSERT_EQ(modulodxf::qlin, 2);
    EXPECT_EQ(modulodxf::qqlin(2, 0), 1);
    EXPECT_EQ(modulodxf::qqlin(2, 1), 1);
    EXPECT_EQ(Editor().Linea(2).X1(), 50);
    EXPECT_EQ(Editor().Linea(2).Y2(), 60);
    EXPECT_EQ(Inizio::fasemom, 3);
    EXPECT_EQ(Editor().puntino.Left(), 49);

    // The contour tool again ends the curve; a one-vertex curve left by a tool press stays a point.
    Tool(3);
    Click(200, 200);
    Tool(1);
    EXPECT_EQ(modulodxf::qpun, 1);
    EXPECT_EQ(modulodxf::qqpun[1], 2);
    EXPECT_EQ(Editor().punto(1).Left(), 198);
    EXPECT_EQ(Editor().puntino.Left(), -20);

    // A press on an item while tracing adds nothing.
    Tool(3);
    Click(200, 200);
    EXPECT_EQ(globali::ptot, 3);
}

TEST_F(Editing, SelectingShowsTheWholePolylineAndDeselectingKeepsTheRecord) {
    SetRows({{{0, 0, 4}, {100, 0, 5}, {100, 50, 6}}, {{0, 50, -3.5}}});
    Inizio::mostra2d();
    Click(500, 535);
    EXPECT_EQ(modulodxf::selnow, 1);
    for (std::int32_t j : {1, 2}) {
        EXPECT_EQ(Editor().Linea(j).BorderColor(), kSelected);
        EXPECT_EQ(Editor().Linea(j).BorderWidth(), 3);
    }
    EXPECT_EQ(Palette().z_efield.Text(), "4");
    EXPECT_EQ(globali::pz, (std::vector<double>{4, 4, 4, -3.5}));
    EXPECT_TRUE(Palette().BevelBut(5).Enabled());

    // Leaving the field keeps a height the program wrote, even one the cleaning would change.
    Click(10, 85);
    EXPECT_EQ(Editor().punto(1).FillColor(), kSelected);
    EXPECT_EQ(Editor().Linea(1).BorderWidth(), 1);
    ASSERT_TRUE(QTest::qWaitFor([] { return Palette().z_efield.HasFocus(); }, 5000));
    Palette().s_efield.SetEnabled(true);
    Palette().s_efield.SetFocus();
    EXPECT_EQ(Palette().z_efield.Text(), "-3.5");
    EXPECT_EQ(globali::pz[3], -3.5);

    Tool(4);
    EXPECT_EQ(Editor().punto(1).FillColor(), kPlain);
    EXPECT_EQ(modulodxf::selpre[0], 1);
    EXPECT_FALSE(Palette().BevelBut(5).Enabled());
}

TEST_F(Editing, DeletingRemovesOnlyAShownSelectionAndRenumbersTheRowsAfterIt) {
    SetRows(
        {{{0, 0, 1}}, {{0, 10, 2}, {50, 10, 2}, {100, 10, 2}}, {{0, 50, 3}, {100, 50, 3}}, {{100, 0, 4}}});
    Inizio::mostra2d();
    Click(460, 445);
    ASSERT_EQ(modulodxf::selnow, 2);
    Tool(5);
    EXPECT_FALSE(Editor().Linea(1).Visible());
    EXPECT_FALSE(Editor().Linea(2).Visible());
    EXPECT_EQ(globali::ptot, 3);
    EXPECT_EQ(modulodxf::dxfcounter, 3);
    EXPECT_EQ(modulodxf::qqlin(3, 0), 2);
    EXPECT_EQ(modulodxf::qqpun[2], 3);
    EXPECT_EQ(globali::momento, 1);
    EXPECT_TRUE(Palette().BevelBut(1).Value());

    Click(460, 85);
    EXPECT_EQ(modulodxf::selnow, 2);
    EXPECT_EQ(Editor().Linea(3).BorderWidth(), 3);
    // Withdrawn by another tool, the selection is no longer deleted.
    Tool(4);
    Tool(1);
    Palette().BevelBut(5).SetEnabled(true);
    Tool(5);
    EXPECT_EQ(modulodxf::dxfcounter, 3);
    EXPECT_TRUE(Editor().Linea(3).Visible());
}

TEST_F(Editing, HeightsGoOnlyWhereTheUserSeesThem) {
    SetRows({{{0, 0, 1}}, {{100, 100, 2}}});
    Inizio::mostra2d();
    Palette().z_efield.SetEnabled(true);
    Palette().z_efield.Type("9");
    Tool(3);
    Palette().z_efield.SetEnabled(true);
    Palette().z_efield.SetText("8");
    Palette().z_efield.SetEnabled(false);
    Palette().z_efield.SetText("6");
    EXPECT_EQ(globali::pz, (std::vector<double>{1, 8}));
}

} // namespace
