#include "rt/runtime.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QUrl>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "rt/desktop/desktoparea.h"
#include "rt/widgetinternal.h"

namespace rt {

namespace {

std::uint64_t yields = 0;
std::int64_t nextEventsAt = 0; // in ms of the coarse monotonic clock
std::int32_t beeps = 0;

constexpr std::int64_t kEventInterval = 20; // ms
// The clock is read on one call in this many; loops yield once per element, so the gate still
// opens about every 20 ms.
constexpr std::uint64_t kCallsPerClockRead = 64;

// A coarse clock: a few nanoseconds to read, exact to a few milliseconds, enough for the gate.
std::int64_t NowMs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

std::int64_t (*yieldClock)() = NowMs;
bool followingTheLoop = false;
// The event loop has woken to handle events since the last yield that read the clock: the windows
// were drawn then, so the next yield that processes events may wait a whole interval.
bool loopRan = false;

void FollowTheEventLoop() {
    if (followingTheLoop)
        return;
    if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance()) {
        followingTheLoop = true;
        QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, [] { loopRan = true; });
    }
}

// Processes events when the interval since the last processing has passed.
void ProcessEventsIfDue() {
    FollowTheEventLoop();
    const std::int64_t now = yieldClock();
    if (loopRan) {
        loopRan = false;
        nextEventsAt = now + kEventInterval;
        return;
    }
    if (now < nextEventsAt)
        return;
    nextEventsAt = now + kEventInterval;
    if (QCoreApplication::instance() == nullptr)
        return;
    // Paint, timer and posted events only: user input waits until the running command returns,
    // and windows closed meanwhile stay alive until then.
    detail::HandlerScope scope;
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    loopRan = false;
}

// Events are processed on the main thread only, and the counters above are the main thread's. In
// debug and sanitizer builds a yield elsewhere aborts with a message.
void CheckOnMainThread() {
#if !defined(NDEBUG) || defined(AMBRELIX_SANITIZE)
    const QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && QThread::currentThread() != application->thread()) {
        std::fprintf(stderr, "RuntimeBackgroundTask: a yield outside the main thread\n");
        std::abort();
    }
#endif
}

} // namespace

void SetYieldClock(std::int64_t (*nowMs)()) {
    yieldClock = nowMs != nullptr ? nowMs : NowMs;
    nextEventsAt = 0;
}

void RuntimeBackgroundTask() {
    CheckOnMainThread();
    ++yields;
    if (yields % kCallsPerClockRead == 0)
        ProcessEventsIfDue();
}

void RuntimeBackgroundWait() {
    CheckOnMainThread();
    ++yields;
    ProcessEventsIfDue();
}

void RuntimeBackgroundTasks(std::uint64_t count) {
    CheckOnMainThread();
    while (count > 0) {
        // The calls up to the next one that reads the clock only count.
        const std::uint64_t untilClock = kCallsPerClockRead - yields % kCallsPerClockRead;
        if (count < untilClock) {
            yields += count;
            return;
        }
        yields += untilClock - 1;
        count -= untilClock;
        RuntimeBackgroundTask();
    }
}

std::uint64_t YieldCount() {
    return yields;
}

void Beep() {
    ++beeps;
    if (QCoreApplication::instance() != nullptr)
        QApplication::beep();
}

std::int32_t BeepCount() {
    return beeps;
}

ScreenSize Screen(std::int32_t index) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    QScreen* screen = index == 0 ? QGuiApplication::primaryScreen()
                                 : (index > 0 && index < screens.size() ? screens.at(index) : nullptr);
    if (screen == nullptr)
        return {};
    const QRect area = detail::DesktopArea(screen);
    return {area.width(), area.height()};
}

namespace Keyboard {
namespace {
bool (*commandKeyReader)() = nullptr;
} // namespace

bool AsyncCommandKey() {
    if (commandKeyReader != nullptr)
        return commandKeyReader();
    return QGuiApplication::queryKeyboardModifiers() & Qt::ControlModifier;
}
void SetCommandKeyReader(bool (*reader)()) {
    commandKeyReader = reader;
}
bool AsyncShiftKey() {
    return QGuiApplication::queryKeyboardModifiers() & Qt::ShiftModifier;
}
bool AsyncOptionKey() {
    return QGuiApplication::queryKeyboardModifiers() & Qt::AltModifier;
}
} // namespace Keyboard

void ShowURL(const std::string& url) {
    QDesktopServices::openUrl(QUrl::fromUserInput(detail::ToQ(url)));
}

void SetClipboardText(const std::string& text) {
    QGuiApplication::clipboard()->setText(detail::ToQ(text));
}

std::string ClipboardText() {
    return detail::FromQ(QGuiApplication::clipboard()->text());
}

} // namespace rt
