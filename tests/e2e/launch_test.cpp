// The program started as a user starts it: the real start order and event loop, on a real
// screen. The menu strip is read and used through its Qt widgets.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include "tests/support/e2e.h"
#include "tests/support/userfolder.h"

namespace {

using namespace testsupport;

class Launch : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};

TEST_F(Launch, FirstLaunchIsEnglishAndFileQuitWithTheMouseWritesEnglish) {
    const int status = RunProgram([] {
        QMenuBar* bar = VisibleStripBar();
        QAction* file = ActionTitled(bar->actions(), "File");
        ASSERT_NE(file, nullptr);
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
        QPointer<QMenu> menu = file->menu();
        ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); })) << "File did not open";
        QAction* quit = ActionTitled(menu->actions(), "Quit");
        ASSERT_NE(quit, nullptr);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(quit).center());
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "1\n");
}

TEST_F(Launch, ItalianPreferencesGiveArchivioAndControlQQuitsKeepingItalian) {
    WritePreferences("2\nsecond line\n");
    const int status = RunProgram([] {
        QMenuBar* bar = VisibleStripBar();
        ASSERT_NE(ActionTitled(bar->actions(), "Archivio"), nullptr);
        QWidget* strip = bar->window();
        QApplication::setActiveWindow(strip);
        ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == strip; }));
        qt_sendShortcutOverrideEvent(strip, 0, Qt::Key_Q, Qt::ControlModifier, QStringLiteral("q"));
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "2\n");
}

} // namespace
