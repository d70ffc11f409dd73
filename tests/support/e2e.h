#pragma once
// Driving the whole program as a user does, on a real screen: start it, wait for what a user
// sees (the menu strip, a window by its title), find buttons and menu items.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>

#include "app/startup.h"
#include "rt/application.h"

namespace testsupport {

// The visible top-level window with this title, or null.
inline QWidget* VisibleWindow(const QString& title) {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible() && top->windowTitle() == title)
            return top;
    return nullptr;
}

// The button with this caption in the window, or null.
inline QAbstractButton* ButtonCaptioned(QWidget* window, const QString& caption) {
    if (window != nullptr)
        for (QAbstractButton* button : window->findChildren<QAbstractButton*>())
            if (button->text() == caption)
                return button;
    return nullptr;
}

inline QMenuBar* VisibleStripBar() {
    for (QWidget* top : QApplication::topLevelWidgets())
        if (top->isVisible())
            if (auto* bar = top->findChild<QMenuBar*>())
                return bar;
    return nullptr;
}

inline QAction* ActionTitled(const QList<QAction*>& actions, const QString& text) {
    for (QAction* action : actions)
        if (QString(action->text()).remove('&') == text)
            return action;
    return nullptr;
}

// The program has opened when the strip shows File (or Archivio) with its Export.. item disabled,
// as working mode 0 has it.
inline bool Opened() {
    QMenuBar* bar = VisibleStripBar();
    if (bar == nullptr || bar->actions().isEmpty() || bar->actions().first()->menu() == nullptr)
        return false;
    const QList<QAction*> items = bar->actions().first()->menu()->actions();
    const QAction* exportItem = ActionTitled(items, "Export..");
    if (exportItem == nullptr)
        exportItem = ActionTitled(items, "Esporta..");
    return exportItem != nullptr && !exportItem->isEnabled() &&
           (VisibleWindow("Starting Choice") != nullptr || VisibleWindow("Scelta iniziale") != nullptr);
}

// Waits, with the event loop running, until the condition holds; false after five seconds.
inline bool WaitFor(const std::function<bool()>& condition) {
    return QTest::qWaitFor(condition, 5000);
}

// Starts the program and runs `user` once it has opened. The user must end the program; if it
// does not within ten seconds, the test fails and the program is told to quit.
inline int RunProgram(const std::function<void()>& user) {
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

// The menu item reached through the strip by its captions, e.g. {"File", "Export..", "DXF.."}.
inline QAction* MenuItem(std::initializer_list<QString> path) {
    QMenuBar* bar = VisibleStripBar();
    if (bar == nullptr)
        return nullptr;
    QList<QAction*> actions = bar->actions();
    QAction* item = nullptr;
    for (const QString& caption : path) {
        item = ActionTitled(actions, caption);
        if (item == nullptr)
            return nullptr;
        if (item->menu() != nullptr)
            actions = item->menu()->actions();
    }
    return item;
}

} // namespace testsupport
