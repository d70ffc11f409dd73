// The strip under icewm, whose taskbar lists every window that does not ask to be left out: the
// strip asks, offers no close, minimise or maximise, and stays on screen when asked to close.

#include <QCloseEvent>
#include <QMenuBar>
#include <QTest>
#include <algorithm>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include "rt/application.h"
#include "rt/desktop/xserver.h"
#include "tests/desktop/desktop.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;
using IcewmStrip = ProgramTest;

std::vector<std::uint32_t> Atoms(xcb_window_t window, const char* property) {
    return rt::x11::Property32(window, rt::x11::Atom(property), XCB_ATOM_ATOM, 64)
        .value_or(std::vector<std::uint32_t>{});
}

bool Holds(const std::vector<std::uint32_t>& atoms, const char* name) {
    return std::find(atoms.begin(), atoms.end(), rt::x11::Atom(name)) != atoms.end();
}

// Asks the window to close as a manager does for its close box (ICCCM WM_DELETE_WINDOW).
void RequestClose(xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = rt::x11::Atom("WM_PROTOCOLS");
    message.data.data32[0] = rt::x11::Atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(rt::x11::Connection(), 0, window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(rt::x11::Connection());
}

// Counts the close events a widget receives.
class CloseCount : public QObject {
public:
    explicit CloseCount(QWidget& widget) { widget.installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Close)
            ++count;
        return false;
    }
};

TEST_F(IcewmStrip, IsLeftOutOfTheTaskbarOffersNoCloseAndStaysOnScreenWhenAskedToClose) {
    RunProgram(
        [] {
            QWidget& strip = *Strip()->window();
            ASSERT_TRUE(desktop::SettlesViewable(strip));
            const xcb_window_t window = rt::x11::WindowOf(strip);
            const std::vector<std::uint32_t> state = Atoms(window, "_NET_WM_STATE");
            EXPECT_TRUE(Holds(state, "_NET_WM_STATE_SKIP_TASKBAR"));
            EXPECT_TRUE(Holds(state, "_NET_WM_STATE_SKIP_PAGER"));
            const std::vector<std::uint32_t> actions = Atoms(window, "_NET_WM_ALLOWED_ACTIONS");
            for (const char* action :
                 {"_NET_WM_ACTION_CLOSE", "_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_VERT"})
                EXPECT_FALSE(Holds(actions, action)) << "icewm offers " << action;

            const CloseCount closes(strip);
            RequestClose(window);
            ASSERT_TRUE(QTest::qWaitFor([&] { return closes.count == 1; })) << "no close request came";
            QCoreApplication::processEvents();
            EXPECT_TRUE(strip.isVisible());
            EXPECT_TRUE(desktop::SettlesViewable(strip)) << "the strip left the screen";

            QTest::keyClick(VisibleWindow("Starting Choice"), Qt::Key_Q, Qt::ControlModifier);
        },
        10);
}

} // namespace
