#pragma once
// Heap allocations of the whole benchmark program, counted by its replacement of the
// global operator new (AllocationCounter.cpp).

#include <cstddef>

namespace fuzzy::bench {

std::size_t AllocationCount();

} // namespace fuzzy::bench
