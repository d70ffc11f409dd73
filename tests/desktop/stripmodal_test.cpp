// The strip while a modal dialog of the program is up: its menus open neither by a key nor by a
// press, and its shortcuts do nothing, so no command starts inside the dialog's event loop.

#include <QFileDialog>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "rt/application.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;
using StripUnderAModalDialog = ProgramTest;

QMenu* OpenMenu() {
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

TEST_F(StripUnderAModalDialog, AltEAPressOnFileAndCtrlROpenNothingAndTheDialogStaysUp) {
    RunProgram(
        [] {
            // As the program's open dialog runs: application-modal, in an event loop of its own.
            QFileDialog dialog(VisibleWindow("Starting Choice"));
            // A folder of folders and files (the source folder), as a user's is.
            dialog.setDirectory(QString::fromStdString(TestData("../..")));
            QTimer::singleShot(0, &dialog, [&] {
                ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &dialog; }));
                QWidget* field = QApplication::focusWidget();
                ASSERT_NE(field, nullptr);

                QTest::keyClick(field, Qt::Key_E, Qt::AltModifier);
                EXPECT_EQ(OpenMenu(), nullptr) << "Alt+E opened a menu of the strip";
                if (QMenu* menu = OpenMenu())
                    menu->close();

                QMenuBar* bar = Strip();
                QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(MenuItem({"File"})).center());
                EXPECT_EQ(OpenMenu(), nullptr) << "a press on File opened its menu";
                if (QMenu* menu = OpenMenu())
                    menu->close();

                QTest::keyClick(field, Qt::Key_R, Qt::ControlModifier);
                EXPECT_EQ(VisibleWindow("Point Editor"), nullptr) << "Ctrl+R opened the point list";
                // Also from the dialog's list of files, which takes no text.
                auto* files = dialog.findChild<QListView*>(QStringLiteral("listView"));
                ASSERT_NE(files, nullptr);
                files->setFocus();
                QTest::keyClick(files, Qt::Key_R, Qt::ControlModifier);
                EXPECT_EQ(VisibleWindow("Point Editor"), nullptr)
                    << "Ctrl+R in the list of files opened the point list";

                EXPECT_TRUE(dialog.isVisible());
                dialog.reject();
            });
            dialog.exec();
            rt::Application::Current()->Quit();
        },
        20);
}

} // namespace
