#pragma once
// Work shared among helper threads, one a core, that are started on first use and kept for later
// calls: a survey's index and grid are computed in a few milliseconds, of which starting threads
// anew would take a good share.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace parallelcolumns {

// How many helper threads there are: one a core, at least 1.
std::size_t WorkerCount();

// Runs work(worker) once on every helper, worker = 0..WorkerCount()-1, and returns when every
// call has returned.
void OnEveryWorker(const std::function<void(std::size_t worker)>& work);

// Runs work(column, worker) once for every column 0..count-1 on the helpers, each doing one
// column at a time. The calling thread computes nothing: it calls done(column) for every column
// in order, once that column is complete, followed by idle(), and calls idle() as well while it
// waits for the helpers, so that its event loop stays served while every core computes. Returns
// when every column is done.
void Run(std::int64_t count, const std::function<void(std::int64_t column, std::size_t worker)>& work,
         const std::function<void(std::int64_t column)>& done, const std::function<void()>& idle);

} // namespace parallelcolumns
