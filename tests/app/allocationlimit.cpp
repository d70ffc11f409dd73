// The replaceable allocation functions of this test program, on malloc and free, so that an
// AllocationLimit can refuse large blocks. Over-aligned allocations keep the library's own pair.

#include "app/allocationlimit.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::size_t largestBlock = std::numeric_limits<std::size_t>::max();

void* Allocate(std::size_t size) {
    void* block = size > largestBlock ? nullptr : std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void* AllocateOrNull(std::size_t size) noexcept {
    return size > largestBlock ? nullptr : std::malloc(size == 0 ? 1 : size);
}

} // namespace

AllocationLimit::AllocationLimit(std::size_t largest) {
    largestBlock = largest;
}

AllocationLimit::~AllocationLimit() {
    largestBlock = std::numeric_limits<std::size_t>::max();
}

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size);
}
void operator delete(void* block) noexcept {
    std::free(block);
}
void operator delete[](void* block) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
