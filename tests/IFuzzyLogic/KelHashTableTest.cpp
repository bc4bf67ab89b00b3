#include "IFuzzyLogic/KelHashTable.hpp"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "support/Raises.hpp"

namespace fuzzy {
namespace {

// Hashes a key to the number it spells, so tests choose where entries land and collide.
struct TNumberComparer {
    bool Equals(const std::string& A, const std::string& B) const { return A == B; }
    std::size_t GetHashCode(const std::string& Key) const { return std::stoul(Key) % 3; }
};

std::string Name(TTableNotification Action) {
    const char* const names[] = {"added", "removed", "extracted"};
    return names[static_cast<int>(Action)];
}

// A table of ints that records every notification and change.
struct RecordingTable : ::testing::Test {
    RecordingTable() {
        table.SetOnKeyNotify([this](TObject*, const std::string& Key, TTableNotification Action) {
            log.push_back("key " + Key + " " + Name(Action));
        });
        table.SetOnValueNotify([this](TObject*, const int& Value, TTableNotification Action) {
            log.push_back("value " + std::to_string(Value) + " " + Name(Action));
        });
        table.SetOnChange([this](TObject*) { log.push_back("change"); });
    }
    TKelStringHashTable<int> table;
    std::vector<std::string> log;
};

TEST(KelDictionaryTest, BucketCountsFollowTheGrowthRule) {
    TKelDictionary<std::string, int> table;
    EXPECT_EQ(table.GetBucketCount(), 0);
    const int expected[] = {4, 4, 4, 8, 8, 8, 16, 16};
    for (int i = 0; i < 8; ++i) {
        table.Add(std::to_string(i), i);
        EXPECT_EQ(table.GetBucketCount(), expected[i]) << "after " << i + 1 << " entries";
    }
    const std::pair<int, int> capacities[] = {{8, 8}, {9, 16}, {17, 32}};
    for (auto [capacity, buckets] : capacities) {
        table.SetCapacity(capacity);
        EXPECT_EQ(table.GetBucketCount(), buckets);
    }
    table.TrimExcess();
    EXPECT_EQ(table.GetBucketCount(), 16);
    EXPECT_THROW(table.SetCapacity(7), EArgumentOutOfRangeException);
    EXPECT_THROW((TKelDictionary<std::string, int>(-1)), EArgumentOutOfRangeException);
    table.Clear();
    EXPECT_EQ(table.GetBucketCount(), 0);
}

// Removal must keep every probe run whole, also where runs wrap past the last bucket.
TEST(KelDictionaryTest, RandomChangesWithCollidingHashesMatchAMap) {
    std::mt19937 random(7);
    TKelDictionary<std::string, int, TNumberComparer> table;
    std::map<std::string, int> reference;
    for (int step = 0; step < 4000; ++step) {
        const std::string key = std::to_string(random() % 40);
        if (random() % 3 == 0) {
            table.Remove(key);
            reference.erase(key);
        } else {
            table.AddOrSetValue(key, step);
            reference[key] = step;
        }
        ASSERT_EQ(table.GetCount(), static_cast<int>(reference.size()));
        for (int k = 0; k < 40; ++k) {
            int value = -1;
            const auto found = reference.find(std::to_string(k));
            ASSERT_EQ(table.TryGetValue(std::to_string(k), value), found != reference.end())
                << "key " << k << " at step " << step;
            if (found != reference.end()) {
                ASSERT_EQ(value, found->second);
            }
        }
    }
}

TEST(KelDictionaryTest, ErrorsCarryTheirMessages) {
    TKelStringHashTable<int> table;
    table.Add("a", 1);
    EXPECT_RAISES(table.Add("a", 2), Exception, "Duplicates not allowed");
    EXPECT_RAISES((void)table.Get("b"), Exception, "Item not found");
    EXPECT_RAISES(table.SetItem("b", 1), Exception, "Item not found");
    EXPECT_RAISES((void)table.GetKeyByIndex(1), EListError, "List index out of bounds (1)");
    EXPECT_RAISES((void)table.GetItemByIndex(-1), EListError, "List index out of bounds (-1)");
    table.Remove("a");
    EXPECT_RAISES(table.Remove("a"), EGHashtableError, "Hash table is empty");
    EXPECT_THROW(table.ExtractPair("a"), EGHashtableError);
}

// Put reports the old value removed; removing a missing key still runs the change; an
// update bracket drops the notifications and runs the change once.
TEST_F(RecordingTable, NotificationsAndChangesInOrder) {
    EXPECT_EQ(table.Put("a", 1), 0);
    EXPECT_EQ(table.Put("a", 2), 1);
    table.Remove("b");
    EXPECT_EQ(table.ExtractPair("a").Value, 2);
    EXPECT_EQ(log, (std::vector<std::string>{"key a added", "value 1 added", "change",
                                             "value 1 removed", "value 2 added", "change", "change",
                                             "key a extracted", "value 2 extracted", "change"}));
    log.clear();
    {
        TUpdateGuard guard(table);
        table.Add("a", 1);
        table.Add("b", 2);
        table.Remove("a");
    }
    table.Clear();
    EXPECT_EQ(log, (std::vector<std::string>{"change", "change"}));
    EXPECT_TRUE(table.IsEmpty());
}

TEST(KelHashTableTest, IndexedAccessKeyOrderAndAssignment) {
    TKelStringHashTable<int> table;
    for (int i = 0; i < 50; ++i)
        table.Add("key" + std::to_string(i), i);
    const std::vector<std::string> keys = table.Keys();
    for (int i : {0, 1, 2, 1, 0, 49, 48, 10, 11, 30})
        EXPECT_EQ(table.GetKeyByIndex(i), keys[i]);
    for (int i = 49; i >= 0; --i)
        EXPECT_EQ(table.GetPairByIndex(i).Key, keys[i]);

    TStringList strings;
    strings.Add("stale");
    strings.Assign(&table);
    ASSERT_EQ(strings.GetCount(), 50);
    auto iterator = table.Indices();
    for (int i = 0; iterator->HasMoreElements(); ++i) {
        EXPECT_EQ(iterator->NextElement(), keys[i]);
        EXPECT_EQ(strings[i], keys[i]);
    }
    EXPECT_EQ(iterator->CurrentElement(), keys.back());
    iterator->Reset();
    EXPECT_EQ(iterator->NextElement(), keys.front());

    // Assigned from a string list, a table stores empty values.
    strings.SetText("x\ny\n");
    TKelStringHashTable<int> assigned;
    assigned.Add("old", 5);
    assigned.Assign(&strings);
    EXPECT_EQ(assigned.GetCount(), 2);
    EXPECT_FALSE(assigned.ContainsKey("old"));
    EXPECT_EQ(assigned.Get("y"), 0);
    strings.Add("x");
    EXPECT_THROW(assigned.Assign(&strings), EListError);

    TKelStringHashTable<int> copy;
    copy.Assign(&assigned);
    EXPECT_EQ(copy.Keys(), assigned.Keys());
    TPersistent unrelated;
    EXPECT_THROW(copy.Assign(&unrelated), EConvertError);
}

// An interface object that counts how many of its kind are alive.
class TCounted : public TInterfacedObject {
public:
    TCounted() { ++Alive; }
    ~TCounted() override { --Alive; }
    static inline int Alive = 0;
};

TEST(KelHashTableTest, EveryWayOutOfTheTableReleasesItsReference) {
    {
        TKelStringHashTable<TInterfacePtr<IInterface>> table;
        for (const char* key : {"a", "b", "c", "d"})
            table.Add(key, MakeInterfaced<TCounted>());
        EXPECT_EQ(TCounted::Alive, 4);
        table.Remove("a");
        table.Put("b", nullptr);
        EXPECT_EQ(TCounted::Alive, 2);
        const TInterfacePtr<IInterface> kept = table.Get("c");
        EXPECT_TRUE(table.ContainsItem(kept));
        table.Clear();
        EXPECT_EQ(TCounted::Alive, 1);
        table.Add("e", MakeInterfaced<TCounted>());
    }
    EXPECT_EQ(TCounted::Alive, 0);
}

} // namespace
} // namespace fuzzy
