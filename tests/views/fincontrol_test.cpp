#include "views/fincontrol.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include "tests/views/threed_fixture.h"

namespace {

using ControlPanel = ThreeD;

TEST_F(ControlPanel, GridSizeFieldTakesThreeCharactersAndKeepsOnlyItsDigitsWhenLeft) {
    const struct {
        const char* typed;
        const char* afterLeaving;
    } cases[] = {{"-12", "12"}, {"3.7", "37"}, {"abc", "0"}, {"007", "7"}, {"1234", "123"}};
    fincontrol& panel = Panel();
    QApplication::setActiveWindow(panel.XEditField.Widget()->window());
    for (const auto& c : cases) {
        panel.XEditField.SetText("");
        panel.XEditField.Widget()->setFocus(Qt::MouseFocusReason);
        QTest::keyClicks(panel.XEditField.Widget(), c.typed);
        panel.YEditField.Widget()->setFocus(Qt::MouseFocusReason);
        QCoreApplication::processEvents();
        EXPECT_EQ(panel.XEditField.Text(), c.afterLeaving) << "typed " << c.typed;
    }
}

TEST_F(ControlPanel, CreateMeshRaisesCountsBelowTwoWithABeepEachAndEndsWithABeep) {
    SetHill();
    Inizio::engine3d = 1;
    Inizio::mostra3d();
    Panel().XEditField.SetText("1");
    Panel().YEditField.SetText("1");
    const std::int32_t beeps = rt::BeepCount();
    QTest::mouseClick(Panel().PushButton1.Widget(), Qt::LeftButton);
    EXPECT_EQ(rt::BeepCount(), beeps + 3);
    EXPECT_EQ(globali::mxtot, 2);
    EXPECT_EQ(globali::mytot, 2);
    EXPECT_EQ(Panel().YEditField.Text(), "2");
}

TEST_F(ControlPanel, TheViewKindButtonsSwapTheWindowsAndThePanelsHeight) {
    SetHill();
    SwitchAndMesh();
    Panel().RadioB(1).Push();
    EXPECT_EQ(View(), nullptr);
    ASSERT_NE(rt::OpenInstance<Finestra>(), nullptr);

    Panel().RadioB(0).Push();
    EXPECT_EQ(rt::OpenInstance<Finestra>(), nullptr);
    EXPECT_NE(View(), nullptr);
    const auto built = globali::terreno;
    Panel().RadioB(0).Push();
    EXPECT_EQ(globali::terreno, built);
}

} // namespace
