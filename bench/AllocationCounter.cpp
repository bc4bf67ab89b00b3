#include "AllocationCounter.hpp"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<std::size_t> Allocations{0};

} // namespace

std::size_t fuzzy::bench::AllocationCount() {
    return Allocations.load(std::memory_order_relaxed);
}

// Counting replacements of the global allocation functions. They serve the whole benchmark
// program; the array and no-throw forms reach them through the standard library's defaults.
// Kept out of line: inlined into a caller, malloc and free would meet there and g++ would
// take them for a mismatched new and free.
[[gnu::noinline]] void* operator new(std::size_t Size) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(Size == 0 ? 1 : Size))
        return memory;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* Memory) noexcept {
    std::free(Memory);
}

[[gnu::noinline]] void operator delete(void* Memory, std::size_t) noexcept {
    std::free(Memory);
}
