#include "tests/desktop/desktop.h"

#include <QApplication>
#include <QByteArray>
#include <QDeadlineTimer>
#include <QProcess>
#include <QScreen>
#include <QStringList>
#include <QTest>
#include <algorithm>
#include <cstdint>
#include <gtest/gtest.h>
#include <vector>
#include <xcb/xcb.h>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace desktop {

namespace {

using rt::x11::Atom;
using rt::x11::Connection;
using rt::x11::Root;
using rt::x11::Take;

xcb_window_t Parent(xcb_window_t window) {
    xcb_connection_t* c = Connection();
    const auto tree = Take(xcb_query_tree_reply(c, xcb_query_tree(c, window), nullptr));
    return tree ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
}

bool Framed(xcb_window_t window) {
    const xcb_window_t parent = Parent(window);
    return parent != Root() && parent != XCB_WINDOW_NONE;
}

bool Viewable(xcb_window_t window) {
    xcb_connection_t* c = Connection();
    const auto attributes =
        Take(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// WM_STATE NormalState (ICCCM 4.1.3.1): the manager shows the window.
constexpr std::uint32_t kNormalState = 1;
bool ShownByManager(xcb_window_t window) {
    const xcb_atom_t wmState = Atom("WM_STATE");
    const auto state = rt::x11::Property32(window, wmState, wmState, 1);
    return state && !state->empty() && state->front() == kNormalState;
}

// The manager the run is for: AMBRELIX_DESKTOP_MANAGER names it (openbox when unset); "none"
// runs the tests on a screen without one.
QString ManagerName() {
    return qEnvironmentVariable("AMBRELIX_DESKTOP_MANAGER", QStringLiteral("openbox"));
}

// The name the running manager gives itself on its _NET_SUPPORTING_WM_CHECK window.
QString RunningManagerName() {
    const auto check = rt::x11::Property32(Root(), Atom("_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 1);
    if (!check || check->empty())
        return {};
    xcb_connection_t* c = Connection();
    const auto name = Take(xcb_get_property_reply(
        c, xcb_get_property(c, 0, check->front(), Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 0, 64),
        nullptr));
    if (!name || name->format != 8)
        return {};
    return QString::fromUtf8(static_cast<const char*>(xcb_get_property_value(name.get())),
                             xcb_get_property_value_length(name.get()));
}

// The screen and its manager come from tests/desktop/on_own_screen.sh; the tests only check that
// the manager named runs (or that none does) and wait until it frames new windows.
class WindowManager : public ::testing::Environment {
    void SetUp() override {
        ASSERT_NE(Connection(), nullptr) << "the desktop tests run on the xcb platform";
        const QString name = ManagerName();
        if (name == QLatin1String("none")) {
            ASSERT_FALSE(rt::x11::ManagerRuns()) << "a window manager runs on this screen";
            return;
        }
        ASSERT_TRUE(rt::x11::ManagerRuns())
            << name.toStdString() << " does not run on this screen: run the tests with on_own_screen.sh";
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return RunningManagerName().startsWith(name, Qt::CaseInsensitive); }, 5000))
            << "the manager on this screen is '" << RunningManagerName().toStdString() << "', not "
            << name.toStdString();
        // The manager is ready once it frames a new window; one mapped while it starts up may stay
        // unframed.
        const auto framesANewWindow = [] {
            QWidget probe;
            probe.setGeometry(0, 0, 10, 10);
            probe.show();
            return QTest::qWaitFor([&] { return Framed(rt::x11::WindowOf(probe)); }, 250);
        };
        ASSERT_TRUE(QTest::qWaitFor(framesANewWindow, 5000)) << name.toStdString() << " frames no window";
    }
};
const auto* const registered = ::testing::AddGlobalTestEnvironment(new WindowManager);

} // namespace

// A panel belongs to another program: it never takes the keyboard from the program's windows.
TopPanel::TopPanel()
    : panel_(std::make_unique<QWidget>(nullptr, Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus)) {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    panel_->setAttribute(Qt::WA_X11NetWmWindowTypeDock);
    panel_->setAttribute(Qt::WA_ShowWithoutActivating);
    panel_->setStyleSheet(QStringLiteral("background: #3050a0"));
    panel_->setGeometry(screen.x(), screen.y(), screen.width(), kHeight);
    const auto window = static_cast<xcb_window_t>(panel_->winId());
    const std::vector<std::uint32_t> strut = {
        0, 0, kHeight, 0, 0, 0, 0, 0, 0, static_cast<std::uint32_t>(screen.width() - 1), 0, 0};
    rt::x11::SetProperty32(window, Atom("_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL, strut);
    rt::x11::SetProperty32(window, Atom("_NET_WM_STRUT"), XCB_ATOM_CARDINAL,
                           {strut.begin(), strut.begin() + 4});
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
    xcb_window_t outer = rt::x11::WindowOf(window);
    if (outer == XCB_WINDOW_NONE)
        return {};
    const xcb_window_t root = Root();
    for (xcb_window_t parent = Parent(outer); parent != root && parent != XCB_WINDOW_NONE;
         parent = Parent(outer))
        outer = parent;
    xcb_connection_t* c = Connection();
    const auto geometry = Take(xcb_get_geometry_reply(c, xcb_get_geometry(c, outer), nullptr));
    if (!geometry)
        return {};
    const int border = geometry->border_width;
    return {geometry->x, geometry->y, geometry->width + 2 * border, geometry->height + 2 * border};
}

QRect ClientOnScreen(const QWidget& window) {
    xcb_connection_t* c = Connection();
    const xcb_window_t id = rt::x11::WindowOf(window);
    if (c == nullptr || id == XCB_WINDOW_NONE)
        return {};
    const auto at =
        Take(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, id, Root(), 0, 0), nullptr));
    const auto size = Take(xcb_get_geometry_reply(c, xcb_get_geometry(c, id), nullptr));
    if (!at || !size)
        return {};
    return {at->dst_x, at->dst_y, size->width, size->height};
}

QRect DrawnFrame(const QWidget& window) {
    const QMargins extents = rt::x11::FrameExtents(rt::x11::WindowOf(window)).value_or(QMargins());
    return ClientOnScreen(window).marginsAdded(extents);
}

xcb_window_t XFocus() {
    xcb_connection_t* c = Connection();
    const auto focus = Take(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return focus ? focus->focus : xcb_window_t{XCB_WINDOW_NONE};
}

bool HasXFocus(const QWidget& window) {
    return XFocus() == rt::x11::WindowOf(window);
}

bool Settled(const QWidget& window) {
    const xcb_window_t id = rt::x11::WindowOf(window);
    if (id == XCB_WINDOW_NONE || !window.isVisible() || !Viewable(id))
        return false;
    return !rt::x11::ManagerRuns() || rt::x11::FrameExtents(id).has_value();
}

// How long the window must stay framed and shown before it counts as settled: a manager that
// still had the window's earlier unmapping queued withdraws it within this time.
constexpr int kSettledMs = 50;

bool SettlesViewable(const QWidget& window, int ms) {
    const auto settled = [&] {
        const xcb_window_t id = rt::x11::WindowOf(window);
        return id != XCB_WINDOW_NONE && Viewable(id) && Framed(id) && ShownByManager(id);
    };
    return HoldsSteadily(settled, ms, kSettledMs);
}

bool HoldsSteadily(const std::function<bool()>& condition, int ms, int steadyMs) {
    const QDeadlineTimer deadline(ms);
    QDeadlineTimer steady(steadyMs);
    bool held = false;
    while (!deadline.hasExpired()) {
        if (!condition()) {
            held = false;
        } else if (!held) {
            held = true;
            steady.setRemainingTime(steadyMs);
        } else if (steady.hasExpired()) {
            return true;
        }
        QTest::qWait(5);
    }
    return false;
}

bool StacksAbove(const QWidget& upper, const QWidget& lower) {
    if (!upper.testAttribute(Qt::WA_WState_Created) || !lower.testAttribute(Qt::WA_WState_Created))
        return false;
    xcb_connection_t* c = Connection();
    const auto tree = Take(xcb_query_tree_reply(c, xcb_query_tree(c, Root()), nullptr));
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

bool SetScreenSize(const QSize& size) {
    const QString mode = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
    const auto xrandr = [](const QStringList& arguments) {
        QProcess process;
        process.start(QStringLiteral("xrandr"), arguments);
        return process.waitForFinished(5000) && process.exitStatus() == QProcess::NormalExit &&
               process.exitCode() == 0;
    };
    QProcess query;
    query.start(QStringLiteral("xrandr"), {QStringLiteral("--query")});
    if (!query.waitForFinished(5000))
        return false;
    QString output;
    for (const QString& line : QString::fromUtf8(query.readAllStandardOutput()).split('\n'))
        if (line.section(' ', 1, 1) == QLatin1String("connected"))
            output = line.section(' ', 0, 0);
    if (output.isEmpty())
        return false;
    // A mode of that size, unless the output has one: any timing does on a virtual screen.
    const QString w = QString::number(size.width());
    const QString h = QString::number(size.height());
    static_cast<void>(xrandr({QStringLiteral("--newmode"), mode, QStringLiteral("60"), w,
                              QString::number(size.width() + 8), QString::number(size.width() + 16),
                              QString::number(size.width() + 32), h, QString::number(size.height() + 1),
                              QString::number(size.height() + 2), QString::number(size.height() + 3)}));
    static_cast<void>(xrandr({QStringLiteral("--addmode"), output, mode}));
    if (!xrandr({QStringLiteral("--output"), output, QStringLiteral("--mode"), mode}))
        return false;
    return QTest::qWaitFor([&] { return QGuiApplication::primaryScreen()->geometry().size() == size; }, 5000);
}

bool ClickOnScreen(const QPoint& at) {
    return QProcess::execute(QStringLiteral("xdotool"),
                             {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y()),
                              QStringLiteral("click"), QStringLiteral("1")}) == 0;
}

OnModalDialog::OnModalDialog(std::function<bool(QDialog&)> ready, std::function<void(QDialog&)> act) {
    QObject::connect(&poll_, &QTimer::timeout, [this, ready = std::move(ready), act = std::move(act)] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr || !ready(*dialog))
            return;
        poll_.stop();
        acted_ = true;
        act(*dialog);
    });
    poll_.start(20);
}

} // namespace desktop
