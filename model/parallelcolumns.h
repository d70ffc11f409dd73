#pragma once
// Column-by-column work on helper threads, reported back on the calling thread in column order.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace parallelcolumns {

// How many helper threads Run works on: one a core, at least 1.
std::size_t WorkerCount();

// Runs work(column, worker) once for every column 0..count-1 on helper threads numbered
// 0..WorkerCount()-1, each doing one column at a time. The calling thread computes nothing: it
// calls done(column) for every column in order, once that column is complete, followed by idle(),
// and calls idle() as well while it waits for the helpers, so that its event loop stays served
// while every core computes. Returns when every column is done; the helpers have ended by then.
void Run(std::int64_t count, const std::function<void(std::int64_t column, std::size_t worker)>& work,
         const std::function<void(std::int64_t column)>& done, const std::function<void()>& idle);

} // namespace parallelcolumns
