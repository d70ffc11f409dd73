#pragma once
// What the desktop benchmarks ask of the X server beside the program: a connection of their own,
// the pointer moved and clicked through the XTEST extension (the requests xdotool sends, which
// pass the window manager's grabs as a user's mouse does), a window's map state as the server has
// it, a window manager run as a child process, and the timing of a dialog's opening from a click.

#include <QDialog>
#include <QEventLoop>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace deskbench {

using Clock = std::chrono::steady_clock;

// A connection to the X server that DISPLAY names, apart from Qt's: what it asks does not wait
// behind the program's requests, and another thread than Qt's may use it.
class XConnection {
public:
    XConnection();
    bool Connected() const;
    xcb_connection_t* get() const { return connection_.get(); }
    xcb_window_t Root() const { return root_; }

private:
    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    xcb_window_t root_ = XCB_WINDOW_NONE;
};

// True when the server offers XTEST, through which the pointer is moved and clicked.
bool CanFakeInput(const XConnection& x);
// Moves the pointer to a point of the root window; true once the server has done so.
bool MovePointer(const XConnection& x, QPoint at);
// Presses and releases the left button where the pointer is: one click. The requests leave at
// once; true once the server has taken both.
bool Click(const XConnection& x);

enum class MapState { Gone, Unmapped, Unviewable, Viewable };
// The window's map state (XCB_MAP_STATE_*), asked of the server; Gone once the window is
// destroyed. A window mapped inside an unmapped one (a dialog in a frame the manager has not
// mapped yet) is Unviewable.
MapState StateOf(const XConnection& x, xcb_window_t window);
// The window's parent: the root for a window that no manager has framed; none once it is gone.
xcb_window_t ParentOf(const XConnection& x, xcb_window_t window);
// Where a point of the window lies on the root window.
std::optional<QPoint> OnRoot(const XConnection& x, xcb_window_t window, QPoint point);
// Adds events of the window to those the connection receives (XCB_EVENT_MASK_*).
void Follow(const XConnection& x, xcb_window_t window, std::uint32_t mask);
// Asks `done` until it holds: again whenever an event comes on the connection, and at least every
// millisecond. False when the deadline passed first.
bool WaitUntil(const XConnection& x, const std::function<bool()>& done, Clock::time_point deadline);

// Runs Qt's events on this thread until `done` holds; false when `ms` passed first.
bool RunEventsUntil(const std::function<bool()>& done, int ms);
// Runs Qt's events on this thread for `ms`.
void RunEventsFor(int ms);

// A window manager run as a child process on the benchmark's screen. Ended when destroyed.
class ManagerProcess {
public:
    ManagerProcess(const QString& program, const QStringList& arguments);
    ~ManagerProcess();
    ManagerProcess(const ManagerProcess&) = delete;
    ManagerProcess& operator=(const ManagerProcess&) = delete;

    // Starts the manager and waits until it holds the screen's manager selection (WM_S<n>) and
    // frames a window shown then. Empty when it does; otherwise what went wrong.
    std::string Start(int ms);
    // Ends the manager and waits until the selection has no owner. Empty when that happened.
    std::string Stop(int ms);
    bool Running() const;

private:
    QProcess process_;
};

struct Summary {
    double median = 0;
    double mean = 0;
};
// Median and mean of the samples; nothing without samples.
std::optional<Summary> Summarize(std::vector<double> samples);

// Times the opening of a modal dialog of the program from a click: from the moment the click
// leaves for the X server until the dialog's window is viewable, as the server says. Then closes
// the dialog and waits until its window is gone. The clock and the questions to the server run
// in a thread and on a connection of their own, so the program's thread runs as without the
// probe. The pointer must already be on the control whose click opens the dialog.
class OpeningProbe : public QObject {
public:
    OpeningProbe();
    ~OpeningProbe() override;
    OpeningProbe(const OpeningProbe&) = delete;
    OpeningProbe& operator=(const OpeningProbe&) = delete;

    struct Opening {
        double seconds = 0;
        // From the click until the program showed the dialog (its show event), before the
        // window maps: the program's share of `seconds`.
        double secondsToShow = 0;
        // Whether a window manager had framed the dialog by the time it was viewable.
        bool framed = false;
        // Empty when the dialog opened, showed and went.
        std::string error;
    };
    // Clicks and runs the program's events until the dialog has opened and gone again.
    Opening ClickAndTime(std::chrono::milliseconds limit);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The probe's thread: the click, the clock and the server's word.
    Opening Watch(Clock::time_point deadline);
    void QuitWhenDone();

    XConnection x_;
    std::mutex mutex_;
    std::condition_variable shownChanged_;
    bool armed_ = false;                   // guarded by mutex_
    xcb_window_t shown_ = XCB_WINDOW_NONE; // guarded by mutex_
    Clock::time_point shownAt_;            // guarded by mutex_
    // The probe's thread only posts to Qt's thread; these belong to Qt's thread.
    QPointer<QDialog> dialog_;
    bool dialogDestroyed_ = false;
    bool watchDone_ = false;
    QEventLoop* loop_ = nullptr;
};

} // namespace deskbench
