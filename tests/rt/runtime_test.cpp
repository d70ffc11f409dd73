#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "rt/runtime.h"

namespace {

std::int64_t fakeNow = 0;

class YieldTest : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1'000'000;
        rt::SetYieldClock([] { return fakeNow; });
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
    // A thread that waits for others yields seldom: each of its calls reads the clock.
    post();
    fakeNow += 20;
    rt::RuntimeBackgroundWait();
    EXPECT_EQ(fired, 3);
    // After the event loop itself has run, a whole interval passes before a yield runs events.
    fakeNow += 20;
    QCoreApplication::processEvents();
    post();
    rt::RuntimeBackgroundTasks(256);
    EXPECT_EQ(fired, 3) << "the windows were drawn when the loop last ran";
    fakeNow += 20;
    rt::RuntimeBackgroundTasks(64);
    EXPECT_EQ(fired, 4);
}

} // namespace
