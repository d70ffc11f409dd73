#include <gtest/gtest.h>

#include <QTest>

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "input/finimmagine.h"
#include "model/terrainpanel.h"
#include "tests/views/threed_fixture.h"

namespace {

// Records every value the terrain routines show on the progress bar, and shows it.
class RecordingPanel : public FincontrolPanel {
public:
    void ShowProgress(std::int32_t value) override {
        shown.push_back(value);
        FincontrolPanel::ShowProgress(value);
    }
    std::vector<std::int32_t> shown;
};

using PanelActions = ThreeD;

TEST_F(PanelActions, CreateMeshRaisesCountsBelowTwoWithABeepEachAndEndsWithABeep) {
    SetHill();
    Inizio::engine3d = 1;
    Inizio::mostra3d();
    fincontrol& panel = Panel();
    panel.XEditField.SetText("1");
    panel.YEditField.SetText("1");
    const std::int32_t beeps = rt::BeepCount();
    QTest::mouseClick(panel.PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::BeepCount(), beeps + 3);
    EXPECT_EQ(globali::mxtot, 2);
    EXPECT_EQ(globali::mytot, 2);
    EXPECT_EQ(panel.XEditField.Text(), "2");
    EXPECT_EQ(panel.YEditField.Text(), "2");
    EXPECT_TRUE(globali::celamesh);
    EXPECT_EQ(panel.ProgressBar1.Value(), 0);
    // The drawing shows the grid, not the meshes.
    EXPECT_EQ(globali::terreno, nullptr);
}

TEST_F(PanelActions, CreateMeshWithThe3DViewRebuildsTheMeshesAndOpensANewView) {
    SetHill();
    Inizio::mostra3d();
    View()->rb3d.Wireframe = true;
    RecordingPanel recorder;
    TerrainPanel* const previous = TerrainPanel::Install(&recorder);
    fincontrol& panel = Panel();
    panel.XEditField.SetText("20");
    panel.YEditField.SetText("10");
    panel.PushButton1.Push();
    TerrainPanel::Install(previous);

    ASSERT_NE(globali::terreno, nullptr);
    EXPECT_EQ(globali::terreno->VertexCount(), 21 * 11);
    ASSERT_NE(globali::tercurva, nullptr);
    ASSERT_NE(View(), nullptr);
    EXPECT_FALSE(View()->rb3d.Wireframe);
    // The interpolation's columns climb to 100, the mesh building starts again from 0, and the
    // command ends at 0.
    ASSERT_GE(recorder.shown.size(), 4u);
    const auto top = std::find(recorder.shown.begin(), recorder.shown.end(), 100);
    ASSERT_NE(top, recorder.shown.end());
    EXPECT_TRUE(std::is_sorted(recorder.shown.begin(), top));
    EXPECT_LT(*(top + 1), 100);
    EXPECT_EQ(panel.ProgressBar1.Value(), 0);
}

TEST_F(PanelActions, TheXCountProposesTheYCountByTheSpanRatio) {
    globali::rapp = 0.5;
    fincontrol& panel = Panel();
    panel.XEditField.SetText("40");
    EXPECT_EQ(panel.YEditField.Text(), "20");
    panel.YEditField.SetText("7");
    EXPECT_EQ(panel.XEditField.Text(), "40");
}

TEST_F(PanelActions, ThePowerLabelShowsTheSliderInTenthsAndTheRibbonLabelItsValue) {
    fincontrol& panel = Panel();
    for (const auto& [value, label] : {std::pair{5, "0.5"}, {50, "5"}, {13, "1.3"}}) {
        panel.Slider1.SetValue(value);
        EXPECT_EQ(panel.StaticText4.Text(), label);
    }
    panel.Slider2.SetValue(7);
    EXPECT_EQ(panel.StaticText6.Text(), "7");
}

TEST_F(PanelActions, TheRibbonSliderRebuildsTheMeshesOnlyWithAGridAndThe3DView) {
    SetHill();
    Inizio::mostra3d();
    Panel().Slider2.SetValue(3);
    EXPECT_EQ(globali::terreno, nullptr);

    SwitchAndMesh();
    const auto first = globali::terreno;
    const auto noRibbons = globali::tercurva->TriangleCount();
    View()->rb3d.Wireframe = true;
    Panel().Slider2.SetValue(8);
    EXPECT_NE(globali::terreno, first);
    EXPECT_GT(globali::tercurva->TriangleCount(), noRibbons);
    EXPECT_FALSE(View()->rb3d.Wireframe);

    Panel().RadioB(1).Push();
    const auto shown = globali::terreno;
    Panel().Slider2.SetValue(2);
    EXPECT_EQ(globali::terreno, shown);
}

TEST_F(PanelActions, ViewPresetsSetTheAnglesAndDrawPointsOrGrid) {
    SetHill();
    Inizio::engine3d = 1;
    Inizio::mostra3d();
    Panel().BevelBut(1).Push();
    EXPECT_DOUBLE_EQ(globali::assx, 0.7853975);
    EXPECT_DOUBLE_EQ(globali::assy, 0.7853975);
    EXPECT_DOUBLE_EQ(globali::assz, 1.0);
    const rt::Picture points = globali::disegno;

    Panel().PushButton1.Push();
    Panel().BevelBut(3).Push();
    EXPECT_DOUBLE_EQ(globali::assx, 0);
    EXPECT_DOUBLE_EQ(globali::assy, 1.570795);
    EXPECT_DOUBLE_EQ(globali::assz, 0);
    // The top view colours its cells by height: some pixel is neither white nor black.
    const rt::Picture top = globali::disegno;
    EXPECT_FALSE(top == points);
    bool coloured = false;
    for (int x = 0; x < top.Width() && !coloured; x += 5)
        for (int y = 0; y < top.Height() && !coloured; y += 5) {
            const rt::Color c = top.Pixel(x, y);
            coloured = ((c >> 16) & 0xFF) != (c & 0xFF);
        }
    EXPECT_TRUE(coloured);
}

TEST_F(PanelActions, TheViewKindButtonsSwapTheWindowsAndThePanelsHeight) {
    SetHill();
    SwitchAndMesh();
    fincontrol& panel = Panel();
    panel.RadioB(1).Push();
    EXPECT_EQ(Inizio::engine3d, 1);
    EXPECT_EQ(panel.Height(), 502);
    EXPECT_EQ(View(), nullptr);
    ASSERT_NE(rt::OpenInstance<Finestra>(), nullptr);

    const auto built = globali::terreno;
    panel.RadioB(0).Push();
    EXPECT_EQ(Inizio::engine3d, 0);
    EXPECT_EQ(panel.Height(), 398);
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
    EXPECT_NE(View(), nullptr);
    EXPECT_NE(globali::terreno, built);

    const auto again = globali::terreno;
    panel.RadioB(0).Push();
    EXPECT_EQ(globali::terreno, again);
    EXPECT_EQ(panel.Height(), 398);
}

TEST_F(PanelActions, TheSwatchAsksForAColourOnlyBesideThe3DView) {
    Inizio::engine3d = 0;
    fincontrol& panel = Panel();
    EXPECT_EQ(panel.color3d.FillColor(), 0x336699u);
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerColor(std::nullopt);
        dialogs.AnswerColor(0x10A020);
        EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
        EXPECT_EQ(globali::col_3d, 0x336699u);
        EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
        ASSERT_EQ(dialogs.Requests().size(), 2u);
        EXPECT_EQ(dialogs.Requests()[0].text, "Color/Colore");
        EXPECT_EQ(dialogs.Requests()[0].color, 0x336699u);
        EXPECT_EQ(globali::col_3d, 0x10A020u);
        EXPECT_EQ(panel.color3d.FillColor(), 0x10A020u);
    }
    panel.RadioB(1).SetValue(true);
    const std::int32_t beeps = rt::BeepCount();
    EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    EXPECT_EQ(globali::col_3d, 0x10A020u);
}

TEST_F(PanelActions, TwoDGoesBackToTracingAndLeavesThe3DViewOpen) {
    SetHill();
    Inizio::mostra3d();
    Panel().PushButton2.Push();
    EXPECT_EQ(Inizio::ambiente, 1);
    EXPECT_EQ(rt::OpenInstance<fincontrol>(), nullptr);
    EXPECT_NE(rt::OpenInstance<finimmagine>(), nullptr);
    EXPECT_NE(View(), nullptr);
}

} // namespace
