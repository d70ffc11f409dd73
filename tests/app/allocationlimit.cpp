// The replaceable allocation functions of this test program, all on malloc and free, so that
// an AllocationLimit can refuse large blocks.

#include "app/allocationlimit.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace {

std::size_t largestBlock = std::numeric_limits<std::size_t>::max();

void* Allocate(std::size_t size, std::size_t alignment) {
    if (size > largestBlock)
        throw std::bad_alloc();
    const std::size_t rounded = (size + alignment - 1) / alignment * alignment;
    void* block = alignment <= alignof(std::max_align_t)
                      ? std::malloc(rounded == 0 ? 1 : rounded)
                      : std::aligned_alloc(alignment, rounded == 0 ? alignment : rounded);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void* AllocateOrNull(std::size_t size, std::size_t alignment) noexcept {
    try {
        return Allocate(size, alignment);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

constexpr std::size_t kPlain = alignof(std::max_align_t);

} // namespace

AllocationLimit::AllocationLimit(std::size_t largest) {
    largestBlock = largest;
}

AllocationLimit::~AllocationLimit() {
    largestBlock = std::numeric_limits<std::size_t>::max();
}

void* operator new(std::size_t size) {
    return Allocate(size, kPlain);
}
void* operator new[](std::size_t size) {
    return Allocate(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment) {
    return Allocate(size, static_cast<std::size_t>(alignment));
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, kPlain);
}
void* operator new(std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
}
void* operator new[](std::size_t size, std::align_val_t alignment, const std::nothrow_t&) noexcept {
    return AllocateOrNull(size, static_cast<std::size_t>(alignment));
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
void operator delete(void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept {
    std::free(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete(void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}
void operator delete[](void* block, std::align_val_t, const std::nothrow_t&) noexcept {
    std::free(block);
}
