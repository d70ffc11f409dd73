// The program on a desktop whose panel comes after the program has started: the windows it opens
// from then on are sized and placed in the area the desktop leaves at that moment.

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

} // namespace
