#pragma once
// A desktop as users have one, on the test run's X screen: a window manager (openbox) for the
// whole test program, and on request a panel across the top of the screen. The X server is
// asked directly what it shows.

#include <QGuiApplication>
#include <QRect>
#include <QWidget>
#include <memory>

class QProcess;

namespace desktop {

// The window manager runs from the first test to the last; every window the tests show is
// managed by it.
class WindowManager {
public:
    static void Start();
    static void Stop();
};

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

// The X server's view of a top-level widget: whether it is mapped and viewable, and the
// rectangle of its window manager's frame in root coordinates (the window's own rectangle when
// no manager has framed it).
bool Viewable(const QWidget& window);
QRect FrameOnScreen(const QWidget& window);
// Waits until the window is viewable and the manager has framed it, or `ms` have passed.
bool SettlesViewable(const QWidget& window, int ms = 2000);

} // namespace desktop
