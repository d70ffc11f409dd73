#pragma once
// The whole program started as a user starts it, on a real screen, and its menus found by caption.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <string>

#include "app/startup.h"
#include "rt/application.h"
#include "tests/support/userfolder.h"

namespace testsupport {
inline QWidget* VisibleWindow(const QString& title) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle() == title)
            return top;
    return nullptr;
}

// The menu item reached through the strip by its captions, e.g. {"File", "Export..", "DXF.."}.
inline QAction* MenuItem(std::initializer_list<QString> path) {
    QList<QAction*> actions;
    for (QWidget* top : QApplication::topLevelWidgets())
        if (auto* bar = top->isVisible() ? top->findChild<QMenuBar*>() : nullptr)
            actions = bar->actions();
    QAction* item = nullptr;
    for (const QString& caption : path) {
        const auto found = std::find_if(actions.begin(), actions.end(), [&](QAction* a) {
            return QString(a->text()).remove('&') == caption;
        });
        if (found == actions.end())
            return nullptr;
        item = *found;
        actions = item->menu() ? item->menu()->actions() : QList<QAction*>();
    }
    return item;
}

// The menu strip's bar, found through the File menu in either language.
inline QMenuBar* Strip() {
    const QAction* first = MenuItem({"File"}) ? MenuItem({"File"}) : MenuItem({"Archivio"});
    return first ? qobject_cast<QMenuBar*>(first->associatedObjects().value(0)) : nullptr;
}

// Clicks the window's button with the caption.
inline void Press(QWidget* window, const QString& caption) {
    ASSERT_NE(window, nullptr) << caption.toStdString();
    for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
        if (button->text() == caption)
            return QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    ADD_FAILURE() << "no button " << caption.toStdString();
}

// A file of tests/data.
inline std::string TestData(const char* name) {
    return (std::filesystem::path(__FILE__).parent_path().parent_path() / "data" / name).string();
}

// The program has opened when the start window shows and, as in working mode 0, Export.. is off.
inline bool Opened() {
    const QAction* item = MenuItem({"File", "Export.."});
    item = item ? item : MenuItem({"Archivio", "Esporta.."});
    return item && !item->isEnabled() &&
           (VisibleWindow("Starting Choice") || VisibleWindow("Scelta iniziale"));
}

// Starts the program and runs `user` once it has opened; `user` must quit it within `seconds`.
inline int RunProgram(const std::function<void()>& user, int seconds = 10) {
    bool done = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!done && Opened()) {
            done = true;
            user();
        }
    });
    poll.start(10);
    QTimer::singleShot(seconds * 1000, &poll, [] {
        ADD_FAILURE() << "the program did not quit";
        rt::Application::Current()->Quit();
    });
    const int status = ambrelix::Main();
    EXPECT_TRUE(done) << "the program never opened";
    return status;
}

// Each run of the program starts without a preferences file and leaves none behind.
class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { RemovePreferences(); }
    void TearDown() override { RemovePreferences(); }
};
} // namespace testsupport
