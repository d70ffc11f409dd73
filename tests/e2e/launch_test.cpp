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

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "app/preferences.h"
#include "app/startup.h"
#include "model/globali.h"
#include "model/inizio.h"
#include "rt/application.h"
#include "rt/folderitem.h"

// What QTest uses to deliver a key as a shortcut, as the platform does for a real key press.
Q_GUI_EXPORT bool qt_sendShortcutOverrideEvent(QObject* o, ulong timestamp, int k, Qt::KeyboardModifiers mods,
                                               const QString& text = QString(), bool autorep = false,
                                               ushort count = 1);

namespace {

// The test main points the per-user folder into a temporary folder; a path anywhere else stops
// the run before the user's own file is touched.
std::filesystem::path PreferencesPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const std::string temporary = std::filesystem::temp_directory_path().string();
    const std::string path = rt::GetFolderItem(Preferenze::kNomeFile).Path();
    if (config == nullptr || std::string(config).rfind(temporary, 0) != 0 || path.rfind(config, 0) != 0)
        std::abort();
    return path;
}

void WritePreferences(const std::string& content) {
    std::filesystem::remove_all(PreferencesPath());
    std::ofstream(PreferencesPath(), std::ios::binary) << content;
}

std::string ReadPreferences() {
    std::ifstream in(PreferencesPath(), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

QMenuBar* FindStripBar() {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible())
            continue;
        if (auto* bar = qobject_cast<QMenuBar*>(top))
            return bar;
        if (auto* bar = top->findChild<QMenuBar*>())
            return bar;
    }
    return nullptr;
}

QAction* ActionTitled(const QList<QAction*>& actions, const QString& text) {
    for (QAction* action : actions)
        if (action->text() == text)
            return action;
    return nullptr;
}

QStringList Titles(const QList<QAction*>& actions) {
    QStringList titles;
    for (QAction* action : actions)
        titles << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return titles;
}

void Click(QWidget* widget, const QPoint& at) {
    const QPointF local(at);
    const QPointF global(widget->mapToGlobal(at));
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

// Starts the program and runs `user` once the application has opened. The user must end the
// program; if it does not within ten seconds, the test fails and the program is told to quit.
int RunProgram(const std::function<void()>& user) {
    globali::col_3d = 0; // the last launch value set by the opening
    bool done = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done || globali::col_3d == 0 || FindStripBar() == nullptr)
            return;
        done = true;
        poll.stop();
        user();
    });
    poll.start();
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
    void SetUp() override { std::filesystem::remove_all(PreferencesPath()); }
    void TearDown() override {
        ambrelix::DiscardAppInstance();
        std::filesystem::remove_all(PreferencesPath());
    }
};

TEST_F(Launch, FirstLaunchShowsEnglishMenusAndFileQuitWritesEnglish) {
    const int status = RunProgram([] {
        QMenuBar* bar = FindStripBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(Titles(bar->actions()), QStringList({"File", "&Edit"}));

        QAction* file = ActionTitled(bar->actions(), "File");
        ASSERT_NE(file, nullptr);
        ASSERT_NE(file->menu(), nullptr);
        EXPECT_EQ(Titles(file->menu()->actions()),
                  QStringList({"Point Editor..", "Import..", "Export..", "-", "Quit"}));
        QAction* exportItem = ActionTitled(file->menu()->actions(), "Export..");
        ASSERT_NE(exportItem, nullptr);
        EXPECT_FALSE(exportItem->isEnabled());
        EXPECT_TRUE(ActionTitled(file->menu()->actions(), "Point Editor..")->isEnabled());

        QAction* edit = ActionTitled(bar->actions(), "&Edit");
        ASSERT_NE(edit, nullptr);
        ASSERT_NE(edit->menu(), nullptr);
        QAction* editMeasures = ActionTitled(edit->menu()->actions(), "Edit measures..");
        ASSERT_NE(editMeasures, nullptr);
        EXPECT_FALSE(editMeasures->isEnabled());

        // File > Quit with the mouse: open File on the strip, then click Quit.
        Click(bar, bar->actionGeometry(file).center());
        QPointer<QMenu> menu = file->menu();
        ASSERT_TRUE(WaitFor([&] { return menu->isVisible(); })) << "File did not open";
        QAction* quit = ActionTitled(menu->actions(), "Quit");
        ASSERT_NE(quit, nullptr);
        Click(menu, menu->actionGeometry(quit).center());
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "1\n");
    EXPECT_EQ(globali::lingua, 1);
    EXPECT_EQ(Inizio::ambiente, 0);
}

TEST_F(Launch, ItalianPreferencesGiveArchivioAndControlQQuitsKeepingItalian) {
    WritePreferences("2\nsecond line\n");
    const int status = RunProgram([] {
        QMenuBar* bar = FindStripBar();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(Titles(bar->actions()), QStringList({"Archivio", "&Edit"}));
        QAction* file = ActionTitled(bar->actions(), "Archivio");
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(Titles(file->menu()->actions()),
                  QStringList({"Gestione Punti..", "Importa..", "Esporta..", "-", "Esci"}));
        EXPECT_FALSE(ActionTitled(file->menu()->actions(), "Esporta..")->isEnabled());

        QWidget* strip = bar->window();
        QApplication::setActiveWindow(strip);
        ASSERT_TRUE(WaitFor([&] { return QApplication::activeWindow() == strip; }));
        qt_sendShortcutOverrideEvent(strip, 0, Qt::Key_Q, Qt::ControlModifier, QStringLiteral("q"));
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadPreferences(), "2\n");
}

} // namespace
