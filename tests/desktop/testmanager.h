#pragma once
// The tests' own window manager (tests/desktop/testmanager/, the executable ambrelix_test_wm),
// run on the screen for one test with the misbehaviour its options choose. For suites on a
// screen without a manager (NoManager...): no other manager may hold the screen.

#include <QProcess>
#include <QTemporaryDir>
#include <string>
#include <vector>
#include <xcb/xcb.h>

namespace desktop {

class TestManager {
public:
    // Starts the manager on the screen with `options`, its command line (e.g. {"--extents",
    // "1,1,20,5", "--keep-state"}; a log of the helper's own is added), and waits at most 5 s
    // until it owns the screen's manager selection and takes in a new window.
    explicit TestManager(const std::vector<std::string>& options = {});
    // Ends the manager as End() does.
    ~TestManager();
    TestManager(const TestManager&) = delete;
    TestManager& operator=(const TestManager&) = delete;

    // True once the manager owned the screen and took in a window mapped after it started:
    // framed it, or with --no-map logged its map request.
    bool Ready() const { return ready_; }
    // Ends the manager with SIGTERM and waits at most 5 s until the screen's manager selection
    // has no owner; false when it still has one. The X server puts the windows it framed back
    // on the root.
    bool End();
    // The lines the manager has logged so far, one per event it handled, e.g.
    // "MapRequest 0x2a00007", "RequestFrameExtents 0x2a00007 mapped=0", "ActiveWindow 0x2a00007".
    std::vector<std::string> LogLines() const;
    // True when one of LogLines() is `line`.
    bool Logged(const std::string& line) const;
    // How the log names a window: "0x2a00007".
    static std::string LogName(xcb_window_t window);

private:
    bool TakesInANewWindow(bool framesIt) const;

    QTemporaryDir folder_;
    QString logPath_;
    QProcess process_;
    bool ready_ = false;
};

} // namespace desktop
