#pragma once
// Memory for objects that are made by the thousand in a row and mostly go together: blocks
// carved in turn from larger chunks, each chunk going back to the heap with its last block.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <new>

// Under AddressSanitizer every block is a heap allocation of its own.
#if defined(__SANITIZE_ADDRESS__)
#define FUZZY_BLOCK_ARENA_OFF 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define FUZZY_BLOCK_ARENA_OFF 1
#endif
#endif

namespace fuzzy {

/// Serves blocks of Size bytes carved one after another from chunks of BlocksPerChunk
/// blocks, which each thread takes from the global heap one at a time; any other size is a
/// chunk of its own. A block may be freed on any thread. A chunk goes back to the heap once
/// its thread has moved on to the next chunk (or ended) and its last block is freed; a freed
/// block is not handed out again before that, so a block that lives long keeps its whole
/// chunk. Under AddressSanitizer every block is a heap allocation of its own, so that a use
/// after free is still caught.
template <std::size_t Size, std::size_t BlocksPerChunk = 64>
class TBlockArena {
public:
    [[nodiscard]] static void* Allocate(std::size_t Bytes) {
#ifdef FUZZY_BLOCK_ARENA_OFF
        return ::operator new(Bytes);
#else
        TThreadChunk& chunk = ThreadChunk;
        if (Bytes != Size || chunk.Ended)
            return Carve(NewChunk(1, Bytes, 1), 0, Bytes);
        if (chunk.Current == nullptr || chunk.Used == BlocksPerChunk) {
            if (!chunk.RetiredAtEnd) {
                static thread_local TThreadEnd atThreadEnd; // retires the last chunk
                chunk.RetiredAtEnd = true;
            }
            Retire(chunk);
            chunk.Current = NewChunk(BlocksPerChunk, Size, Unclaimed);
        }
        return Carve(chunk.Current, chunk.Used++, Size);
#endif
    }

    static void Free(void* Block, std::size_t /*Bytes*/) noexcept {
#ifdef FUZZY_BLOCK_ARENA_OFF
        ::operator delete(Block);
#else
        Release(*reinterpret_cast<TChunk**>(static_cast<char*>(Block) - HeaderBytes), 1);
#endif
    }

    /// How many chunks are held from the heap, by all threads together.
    static std::size_t GetChunkCount() {
        return Chunks.load(std::memory_order_relaxed);
    }

private:
    // Each block is preceded by a pointer to its chunk, padded to keep the block aligned.
    static constexpr std::size_t HeaderBytes = alignof(std::max_align_t);

    struct alignas(std::max_align_t) TChunk {
        // The blocks not yet freed, plus Unclaimed while the chunk is its thread's current
        // one: the thread counts the blocks it carves itself and settles once, at Retire,
        // so that carving a block costs no atomic operation.
        std::atomic<std::int64_t> Live;
    };
    static constexpr std::int64_t Unclaimed = std::int64_t{1} << 62;

    struct TThreadChunk {
        TChunk* Current = nullptr;
        std::size_t Used = 0;
        bool RetiredAtEnd = false;
        bool Ended = false; // after the thread's end, blocks are chunks of their own
    };
    struct TThreadEnd {
        TThreadEnd() = default;
        TThreadEnd(const TThreadEnd&) = delete;
        TThreadEnd& operator=(const TThreadEnd&) = delete;
        ~TThreadEnd() {
            Retire(ThreadChunk);
            ThreadChunk.Ended = true;
        }
    };

    static constexpr std::size_t SlotBytes(std::size_t Bytes) {
        return HeaderBytes + (Bytes + HeaderBytes - 1) / HeaderBytes * HeaderBytes;
    }

    static TChunk* NewChunk(std::size_t Blocks, std::size_t Bytes, std::int64_t Live) {
        void* memory = ::operator new(sizeof(TChunk) + Blocks * SlotBytes(Bytes));
        Chunks.fetch_add(1, std::memory_order_relaxed);
        return new (memory) TChunk{Live};
    }

    static void* Carve(TChunk* Chunk, std::size_t Index, std::size_t Bytes) {
        char* slot = reinterpret_cast<char*>(Chunk + 1) + Index * SlotBytes(Bytes);
        *reinterpret_cast<TChunk**>(slot) = Chunk;
        return slot + HeaderBytes;
    }

    static void Release(TChunk* Chunk, std::int64_t Count) noexcept {
        if (Chunk->Live.fetch_sub(Count, std::memory_order_acq_rel) == Count) {
            Chunk->~TChunk();
            ::operator delete(Chunk);
            Chunks.fetch_sub(1, std::memory_order_relaxed);
        }
    }

    /// The thread leaves its current chunk: from now on the chunk counts its blocks alone.
    static void Retire(TThreadChunk& Chunk) noexcept {
        if (Chunk.Current == nullptr)
            return;
        TChunk* retired = Chunk.Current;
        const auto carved = static_cast<std::int64_t>(Chunk.Used);
        Chunk.Current = nullptr;
        Chunk.Used = 0;
        Release(retired, Unclaimed - carved);
    }

    static inline thread_local constinit TThreadChunk ThreadChunk{};
    static inline std::atomic<std::size_t> Chunks{0};
};

} // namespace fuzzy
