#include "bench/desktopprobe.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEvent>
#include <QMetaObject>
#include <QThread>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <array>
#include <cstdlib>
#include <future>
#include <numeric>
#include <poll.h>
#include <sys/uio.h>
#include <thread>
#include <xcb/xcbext.h>

#include "rt/desktop/windowmanager.h"
#include "rt/desktop/xserver.h"

namespace deskbench {

namespace {

// XTEST's FakeInput request (XTEST 2.2, minor opcode 2), as the extension's protocol header lays
// it out; xcb fills in the first four bytes.
struct FakeInputRequest {
    std::uint8_t majorOpcode = 0;
    std::uint8_t minorOpcode = 0;
    std::uint16_t length = 0;
    std::uint8_t type = 0;   // XCB_BUTTON_PRESS, XCB_BUTTON_RELEASE or XCB_MOTION_NOTIFY
    std::uint8_t detail = 0; // the button; for a motion, 0: to an absolute position
    std::uint16_t pad0 = 0;
    std::uint32_t time = 0; // a delay in milliseconds: none
    xcb_window_t root = XCB_WINDOW_NONE;
    std::array<std::uint8_t, 8> pad1{};
    std::int16_t rootX = 0;
    std::int16_t rootY = 0;
    std::array<std::uint8_t, 7> pad2{};
    std::uint8_t deviceId = 0;
};
static_assert(sizeof(FakeInputRequest) == 36, "XTEST FakeInput is 36 bytes long");

constexpr std::uint8_t kFakeInputOpcode = 2;
xcb_extension_t xtest = {"XTEST", 0};

xcb_void_cookie_t FakeInput(const XConnection& x, std::uint8_t type, std::uint8_t detail, QPoint at = {}) {
    FakeInputRequest request;
    request.type = type;
    request.detail = detail;
    request.root = type == XCB_MOTION_NOTIFY ? x.Root() : xcb_window_t{XCB_WINDOW_NONE};
    request.rootX = static_cast<std::int16_t>(at.x());
    request.rootY = static_cast<std::int16_t>(at.y());
    // xcb uses the two parts before the request's own.
    std::array<iovec, 4> parts{};
    parts[2].iov_base = &request;
    parts[2].iov_len = sizeof request;
    parts[3].iov_base = nullptr;
    parts[3].iov_len = 0;
    const xcb_protocol_request_t protocol = {2, &xtest, kFakeInputOpcode, 1};
    return {xcb_send_request(x.get(), XCB_REQUEST_CHECKED, parts.data() + 2, &protocol)};
}

bool Accepted(const XConnection& x, xcb_void_cookie_t cookie) {
    xcb_generic_error_t* error = xcb_request_check(x.get(), cookie);
    std::free(error);
    return error == nullptr;
}

// Maps a small window and waits until a manager has framed it; destroys it either way.
bool TakesAWindowIn(const XConnection& x, Clock::time_point deadline) {
    if (!x.Connected())
        return false;
    const xcb_window_t window = xcb_generate_id(x.get());
    const std::uint32_t events = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_create_window(x.get(), XCB_COPY_FROM_PARENT, window, x.Root(), 0, 0, 1, 1, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK, &events);
    xcb_map_window(x.get(), window);
    xcb_flush(x.get());
    const bool framed = WaitUntil(
        x, [&] { return StateOf(x, window) == MapState::Viewable && ParentOf(x, window) != x.Root(); },
        deadline);
    xcb_destroy_window(x.get(), window);
    xcb_flush(x.get());
    return framed;
}

void Post(QObject* context, std::function<void()> call) {
    QMetaObject::invokeMethod(context, std::move(call), Qt::QueuedConnection);
}

} // namespace

XConnection::XConnection() : connection_(xcb_connect(nullptr, nullptr), &xcb_disconnect) {
    if (Connected())
        root_ = xcb_setup_roots_iterator(xcb_get_setup(get())).data->root;
}

bool XConnection::Connected() const {
    return connection_ != nullptr && xcb_connection_has_error(connection_.get()) == 0;
}

bool CanFakeInput(const XConnection& x) {
    if (!x.Connected())
        return false;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x.get(), &xtest);
    return extension != nullptr && extension->present != 0;
}

bool MovePointer(const XConnection& x, QPoint at) {
    return CanFakeInput(x) && Accepted(x, FakeInput(x, XCB_MOTION_NOTIFY, 0, at));
}

bool Click(const XConnection& x) {
    if (!CanFakeInput(x))
        return false;
    const xcb_void_cookie_t press = FakeInput(x, XCB_BUTTON_PRESS, 1);
    const xcb_void_cookie_t release = FakeInput(x, XCB_BUTTON_RELEASE, 1);
    xcb_flush(x.get());
    const bool pressed = Accepted(x, press);
    const bool released = Accepted(x, release);
    return pressed && released;
}

