// The menu strip when it is the only window of the program left, under a window manager: its
// menus open by mouse and by keyboard, and what is chosen from them runs.

#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>

#include "model/globali.h"
#include "rt/application.h"
#include "rt/desktop/xserver.h"
#include "rt/dialogs.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;
using MenuStripAlone = ProgramTest;

// Closes the start window as its close box does and waits until the strip has the keyboard.
void CloseTheStartWindow() {
    QWidget* start = VisibleWindow("Starting Choice");
    ASSERT_NE(start, nullptr);
    start->close();
    ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeWindow() == Strip()->window(); }))
        << "the strip did not take the keyboard";
}

// Clicks an item of an open menu and returns the menu it opens, if any.
QMenu* Choose(QMenu& menu, const QString& caption) {
    for (QAction* action : menu.actions())
        if (QString(action->text()).remove('&') == caption) {
            QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
            return action->menu();
        }
    ADD_FAILURE() << "no item " << caption.toStdString();
    return nullptr;
}

// The menu opens and stays open for a moment (a menu the manager closes again at once fails).
bool StaysOpen(const QPointer<QMenu>& menu) {
    return desktop::HoldsSteadily([&] { return menu && menu->isVisible(); }, 5000, 200);
}

// The strip's WM_PROTOCOLS name WM_TAKE_FOCUS.
bool OffersToTakeTheFocus() {
    const auto offered = rt::x11::Property32(rt::x11::WindowOf(*Strip()->window()),
                                             rt::x11::Atom("WM_PROTOCOLS"), XCB_ATOM_ATOM, 16);
    return offered && std::count(offered->begin(), offered->end(), rt::x11::Atom("WM_TAKE_FOCUS")) > 0;
}

// Else awesome takes the keyboard from the program's window as a menu title is pressed, and Qt
// closes the menu that has just opened.
TEST_F(MenuStripAlone, OffersTheManagerToTakeTheFocusOnlyWhileItTakesTheKeyboard) {
    RunProgram(
        [] {
            EXPECT_FALSE(OffersToTakeTheFocus()) << "beside the start window";
            CloseTheStartWindow();
            EXPECT_TRUE(OffersToTakeTheFocus()) << "alone";
            rt::Application::Current()->Quit();
        },
        20);
}

TEST_F(MenuStripAlone, MenusOpenByKeyboardAndMouseAndWhatIsChosenRunsThenAMnemonicOpensFromAWindow) {
    RunProgram(
        [] {
            rt::ScriptedDialogs dialogs;
            CloseTheStartWindow();
            const QPointer<QMenu> edit = MenuItem({"Edit"})->menu();
            QTest::keyClick(Strip(), Qt::Key_E, Qt::AltModifier);
            EXPECT_TRUE(StaysOpen(edit)) << "Alt+E did not open Edit on the strip alone";
            QTest::keyClick(edit, Qt::Key_Escape);
            ASSERT_TRUE(QTest::qWaitFor([&] { return !edit->isVisible(); }));

            QMenuBar* bar = Strip();
            QAction* file = MenuItem({"File"});
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(file).center());
            const QPointer<QMenu> menu = file->menu();
            ASSERT_TRUE(StaysOpen(menu)) << "File did not open";
            const QPointer<QMenu> import = Choose(*menu, "Import..");
            ASSERT_TRUE(import && StaysOpen(import)) << "Import.. did not open";
            dialogs.AnswerOpen(TestData("points_lf.txt"));
            Choose(*import, "Text XYZ..");
            QWidget* editor = nullptr;
            ASSERT_TRUE(QTest::qWaitFor([&] { return (editor = VisibleWindow("2 D")) != nullptr; }));
            EXPECT_EQ(dialogs.PendingAnswers(), 0u) << "Text XYZ.. asked for no file";
            EXPECT_EQ(globali::ptot, 6);

            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == editor; }));
            QTest::keyClick(editor, Qt::Key_E, Qt::AltModifier);
            EXPECT_TRUE(StaysOpen(edit)) << "Alt+E did not open Edit from the 2D editor";
            rt::Application::Current()->Quit();
        },
        20);
}

using Xfwm4StripAlone = ProgramTest;

// xfwm4 reads a window's focus hint only as it takes the window in: the strip, mapped without the
// keyboard, still takes it once the start window's file dialog is cancelled and nothing else of
// the program is left, so that the program's shortcuts work.
TEST_F(Xfwm4StripAlone, TakesTheKeyboardOnceTheLastDialogIsCancelled) {
    RunProgram(
        [] {
            const rt::UserDialogs user;
            QTimer cancel;
            QObject::connect(&cancel, &QTimer::timeout, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                if (dialog != nullptr && QApplication::activeWindow() == dialog) {
                    cancel.stop();
                    // A real key, with the time stamp the manager sees of the user's input.
                    QProcess::execute(QStringLiteral("xdotool"),
                                      {QStringLiteral("key"), QStringLiteral("Escape")});
                }
            });
            cancel.start(20);
            Press(VisibleWindow("Starting Choice"), "Read points from a TEXT file of X, Y, Z coordinates");
            EXPECT_TRUE(QTest::qWaitFor([] { return desktop::HasXFocus(*Strip()->window()); }))
                << "the strip did not take the keyboard";
            rt::Application::Current()->Quit();
        },
        20);
}

} // namespace
