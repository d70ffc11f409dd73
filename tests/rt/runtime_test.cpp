#include <QTimer>
#include <gtest/gtest.h>

#include "rt/runtime.h"

namespace {

std::int64_t fakeNow = 0;
int clockReads = 0;

class YieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1'000'000;
        rt::SetYieldClock([] {
            ++clockReads;
            return fakeNow;
        });
    }
    void TearDown() override { rt::SetYieldClock(nullptr); }
};

TEST_F(YieldTest, PendingEventsRunAtMostEveryTwentyMilliseconds) {
    int fired = 0;
    const auto post = [&] { QTimer::singleShot(0, [&] { ++fired; }); };
    post();
    // A loop yields once per element: the clock is read on one call in 64.
    rt::RuntimeBackgroundTasks(64);
    EXPECT_EQ(fired, 1);
    post();
    fakeNow += 19;
    rt::RuntimeBackgroundTasks(64);
    EXPECT_EQ(fired, 1) << "events ran again before 20 ms had passed";
    fakeNow += 1;
    rt::RuntimeBackgroundTasks(64);
    EXPECT_EQ(fired, 2);
}

TEST_F(YieldTest, ManyYieldsAtOnceReadTheClockOnTheCallsThatSingleYieldsWould) {
    for (const std::uint64_t count : {0, 63, 65, 1000}) {
        clockReads = 0;
        const std::uint64_t start = rt::YieldCount();
        for (std::uint64_t call = 0; call < count; ++call)
            rt::RuntimeBackgroundTask();
        const int singleReads = clockReads;
        clockReads = 0;
        rt::RuntimeBackgroundTasks(count);
        EXPECT_EQ(rt::YieldCount(), start + 2 * count);
        // The clock is read on the calls whose count is a multiple of 64.
        EXPECT_EQ(singleReads, static_cast<int>((start + count) / 64 - start / 64)) << count;
        EXPECT_EQ(clockReads, static_cast<int>((start + 2 * count) / 64 - (start + count) / 64)) << count;
    }
}

} // namespace
