#include <QApplication>
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

TEST(RuntimeTest, YieldRunsPendingEventsAtMostEveryTwentyMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    const std::uint64_t count = rt::YieldCount();
    rt::RuntimeBackgroundTask();
    EXPECT_EQ(rt::YieldCount(), count + 1);
    EXPECT_EQ(fired, 1);

    QElapsedTimer clock;
    clock.start();
    QTimer::singleShot(0, [&] { ++fired; });
    rt::RuntimeBackgroundTask();
    if (clock.elapsed() >= 10)
        GTEST_SKIP() << "the machine paused too long to check the time gate";
    EXPECT_EQ(fired, 1) << "a second yield right after the first must not process events";

    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    rt::RuntimeBackgroundTask();
    EXPECT_EQ(fired, 2);
}

TEST(RuntimeTest, ScreenZeroIsThePrimaryScreen) {
    const QRect primary = QGuiApplication::primaryScreen()->geometry();
    const rt::ScreenSize screen = rt::Screen(0);
    EXPECT_EQ(screen.Width, primary.width());
    EXPECT_EQ(screen.Height, primary.height());
    EXPECT_GT(screen.Width, 0);
    const rt::ScreenSize missing = rt::Screen(99);
    EXPECT_EQ(missing.Width, 0);
    EXPECT_EQ(missing.Height, 0);
}

TEST(RuntimeTest, ClipboardTextRoundTrips) {
    rt::SetClipboardText("prisma { 1.5, -2 }\nàè");
    EXPECT_EQ(rt::ClipboardText(), "prisma { 1.5, -2 }\nàè");
}

} // namespace
