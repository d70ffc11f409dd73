#include "model/parallelcolumns.h"
#include "rt/runtime.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

namespace {

TEST(ParallelColumns, ColumnsAreReportedInOrderOnTheCallingThreadAndNestedCallsRunThere) {
    const std::thread::id caller = std::this_thread::get_id();
    constexpr std::int64_t kColumns = 40;
    std::vector<std::atomic<int>> computed(kColumns);
    std::vector<std::int64_t> reported;
    std::mutex nestedMutex;
    std::set<std::size_t> nestedWorkers;
    bool nestedOnHelper = true;
    parallelcolumns::Run(
        kColumns,
        [&](std::int64_t column, std::size_t) {
            if (column == 7) {
                // The helpers are busy with this run: a call from one of them works where it is.
                const std::thread::id here = std::this_thread::get_id();
                parallelcolumns::OnEveryWorker([&](std::size_t worker) {
                    const std::lock_guard lock(nestedMutex);
                    nestedWorkers.insert(worker);
                    nestedOnHelper = nestedOnHelper && std::this_thread::get_id() == here;
                });
            }
            ++computed[static_cast<std::size_t>(column)];
        },
        [&](std::int64_t column) {
            EXPECT_EQ(std::this_thread::get_id(), caller);
            EXPECT_EQ(computed[static_cast<std::size_t>(column)], 1);
            reported.push_back(column);
        },
        [] {});
    ASSERT_EQ(reported.size(), static_cast<std::size_t>(kColumns));
    for (std::int64_t column = 0; column < kColumns; ++column)
        EXPECT_EQ(reported[static_cast<std::size_t>(column)], column);
    EXPECT_EQ(nestedWorkers.size(), parallelcolumns::WorkerCount());
    EXPECT_TRUE(nestedOnHelper);

    // The helpers serve the next call after a nested one.
    std::atomic<std::size_t> calls{0};
    parallelcolumns::OnEveryWorker([&](std::size_t) { ++calls; });
    EXPECT_EQ(calls, parallelcolumns::WorkerCount());
}

#if !defined(NDEBUG) || defined(AMBRELIX_SANITIZE)
TEST(ParallelColumnsDeathTest, AHelperThatYieldsAborts) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(std::thread([] { rt::RuntimeBackgroundTask(); }).join(), "a yield outside the main thread");
}
#endif

} // namespace
