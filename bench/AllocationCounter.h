#pragma once

#include <cstddef>

// Counts the bytes that the program's operator new hands out from the moment
// the counter is made, and the most the heap held above what it held then.
// The benchmark binary replaces the global operator new and delete to keep
// the running totals; one counter at a time.
class AllocationCounter {
public:
    AllocationCounter();
    size_t bytes() const;
    size_t peakBytes() const;

private:
    size_t start_;
    size_t liveAtStart_;
};
