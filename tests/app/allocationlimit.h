#pragma once
// A machine that cannot hold large blocks, for tests: while an AllocationLimit lives, every
// request to operator new for more than its number of bytes fails with std::bad_alloc. Only the
// test programs that link allocationlimit.cpp have it.

#include <cstddef>

class AllocationLimit {
public:
    explicit AllocationLimit(std::size_t largestBlock);
    ~AllocationLimit();
    AllocationLimit(const AllocationLimit&) = delete;
    AllocationLimit& operator=(const AllocationLimit&) = delete;
};
