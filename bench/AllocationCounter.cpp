#include "AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace {

std::atomic<size_t> totalBytes{0};
// Blocks as malloc sized them, so that a delete takes off what its new added.
std::atomic<size_t> liveBytes{0};
std::atomic<size_t> peakLiveBytes{0};

void release(void* block) noexcept {
    if (!block) return;
    liveBytes.fetch_sub(malloc_usable_size(block), std::memory_order_relaxed);
    std::free(block);
}

} // namespace

void* operator new(std::size_t size) {
    totalBytes.fetch_add(size, std::memory_order_relaxed);
    if (void* block = std::malloc(size == 0 ? 1 : size)) {
        const size_t live = liveBytes.fetch_add(malloc_usable_size(block), std::memory_order_relaxed) +
                            malloc_usable_size(block);
        if (live > peakLiveBytes.load(std::memory_order_relaxed))
            peakLiveBytes.store(live, std::memory_order_relaxed);
        return block;
    }
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return ::operator new(size); }

void operator delete(void* block) noexcept { release(block); }
void operator delete[](void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }
void operator delete[](void* block, std::size_t) noexcept { release(block); }

AllocationCounter::AllocationCounter()
    : start_(totalBytes.load(std::memory_order_relaxed)),
      liveAtStart_(liveBytes.load(std::memory_order_relaxed)) {
    peakLiveBytes.store(liveAtStart_, std::memory_order_relaxed);
}

size_t AllocationCounter::bytes() const {
    return totalBytes.load(std::memory_order_relaxed) - start_;
}

size_t AllocationCounter::peakBytes() const {
    return peakLiveBytes.load(std::memory_order_relaxed) - liveAtStart_;
}
