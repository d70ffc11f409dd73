#include "tests/desktop/desktop.h"

#include <QByteArray>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <xcb/xcb.h>

namespace desktop {

namespace {

xcb_connection_t* Connection() {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_window_t Root() {
    return xcb_setup_roots_iterator(xcb_get_setup(Connection())).data->root;
}

xcb_atom_t Atom(const char* name) {
    xcb_connection_t* c = Connection();
    const auto cookie = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(qstrlen(name)), name);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(c, cookie, nullptr), &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

bool RootHasManager() {
    xcb_connection_t* c = Connection();
    const auto cookie =
        xcb_get_property(c, 0, Root(), Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1);
    std::unique_ptr<xcb_get_property_reply_t, decltype(&std::free)> reply(
        xcb_get_property_reply(c, cookie, nullptr), &std::free);
    return reply && xcb_get_property_value_length(reply.get()) == 4;
}

xcb_window_t Parent(xcb_window_t window) {
    xcb_connection_t* c = Connection();
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr), &std::free);
    return tree ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
}

bool Viewable(const QWidget& window) {
    if (!window.testAttribute(Qt::WA_WState_Created))
        return false;
    xcb_connection_t* c = Connection();
    const auto id = static_cast<xcb_window_t>(window.internalWinId());
    std::unique_ptr<xcb_get_window_attributes_reply_t, decltype(&std::free)> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, id), nullptr), &std::free);
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// The manager the run is for: AMBRELIX_DESKTOP_MANAGER names it (openbox when unset); "none"
// runs the tests on a screen without one.
QString ManagerName() {
    return qEnvironmentVariable("AMBRELIX_DESKTOP_MANAGER", QStringLiteral("openbox"));
}

QStringList ManagerArguments(const QString& name) {
    if (name == QLatin1String("openbox") || name == QLatin1String("metacity"))
        return {QStringLiteral("--sm-disable")};
    if (name == QLatin1String("xfwm4"))
        return {QStringLiteral("--compositor=off"), QStringLiteral("--sm-client-disable")};
    return {};
}

class WindowManager : public ::testing::Environment {
    void SetUp() override {
        ASSERT_NE(Connection(), nullptr) << "the desktop tests run on the xcb platform";
        ASSERT_FALSE(RootHasManager()) << "another window manager runs on this screen";
        const QString name = ManagerName();
        if (name == QLatin1String("none"))
            return;
        ASSERT_FALSE(QStandardPaths::findExecutable(name).isEmpty()) << name.toStdString() << " is missing";
        manager_ = std::make_unique<QProcess>();
        manager_->start(name, ManagerArguments(name));
        ASSERT_TRUE(manager_->waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor(RootHasManager, 5000)) << name.toStdString() << " did not start";
        // The manager is ready once it frames a new window; one mapped while it starts up may stay
        // unframed.
        const auto framesANewWindow = [] {
            QWidget probe;
            probe.setGeometry(0, 0, 10, 10);
            probe.show();
            return QTest::qWaitFor(
                [&] { return Parent(static_cast<xcb_window_t>(probe.internalWinId())) != Root(); }, 250);
        };
        ASSERT_TRUE(QTest::qWaitFor(framesANewWindow, 5000)) << name.toStdString() << " manages no window";
    }
    void TearDown() override {
        if (!manager_)
            return;
        manager_->terminate();
        manager_->waitForFinished(5000);
        manager_.reset();
    }
    std::unique_ptr<QProcess> manager_;
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new WindowManager);

} // namespace

TopPanel::TopPanel() : panel_(std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint)) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    panel_->setAttribute(Qt::WA_X11NetWmWindowTypeDock);
    panel_->setStyleSheet(QStringLiteral("background: #3050a0"));
    panel_->setGeometry(screen.x(), screen.y(), screen.width(), kHeight);
    const auto window = static_cast<xcb_window_t>(panel_->winId());
    const std::uint32_t strut[12] = {
        0, 0, kHeight, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(screen.width() - 1), 0, 0};
    xcb_connection_t* c = Connection();
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL,
                        32, 12, strut);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL, 32, 4,
                        strut);
    panel_->show();
    static_cast<void>(QTest::qWaitFor([this] { return Reserved(); }, 5000));
}

TopPanel::~TopPanel() {
    panel_.reset();
    static_cast<void>(QTest::qWaitFor(
        [] { return QGuiApplication::primaryScreen()->availableGeometry().top() == 0; }, 5000));
}

bool TopPanel::Reserved() const {
    return QGuiApplication::primaryScreen()->availableGeometry().top() == kHeight;
}

QRect FrameOnScreen(const QWidget& window) {
    if (!window.testAttribute(Qt::WA_WState_Created))
        return {};
    const xcb_window_t root = Root();
    xcb_window_t outer = static_cast<xcb_window_t>(window.internalWinId());
    for (xcb_window_t parent = Parent(outer); parent != root && parent != XCB_WINDOW_NONE;
         parent = Parent(outer))
        outer = parent;
    xcb_connection_t* c = Connection();
    std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, outer), nullptr), &std::free);
    if (!geometry)
        return {};
    const int border = geometry->border_width;
    return {geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border};
}

bool SettlesViewable(const QWidget& window, int ms) {
    const auto framed = [&] {
        return Viewable(window) && Parent(static_cast<xcb_window_t>(window.internalWinId())) != Root();
    };
    if (!QTest::qWaitFor(framed, ms))
        return false;
    // The manager may still be withdrawing the window from an earlier unmapping.
    QTest::qWait(150);
    return framed();
}

bool StacksAbove(const QWidget& upper, const QWidget& lower) {
    if (!upper.testAttribute(Qt::WA_WState_Created) || !lower.testAttribute(Qt::WA_WState_Created))
        return false;
    xcb_connection_t* c = Connection();
    std::unique_ptr<xcb_query_tree_reply_t, decltype(&std::free)> tree(
        xcb_query_tree_reply(c, xcb_query_tree(c, Root()), nullptr), &std::free);
    if (!tree)
        return false;
    // The root's children, bottom first; each window of the program lies in one of them.
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const xcb_window_t* end = children + xcb_query_tree_children_length(tree.get());
    const auto stackedAt = [&](const QWidget& window) {
        auto id = static_cast<xcb_window_t>(window.internalWinId());
        while (id != XCB_WINDOW_NONE && std::find(children, end, id) == end)
            id = Parent(id);
        return std::find(children, end, id);
    };
    const xcb_window_t* above = stackedAt(upper);
    const xcb_window_t* below = stackedAt(lower);
    return above != end && below != end && above > below;
}

} // namespace desktop
