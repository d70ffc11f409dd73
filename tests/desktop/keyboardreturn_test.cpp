// The keyboard after a window of the program closes: the window it belonged to has the keyboard
// again, with a manager that does not give it back and without a manager, and the program never
// takes the keyboard from another program's window.

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QMenuBar>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "rt/application.h"
#include "rt/desktop/xevents.h"
#include "rt/desktop/xserver.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

void Xdotool(const QStringList& arguments) {
    ASSERT_EQ(QProcess::execute(QStringLiteral("xdotool"), arguments), 0)
        << arguments.join(' ').toStdString();
}

QWidget* ReadPointsIntoTheEditor() {
    rt::ScriptedDialogs dialogs;
    dialogs.AnswerOpen(TestData("points_lf.txt"));
    Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
    QWidget* editor = nullptr;
    static_cast<void>(QTest::qWaitFor([&] { return (editor = VisibleWindow("2 D")) != nullptr; }));
    return editor;
}

bool HasTheKeyboard(const QWidget* window) {
    return window != nullptr && desktop::HasXFocus(*window) && QApplication::activeWindow() == window;
}

// Runs `answer` on the program's file dialog once it has the keyboard, while `open` opens it.
void AnswerTheFileDialog(const std::function<void()>& open, const std::function<void()>& answer) {
    const rt::UserDialogs user;
    const desktop::OnModalDialog answering(
        [](QDialog& dialog) {
            return qobject_cast<QFileDialog*>(&dialog) != nullptr && HasTheKeyboard(&dialog);
        },
        [&](QDialog&) { answer(); });
    open();
    EXPECT_TRUE(answering.Acted()) << "the file dialog never had the keyboard";
}

using NoManagerKeyboard = ProgramTest;

// Without a manager no one gives the keyboard back: the program does, so that its shortcuts reach
// it with the pointer over no window, where the keys would otherwise go.
TEST_F(NoManagerKeyboard, ShortcutsReachTheProgramAfterADialogWithoutAClick) {
    RunProgram(
        [] {
            QWidget* editor = ReadPointsIntoTheEditor();
            ASSERT_NE(editor, nullptr);
            const QRect screen = QGuiApplication::primaryScreen()->geometry();
            Xdotool({"mousemove", QString::number(screen.right()), QString::number(screen.bottom())});
            AnswerTheFileDialog(
                [] {
                    MenuItem({"File", "Import..", "Text XYZ.."})->trigger();
                },
                [] {
                    Xdotool({"key", "Escape"});
                });
            EXPECT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }, 3000))
                << "the editor lacks the keyboard after the file dialog";

            Xdotool({"key", "ctrl+r"});
            QWidget* list = nullptr;
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return (list = VisibleWindow("Point Editor")) != nullptr; }, 3000))
                << "Ctrl+R after the file dialog opened no point list";
            if (list != nullptr)
                Press(list, "Cancel");
            EXPECT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }, 3000))
                << "the editor lacks the keyboard after the point list";

            bool quit = false;
            QObject::connect(MenuItem({"File", "Quit"}), &QAction::triggered, [&] { quit = true; });
            Xdotool({"key", "ctrl+q"});
            EXPECT_TRUE(QTest::qWaitFor([&] { return quit; }, 3000))
                << "Ctrl+Q after the point list did not quit";
            if (!quit)
                rt::Application::Current()->Quit();
        },
        30);
}

// Qt takes the pointer through X Input 2, whose clicks count as the user's events as core ones do.
TEST_F(NoManagerKeyboard, AClickIsTheUsersLastEvent) {
    RunProgram([] {
        const rt::x11::Events* events = rt::x11::Events::Get();
        ASSERT_NE(events, nullptr);
        const QMenuBar* bar = Strip();
        const QPoint empty = bar->mapToGlobal(QPoint(bar->width() - 4, bar->height() / 2));
        const xcb_timestamp_t before = events->LastUserTime();
        Xdotool({"mousemove", QString::number(empty.x()), QString::number(empty.y()), "click", "1"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return events->LastUserTime() != before; }, 3000))
            << "a click on the strip left the user's last time at " << before;
        rt::Application::Current()->Quit();
    });
}

class MetacityKeyboardUnderATopPanel : public ProgramTest {
protected:
    desktop::TopPanel panel;
};

// Under metacity (and marco, MATE's manager built on it) with a top panel, the contours' Save
// dialog and the export's progress window left no window with the keyboard.
TEST_F(MetacityKeyboardUnderATopPanel, TheEditorHasTheKeyboardAfterTheContoursExport) {
    RunProgram(
        [] {
            QWidget* editor = ReadPointsIntoTheEditor();
            ASSERT_NE(editor, nullptr);
            editor->activateWindow();
            ASSERT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }));
            const QTemporaryDir folder;
            const QString path = folder.filePath(QStringLiteral("curve.dxf"));
            AnswerTheFileDialog(
                [] {
                    MenuItem({"File", "Export..", "DXF.."})->trigger();
                },
                [&] {
                    Xdotool({"type", "--delay", "1", path});
                    Xdotool({"key", "Return"});
                });
            EXPECT_TRUE(QFile::exists(path));
            EXPECT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }, 3000))
                << "the editor lacks the keyboard after the export";
            rt::Application::Current()->Quit();
        },
        30);
}

// A window of another program, on a connection of its own to the X server.
class OtherProgramWindow {
public:
    OtherProgramWindow() : connection_(xcb_connect(nullptr, nullptr)) {
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        window_ = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, screen->root, 700, 600, 300, 200, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
        xcb_map_window(connection_, window_);
        xcb_flush(connection_);
    }
    ~OtherProgramWindow() { xcb_disconnect(connection_); }
    OtherProgramWindow(const OtherProgramWindow&) = delete;
    OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

    xcb_window_t Id() const { return window_; }
    bool Viewable() const {
        const auto attributes = rt::x11::Take(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, window_), nullptr));
        return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    }
    // As a click of the user's into it gives it the keyboard.
    void TakeTheKeyboard() {
        xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window_, XCB_CURRENT_TIME);
        xcb_flush(connection_);
    }

private:
    xcb_connection_t* connection_;
    xcb_window_t window_ = XCB_WINDOW_NONE;
};

using KeyboardUnderAManager = ProgramTest;

// The user has moved to another program; the program's last window then closes. The strip is left
// alone, yet the keyboard stays where the user put it.
TEST_F(KeyboardUnderAManager, StaysWithAnotherProgramWhenTheProgramsLastWindowCloses) {
    RunProgram(
        [] {
            QWidget* start = VisibleWindow("Starting Choice");
            ASSERT_NE(start, nullptr);
            OtherProgramWindow other;
            ASSERT_TRUE(QTest::qWaitFor([&] { return other.Viewable(); }));
            other.TakeTheKeyboard();
            ASSERT_TRUE(QTest::qWaitFor([&] { return desktop::XFocus() == other.Id(); }));
            start->hide();
            EXPECT_TRUE(desktop::HoldsSteadily([&] { return desktop::XFocus() == other.Id(); }, 4000, 1500))
                << "the program took the keyboard from the other program";
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace
