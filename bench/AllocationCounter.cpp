#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<size_t> totalBytes{0};

} // namespace

void* operator new(std::size_t size) {
    totalBytes.fetch_add(size, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return ::operator new(size); }

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

AllocationCounter::AllocationCounter() : start_(totalBytes.load(std::memory_order_relaxed)) {}

size_t AllocationCounter::bytes() const {
    return totalBytes.load(std::memory_order_relaxed) - start_;
}
