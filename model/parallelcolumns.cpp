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

// The helper threads, waiting for a job between calls. One job runs at a time; a call made while
// one runs (from a helper, or from an event handled during a wait) finds the pool busy and does
// its work on the calling thread instead.
class Pool {
public:
    static Pool& Instance() {
        static Pool pool;
        return pool;
    }

    // Starts job(worker) on every helper, unless a job is running; the job outlives Wait().
    bool TryStart(const std::function<void(std::size_t)>& job) {
        const std::lock_guard lock(mutex_);
        if (running_ > 0)
            return false;
        job_ = &job;
        running_ = threads_.size();
        ++generation_;
        wake_.notify_all();
        return true;
    }

    void Wait() {
        std::unique_lock lock(mutex_);
        done_.wait(lock, [this] { return running_ == 0; });
    }

    Pool(const Pool&) = delete;
    Pool& operator=(const Pool&) = delete;

private:
    Pool() {
        const std::size_t count = WorkerCount();
        threads_.reserve(count);
        for (std::size_t worker = 0; worker < count; ++worker)
            threads_.emplace_back([this, worker] { Serve(worker); });
    }
    ~Pool() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_all();
        for (std::thread& thread : threads_)
            thread.join();
    }

    void Serve(std::size_t worker) {
        std::uint64_t seen = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return stopping_ || generation_ != seen; });
            if (stopping_)
                return;
            seen = generation_;
            const std::function<void(std::size_t)>* job = job_;
            lock.unlock();
            (*job)(worker);
            lock.lock();
            if (--running_ == 0)
                done_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_, done_;
    const std::function<void(std::size_t)>* job_ = nullptr;
    std::size_t running_ = 0;
    std::uint64_t generation_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

} // namespace

std::size_t WorkerCount() {
    const std::size_t cores = std::thread::hardware_concurrency();
    return std::clamp<std::size_t>(cores, 1, kMostWorkers);
}

void OnEveryWorker(const std::function<void(std::size_t worker)>& work) {
    Pool& pool = Pool::Instance();
    if (pool.TryStart(work)) {
        pool.Wait();
        return;
    }
    for (std::size_t worker = 0; worker < WorkerCount(); ++worker)
        work(worker);
}

void Run(std::int64_t count, const std::function<void(std::int64_t column, std::size_t worker)>& work,
         const std::function<void(std::int64_t column)>& done, const std::function<void()>& idle) {
    if (count <= 0)
        return;
    std::atomic<std::int64_t> next{0};
    std::vector<std::atomic<bool>> complete(static_cast<std::size_t>(count));
    std::mutex mutex;
    std::condition_variable finished;
    const auto isComplete = [&](std::int64_t column) {
        return complete[static_cast<std::size_t>(column)].load(std::memory_order_acquire);
    };
    const std::function<void(std::size_t)> job = [&](std::size_t worker) {
        for (std::int64_t column = next++; column < count; column = next++) {
            work(column, worker);
            complete[static_cast<std::size_t>(column)].store(true, std::memory_order_release);
            const std::lock_guard lock(mutex);
            finished.notify_one();
        }
    };

    Pool& pool = Pool::Instance();
    if (!pool.TryStart(job)) {
        for (std::int64_t column = 0; column < count; ++column) {
            work(column, 0);
            done(column);
            idle();
        }
        return;
    }
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
    pool.Wait();
}

} // namespace parallelcolumns
