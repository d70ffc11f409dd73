#include "rt/desktop/framemargins.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <memory>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xevents.h"
#include "rt/desktop/xserver.h"

namespace rt::detail {

namespace {

// How long a manager that answers frame requests may take to answer one.
constexpr int kFrameAnswerMs = 200;
// How long after a window shows the manager's word on its frame may still move it.
constexpr int kLateFrameMs = 3000;

// What the program knows of the running manager's answers to frame requests.
struct ManagerAnswers {
    xcb_connection_t* connection = nullptr;
    // The key of the listener to rt/desktop/windowmanager.h, which tells of each new manager.
    int listenKey = -1;
    bool managerRuns = false;
    // An unmapped window of the program's own that the manager was asked about.
    xcb_window_t probe = XCB_WINDOW_NONE;
    // The manager lists the request among those it supports.
    bool offered = false;
    bool probeAnswered = false;
    // A request for a window went unanswered: the manager is asked no more, a new one is.
    bool fellSilent = false;
    // The one wait for the probe's answer that any window may share.
    QDeadlineTimer deadline;

    bool Answers() const { return offered && probeAnswered && !fellSilent; }
    // Whether the probe has been answered by now; a late answer counts too.
    bool ReadProbe() {
        if (offered && !probeAnswered)
            probeAnswered = x11::FrameExtents(probe).has_value();
        return probeAnswered;
    }
};

ManagerAnswers answers;

void ReplaceProbe() {
    xcb_connection_t* connection = x11::Connection();
    if (answers.probe != XCB_WINDOW_NONE)
        xcb_destroy_window(connection, answers.probe);
    answers.probe = xcb_generate_id(connection);
    xcb_create_window(connection, XCB_COPY_FROM_PARENT, answers.probe, x11::Root(), -100, -100, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
}

QMargins MarginsOf(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect content = window.geometry();
    return {content.left() - frame.left(), content.top() - frame.top(), frame.right() - content.right(),
            frame.bottom() - content.bottom()};
}

QSize ScreenSize(const QWidget& window) {
    const QScreen* screen = window.screen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

// The margins of a framed window of the program other than `window`; none when none shows.
QMargins OtherFramedMargins(const QWidget& window) {
    for (const QWidget* other : QApplication::topLevelWidgets()) {
        if (other == &window || !other->isVisible() || other->windowType() == Qt::Popup ||
            other->windowType() == Qt::ToolTip)
            continue;
        // Qt reads the manager's extents unchecked.
        const std::optional<QMargins> margins = CheckedExtents(MarginsOf(*other), ScreenSize(*other));
        if (margins && margins->top() > 0)
            return *margins;
    }
    return {};
}

std::optional<QMargins> SaidFor(const QWidget& window) {
    return CheckedExtents(x11::FrameExtents(x11::WindowOf(window)), ScreenSize(window));
}

// The manager's answer to a request for the window, not yet mapped, where it answers in time.
std::optional<QMargins> AskedFor(const QWidget& window) {
    const xcb_window_t id = x11::WindowOf(window);
    if (x11::Mapped(id) || x11::HeldByManager(id))
        return std::nullopt;
    if (!answers.offered || answers.fellSilent)
        return std::nullopt;
    if (!answers.ReadProbe())
        x11::PollUntil([] { return answers.ReadProbe(); }, answers.deadline);
    if (!answers.Answers() || !x11::ManagerSupports("_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    x11::SendFrameExtentsRequest(id);
    if (!x11::PollUntil([&] { return x11::FrameExtents(id).has_value(); }, QDeadlineTimer(kFrameAnswerMs))) {
        // Asked no more: a manager that lets one request go unanswered may never answer.
        answers.fellSilent = true;
        return std::nullopt;
    }
    return SaidFor(window);
}

// The frame where nothing need be asked: off X the one Qt knows, none without a manager, the one
// the manager has said.
std::optional<QMargins> KnownWithoutAsking(QWidget& window) {
    if (x11::Connection() == nullptr)
        return window.windowHandle() != nullptr ? window.windowHandle()->frameMargins() : QMargins();
    ProbeManager();
    if (!answers.managerRuns)
        return QMargins();
    if (!window.testAttribute(Qt::WA_WState_Created))
        static_cast<void>(window.winId()); // creates the native window
    return SaidFor(window);
}

QMargins Guessed(const QWidget& window) {
    const QMargins other = OtherFramedMargins(window);
    if (!other.isNull())
        return other;
    return {0, window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window), 0, 0};
}

} // namespace

std::optional<QMargins> CheckedExtents(const std::optional<QMargins>& said, const QSize& screen) {
    if (!said)
        return std::nullopt;
    const QMargins& m = *said;
    const bool across =
        m.left() >= 0 && m.right() >= 0 && m.left() <= screen.width() / 4 && m.right() <= screen.width() / 4;
    const bool down = m.top() >= 0 && m.bottom() >= 0 && m.top() <= screen.height() / 4 &&
                      m.bottom() <= screen.height() / 4;
    return across && down ? said : std::nullopt;
}

void ProbeManager() {
    if (x11::Events::Get() == nullptr)
        return;
    if (answers.listenKey >= 0 && answers.connection == x11::Connection()) {
        // Asked, the server tells the listener of a manager that is new.
        static_cast<void>(x11::ManagerOwner());
        return;
    }
    if (answers.listenKey >= 0)
        x11::UnlistenManager(answers.listenKey);
    answers.connection = x11::Connection();
    answers.probe = XCB_WINDOW_NONE;
    answers.listenKey = x11::ListenManager([](xcb_window_t manager) {
        answers.managerRuns = manager != XCB_WINDOW_NONE;
        answers.offered = false;
        answers.probeAnswered = false;
        answers.fellSilent = false;
        if (!answers.managerRuns)
            return;
        ReplaceProbe();
        answers.offered = x11::ManagerSupports("_NET_REQUEST_FRAME_EXTENTS");
        if (answers.offered)
            x11::SendFrameExtentsRequest(answers.probe);
        answers.deadline.setRemainingTime(kFrameAnswerMs);
    });
}

QMargins FrameMargins(QWidget& window) {
    if (const std::optional<QMargins> known = KnownWithoutAsking(window))
        return *known;
    if (const std::optional<QMargins> answer = AskedFor(window))
        return *answer;
    return Guessed(window);
}

QMargins FrameMarginsSaidOrGuessed(QWidget& window) {
    return KnownWithoutAsking(window).value_or(Guessed(window));
}

void WhenFramed(QWidget& window, const QMargins& used, std::function<void(const QMargins& frame)> placed) {
    x11::Events* events = x11::Events::Get();
    const xcb_window_t id = x11::WindowOf(window);
    if (events == nullptr || id == XCB_WINDOW_NONE)
        return;
    struct Watch {
        QPointer<QWidget> window;
        std::function<void(const QMargins&)> placed;
        std::optional<QMargins> last;
        int key = -1;
    };
    auto watch = std::make_shared<Watch>();
    watch->window = &window;
    watch->placed = std::move(placed);
    watch->last = used;
    // The manager may have said it already, as it took the window in.
    if (const std::optional<QMargins> said = SaidFor(window); said && said != used) {
        watch->last = said;
        watch->placed(*said);
    }
    const xcb_atom_t extents = x11::Atom("_NET_FRAME_EXTENTS");
    watch->key = events->Listen([watch, id, extents](xcb_window_t changed, xcb_atom_t property) {
        if (changed != id || property != extents || watch->window.isNull() || !watch->window->isVisible())
            return;
        const std::optional<QMargins> said = SaidFor(*watch->window);
        if (!said || said == watch->last)
            return;
        watch->last = said;
        watch->placed(*said);
    });
    QTimer::singleShot(kLateFrameMs, events, [key = watch->key] {
        if (x11::Events* still = x11::Events::Get())
            still->Unlisten(key);
    });
}

} // namespace rt::detail
