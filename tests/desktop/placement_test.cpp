// Where the program's windows lie on a desktop: without a panel exactly where the program puts
// them, and under a top panel with every frame the window manager draws below the strip.

#include <QFileDialog>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "rt/application.h"
#include "rt/dialogs.h"
#include "rt/window.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

QRect Area() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

// The window's client lies at `at` from the area's top-left corner once the manager has placed it.
void ExpectAt(const QWidget* window, const QPoint& at, const char* name) {
    ASSERT_NE(window, nullptr) << name;
    const QPoint wanted = Area().topLeft() + at;
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop::Settled(*window); })) << name;
    static_cast<void>(
        QTest::qWaitFor([&] { return desktop::ClientOnScreen(*window).topLeft() == wanted; }, 1000));
    const QPoint seen = desktop::ClientOnScreen(*window).topLeft() - Area().topLeft();
    EXPECT_EQ(seen, at) << name << " at " << seen.x() << "," << seen.y();
}

// The frame the manager draws around the window lies below the strip.
void ExpectBelowTheStrip(const QWidget* window, const char* name) {
    ASSERT_NE(window, nullptr) << name;
    ASSERT_TRUE(QTest::qWaitFor([&] { return desktop::Settled(*window); })) << name;
    const int stripBottom = desktop::DrawnFrame(*Strip()->window()).bottom();
    static_cast<void>(
        QTest::qWaitFor([&] { return desktop::DrawnFrame(*window).top() > stripBottom; }, 1000));
    const QRect frame = desktop::DrawnFrame(*window);
    EXPECT_GT(frame.top(), stripBottom) << name << "'s frame from " << frame.top() << " covers the strip";
}

void ReadPoints() {
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerOpen(TestData("points_lf.txt"));
    Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") && VisibleWindow("Trace"); }));
}

using NoManager640StartWindow = ProgramTest;

TEST_F(NoManager640StartWindow, LiesCentredAsTheProgramPutsIt) {
    if (QGuiApplication::primaryScreen()->geometry().size() != QSize(640, 480))
        GTEST_SKIP() << "runs on a 640 x 480 screen";
    RunProgram(
        [] {
            ExpectAt(VisibleWindow("Starting Choice"), {120, 40}, "the start window");
            rt::Application::Current()->Quit();
        },
        30);
}

using WindowsUnderAManager = ProgramTest;

TEST_F(WindowsUnderAManager, LieWhereTheProgramPutsThemWhereTheirFramesClearTheStrip) {
    RunProgram(
        [] {
            QWidget* start = VisibleWindow("Starting Choice");
            ASSERT_NE(start, nullptr);
            ExpectAt(start, {(Area().width() - start->width()) / 2, (Area().height() - start->height()) / 2},
                     "the start window");
            ReadPoints();
            ExpectAt(VisibleWindow("2 D"), {88, 48}, "the 2D editor");
            ExpectAt(VisibleWindow("Trace"), {4, 42}, "the palette");
            rt::Application::Current()->Quit();
        },
        30);
}

// A window of the program at (168, 48), sized for a wider screen than the one it opens on.
class TooWideWindow : public rt::Window {
protected:
    void Layout() override {
        SetTitle("Too wide");
        SetResizeable(false);
    }
    void Event_Open() override {
        SetLeft(168);
        SetTop(48);
        SetWidth(Area().width() - 100);
        SetHeight(200);
    }
};

using WindowsPastTheRightEdge = ProgramTest;

// Its frame would pass the area's right edge: it keeps its left edge and loses the columns beyond
// that edge rather than moving left over the windows beside it.
TEST_F(WindowsPastTheRightEdge, KeepTheirLeftEdgeAndLoseTheColumnsBeyond) {
    TooWideWindow* window = &rt::Instance<TooWideWindow>();
    QWidget* shown = window->ContentWidget();
    // Now and then openbox places a window whose frame ends at the screen's edge itself, at the
    // area's top-left corner, whatever the program asked (about one full desktop run in ten, also
    // while the program still waited for the manager to map its windows); such a window is shown
    // once more.
    const QPoint openboxCorner = Area().topLeft() + QPoint(1, 20);
    if (QTest::qWaitFor([&] { return desktop::Settled(*shown); }) &&
        !QTest::qWaitFor(
            [&] { return desktop::ClientOnScreen(*shown).topLeft() == Area().topLeft() + QPoint(168, 48); },
            1000) &&
        desktop::ClientOnScreen(*shown).topLeft() == openboxCorner) {
        window->Close();
        QTest::qWait(100);
        window = &rt::Instance<TooWideWindow>();
        shown = window->ContentWidget();
    }
    ExpectAt(shown, {168, 48}, "the window");
    const QRect frame = desktop::DrawnFrame(*shown);
    EXPECT_LE(frame.right(), Area().right()) << "the frame reaches to " << frame.right();
    EXPECT_GE(frame.right(), Area().right() - 1) << "the window lost more columns than it must";
    window->Close();
}

// Under a top panel, the frames of the windows of 2D and 3D and of the dialogs on them lie below
// the strip, whatever height of title bar the manager draws.
void ExpectEveryFrameBelowTheStrip() {
    ExpectBelowTheStrip(VisibleWindow("Starting Choice"), "the start window");
    ReadPoints();
    ExpectBelowTheStrip(VisibleWindow("2 D"), "the 2D editor");
    ExpectBelowTheStrip(VisibleWindow("Trace"), "the palette");
    {
        QFileDialog dialog(VisibleWindow("Trace"));
        dialog.open();
        ExpectBelowTheStrip(&dialog, "a dialog on the palette");
    }
    Press(VisibleWindow("Trace"), "3 D");
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("Control") && VisibleWindow("3D"); }));
    ExpectBelowTheStrip(VisibleWindow("Control"), "the control panel");
    ExpectBelowTheStrip(VisibleWindow("3D"), "the 3D view");
    {
        QFileDialog dialog(VisibleWindow("Control"));
        dialog.open();
        ExpectBelowTheStrip(&dialog, "a dialog on the control panel");
    }
}

class MetacityUnderATopPanel : public ProgramTest {
protected:
    desktop::TopPanel panel;
};
class Xfwm4UnderATopPanel : public MetacityUnderATopPanel {};

TEST_F(MetacityUnderATopPanel, EveryFrameOfTheProgramLiesBelowTheStrip) {
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            ExpectEveryFrameBelowTheStrip();
            rt::Application::Current()->Quit();
        },
        30);
}

TEST_F(Xfwm4UnderATopPanel, EveryFrameOfTheProgramLiesBelowTheStrip) {
    ASSERT_TRUE(panel.Reserved()) << "the window manager reserved no band for the panel";
    RunProgram(
        [] {
            ExpectEveryFrameBelowTheStrip();
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace
