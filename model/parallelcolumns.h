#pragma once
// Column-by-column work shared between the calling thread and helper threads, reported back on
// the calling thread in column order.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace parallelcolumns {

// How many threads Run works on, the calling thread included: at least 1.
std::size_t WorkerCount();

// Runs work(column, worker) once for every column 0..count-1, worker 0 being the calling thread
// and 1..WorkerCount()-1 helper threads; each worker does one column at a time. On the calling
// thread only, it calls done(column) for every column in order, once that column is complete,
// followed by idle(), and calls idle() as well between columns and while it waits for the helpers. Returns
// when every column is done; the helpers have ended by then.
void Run(std::int64_t count, const std::function<void(std::int64_t column, std::size_t worker)>& work,
         const std::function<void(std::int64_t column)>& done, const std::function<void()>& idle);

} // namespace parallelcolumns
