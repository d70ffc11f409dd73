// The strip stays on top of every window of the program under window managers that lift a
// program's tool windows to the layer of its highest window (metacity) or draw tall title bars
// (xfwm4), with a panel across the top: a press on File opens the menu in 2D and in 3D, and a
// dialog stacks below the strip too.

#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

class StripOnTop : public ProgramTest {
protected:
    desktop::TopPanel panel;
};
using MetacityStripUnderATopPanel = StripOnTop;
using Xfwm4StripUnderATopPanel = StripOnTop;

// Every window of the program on screen lies below the strip in the stacking order (the test's
// panel is no window of the program).
void ExpectBelowTheStrip(const char* where) {
    const QWidget& strip = *Strip()->window();
    // Waiting lets the program discard windows it closed.
    std::vector<QPointer<QWidget>> windows;
    for (QWidget* top : QApplication::topLevelWidgets())
        windows.emplace_back(top);
    for (const QPointer<QWidget>& top : windows) {
        if (!top || top == &strip || !top->isVisible() || top->windowType() == Qt::Popup ||
            top->testAttribute(Qt::WA_X11NetWmWindowTypeDock))
            continue;
        ASSERT_TRUE(desktop::SettlesViewable(*top)) << top->windowTitle().toStdString();
        EXPECT_TRUE(desktop::StacksAbove(strip, *top))
            << top->windowTitle().toStdString() << " stacks over the strip " << where;
    }
}

// Presses File on the screen, as a user does, and closes the menu again.
void ExpectAPressOnFileOpensIt(const char* where) {
    QMenuBar* bar = Strip();
    QAction* file = MenuItem({"File"});
    const QPoint at = desktop::FrameOnScreen(*bar->window()).topLeft() + bar->actionGeometry(file).center();
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"),
                                {QStringLiteral("mousemove"), QString::number(at.x()),
                                 QString::number(at.y()), QStringLiteral("click"), QStringLiteral("1")}),
              0);
    const QPointer<QMenu> menu = file->menu();
    EXPECT_TRUE(QTest::qWaitFor([&] { return menu && menu->isVisible(); }, 3000))
        << "a press on File opened no menu " << where;
    if (menu && menu->isVisible()) {
        QTest::keyClick(menu, Qt::Key_Escape);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !menu->isVisible(); }));
    }
}

void ExpectTheStripOnTopIn2DAnd3D(const desktop::TopPanel& panel) {
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            rt::ScriptedDialogs dialogs;
            dialogs.AnswerOpen(TestData("points_lf.txt"));
            Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
            ExpectBelowTheStrip("in 2D");
            {
                QFileDialog dialog(VisibleWindow("Trace"));
                dialog.open();
                ExpectBelowTheStrip("with a dialog on the palette");
            }
            ExpectAPressOnFileOpensIt("in 2D");

            Press(VisibleWindow("Trace"), "3 D");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") != nullptr; }));
            ExpectBelowTheStrip("in 3D");
            ExpectAPressOnFileOpensIt("in 3D");
            rt::Application::Current()->Quit();
        },
        60);
}

TEST_F(MetacityStripUnderATopPanel, NoWindowStacksOverTheStripAndAPressOnFileOpensItIn2DAnd3D) {
    ExpectTheStripOnTopIn2DAnd3D(panel);
}

TEST_F(Xfwm4StripUnderATopPanel, NoWindowStacksOverTheStripAndAPressOnFileOpensItIn2DAnd3D) {
    ExpectTheStripOnTopIn2DAnd3D(panel);
}

} // namespace
