#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

#include "rt/runtime.h"

namespace {

TEST(RuntimeTest, BeepIsCounted) {
    const std::int32_t before = rt::BeepCount();
    rt::Beep();
    rt::Beep();
    EXPECT_EQ(rt::BeepCount(), before + 2);
}

// A loop yields once per element: the clock is read on one call in 64, and events run when
// 20 ms have passed since they last ran.
void YieldBatch() {
    for (int call = 0; call < 64; ++call)
        rt::RuntimeBackgroundTask();
}

TEST(RuntimeTest, YieldRunsPendingEventsAtMostEveryTwentyMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    const std::uint64_t count = rt::YieldCount();
    YieldBatch();
    EXPECT_EQ(rt::YieldCount(), count + 64);
    EXPECT_EQ(fired, 1);

    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, [&] { ++fired; });
    YieldBatch();
    if (clock.elapsed() >= 10)
        GTEST_SKIP() << "the machine paused too long to check the time gate";
    EXPECT_EQ(fired, 1) << "yields right after events ran must not process events again";

    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    YieldBatch();
    EXPECT_EQ(fired, 2);
}

TEST(RuntimeTest, ScreensAreNumberedFromThePrimaryAndAMissingOneHasNoSize) {
    EXPECT_EQ(rt::Screen(0).Width, QGuiApplication::primaryScreen()->geometry().width());
    EXPECT_EQ(rt::Screen(99).Width, 0);
    EXPECT_EQ(rt::Screen(99).Height, 0);
}

TEST(RuntimeTest, ClipboardTextRoundTrips) {
    rt::SetClipboardText("prisma { 1.5, -2 }\nàè");
    EXPECT_EQ(rt::ClipboardText(), "prisma { 1.5, -2 }\nàè");
}

} // namespace
