#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <gtest/gtest.h>

#include "rt/runtime.h"

namespace {

TEST(RuntimeTest, BeepIsCounted) {
    const std::int32_t before = rt::BeepCount();
    rt::Beep();
    rt::Beep();
    EXPECT_EQ(rt::BeepCount(), before + 2);
}

bool commandHeld = false;

TEST(RuntimeTest, TheCommandKeyIsReadAnewOnEveryQuestion) {
    rt::Keyboard::SetCommandKeyReader([] { return commandHeld; });
    commandHeld = true;
    EXPECT_TRUE(rt::Keyboard::AsyncCommandKey());
    commandHeld = false;
    EXPECT_FALSE(rt::Keyboard::AsyncCommandKey());
    rt::Keyboard::SetCommandKeyReader(nullptr);
    commandHeld = true;
    EXPECT_EQ(rt::Keyboard::AsyncCommandKey(),
              QGuiApplication::queryKeyboardModifiers().testFlag(Qt::ControlModifier));
}

std::int64_t fakeNow = 0;

class YieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1'000'000;
        rt::SetYieldClock([] { return fakeNow; });
    }
    void TearDown() override { rt::SetYieldClock(nullptr); }
};

// A loop yields once per element: the clock is read on one call in 64.
void YieldBatch() {
    for (int call = 0; call < 64; ++call)
        rt::RuntimeBackgroundTask();
}

TEST_F(YieldTest, PendingEventsRunAtMostEveryTwentyMilliseconds) {
    int fired = 0;
    const auto post = [&] { QTimer::singleShot(0, [&] { ++fired; }); };
    post();
    const std::uint64_t count = rt::YieldCount();
    YieldBatch();
    EXPECT_EQ(rt::YieldCount(), count + 64);
    EXPECT_EQ(fired, 1);

    post();
    fakeNow += 19;
    YieldBatch();
    EXPECT_EQ(fired, 1) << "events ran again before 20 ms had passed";
    fakeNow += 1;
    YieldBatch();
    EXPECT_EQ(fired, 2);
}

TEST_F(YieldTest, ManyYieldsAtOnceReadTheClockOnTheCallsThatSingleYieldsWould) {
    static int reads = 0;
    rt::SetYieldClock([] {
        ++reads;
        return fakeNow;
    });
    for (const std::uint64_t count : {0, 1, 5, 63, 64, 65, 200, 1000}) {
        reads = 0;
        const std::uint64_t start = rt::YieldCount();
        for (std::uint64_t call = 0; call < count; ++call)
            rt::RuntimeBackgroundTask();
        const int singleReads = reads;
        reads = 0;
        rt::RuntimeBackgroundTasks(count);
        EXPECT_EQ(rt::YieldCount(), start + 2 * count);
        // The clock is read on the calls whose count is a multiple of 64.
        const auto expected = [](std::uint64_t from, std::uint64_t to) {
            return static_cast<int>(to / 64 - from / 64);
        };
        EXPECT_EQ(singleReads, expected(start, start + count)) << count;
        EXPECT_EQ(reads, expected(start + count, start + 2 * count)) << count;
    }

    // A batch that crosses the clock after 20 ms lets pending events run.
    int fired = 0;
    QTimer::singleShot(0, [&] { ++fired; });
    fakeNow += 20;
    rt::RuntimeBackgroundTasks(64);
    EXPECT_EQ(fired, 1);
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
