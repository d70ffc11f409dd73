#pragma once
// A desktop as users have one, on an X screen of the test run's own: the window manager named by
// AMBRELIX_DESKTOP_MANAGER (started with the screen by on_own_screen.sh) runs from the first test
// of the program to the last, and a test may put a panel across the top of the screen. The X
// server is asked directly what it shows.

#include <QDialog>
#include <QGuiApplication>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <xcb/xcb.h>

namespace desktop {

// A dock window 30 pixels high across the top of the screen that reserves its band, as the
// panels of GNOME, XFCE and many desktops do. The desktop's available area starts below it
// while the panel exists.
class TopPanel {
public:
    static constexpr int kHeight = 30;
    TopPanel();
    ~TopPanel();
    TopPanel(const TopPanel&) = delete;
    TopPanel& operator=(const TopPanel&) = delete;
    bool Reserved() const;

private:
    std::unique_ptr<QWidget> panel_;
};

// The rectangle of the window manager's frame around a top-level widget, in root coordinates
// (the window's own rectangle when no manager has framed it).
QRect FrameOnScreen(const QWidget& window);
// Waits until the window is viewable, the manager has framed it and its WM_STATE is Normal, and
// stays so for a moment; false when that did not happen within `ms`.
bool SettlesViewable(const QWidget& window, int ms = 2000);
// Polls `condition` (handling events between) until it has held without a break for `steadyMs`;
// false when that did not happen within `ms`.
bool HoldsSteadily(const std::function<bool()>& condition, int ms, int steadyMs);

// The window's client rectangle in root coordinates; empty before the window exists.
QRect ClientOnScreen(const QWidget& window);
// The rectangle of the frame the window manager says it draws around the window
// (_NET_FRAME_EXTENTS; a manager's invisible resize borders are no part of it); the client
// rectangle while it has none.
QRect DrawnFrame(const QWidget& window);
// True while the window has the X server's keyboard focus, where the keys the user types go.
bool HasXFocus(const QWidget& window);
// The window that has the X server's keyboard focus.
xcb_window_t XFocus();
// True once the window is viewable and, while a manager runs, the manager has framed it.
bool Settled(const QWidget& window);

// True when the frame of `upper` lies above the frame of `lower` in the X server's stacking order.
bool StacksAbove(const QWidget& upper, const QWidget& lower);

// While it lives, runs `act` once on the program's modal dialog, the first time `ready` holds for
// it; the program's own event loop runs it, as the dialog waits for the user.
class OnModalDialog {
public:
    OnModalDialog(std::function<bool(QDialog&)> ready, std::function<void(QDialog&)> act);
    bool Acted() const { return acted_; }

private:
    QTimer poll_;
    bool acted_ = false;
};

// Gives the X screen another size, as a user does in the display settings (RandR, through
// xrandr); true once the program's primary screen has that size.
bool SetScreenSize(const QSize& size);
// Clicks the left button at a point of the screen, through the X server as a user does: the
// press goes to whatever window shows there.
bool ClickOnScreen(const QPoint& at);

} // namespace desktop