MapState StateOf(const XConnection& x, xcb_window_t window) {
    const auto attributes = rt::x11::Take(
        xcb_get_window_attributes_reply(x.get(), xcb_get_window_attributes(x.get(), window), nullptr));
    if (!attributes)
        return MapState::Gone;
    switch (attributes->map_state) {
    case XCB_MAP_STATE_VIEWABLE:
        return MapState::Viewable;
    case XCB_MAP_STATE_UNVIEWABLE:
        return MapState::Unviewable;
    default:
        return MapState::Unmapped;
    }
}

xcb_window_t ParentOf(const XConnection& x, xcb_window_t window) {
    const auto tree = rt::x11::Take(xcb_query_tree_reply(x.get(), xcb_query_tree(x.get(), window), nullptr));
    return tree ? tree->parent : xcb_window_t{XCB_WINDOW_NONE};
}

std::optional<QPoint> OnRoot(const XConnection& x, xcb_window_t window, QPoint point) {
    const auto translated = rt::x11::Take(xcb_translate_coordinates_reply(
        x.get(),
        xcb_translate_coordinates(x.get(), window, x.Root(), static_cast<std::int16_t>(point.x()),
                                  static_cast<std::int16_t>(point.y())),
        nullptr));
    if (!translated)
        return std::nullopt;
    return QPoint(translated->dst_x, translated->dst_y);
}

void Follow(const XConnection& x, xcb_window_t window, std::uint32_t mask) {
    const auto attributes = rt::x11::Take(
        xcb_get_window_attributes_reply(x.get(), xcb_get_window_attributes(x.get(), window), nullptr));
    if (!attributes)
        return;
    const std::uint32_t events = attributes->your_event_mask | mask;
    xcb_change_window_attributes(x.get(), window, XCB_CW_EVENT_MASK, &events);
    xcb_flush(x.get());
}

bool WaitUntil(const XConnection& x, const std::function<bool()>& done, Clock::time_point deadline) {
    const int descriptor = xcb_get_file_descriptor(x.get());
    for (;;) {
        if (done())
            return true;
        if (Clock::now() >= deadline || xcb_connection_has_error(x.get()) != 0)
            return false;
        // Events that came while `done` asked the server need no waiting.
        bool queued = false;
        while (xcb_generic_event_t* event = xcb_poll_for_queued_event(x.get())) {
            std::free(event);
            queued = true;
        }
        if (queued)
            continue;
        pollfd readable = {descriptor, POLLIN, 0};
        static_cast<void>(poll(&readable, 1, 1));
        while (xcb_generic_event_t* event = xcb_poll_for_event(x.get()))
            std::free(event);
    }
}

bool RunEventsUntil(const std::function<bool()>& done, int ms) {
    const QDeadlineTimer deadline(ms);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return true;
}

void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

ManagerProcess::ManagerProcess(const QString& program, const QStringList& arguments) {
    process_.setProgram(program);
    process_.setArguments(arguments);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
}

ManagerProcess::~ManagerProcess() {
    static_cast<void>(Stop(2000));
}

std::string ManagerProcess::Start(int ms) {
    const std::string name = process_.program().toStdString();
    if (rt::x11::Connection() == nullptr)
        return "no X connection to start " + name + " on";
    if (rt::x11::ManagerRuns())
        return "a window manager holds the screen already";
    const QDeadlineTimer deadline(ms);
    process_.start();
    if (!process_.waitForStarted(static_cast<int>(deadline.remainingTime())))
        return name + " did not start";
    while (!rt::x11::ManagerRuns()) {
        if (deadline.hasExpired())
            return name + " did not take the screen in time";
        // Also the pause between two questions to the server.
        if (process_.waitForFinished(10))
            return name + " ended before it took the screen";
    }
    // Openbox drops the map requests that come in its first milliseconds with the selection: a
    // window shown then stays unmapped. A window of the probe's own that it frames says it is ready.
    const XConnection x;
    while (!TakesAWindowIn(x, Clock::now() + std::chrono::milliseconds(100))) {
        if (deadline.hasExpired())
            return name + " took no window in";
        if (process_.waitForFinished(0))
            return name + " ended before it took a window in";
    }
    return {};
}

std::string ManagerProcess::Stop(int ms) {
    if (process_.state() == QProcess::NotRunning)
        return {};
    const QDeadlineTimer deadline(ms);
    process_.terminate();
    if (!process_.waitForFinished(static_cast<int>(deadline.remainingTime()))) {
        process_.kill();
        process_.waitForFinished(1000);
        return process_.program().toStdString() + " did not end when asked";
    }
    while (rt::x11::ManagerRuns()) {
        if (deadline.hasExpired())
            return "the manager selection kept an owner";
        QThread::msleep(10);
    }
    return {};
}

bool ManagerProcess::Running() const {
    return process_.state() != QProcess::NotRunning;
}

