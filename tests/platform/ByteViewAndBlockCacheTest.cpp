// The helpers of fast reading: a stream over bytes that it does not copy, and a cache of
// freed blocks for objects made in bursts.

#include <string>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "platform/Stream.hpp"
#include "platform/TextStream.hpp"
#include "platform/detail/BlockCache.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

// A view reads the bytes where they lie, in pieces, and never writes.
TEST(ByteViewStream, ReadsInPiecesUpToTheEndAndWritesNothing) {
    const std::string bytes = "(deffuzzy x)\r\n";
    TByteViewStream stream(bytes);
    char buffer[8];
    EXPECT_EQ(stream.Read(buffer, 8), 8u);
    EXPECT_EQ(std::string(buffer, 8), "(deffuzz");
    EXPECT_EQ(stream.Read(buffer, 8), 6u);
    EXPECT_EQ(std::string(buffer, 6), "y x)\r\n");
    EXPECT_EQ(stream.Read(buffer, 8), 0u);
    EXPECT_EQ(stream.Write("z", 1), 0u);
    EXPECT_EQ(stream.GetSize(), 14);
    EXPECT_EQ(bytes, "(deffuzzy x)\r\n");
}

TEST(ByteViewStream, PositionsAreClampedAndNeverNegative) {
    const std::string bytes = "abc";
    TByteViewStream stream(bytes);
    stream.SetPosition(10);
    EXPECT_EQ(stream.GetPosition(), 3);
    stream.SetPosition(1);
    char c = 0;
    EXPECT_EQ(stream.Read(&c, 1), 1u);
    EXPECT_EQ(c, 'b');
    EXPECT_RAISES(stream.SetPosition(-1), EArgumentOutOfRangeException,
                  "Stream position must not be negative (-1)");
    EXPECT_EQ(stream.GetPosition(), 2);
}

TEST(ByteViewStream, ATextReaderSkipsAPreambleAsOverACopy) {
    const std::string bytes = "\xEF\xBB\xBFok";
    TByteViewStream stream(bytes);
    TGTextStream reader(&stream, nullptr);
    EXPECT_EQ(reader.GetLine(), "ok");
}

// Blocks of the cached size come back on the same thread, as many as the cache holds.
TEST(BlockCache, AFreedBlockOfTheSizeIsHandedOutAgain) {
#ifdef FUZZY_BLOCK_CACHE_OFF
    GTEST_SKIP() << "nothing is cached under AddressSanitizer";
#else
    using TCache = TBlockCache<40, 2>;
    void* first = TCache::Allocate(40);
    void* second = TCache::Allocate(40);
    void* third = TCache::Allocate(40);
    TCache::Free(first, 40);
    TCache::Free(second, 40);
    TCache::Free(third, 40); // beyond the capacity: back to the heap
    void* reused = TCache::Allocate(40);
    EXPECT_EQ(reused, second); // the last freed first
    EXPECT_EQ(TCache::Allocate(40), first);
    TCache::Free(reused, 40);
    TCache::Free(first, 40);
#endif
}

} // namespace
} // namespace fuzzy
