// The program started as a user starts it: the real start order and event loop, on a real
// screen. The menu strip is read and used through its Qt widgets.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

#include "app/startup.h"
#include "rt/application.h"
#include "tests/support/userfolder.h"

// What QTest uses to deliver a key as a shortcut, as the platform does for a real key press.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text = QString(), bool autorep = false,
                                               ushort count = 1);

namespace {

using namespace testsupport;

QMenuBar* VisibleStripBar() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            if (auto* bar = top->findChild<QMenuBar*>())
                return bar;
    return nullptr;
}

QAction* ActionTitled(const QList<QAction*>& actions, const QString& text) {
    for (QAction* action : actions)
        if (action->text() == text)
            return action;
    return nullptr;
}

// The program has opened when the strip shows File (or Archivio) with its Export.. item disabled,
// as working mode 0 has it.
bool Opened() {
    QMenuBar* bar = VisibleStripBar();
    if (bar == nullptr || bar->actions().isEmpty() || bar->actions().first()->menu() == nullptr)
        return false;
    const QList<QAction*> items = bar->actions().first()->menu()->actions();
    const QAction* exportItem = ActionTitled(items, "Export..");
    if (exportItem == nullptr)
        exportItem = ActionTitled(items, "Esporta..");
    return exportItem != nullptr && !exportItem->isEnabled();
}

void Click(QWidget* widget, const QPoint& at) {
    const QPointF local(at), global(widget->mapToGlobal(at));
    QMouseEvent press(QEvent::MouseButtonPress, local, global, Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, local, global, Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
}

// Waits, with the event loop running, until the condition holds; false after five seconds.
bool WaitFor(const std::function<bool()>& condition) {
    QElapsedTimer clock;
    clock.start();
    while (!condition()) {
        if (clock.elapsed() > 5000)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Starts the program and runs `user` once it has opened. The user must end the program; if it
// does not within ten seconds, the test fails and the program is told to quit.
int RunProgram(const std::function<void()>& user) {
    bool done = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done || !Opened())
            return;
        done = true;
        poll.stop();
        user();
    });
    poll.start(10);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        ADD_FAILURE() << "the program did not quit";
        if (rt::Application* application = rt::Application::Current())
            application->Quit();
    });
    watchdog.start(10000);
    const int status = ambrelix::Main();
    EXPECT_TRUE(done) << "the program never opened";
    return status;
}

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
        Click(bar, bar->actionGeometry(file).center());
        QPointer<QMenu> menu = file->menu();
        ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); })) << "File did not open";
        QAction* quit = ActionTitled(menu->actions(), "Quit");
        ASSERT_NE(quit, nullptr);
        Click(menu, menu->actionGeometry(quit).center());
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
