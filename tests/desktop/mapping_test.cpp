// Windows shown under a window manager stay on screen: a window hidden and shown again at once,
// and the 2D editor opened afresh by each OK of the point list.

#include <QTest>
#include <gtest/gtest.h>

#include "rt/application.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/rt/testwindow.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

TEST(WindowUnderAManager, ANewWindowHiddenAndAtOnceShownAgainIsViewable) {
    TestWindow<>::Reset();
    TestWindow<>::layout = [](TestWindow<>& w) {
        w.SetTitle("Hidden and shown");
        w.SetLeft(200);
        w.SetTop(200);
    };
    int vanished = 0;
    for (int round = 0; round < 40; ++round) {
        TestWindow<>& window = rt::Instance<TestWindow<>>();
        window.Hide();
        QTest::qWait(round % 5);
        window.Show();
        if (!desktop::SettlesViewable(*window.ContentWidget()))
            ++vanished;
        window.Close();
    }
    EXPECT_EQ(vanished, 0) << "of 40 windows";
}

using TwoDEditorUnderAManager = ProgramTest;

TEST_F(TwoDEditorUnderAManager, FiftyOksOfThePointListEachLeaveTheEditorViewable) {
    RunProgram(
        [] {
            rt::ScriptedDialogs dialogs;
            dialogs.AnswerOpen(TestData("points_lf.txt"));
            Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
            ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindow("2 D") != nullptr; }));
            int vanished = 0;
            for (int round = 0; round < 50; ++round) {
                MenuItem({"File", "Point Editor.."})->trigger();
                QWidget* list = nullptr;
                ASSERT_TRUE(
                    QTest::qWaitFor([&] { return (list = VisibleWindow("Point Editor")) != nullptr; }));
                Press(list, "OK");
                QWidget* editor = nullptr;
                ASSERT_TRUE(QTest::qWaitFor([&] { return (editor = VisibleWindow("2 D")) != nullptr; }));
                if (!desktop::SettlesViewable(*editor))
                    ++vanished;
            }
            EXPECT_EQ(vanished, 0) << "of 50 switches to 2D";
            rt::Application::Current()->Quit();
        },
        120);
}

} // namespace
