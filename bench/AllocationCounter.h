#pragma once

#include <cstddef>

// Counts the bytes that the program's operator new hands out from the moment
// the counter is made. The benchmark binary replaces the global operator new
// to keep the running total.
class AllocationCounter {
public:
    AllocationCounter();
    size_t bytes() const;

private:
    size_t start_;
};
