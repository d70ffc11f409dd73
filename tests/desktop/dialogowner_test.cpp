// The keyboard after a dialog closes: the window the dialog opened from has it again, under
// openbox and under metacity.

#include <QApplication>
#include <QDialog>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

#include "rt/application.h"
#include "rt/desktop/xserver.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

// True once the window has the keyboard, as the X server and the program see it.
bool HasTheKeyboard(const QWidget* window) {
    return desktop::HasXFocus(*window) && QApplication::activeWindow() == window;
}

// The editor given the keyboard, the point list opened from it and cancelled: the editor has the
// keyboard again.
void ExpectTheEditorToGetTheKeyboardBackFromThePointList(QWidget* editor) {
    // As a user clicks into the editor once it and its palette are on screen: the program shows
    // windows without waiting for the manager to map them.
    // Qt activates a window it shows once it has seen it mapped; that of the palette, shown last,
    // must not come after the user's click.
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QWidget* palette = VisibleWindow("Trace");
        return desktop::Settled(*editor) && palette != nullptr && desktop::Settled(*palette) &&
               editor->windowHandle()->isExposed() && palette->windowHandle()->isExposed();
    }));
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }))
        << "the editor never had the keyboard";

    MenuItem({"File", "Point Editor.."})->trigger();
    QWidget* list = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        list = VisibleWindow("Point Editor");
        return list != nullptr && HasTheKeyboard(list);
    })) << "the point list never had the keyboard; "
        << (QApplication::activeWindow() != nullptr
                ? QApplication::activeWindow()->windowTitle().toStdString()
                : std::string("no window"))
        << " has it";
    Press(list, "Cancel");
    EXPECT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }))
        << "the editor lacks the keyboard after the point list";
}

// From the 2D editor, the point list opened and cancelled, then a file dialog opened and
// cancelled: each time the editor has the keyboard again.
void ExpectTheEditorToGetTheKeyboardBack() {
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(TestData("points_lf.txt"));
        Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
    }
    QWidget* editor = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (editor = VisibleWindow("2 D")) != nullptr; }));
    ASSERT_NO_FATAL_FAILURE(ExpectTheEditorToGetTheKeyboardBackFromThePointList(editor));

    const rt::UserDialogs user;
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !HasTheKeyboard(dialog))
            return;
        poll.stop();
        opened = true;
        dialog->reject();
    });
    poll.start(20);
    MenuItem({"File", "Import..", "Text XYZ.."})->trigger();
    EXPECT_TRUE(opened) << "the file dialog never had the keyboard";
    EXPECT_TRUE(QTest::qWaitFor([&] { return VisibleWindow("2 D") == editor && HasTheKeyboard(editor); }))
        << "the editor lacks the keyboard after the file dialog";
}

using DialogOwnerUnderAManager = ProgramTest;
using MetacityDialogOwner = ProgramTest;

TEST_F(DialogOwnerUnderAManager, TheWindowADialogOpenedFromHasTheKeyboardOnceItCloses) {
    RunProgram(
        [] {
            ExpectTheEditorToGetTheKeyboardBack();
            rt::Application::Current()->Quit();
        },
        30);
}

TEST_F(MetacityDialogOwner, TheWindowADialogOpenedFromHasTheKeyboardOnceItCloses) {
    RunProgram(
        [] {
            ExpectTheEditorToGetTheKeyboardBack();
            rt::Application::Current()->Quit();
        },
        30);
}

// Points read through the File menu while the start window is up: the start window, which opened
// from no window of the program, does not stay over the 2D editor, and the point list opened from
// the editor gives the keyboard back to the editor, not to the start window.
void ExpectTheStartWindowToStayBelowTheEditor() {
    QWidget* start = VisibleWindow("Starting Choice");
    ASSERT_NE(start, nullptr);
    {
        rt::ScriptedDialogs dialogs;
        dialogs.AnswerOpen(TestData("points_lf.txt"));
        MenuItem({"File", "Import..", "Text XYZ.."})->trigger();
    }
    QWidget* editor = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (editor = VisibleWindow("2 D")) != nullptr; }));
    ASSERT_TRUE(start->isVisible());
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop::StacksAbove(*editor, *start); }))
        << "the start window stays over the 2D editor";
    ASSERT_NO_FATAL_FAILURE(ExpectTheEditorToGetTheKeyboardBackFromThePointList(editor));
}

using MetacityStartWindow = ProgramTest;
using Xfwm4StartWindow = ProgramTest;

TEST_F(MetacityStartWindow, StaysBelowTheEditorWhichGetsTheKeyboardBackFromThePointList) {
    RunProgram(
        [] {
            ExpectTheStartWindowToStayBelowTheEditor();
            rt::Application::Current()->Quit();
        },
        30);
}

TEST_F(Xfwm4StartWindow, StaysBelowTheEditorWhichGetsTheKeyboardBackFromThePointList) {
    RunProgram(
        [] {
            ExpectTheStartWindowToStayBelowTheEditor();
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace

namespace {

// Clicks into the window as the user does, through the X server.
void ClickInto(const QWidget& window) {
    const QRect client = desktop::ClientOnScreen(window);
    ASSERT_EQ(
        QProcess::execute(QStringLiteral("xdotool"),
                          {QStringLiteral("mousemove"), QString::number(client.center().x()),
                           QString::number(client.y() + 5), QStringLiteral("click"), QStringLiteral("1")}),
        0);
}

using PaletteUnderAManager = ProgramTest;

// After a click on the palette, File > Import.. > DXF.. and OK in its options window: the Open
// dialog belongs to the 2D editor, which the palette serves, and lies centred across on it. The
// palette stays out of the taskbar.
TEST_F(PaletteUnderAManager, OwnsNoDialogAndStaysOutOfTheTaskbar) {
    RunProgram(
        [] {
            {
                rt::ScriptedDialogs dialogs;
                dialogs.AnswerOpen(TestData("points_lf.txt"));
                Press(VisibleWindow("Starting Choice"),
                      "Read points from a TEXT file of X, Y, Z coordinates");
            }
            QWidget* editor = nullptr;
            QWidget* palette = nullptr;
            ASSERT_TRUE(QTest::qWaitFor([&] {
                editor = VisibleWindow("2 D");
                palette = VisibleWindow("Trace");
                return editor && palette && desktop::Settled(*editor) && desktop::Settled(*palette);
            }));
            const auto states = rt::x11::Property32(rt::x11::WindowOf(*palette),
                                                    rt::x11::Atom("_NET_WM_STATE"), XCB_ATOM_ATOM, 64);
            ASSERT_TRUE(states.has_value());
            const xcb_atom_t skipTaskbar = rt::x11::Atom("_NET_WM_STATE_SKIP_TASKBAR");
            EXPECT_TRUE(std::find(states->begin(), states->end(), skipTaskbar) != states->end())
                << "a taskbar lists the palette";

            ASSERT_NO_FATAL_FAILURE(ClickInto(*palette));
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == palette; }));
            MenuItem({"File", "Import..", "DXF.."})->trigger();
            QWidget* options = nullptr;
            ASSERT_TRUE(
                QTest::qWaitFor([&] { return (options = VisibleWindow("Import DXF..")) != nullptr; }));

            const rt::UserDialogs user;
            QRect dialogOnScreen;
            const QWidget* owner = nullptr;
            const int editorMiddle = desktop::ClientOnScreen(*editor).center().x();
            const desktop::OnModalDialog measure(
                [](QDialog& dialog) { return desktop::Settled(dialog); },
                [&](QDialog& dialog) {
                    owner = dialog.parentWidget() != nullptr ? dialog.parentWidget()->window() : nullptr;
                    // The manager may still be moving the window it has just framed.
                    static_cast<void>(QTest::qWaitFor(
                        [&] {
                            return std::abs(desktop::ClientOnScreen(dialog).center().x() - editorMiddle) <= 4;
                        },
                        1000));
                    dialogOnScreen = desktop::ClientOnScreen(dialog);
                    dialog.reject();
                });
            Press(options, "OK");
            EXPECT_EQ(owner, editor) << "the Open dialog belongs to "
                                     << (owner != nullptr ? owner->windowTitle().toStdString() : "no window");
            EXPECT_LE(std::abs(dialogOnScreen.center().x() - editorMiddle), 4)
                << "the Open dialog at " << dialogOnScreen.x() << "," << dialogOnScreen.y()
                << ", the editor's middle at " << editorMiddle;
            rt::Application::Current()->Quit();
        },
        30);
}

} // namespace
