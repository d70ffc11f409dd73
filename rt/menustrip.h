#pragma once
// The menu strip: a thin top-level window along the top of the desktop area that shows the
// application's menu bar. Item captions and enabled states follow the items live; a menu brings
// the enabling up to date (the application's EnableMenuItems) before it opens; shortcuts and the
// menus' mnemonics work in every window of the application. The strip never takes the keyboard
// from a window of the program; when the program's last window closes it takes the keyboard
// itself, so that the shortcuts still work, and keeps it while one of its menus is open. While a
// modal window of the program is up, the strip's menus open neither by key nor by mouse. The
// strip stays on screen until the program ends: a window manager is asked to keep it out of
// taskbars and pagers and to offer no close, minimise or maximise, and a close request is refused.

#include <QRect>
#include <QWidget>
#include <string>
#include <xcb/xcb.h>

#include "rt/desktop/strip.h"

class QAction;
class QCloseEvent;
class QKeyEvent;
class QMenu;
class QMenuBar;
class QShowEvent;

namespace rt {

class Application;
class MenuBar;
class MenuItem;

class MenuStrip : public QWidget, public detail::StripWindow {
public:
    MenuStrip(Application& application, MenuBar& bar);
    ~MenuStrip() override;

    // The action showing an item in this strip (for a menu or submenu its menu action), or null.
    QAction* ActionOf(const MenuItem& item) const;
    // The menu of a menu or submenu item, or null.
    QMenu* MenuOf(const MenuItem& item) const;
    // Where the strip lies on the screen. Qt's own idea of a top-level window's position may lag
    // behind the window manager's.
    QRect Band() const override { return band_; }
    // Takes the keyboard, with the time of the event that led to it, once nothing else of the
    // program shows.
    void TakeKeyboard(xcb_timestamp_t time) override;
    const QWidget& StripWidget() const override { return *this; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void AddItems(QMenu& menu, MenuItem& parent);
    void Attach(QAction& action, MenuItem& item);
    void Fit();
    // A menu's mnemonic (Alt and its underlined letter) typed in another window of the program
    // opens the menu, as in the strip's own window. True when it did.
    bool OpenMenuByMnemonic(QObject* watched, const QKeyEvent& key);
    void SetTakesKeyboard(bool takes);
    // The window manager hints Qt has no flag for; Qt rewrites some whenever the flags change.
    void HintManager();

    Application& application_;
    QMenuBar* bar_;
    QRect band_;
};

namespace detail {
// Runs the platform's own work of an item without a handler on the focused field (or the one
// the strip saw focused last): undo, cut, copy, paste for the items with the standard shortcuts,
// and deleting the selected text for the item named "EditClear". True when it did.
bool StandardEdit(const std::string& name, const std::string& shortcut);
} // namespace detail

} // namespace rt
