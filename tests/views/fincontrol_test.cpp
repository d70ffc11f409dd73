#include "views/fincontrol.h"

#include <QApplication>
#include <QFontMetrics>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>
#include <optional>
#include <utility>

#include "model/contours.h"
#include "tests/views/threed_fixture.h"

namespace {

using ControlPanel = ThreeD;

TEST_F(ControlPanel, CaptionsAreItalianForEveryLanguageButOneAndEveryLabelFitsOnOneLine) {
    // Spans that binary fractions leave with long tails show as read-outs.
    SetPoints({{1000.1, 2000.7, 10.1}, {1234.4, 2111.3, 55.3}});
    for (const std::int32_t lingua : {1, 2, 0}) {
        rt::CloseIfOpen<fincontrol>();
        globali::lingua = lingua;
        fincontrol& p = Panel();
        EXPECT_EQ(p.Title() + "|" + p.CheckBox2.Caption(),
                  lingua == 1 ? "Control|Method B" : "Controlli|Metodo B");
        Inizio::calcolaingombro();
        EXPECT_EQ(p.IngStaticText.Text(), "234.3,  110.6,  45.2");
        for (const rt::StaticText* label : {&p.StaticText1, &p.StaticText2, &p.StaticText3, &p.IngStaticText,
                                            &p.StaticText4, &p.StaticText5, &p.StaticText6, &p.StaticText7}) {
            const QFontMetrics metrics(label->Widget()->font());
            EXPECT_LE(metrics.horizontalAdvance(QString::fromStdString(label->Text())),
                      label->Widget()->width())
                << label->Text();
            EXPECT_LE(metrics.height(), label->Widget()->height()) << label->Text();
        }
    }
}

TEST_F(ControlPanel, GridSizeFieldTakesThreeCharactersAndKeepsOnlyItsDigitsWhenLeft) {
    fincontrol& panel = Panel();
    QApplication::setActiveWindow(panel.XEditField.Widget()->window());
    for (const auto& [typed, afterLeaving] :
         {std::pair{"-12", "12"}, {"3.7", "37"}, {"abc", "0"}, {"007", "7"}, {"1234", "123"}}) {
        panel.XEditField.SetText("");
        panel.XEditField.Widget()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(panel.XEditField.Widget(), typed);
        panel.YEditField.Widget()->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        EXPECT_EQ(panel.XEditField.Text(), afterLeaving) << "typed " << typed;
    }
}

TEST_F(ControlPanel, CreateMeshInTheDrawingRaisesCountsBelowTwoWithABeepEachAndTheTopViewSpansTheHeights) {
    SetHill();
    Inizio::engine3d = 1;
    Inizio::mostra3d();
    Panel().XEditField.SetText("1");
    Panel().YEditField.SetText("1");
    const std::int32_t beeps = rt::BeepCount();
    QTest::mouseClick(Panel().PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::BeepCount(), beeps + 3);
    EXPECT_EQ(std::pair(globali::mxtot, globali::mytot), std::pair(2, 2));
    EXPECT_EQ(Panel().YEditField.Text(), "2");
    EXPECT_EQ(globali::terreno, nullptr);
    Panel().BevelBut(3).Push();
    bool low = false, high = false;
    for (int y = 0; y < globali::disegno.Height(); ++y)
        for (int x = 0; x < globali::disegno.Width(); ++x) {
            low = low || globali::disegno.Pixel(x, y) == contours::HeightColour(globali::zmin);
            high = high || globali::disegno.Pixel(x, y) == contours::HeightColour(globali::zmax);
        }
    EXPECT_TRUE(low && high);
}

TEST_F(ControlPanel, CreateMeshOpensANewViewAndTheSlidersShowThePowerInTenthsAndRebuildTheRibbons) {
    SetHill();
    Inizio::mostra3d();
    for (const auto& [value, label] : {std::pair{5, "0.5"}, {50, "5"}}) {
        Panel().Slider1.SetValue(value);
        EXPECT_EQ(Panel().StaticText4.Text(), label);
    }
    Panel().Slider2.SetValue(3);
    EXPECT_EQ(Panel().StaticText6.Text(), "3");
    EXPECT_EQ(globali::terreno, nullptr);
    View()->rb3d.Wireframe = true;
    Panel().XEditField.SetText("20");
    Panel().YEditField.SetText("10");
    Panel().PushButton1.Push();
    ASSERT_TRUE(globali::terreno && View());
    EXPECT_EQ(globali::terreno->VertexCount(), 21 * 11);
    EXPECT_FALSE(View()->rb3d.Wireframe);
    EXPECT_EQ(Panel().ProgressBar1.Value(), 0);
    const auto first = globali::terreno;
    EXPECT_GT(globali::tercurva->TriangleCount(), 0);
    Panel().Slider2.SetValue(0);
    EXPECT_NE(globali::terreno, first);
    EXPECT_EQ(globali::tercurva->TriangleCount(), 0);
}

TEST_F(ControlPanel, TheViewKindButtonsSwapTheWindowsAndThePanelsHeight) {
    SetHill();
    SwitchAndMesh();
    Panel().RadioB(1).Push();
    EXPECT_EQ(Inizio::engine3d, 1);
    EXPECT_EQ(Panel().Height(), 502);
    EXPECT_EQ(View(), nullptr);
    ASSERT_NE(rt::OpenInstance<Finestra>(), nullptr);
    const auto built = globali::terreno;
    Panel().Slider2.SetValue(2);
    EXPECT_EQ(globali::terreno, built);
    Panel().RadioB(0).Push();
    EXPECT_EQ(Panel().Height(), 398);
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
    EXPECT_NE(View(), nullptr);
    EXPECT_NE(globali::terreno, built);
    const auto again = globali::terreno;
    Panel().RadioB(0).Push();
    EXPECT_EQ(globali::terreno, again);
}

TEST_F(ControlPanel, TheSwatchAsksForAColourOnlyBesideThe3DView) {
    fincontrol& panel = Panel();
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerColor(std::nullopt);
        dialogs.AnswerColor(0x10A020);
        EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
        EXPECT_EQ(globali::col_3d, 0x336699u);
        EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
        ASSERT_EQ(dialogs.Requests().size(), 2u);
        EXPECT_EQ(dialogs.Requests()[0].color, 0x336699u);
        EXPECT_EQ(panel.color3d.FillColor(), 0x10A020u);
    }
    panel.RadioB(1).SetValue(true);
    const std::int32_t beeps = rt::BeepCount();
    EXPECT_FALSE(panel.color3d_MouseDown(3, 3));
    EXPECT_EQ(rt::BeepCount(), beeps + 1);
    EXPECT_EQ(globali::col_3d, 0x10A020u);
}

} // namespace
