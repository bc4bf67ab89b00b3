#pragma once
// A per-thread cache of freed memory blocks of one size, for the objects that a reader
// makes and drops by the hundred thousand.

#include <cstddef>
#include <new>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#define FUZZY_BLOCK_CACHE_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FUZZY_BLOCK_CACHE_OFF 1
#endif
#endif

namespace fuzzy {

/// Serves allocations of exactly Size bytes from the blocks of that size freed last on the
/// same thread (up to Capacity of them), and every other size from the global heap. A
/// class routes its operator new and delete through it when its objects come and go in
/// bursts, which a fragmented heap serves slowly. A block freed on another thread goes to
/// that thread's cache; a thread's cached blocks are freed when it ends. Under
/// AddressSanitizer nothing is cached, so that a use after free is still caught.
template <std::size_t Size, std::size_t Capacity = 4096>
class TBlockCache {
public:
    [[nodiscard]] static void* Allocate(std::size_t Bytes) {
#ifndef FUZZY_BLOCK_CACHE_OFF
        if (Bytes == Size) {
            thread_local TBlocks blocks;
            if (!blocks.Free.empty()) {
                void* block = blocks.Free.back();
                blocks.Free.pop_back();
                return block;
            }
        }
#endif
        return ::operator new(Bytes);
    }

    static void Free(void* Block, std::size_t Bytes) noexcept {
        // Only a cache that exists takes the block: making one here could fail, and a
        // thread whose cache is gone frees to the heap.
        if (Bytes == Size && Live != nullptr && Live->Free.size() < Capacity) {
            Live->Free.push_back(Block); // never grows: the room is reserved
            return;
        }
        ::operator delete(Block);
    }

private:
    struct TBlocks {
        TBlocks() {
            Free.reserve(Capacity);
            Live = this;
        }
        ~TBlocks() {
            Live = nullptr;
            for (void* block : Free)
                ::operator delete(block);
        }
        TBlocks(const TBlocks&) = delete;
        TBlocks& operator=(const TBlocks&) = delete;
        std::vector<void*> Free;
    };

    static inline thread_local TBlocks* Live = nullptr;
};

} // namespace fuzzy
