// The helpers of fast reading: a stream over bytes that it does not copy, a cache of freed
// blocks for objects made in bursts, and references widened without a count.

#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "platform/InterfaceList.hpp"
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

// A reference moved into one of a base interface takes the count over: the object's count
// stays as it was and the moved-from reference is empty.
TEST(InterfaceReference, WideningAMovedReferenceKeepsTheCount) {
    TInterfacePtr<TInterfaceList> list = MakeInterfaced<TInterfaceList>();
    const TInterfacePtr<TInterfaceList> kept = list;
    ASSERT_EQ(list->GetRefCount(), 2);
    TInterfacePtr<IInterfaceList> widened(std::move(list));
    EXPECT_FALSE(list);
    EXPECT_EQ(widened.Get(), static_cast<IInterfaceList*>(kept.Get()));
    EXPECT_EQ(kept->GetRefCount(), 2);
    widened.Reset();
    EXPECT_EQ(kept->GetRefCount(), 1);
}

} // namespace
} // namespace fuzzy
