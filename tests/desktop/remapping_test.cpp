// Windows are hidden and shown only when the program hides and shows them: the strip takes and
// gives back the keyboard without being unmapped, and a window manager that has ended is not
// waited for.

#include <QElapsedTimer>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <cstdlib>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <xcb/xcb.h>

#include "rt/application.h"
#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"
#include "tests/desktop/desktop.h"
#include "tests/rt/testwindow.h"
#include "tests/support/e2e.h"

namespace {

using namespace testsupport;

// The map and unmap notices of some windows, read on an X connection of the test's own.
class MappingLog {
public:
    explicit MappingLog(std::initializer_list<xcb_window_t> windows)
        : connection_(xcb_connect(nullptr, nullptr), &xcb_disconnect) {
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        for (const xcb_window_t window : windows)
            xcb_change_window_attributes(connection_.get(), window, XCB_CW_EVENT_MASK, &mask);
        RoundTrip(connection_.get());
    }
    int Maps() { return Read(XCB_MAP_NOTIFY); }
    int Unmaps() { return Read(XCB_UNMAP_NOTIFY); }

private:
    static void RoundTrip(xcb_connection_t* connection) {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }
    // The notices of that kind so far, once the server has done what the program asked.
    int Read(std::uint8_t kind) {
        RoundTrip(rt::x11::Connection());
        RoundTrip(connection_.get());
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
            const std::uint8_t type = event->response_type & 0x7f;
            maps_ += type == XCB_MAP_NOTIFY ? 1 : 0;
            unmaps_ += type == XCB_UNMAP_NOTIFY ? 1 : 0;
            std::free(event);
        }
        return kind == XCB_MAP_NOTIFY ? maps_ : unmaps_;
    }

    std::unique_ptr<xcb_connection_t, decltype(&xcb_disconnect)> connection_;
    int maps_ = 0;
    int unmaps_ = 0;
};

using StripKeyboardSwitch = ProgramTest;

TEST_F(StripKeyboardSwitch, TakingAndGivingBackTheKeyboardMapsTheStripNoSecondTime) {
    RunProgram(
        [] {
            QWidget& strip = *Strip()->window();
            ASSERT_TRUE(desktop::SettlesViewable(strip));
            MappingLog log({rt::x11::WindowOf(strip)});
            VisibleWindow("Starting Choice")->close();
            ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &strip; }))
                << "the strip did not take the keyboard";
            QTest::keyClick(&strip, Qt::Key_R, Qt::ControlModifier);
            ASSERT_TRUE(QTest::qWaitFor([] {
                QWidget* list = VisibleWindow("Point Editor");
                return list != nullptr && QApplication::activeWindow() == list;
            }));
            ASSERT_TRUE(QTest::qWaitFor([&] {
                return strip.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus);
            })) << "the strip did not give the keyboard back";
            EXPECT_EQ(log.Unmaps(), 0);
            EXPECT_EQ(log.Maps(), 0);
            rt::Application::Current()->Quit();
        },
        20);
}

// Openbox on the screen for one test, ended when the test is done with it.
class OwnManager {
public:
    OwnManager() {
        process_.start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
        static_cast<void>(QTest::qWaitFor(rt::x11::ManagerRuns, 5000));
    }
    ~OwnManager() { End(); }
    // Ends the manager and waits until it has given up the screen.
    bool End() {
        process_.terminate();
        process_.waitForFinished(5000);
        return QTest::qWaitFor([] { return !rt::x11::ManagerRuns(); }, 5000);
    }

private:
    QProcess process_;
};

TEST(NoManagerAfterTheManagerEnded, AWindowItHeldHidesAndShowsAgainWithin100Ms) {
    OwnManager manager;
    ASSERT_TRUE(rt::x11::ManagerRuns()) << "openbox did not start";
    TestWindow<>::Reset();
    TestWindow<>::layout = [](TestWindow<>& w) { w.SetTitle("Held"); };
    TestWindow<>& window = rt::Instance<TestWindow<>>();
    // A manager that is starting up may leave a window mapped meanwhile unframed.
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            window.Show();
            if (desktop::SettlesViewable(*window.ContentWidget(), 250))
                return true;
            window.Hide();
            return false;
        },
        5000))
        << "openbox framed no window";
    ASSERT_TRUE(manager.End()) << "openbox did not end";
    ASSERT_TRUE(rt::x11::HeldByManager(rt::x11::WindowOf(*window.ContentWidget())))
        << "openbox left no WM_STATE behind; the test shows nothing";

    QElapsedTimer clock;
    clock.start();
    window.Hide();
    window.Show();
    EXPECT_LT(clock.elapsed(), 100);
    EXPECT_TRUE(window.ContentWidget()->isVisible());
    window.Close();
}

} // namespace
