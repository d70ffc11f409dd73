// The program on a desktop whose panel comes after the program has started, or whose screen
// shrinks while the program runs: the windows it opens from then on are sized and placed in the
// area the desktop leaves at that moment.

#include <QAbstractButton>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QString>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "model/globali.h"
#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

using LiveAreaPanelAfterStart = ProgramTest;

QRect Area() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The window's frame lies in the available area, below the strip.
void ExpectInsideBelowTheStrip(const QWidget& window, const char* name) {
    ASSERT_TRUE(desktop::SettlesViewable(window)) << name;
    const QRect frame = desktop::FrameOnScreen(window);
    const QRect strip = desktop::FrameOnScreen(*Strip()->window());
    EXPECT_GT(frame.top(), strip.bottom()) << name << " covers the strip";
    EXPECT_TRUE(Area().contains(frame))
        << name << " at (" << frame.left() << ", " << frame.top() << ") " << frame.width() << " x "
        << frame.height() << " leaves the available area";
}

TEST_F(LiveAreaPanelAfterStart, TheSwitchTo3DPlacesTheControlPanelAndThe3DViewInsideTheNewArea) {
    RunProgram(
        [] {
            ASSERT_EQ(Area().top(), 0) << "a panel is already there";
            VisibleWindow("Starting Choice")->close();
            {
                rt::ScriptedDialogs dialogs;
                dialogs.AnswerOpen(TestData("points_lf.txt"));
                MenuItem({"File", "Import..", "Text XYZ.."})->trigger();
            }
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));

            const desktop::TopPanel panel;
            ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
            const QRect strip = desktop::FrameOnScreen(*Strip()->window());
            ASSERT_TRUE(QTest::qWaitFor([] {
                return desktop::FrameOnScreen(*Strip()->window()).top() == Area().top();
            })) << "the strip stayed at "
                << strip.top();

            Press(VisibleWindow("Trace"), "3 D");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") && VisibleWindow("3D"); }));
            ExpectInsideBelowTheStrip(*VisibleWindow("Control"), "the control panel");
            ExpectInsideBelowTheStrip(*VisibleWindow("3D"), "the 3D view");
            EXPECT_EQ(globali::scry, Area().height() - 53);
            rt::Application::Current()->Quit();
        },
        30);
}

// On a 1024 x 768 screen under a top panel, the screen shrinks to 800 x 600 while the program is
// in 3D. The drawing that the control panel's view-kind button opens then is sized by the new area
// and lies beside the panel: a press on the panel's "2 D" button, through the X server as a user
// presses it, reaches the panel and takes the program back to 2D.
class ShrinkingScreen : public ProgramTest {
protected:
    desktop::TopPanel panel;
};

TEST_F(ShrinkingScreen, TheDrawingOpenedAfterwardLeavesTheControlPanelFree) {
    if (QGuiApplication::primaryScreen()->geometry().size() != QSize(1024, 768))
        GTEST_SKIP() << "runs on a 1024 x 768 screen";
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            {
                rt::ScriptedDialogs dialogs;
                dialogs.AnswerOpen(TestData("points_lf.txt"));
                Press(VisibleWindow("Starting Choice"),
                      "Read points from a TEXT file of X, Y, Z coordinates");
                ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
            }
            Press(VisibleWindow("Trace"), "3 D");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") && VisibleWindow("3D"); }));

            ASSERT_TRUE(desktop::SetScreenSize({800, 600}));
            ASSERT_TRUE(QTest::qWaitFor([] {
                return Area() == QRect(0, desktop::TopPanel::kHeight, 800, 570);
            })) << "the available area is "
                << Area().width() << " x " << Area().height();

            QWidget* control = VisibleWindow("Control");
            ASSERT_NE(control, nullptr);
            Press(control, "Ambrelix");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("3 D") != nullptr; }));
            ExpectInsideBelowTheStrip(*VisibleWindow("3 D"), "the drawing");
            EXPECT_EQ(globali::scrx, Area().width() - 173) << "the drawing is sized for the larger screen";
            ASSERT_TRUE(desktop::SettlesViewable(*control));
            const QRect panelFrame = desktop::DrawnFrame(*control);
            const QRect drawingFrame = desktop::DrawnFrame(*VisibleWindow("3 D"));
            EXPECT_FALSE(drawingFrame.intersects(panelFrame))
                << "the drawing at (" << drawingFrame.left() << ", " << drawingFrame.top() << ") "
                << drawingFrame.width() << " x " << drawingFrame.height() << " covers the control panel at ("
                << panelFrame.left() << ", " << panelFrame.top() << ")";

            const QWidget* back = nullptr;
            for (const QAbstractButton* button : control->findChildren<QAbstractButton*>())
                if (button->text() == QLatin1String("2 D"))
                    back = button;
            ASSERT_NE(back, nullptr);
            ASSERT_TRUE(desktop::ClickOnScreen(back->mapToGlobal(back->rect().center())));
            EXPECT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }, 3000))
                << "a press on the control panel's 2 D button did not take the program back to 2D";
            rt::Application::Current()->Quit();
        },
        40);
}

} // namespace
