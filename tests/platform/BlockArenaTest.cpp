// Blocks carved from shared chunks stay apart and intact, may be freed in any order and on
// any thread, and every chunk goes back to the heap with its last block, never before.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/detail/BlockArena.hpp"

namespace fuzzy::test {
namespace {

constexpr std::size_t BlockSize = 40;
using TArena = TBlockArena<BlockSize, 8>;

#ifdef FUZZY_BLOCK_ARENA_OFF
constexpr bool Carving = false; // under AddressSanitizer every block is a heap block
#else
constexpr bool Carving = true;
#endif

std::vector<unsigned char*> AllocateFilled(std::size_t Count) {
    std::vector<unsigned char*> blocks;
    for (std::size_t i = 0; i < Count; ++i) {
        auto* block = static_cast<unsigned char*>(TArena::Allocate(BlockSize));
        std::memset(block, static_cast<int>(i % 251), BlockSize);
        blocks.push_back(block);
    }
    return blocks;
}

/// The blocks from From on still hold what AllocateFilled wrote.
void ExpectIntact(const std::vector<unsigned char*>& Blocks, std::size_t From = 0) {
    for (std::size_t i = From; i < Blocks.size(); ++i)
        EXPECT_TRUE(std::all_of(Blocks[i], Blocks[i] + BlockSize,
                                [i](unsigned char Byte) { return Byte == i % 251; }))
            << "block " << i;
}

TEST(BlockArena, ChunksGoBackWithTheirLastBlockOnAnyThread) {
    const std::size_t before = TArena::GetChunkCount();
    std::vector<unsigned char*> blocks;
    std::thread([&] { blocks = AllocateFilled(20); }).join(); // the thread has ended
    ExpectIntact(blocks);
    // 20 blocks of 8 a chunk: three chunks, held while any of their blocks lives.
    EXPECT_EQ(TArena::GetChunkCount(), before + (Carving ? 3 : 0));
    for (std::size_t i = 0; i < 16; ++i) // the first two chunks go, the third stays
        TArena::Free(blocks[i], BlockSize);
    EXPECT_EQ(TArena::GetChunkCount(), before + (Carving ? 1 : 0));
    ExpectIntact(blocks, 16);
    for (std::size_t i = 16; i < blocks.size(); ++i)
        TArena::Free(blocks[i], BlockSize);
    EXPECT_EQ(TArena::GetChunkCount(), before);
}

TEST(BlockArena, ALongLivedBlockKeepsOnlyItsChunkAndOtherSizesStandAlone) {
    const std::size_t before = TArena::GetChunkCount();
    std::vector<unsigned char*> blocks = AllocateFilled(8);
    void* other = TArena::Allocate(BlockSize * 3);
    std::memset(other, 0xAB, BlockSize * 3);
    // The current chunk is full and another thread frees all but one block of it.
    std::thread([&] {
        for (std::size_t i = 1; i < blocks.size(); ++i)
            TArena::Free(blocks[i], BlockSize);
    }).join();
    std::vector<unsigned char*> more = AllocateFilled(3); // a new chunk; the old one retires
    EXPECT_EQ(TArena::GetChunkCount(), before + (Carving ? 3 : 0));
    blocks.resize(1);
    ExpectIntact(blocks);
    ExpectIntact(more);
    TArena::Free(blocks.front(), BlockSize);
    TArena::Free(other, BlockSize * 3);
    EXPECT_EQ(TArena::GetChunkCount(), before + (Carving ? 1 : 0)); // the current chunk
    for (unsigned char* block : more)
        TArena::Free(block, BlockSize);
}

} // namespace
} // namespace fuzzy::test
