#include "model/parallelcolumns.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

namespace parallelcolumns {

namespace {

// The calling thread looks for finished columns at least this often while it waits.
constexpr std::chrono::milliseconds kWaitStep{2};
constexpr std::size_t kMostWorkers = 64;

} // namespace

std::size_t WorkerCount() {
    const std::size_t cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores, 1, kMostWorkers);
}

void Run(std::int64_t count, const std::function<void(std::int64_t column, std::size_t worker)>& work,
         const std::function<void(std::int64_t column)>& done, const std::function<void()>& idle) {
    if (count <= 0)
        return;
    std::atomic<std::int64_t> next{0};
    std::vector<std::atomic<bool>> complete(static_cast<std::size_t>(count));
    std::mutex mutex;
    std::condition_variable finished;

    const auto finish = [&](std::int64_t column) {
        complete[static_cast<std::size_t>(column)].store(true, std::memory_order_release);
        const std::lock_guard lock(mutex);
        finished.notify_one();
    };
    const auto isComplete = [&](std::int64_t column) {
        return complete[static_cast<std::size_t>(column)].load(std::memory_order_acquire);
    };

    const auto helpers =
        static_cast<std::size_t>(std::min<std::int64_t>(static_cast<std::int64_t>(WorkerCount()), count));
    std::vector<std::jthread> threads;
    threads.reserve(helpers);
    for (std::size_t worker = 0; worker < helpers; ++worker)
        threads.emplace_back([&, worker] {
            for (std::int64_t column = next++; column < count; column = next++) {
                work(column, worker);
                finish(column);
            }
        });

    for (std::int64_t reported = 0; reported < count;) {
        {
            std::unique_lock lock(mutex);
            finished.wait_for(lock, kWaitStep, [&] { return isComplete(reported); });
        }
        for (; reported < count && isComplete(reported); ++reported) {
            done(reported);
            idle();
        }
        idle();
    }
}

} // namespace parallelcolumns
