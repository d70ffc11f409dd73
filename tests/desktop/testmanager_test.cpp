// The tests' own window manager does what its options say: it frames a window where its gravity
// says with the extents given and reports them, moves it as it asks, gives it the keyboard,
// answers a frame request before mapping unless told not to, sets the extents late, leaves
// WM_STATE behind, leaves a window unmapped, logs what it handled, and refuses a screen that has
// a manager.

#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>
#include <xcb/xcb.h>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"
#include "tests/desktop/desktop.h"
#include "tests/desktop/testmanager.h"

namespace {

using rt::x11::Atom;
using rt::x11::Connection;
using rt::x11::Root;
using rt::x11::Take;
using rt::x11::WindowOf;
using Cardinals = std::vector<std::uint32_t>;

std::optional<Cardinals> FrameExtents(xcb_window_t window) {
    return rt::x11::Property32(window, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 4);
}

std::optional<Cardinals> WmState(xcb_window_t window) {
    return rt::x11::Property32(window, Atom("WM_STATE"), Atom("WM_STATE"), 2);
}

xcb_window_t Parent(xcb_connection_t* c, xcb_window_t window) {
    const auto tree = Take(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return tree ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
}

bool Framed(xcb_window_t window) {
    const xcb_window_t parent = Parent(Connection(), window);
    return parent != Root() && parent != XCB_WINDOW_NONE;
}

// Sends the manager a request about `window` as EWMH says: a client message to the root.
void AskManager(xcb_window_t window, const char* request, const std::array<std::uint32_t, 5>& data = {}) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = Atom(request);
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(Connection(), 0, Root(),
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(Connection());
}

// A top-level widget shown where it asks to lie, its client's place or its frame's.
struct ShownWindow {
    explicit ShownWindow(const QRect& asked, bool positionWithFrame = false) {
        // QWidget::move places the frame (NorthWest gravity), setGeometry the client (Static).
        if (positionWithFrame) {
            widget.move(asked.topLeft());
            widget.resize(asked.size());
        } else {
            widget.setGeometry(asked);
        }
        widget.show();
    }
    xcb_window_t Id() const { return WindowOf(widget); }
    std::string Name() const { return desktop::TestManager::LogName(Id()); }
    QWidget widget;
};

TEST(NoManagerTestManager, FramesWindowsWhereTheirGravitySaysWithTheExtentsItReportsAndFocusesThem) {
    desktop::TestManager manager({"--extents", "3,4,25,6"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    ShownWindow byClient({100, 120, 200, 150});
    ShownWindow byFrame({400, 300, 120, 80}, true);
    ASSERT_TRUE(desktop::SettlesViewable(byClient.widget));
    ASSERT_TRUE(desktop::SettlesViewable(byFrame.widget));

    EXPECT_EQ(FrameExtents(byClient.Id()), (Cardinals{3, 4, 25, 6}));
    EXPECT_EQ(desktop::ClientOnScreen(byClient.widget), QRect(100, 120, 200, 150));
    EXPECT_EQ(desktop::FrameOnScreen(byClient.widget), desktop::DrawnFrame(byClient.widget));
    EXPECT_EQ(desktop::FrameOnScreen(byFrame.widget), QRect(400, 300, 3 + 120 + 4, 25 + 80 + 6));
    EXPECT_EQ(desktop::FrameOnScreen(byFrame.widget), desktop::DrawnFrame(byFrame.widget));
    // The window mapped last has the keyboard, and the root says it is the active one.
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop::HasXFocus(byFrame.widget); }, 1000));
    EXPECT_EQ(rt::x11::Property32(Root(), Atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 1),
              (Cardinals{byFrame.Id()}));

    AskManager(byClient.Id(), "_NET_ACTIVE_WINDOW", {2, XCB_CURRENT_TIME, 0, 0, 0});
    EXPECT_TRUE(QTest::qWaitFor([&] { return desktop::HasXFocus(byClient.widget); }, 1000));
    EXPECT_TRUE(manager.Logged("ActiveWindow " + byClient.Name()));
}

TEST(NoManagerTestManager, ReportsAbsurdExtentsAsGivenAndDrawsThemClamped) {
    desktop::TestManager manager({"--extents", "1,1,4000000000,5"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    ShownWindow window({50, 60, 200, 100}, true);
    ASSERT_TRUE(desktop::SettlesViewable(window.widget));
    EXPECT_EQ(FrameExtents(window.Id()), (Cardinals{1, 1, 4000000000U, 5}));
    // The top is drawn 10000 pixels high, the widest side the manager draws.
    EXPECT_EQ(desktop::FrameOnScreen(window.widget), QRect(50, 60, 202, 10000 + 100 + 5));
    EXPECT_EQ(desktop::ClientOnScreen(window.widget), QRect(51, 10060, 200, 100));
}

QRect FrameOf(xcb_window_t client) {
    xcb_connection_t* c = Connection();
    const auto geometry = Take(xcb_get_geometry_reply(c, xcb_get_geometry(c, Parent(c, client)), nullptr));
    return geometry ? QRect(geometry->x, geometry->y, geometry->width, geometry->height) : QRect();
}

// A bare window of a connection of the test's own, which alone sees the events sent to it.
class BareWindow {
public:
    // At 100,100, 150 x 100; with WM_NORMAL_HINTS that give only `gravity`, if one is given.
    explicit BareWindow(std::optional<std::uint32_t> gravity = std::nullopt)
        : c_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(c_) != 0)
            return;
        const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c_)).data;
        id_ = xcb_generate_id(c_);
        const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_create_window(c_, XCB_COPY_FROM_PARENT, id_, screen->root, 100, 100, 150, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
        if (gravity) {
            // PWinGravity in the flags, win_gravity the last of the 18 fields.
            std::array<std::uint32_t, 18> hints{};
            hints.front() = 1U << 9;
            hints.back() = *gravity;
            xcb_change_property(c_, XCB_PROP_MODE_REPLACE, id_, XCB_ATOM_WM_NORMAL_HINTS,
                                XCB_ATOM_WM_SIZE_HINTS, 32, hints.size(), hints.data());
        }
        xcb_map_window(c_, id_);
        xcb_flush(c_);
    }
    ~BareWindow() { xcb_disconnect(c_); }
    BareWindow(const BareWindow&) = delete;
    BareWindow& operator=(const BareWindow&) = delete;
    bool Exists() const { return id_ != XCB_WINDOW_NONE; }
    xcb_window_t Id() const { return id_; }
    void Move(std::int16_t x, std::int16_t y) {
        const std::uint32_t to[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
        xcb_configure_window(c_, id_, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, to);
        xcb_flush(c_);
    }
    // True once a ConfigureNotify sent by a client (the manager), not by the X server, has told
    // the window it lies at `at` on the root; false when none did within a second.
    bool ToldItLiesAt(const QPoint& at) {
        return QTest::qWaitFor(
            [&] {
                bool told = false;
                while (const auto event = Take(xcb_poll_for_event(c_))) {
                    xcb_configure_notify_event_t notify;
                    std::memcpy(&notify, event.get(), sizeof notify);
                    told = told || (event->response_type == (XCB_CONFIGURE_NOTIFY | 0x80) &&
                                    QPoint(notify.x, notify.y) == at);
                }
                return told;
            },
            1000);
    }

private:
    xcb_connection_t* c_;
    xcb_window_t id_ = XCB_WINDOW_NONE;
};

TEST(NoManagerTestManager, MovesAFramedWindowAsItAsksAndTellsItItsPlaceOnTheRoot) {
    desktop::TestManager manager({"--extents", "3,4,25,6"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    BareWindow window;
    ASSERT_TRUE(window.Exists());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Framed(window.Id()); }, 2000));
    EXPECT_TRUE(window.ToldItLiesAt({103, 125})) << "not told where it was taken in";
    // Without size hints the gravity is NorthWest: the frame's top-left goes where the client asks.
    window.Move(400, 300);
    EXPECT_TRUE(window.ToldItLiesAt({403, 325})) << "not told where it was moved";
    EXPECT_EQ(FrameOf(window.Id()), QRect(400, 300, 157, 131));
}

