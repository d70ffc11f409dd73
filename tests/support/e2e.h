#pragma once
// The whole program started as a user starts it, on a real screen, and its menus found by caption.

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>

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

// The program has opened when the start window shows and, as in working mode 0, Export.. is off.
inline bool Opened() {
    const QAction* item = MenuItem({"File", "Export.."});
    item = item ? item : MenuItem({"Archivio", "Esporta.."});
    return item && !item->isEnabled() &&
           (VisibleWindow("Starting Choice") || VisibleWindow("Scelta iniziale"));
}

// Starts the program and runs `user` once it has opened; `user` must quit it within ten seconds.
inline int RunProgram(const std::function<void()>& user) {
    bool done = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (!done && Opened()) {
            done = true;
            user();
        }
    });
    poll.start(10);
    QTimer::singleShot(10000, &poll, [] {
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
