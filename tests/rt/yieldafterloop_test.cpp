#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include "rt/runtime.h"

namespace {

std::int64_t fakeNow = 1000;

TEST(Yield, WaitsAWholeIntervalAfterTheEventLoopHasRun) {
    rt::SetYieldClock([] { return fakeNow; });
    QCoreApplication::processEvents();
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });

    for (int i = 0; i < 256; ++i)
        rt::RuntimeBackgroundTask();
    EXPECT_FALSE(ran) << "the windows were drawn when the loop last ran";

    fakeNow += 20;
    for (int i = 0; i < 64; ++i)
        rt::RuntimeBackgroundTask();
    EXPECT_TRUE(ran);
    rt::SetYieldClock(nullptr);
}

} // namespace