std::optional<Summary> Summarize(std::vector<double> samples) {
    if (samples.empty())
        return std::nullopt;
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    Summary summary;
    summary.median = samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
    summary.mean = std::accumulate(samples.begin(), samples.end(), 0.0) / static_cast<double>(samples.size());
    return summary;
}

OpeningProbe::OpeningProbe() {
    // Frames are mapped as children of the root.
    if (x_.Connected())
        Follow(x_, x_.Root(), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY);
    QCoreApplication::instance()->installEventFilter(this);
}

OpeningProbe::~OpeningProbe() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool OpeningProbe::eventFilter(QObject* watched, QEvent* event) {
    // A dialog's window exists by its show event and maps after it.
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return QObject::eventFilter(watched, event);
    auto* dialog = qobject_cast<QDialog*>(watched);
    if (dialog == nullptr || !dialog->isWindow() || dialog == dialog_)
        return QObject::eventFilter(watched, event);
    const std::lock_guard lock(mutex_);
    if (armed_ && shown_ == XCB_WINDOW_NONE) {
        shown_ = rt::x11::WindowOf(*dialog);
        shownAt_ = Clock::now();
        dialog_ = dialog;
        connect(dialog, &QObject::destroyed, this, [this] {
            dialogDestroyed_ = true;
            QuitWhenDone();
        });
        shownChanged_.notify_all();
    } else {
        // A dialog that nothing times goes at once, so that no run stops on it.
        Post(this, [closing = QPointer<QDialog>(dialog)] {
            if (closing)
                closing->reject();
        });
    }
    return QObject::eventFilter(watched, event);
}

void OpeningProbe::QuitWhenDone() {
    const bool dialogShown = [this] {
        const std::lock_guard lock(mutex_);
        return shown_ != XCB_WINDOW_NONE;
    }();
    if (loop_ != nullptr && watchDone_ && (!dialogShown || dialogDestroyed_))
        loop_->quit();
}

OpeningProbe::Opening OpeningProbe::ClickAndTime(std::chrono::milliseconds limit) {
    if (!CanFakeInput(x_)) {
        Opening none;
        none.error = "the X server offers no XTEST to click with";
        return none;
    }
    {
        const std::lock_guard lock(mutex_);
        armed_ = true;
        shown_ = XCB_WINDOW_NONE;
    }
    dialog_.clear();
    dialogDestroyed_ = false;
    watchDone_ = false;
    QEventLoop loop;
    loop_ = &loop;
    // Only when the program never comes back from its dialog: the probe's own deadlines end first.
    QTimer::singleShot(2 * limit + std::chrono::seconds(2), &loop, &QEventLoop::quit);
    std::future<Opening> watch =
        std::async(std::launch::async, [this, limit] { return Watch(Clock::now() + limit); });
    loop.exec();
    loop_ = nullptr;
    return watch.get();
}

OpeningProbe::Opening OpeningProbe::Watch(Clock::time_point deadline) {
    Opening opening;
    xcb_window_t dialog = XCB_WINDOW_NONE;
    Clock::time_point shown;
    // Whatever happens, the program's thread is told once the probe is done.
    const auto finish = [&] {
        {
            const std::lock_guard lock(mutex_);
            armed_ = false;
        }
        Post(this, [this] {
            watchDone_ = true;
            QuitWhenDone();
        });
        return opening;
    };

    const Clock::time_point clicked = Clock::now();
    if (!Click(x_)) {
        opening.error = "the X server refused the click";
        return finish();
    }
    {
        std::unique_lock lock(mutex_);
        if (shownChanged_.wait_until(lock, deadline, [this] { return shown_ != XCB_WINDOW_NONE; })) {
            dialog = shown_;
            shown = shownAt_;
        }
    }
    if (dialog == XCB_WINDOW_NONE) {
        opening.error = "no dialog showed after the click";
        return finish();
    }
    Follow(x_, dialog, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
    MapState state = MapState::Unmapped;
    Clock::time_point viewable;
    const bool answered = WaitUntil(
        x_,
        [&] {
            state = StateOf(x_, dialog);
            viewable = Clock::now();
            return state == MapState::Viewable || state == MapState::Gone;
        },
        deadline);
    if (answered && state == MapState::Viewable) {
        opening.seconds = std::chrono::duration<double>(viewable - clicked).count();
        opening.secondsToShow = std::chrono::duration<double>(shown - clicked).count();
        opening.framed = ParentOf(x_, dialog) != x_.Root();
    } else {
        opening.error =
            answered ? "the dialog went before it was viewable" : "the dialog never became viewable";
    }

    Post(this, [this] {
        if (dialog_)
            dialog_->reject();
    });
    if (!WaitUntil(
            x_, [&] { return StateOf(x_, dialog) == MapState::Gone; },
            Clock::now() + std::chrono::seconds(5)) &&
        opening.error.empty())
        opening.error = "the dialog's window stayed after the dialog closed";
    return finish();
}

} // namespace deskbench
