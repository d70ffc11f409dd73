// The program on a desktop with a panel across the top of the screen: the strip lies below the
// panel, the windows are placed from the top-left corner of the area below it, and no window or
// dialog covers the strip or the panel.

#include <QFileDialog>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "model/globali.h"
#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

class UnderATopPanel : public ProgramTest {
protected:
    desktop::TopPanel panel;
};

QRect Area() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The window's frame lies in the available area, below the strip.
void ExpectClearOfTheStrip(const QWidget& window, const QString& name) {
    ASSERT_TRUE(desktop::SettlesViewable(window)) << name.toStdString();
    const QRect frame = desktop::FrameOnScreen(window);
    const QRect strip = desktop::FrameOnScreen(*Strip()->window());
    EXPECT_GT(frame.top(), strip.bottom()) << name.toStdString() << " covers the strip";
    EXPECT_TRUE(Area().contains(frame)) << name.toStdString() << " leaves the available area";
}

TEST_F(UnderATopPanel, TheStripWindowsAndDialogsKeepClearOfThePanelAndTheStrip) {
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            ASSERT_TRUE(desktop::SettlesViewable(*Strip()->window()));
            const QRect strip = desktop::FrameOnScreen(*Strip()->window());
            EXPECT_EQ(strip.topLeft(), Area().topLeft());
            EXPECT_EQ(globali::scry, Area().height() - 53);
            ExpectClearOfTheStrip(*VisibleWindow("Starting Choice"), "the start window");

            // A dialog centred on the strip alone would rise off the screen.
            VisibleWindow("Starting Choice")->close();
            {
                QFileDialog dialog(Strip()->window());
                dialog.open();
                ExpectClearOfTheStrip(dialog, "a dialog on the strip");
            }

            rt::ScriptedDialogs dialogs;
            dialogs.AnswerOpen(TestData("points_lf.txt"));
            MenuItem({"File", "Import..", "Text XYZ.."})->trigger();
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
            QWidget* editor = VisibleWindow("2 D");
            QWidget* palette = VisibleWindow("Trace");
            EXPECT_EQ(editor->geometry().topLeft(), Area().topLeft() + QPoint(88, 48));
            ExpectClearOfTheStrip(*editor, "the 2D editor");
            ExpectClearOfTheStrip(*palette, "the palette");
            {
                QFileDialog dialog(palette);
                dialog.open();
                ExpectClearOfTheStrip(dialog, "a dialog on the palette");
            }
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace
