// The keyboard after a dialog closes: the window the dialog opened from has it again, under
// openbox and under metacity.

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "rt/application.h"
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
    ASSERT_TRUE(QTest::qWaitFor([&] {
        const QWidget* palette = VisibleWindow("Trace");
        return desktop::Settled(*editor) && palette != nullptr && desktop::Settled(*palette);
    }));
    editor->activateWindow();
    ASSERT_TRUE(QTest::qWaitFor([&] { return HasTheKeyboard(editor); }))
        << "the editor never had the keyboard";

    MenuItem({"File", "Point Editor.."})->trigger();
    QWidget* list = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        list = QApplication::activeWindow();
        return list != nullptr && list != editor && HasTheKeyboard(list);
    })) << "the point list never had the keyboard";
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