TEST(NoManagerTestManager, PutsTheFrameWhereTheClientsGravityKeepsItsReferencePoint) {
    desktop::TestManager manager({"--extents", "3,4,25,6"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    // The client asks for 100,100, 150 x 100; the frame adds 7 across and 31 down.
    BareWindow centred(XCB_GRAVITY_CENTER);
    BareWindow southEast(XCB_GRAVITY_SOUTH_EAST);
    ASSERT_TRUE(centred.Exists() && southEast.Exists());
    ASSERT_TRUE(QTest::qWaitFor([&] { return Framed(centred.Id()) && Framed(southEast.Id()); }, 2000));
    EXPECT_EQ(FrameOf(centred.Id()), QRect(100 - 3, 100 - 15, 157, 131));
    EXPECT_EQ(FrameOf(southEast.Id()), QRect(100 - 7, 100 - 31, 157, 131));
}

TEST(NoManagerTestManager, AnswersAFrameRequestBeforeMappingAndLogsWhetherTheWindowWasMapped) {
    desktop::TestManager manager({"--extents", "2,3,22,4"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    QWidget widget;
    widget.setGeometry(200, 200, 160, 90);
    const auto id = static_cast<xcb_window_t>(widget.winId());
    const std::string name = desktop::TestManager::LogName(id);
    AskManager(id, "_NET_REQUEST_FRAME_EXTENTS");
    ASSERT_TRUE(QTest::qWaitFor([&] { return FrameExtents(id).has_value(); }, 1000)) << "no answer";
    EXPECT_EQ(FrameExtents(id), (Cardinals{2, 3, 22, 4}));
    EXPECT_TRUE(manager.Logged("RequestFrameExtents " + name + " mapped=0"));

    widget.show();
    ASSERT_TRUE(desktop::SettlesViewable(widget));
    AskManager(id, "_NET_REQUEST_FRAME_EXTENTS");
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return manager.Logged("RequestFrameExtents " + name + " mapped=1"); }, 1000));
}

TEST(NoManagerTestManager, WithNoFrameAnswerOffersTheFrameRequestAndNeverAnswersIt) {
    desktop::TestManager manager({"--no-frame-answer"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    EXPECT_TRUE(rt::x11::ManagerSupports("_NET_REQUEST_FRAME_EXTENTS"));
    QWidget widget;
    const auto id = static_cast<xcb_window_t>(widget.winId());
    AskManager(id, "_NET_REQUEST_FRAME_EXTENTS");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return manager.Logged("RequestFrameExtents " + desktop::TestManager::LogName(id) + " mapped=0");
        },
        1000))
        << "the request did not reach the manager";
    EXPECT_TRUE(desktop::HoldsSteadily([&] { return !FrameExtents(id).has_value(); }, 1000, 300));
}

TEST(NoManagerTestManager, WithLateFrameSetsTheExtentsOnlyAfterTheDelay) {
    desktop::TestManager manager({"--late-frame", "600"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    QElapsedTimer sinceShown;
    sinceShown.start();
    ShownWindow window({100, 100, 200, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return Framed(window.Id()); }, 1000));
    EXPECT_FALSE(FrameExtents(window.Id()).has_value()) << "the extents came with the frame";
    ASSERT_TRUE(QTest::qWaitFor([&] { return FrameExtents(window.Id()).has_value(); }, 3000));
    EXPECT_GE(sinceShown.elapsed(), 600);
    EXPECT_EQ(FrameExtents(window.Id()), (Cardinals{1, 1, 20, 5}));
}

TEST(NoManagerTestManager, WithdrawsAHiddenWindowAndDeletesItsWmStateUnlessToldToKeepIt) {
    for (const bool keep : {false, true}) {
        SCOPED_TRACE(keep ? "--keep-state" : "no options");
        desktop::TestManager manager(keep ? std::vector<std::string>{"--keep-state"}
                                          : std::vector<std::string>{});
        ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
        ShownWindow window({150, 150, 200, 100});
        ASSERT_TRUE(desktop::SettlesViewable(window.widget));
        window.widget.hide();
        ASSERT_TRUE(QTest::qWaitFor([&] { return manager.Logged("UnmapNotify " + window.Name()); }, 1000));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !Framed(window.Id()); }, 1000)) << "left in its frame";
        const std::optional<Cardinals> wanted =
            keep ? std::optional(Cardinals{1, XCB_WINDOW_NONE}) : std::nullopt;
        EXPECT_TRUE(desktop::HoldsSteadily([&] { return WmState(window.Id()) == wanted; }, 1000, 300));
    }
}

TEST(NoManagerTestManager, WithNoMapLeavesAShownWindowUnmapped) {
    desktop::TestManager manager({"--no-map"});
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    ShownWindow window({100, 100, 200, 100});
    ASSERT_TRUE(QTest::qWaitFor([&] { return manager.Logged("MapRequest " + window.Name()); }, 1000));
    EXPECT_TRUE(desktop::HoldsSteadily([&] { return !rt::x11::Mapped(window.Id()); }, 1000, 300));
}

// The exit code of the manager started with `options`, once it has ended by itself.
std::optional<int> ExitCode(const QStringList& options) {
    QProcess manager;
    manager.setProcessChannelMode(QProcess::MergedChannels);
    manager.start(QStringLiteral(AMBRELIX_TEST_WM), options);
    if (!QTest::qWaitFor([&] { return manager.state() == QProcess::NotRunning; }, 5000))
        return std::nullopt;
    return manager.exitStatus() == QProcess::NormalExit ? std::optional(manager.exitCode()) : std::nullopt;
}

TEST(NoManagerTestManager, RefusesWrongOptionsAndAScreenThatHasAManager) {
    const QStringList wrongOptions[] = {{"--extents", "1,2,3"},
                                        {"--extents", "1,2,3,4,5"},
                                        {"--extents", "1,-2,3,4"},
                                        {"--extents", "1,2,3,4294967296"},
                                        {"--late-frame"},
                                        {"--late-frame", "soon"},
                                        {"--replace"}};
    for (const QStringList& options : wrongOptions)
        EXPECT_EQ(ExitCode(options), 2) << options.join(' ').toStdString();
    desktop::TestManager manager;
    ASSERT_TRUE(manager.Ready()) << "the test manager did not start";
    EXPECT_EQ(ExitCode({}), 1) << "a second manager took the screen";
}

} // namespace
