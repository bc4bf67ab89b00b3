#pragma once
// Key-value storage with open addressing: the base of the name-keyed tables that hold the
// sets of a variable and the variables of a logic component.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Collection.hpp"
#include "platform/HashtableSupport.hpp"
#include "platform/Object.hpp"

namespace fuzzy {

/// What happened to a key or value of a table.
enum class TTableNotification : std::uint8_t { cnAdded, cnRemoved, cnExtracted };

template <class K, class V>
struct TKelPair {
    K Key{};
    V Value{};
};

/// Key equality and hash of a table; the default compares with == and hashes with std::hash.
template <class K>
struct TKelEqualityComparer {
    [[nodiscard]] bool Equals(const K& A, const K& B) const { return A == B; }
    [[nodiscard]] std::size_t GetHashCode(const K& Key) const { return std::hash<K>{}(Key); }
};

/// A persistent object whose elements can be visited in order.
template <class T>
class TKelEnumerable : public TPersistent {
public:
    std::string ClassName() const override { return "TKelEnumerable"; }
    /// Calls Visit for every element, in the enumeration order.
    virtual void ForEachElement(const std::function<void(const T&)>& Visit) const = 0;
    [[nodiscard]] std::vector<T> ToArray() const {
        std::vector<T> result;
        ForEachElement([&](const T& Element) { result.push_back(Element); });
        return result;
    }
};

/// Key-value storage: open addressing with linear probing over a power-of-two array of
/// buckets. A bucket whose hash is -1 is empty. The table grows (doubling) when it is three
/// quarters full. Enumeration, ToArray and the key and value lists follow bucket order,
/// which depends on the hashes and the history of growth and removal.
///
/// The table holds its keys and values by value: a TInterfacePtr value keeps one counted
/// reference per entry, dropped when the entry is removed, replaced, cleared or destroyed,
/// always after the table is consistent again. OnKeyNotify and OnValueNotify report each
/// key and value added, removed or extracted.
template <class K, class V, class Comparer = TKelEqualityComparer<K>>
class TKelDictionary : public TKelEnumerable<TKelPair<K, V>> {
public:
    using TPair = TKelPair<K, V>;
    using TKeyNotifyEvent =
        std::function<void(TObject* Sender, const K& Key, TTableNotification Action)>;
    using TValueNotifyEvent =
        std::function<void(TObject* Sender, const V& Value, TTableNotification Action)>;

    /// Raises EArgumentOutOfRangeException for a negative capacity.
    explicit TKelDictionary(int Capacity = 0, Comparer AComparer = Comparer())
        : FComparer(std::move(AComparer)) {
        if (Capacity < 0)
            throw EArgumentOutOfRangeException(SArgumentOutOfRange);
        SetCapacity(Capacity);
    }
    std::string ClassName() const override { return "TKelDictionary"; }

    int GetCount() const { return FCount; }
    int GetBucketCount() const { return static_cast<int>(FBuckets.size()); }

    /// Stores a new entry; EListError (duplicate item) when the key is present.
    void Add(const K& Key, const V& Value) {
        const int hash = Hash(Key);
        int index = GetBucketIndex(Key, hash);
        if (index >= 0)
            throw EListError(SGenericDuplicateItem);
        AddAt(~index, hash, Key, Value);
    }
    /// Stores a new entry or replaces the value of the key.
    void AddOrSetValue(const K& Key, const V& Value) {
        const int hash = Hash(Key);
        const int index = GetBucketIndex(Key, hash);
        if (index >= 0)
            DoSetValue(index, Value);
        else
            AddAt(~index, hash, Key, Value);
    }
    /// Removes the entry of Key; a missing key removes nothing.
    void Remove(const K& Key) {
        V removed{};
        DoRemove(Key, Hash(Key), removed, TTableNotification::cnRemoved);
    }
    /// Removes the entry and hands it out; a missing key gives an empty value.
    TPair ExtractPair(const K& Key) {
        TPair pair{Key, V{}};
        DoRemove(Key, Hash(Key), pair.Value, TTableNotification::cnExtracted);
        return pair;
    }
    bool TryGetValue(const K& Key, V& Value) const {
        const int index = GetBucketIndex(Key, Hash(Key));
        if (index < 0) {
            Value = V{};
            return false;
        }
        Value = FBuckets[index].Value;
        return true;
    }
    [[nodiscard]] bool ContainsKey(const K& Key) const {
        return GetBucketIndex(Key, Hash(Key)) >= 0;
    }
    /// A linear scan with the value type's equality (identity for interface references).
    [[nodiscard]] bool ContainsValue(const V& Value) const {
        for (const TBucket& bucket : FBuckets)
            if (bucket.Hash != EmptyHash && bucket.Value == Value)
                return true;
        return false;
    }
    /// The value of Key; EListError (item not found) when it is missing.
    [[nodiscard]] const V& GetItem(const K& Key) const {
        const int index = GetBucketIndex(Key, Hash(Key));
        if (index < 0)
            throw EListError(SGenericItemNotFound);
        return FBuckets[index].Value;
    }
    /// Replaces the value of Key; EListError (item not found) when it is missing.
    void SetItem(const K& Key, const V& Value) {
        const int index = GetBucketIndex(Key, Hash(Key));
        if (index < 0)
            throw EListError(SGenericItemNotFound);
        DoSetValue(index, Value);
    }

    /// Empties the table down to no buckets, then reports every former key and value as
    /// removed, in bucket order.
    virtual void Clear() {
        std::vector<TBucket> old = std::exchange(FBuckets, {});
        FCount = 0;
        FGrowThreshold = 0;
        for (const TBucket& bucket : old)
            if (bucket.Hash != EmptyHash) {
                KeyNotify(bucket.Key, TTableNotification::cnRemoved);
                ValueNotify(bucket.Value, TTableNotification::cnRemoved);
            }
    }
    void TrimExcess() { SetCapacity(FCount + 1); }
    /// Room for Capacity entries; EArgumentOutOfRangeException below the entry count.
    void SetCapacity(int Capacity) {
        if (Capacity < FCount)
            throw EArgumentOutOfRangeException(SArgumentOutOfRange);
        Rehash(BucketsFor(Capacity));
    }

    /// A dictionary source: Clear, then Add of each of its pairs. Others go to TPersistent.
    void Assign(const TPersistent* Source) override {
        const auto* source = dynamic_cast<const TKelDictionary*>(Source);
        if (source == nullptr) {
            TPersistent::Assign(Source);
            return;
        }
        if (source == this)
            return;
        Clear();
        source->ForEachElement([&](const TPair& Pair) { Add(Pair.Key, Pair.Value); });
    }

    void ForEachElement(const std::function<void(const TPair&)>& Visit) const override {
        for (const TBucket& bucket : FBuckets)
            if (bucket.Hash != EmptyHash)
                Visit(TPair{bucket.Key, bucket.Value});
    }
    [[nodiscard]] std::vector<K> Keys() const {
        std::vector<K> keys;
        ForEachElement([&](const TPair& Pair) { keys.push_back(Pair.Key); });
        return keys;
    }
    [[nodiscard]] std::vector<V> Values() const {
        std::vector<V> values;
        ForEachElement([&](const TPair& Pair) { values.push_back(Pair.Value); });
        return values;
    }

    const TKeyNotifyEvent& GetOnKeyNotify() const { return FOnKeyNotify; }
    void SetOnKeyNotify(TKeyNotifyEvent Value) { FOnKeyNotify = std::move(Value); }
    const TValueNotifyEvent& GetOnValueNotify() const { return FOnValueNotify; }
    void SetOnValueNotify(TValueNotifyEvent Value) { FOnValueNotify = std::move(Value); }

protected:
    static constexpr int EmptyHash = -1;

    struct TBucket {
        int Hash = EmptyHash;
        K Key{};
        V Value{};
    };

    /// Stores a new entry in the empty bucket Index.
    virtual void DoAdd(int HashCode, int Index, const K& Key, const V& Value) {
        FBuckets[Index] = TBucket{HashCode, Key, Value};
        ++FCount;
        KeyNotify(Key, TTableNotification::cnAdded);
        ValueNotify(Value, TTableNotification::cnAdded);
    }
    /// Replaces the value in bucket Index; the old value is reported removed after the
    /// table holds the new one.
    virtual void DoSetValue(int Index, const V& Value) {
        V old = std::exchange(FBuckets[Index].Value, Value);
        ValueNotify(old, TTableNotification::cnRemoved);
        ValueNotify(Value, TTableNotification::cnAdded);
    }
    /// Removes the entry of Key into Value (empty when the key is missing) and closes the
    /// gap in its probe run.
    virtual void DoRemove(const K& Key, int HashCode, V& Value, TTableNotification Action) {
        const int index = GetBucketIndex(Key, HashCode);
        if (index < 0) {
            Value = V{};
            return;
        }
        TBucket removed = std::move(FBuckets[index]);
        CloseGap(index);
        --FCount;
        Value = removed.Value;
        KeyNotify(removed.Key, Action);
        ValueNotify(removed.Value, Action);
    }
    virtual void KeyNotify(const K& Key, TTableNotification Action) {
        if (FOnKeyNotify)
            FOnKeyNotify(this, Key, Action);
    }
    virtual void ValueNotify(const V& Value, TTableNotification Action) {
        if (FOnValueNotify)
            FOnValueNotify(this, Value, Action);
    }

    /// The bucket holding Key, or the complement (~i) of the empty bucket i where it would
    /// go; ~0 on a table without buckets.
    int GetBucketIndex(const K& Key, int HashCode) const {
        if (FBuckets.empty())
            return ~0;
        const int mask = GetBucketCount() - 1;
        for (int index = HashCode & mask;; index = (index + 1) & mask) {
            const TBucket& bucket = FBuckets[index];
            if (bucket.Hash == EmptyHash)
                return ~index;
            if (bucket.Hash == HashCode && FComparer.Equals(bucket.Key, Key))
                return index;
        }
    }
    int Hash(const K& Key) const {
        const auto h = static_cast<std::uint32_t>(FComparer.GetHashCode(Key));
        return static_cast<int>(((h & 0x7FFFFFFFu) + 1) & 0x7FFFFFFFu);
    }
    const std::vector<TBucket>& GetBuckets() const { return FBuckets; }

private:
    void AddAt(int Index, int HashCode, const K& Key, const V& Value) {
        if (FCount >= FGrowThreshold) {
            Rehash(FBuckets.empty() ? 4 : GetBucketCount() * 2);
            Index = ~GetBucketIndex(Key, HashCode);
        }
        DoAdd(HashCode, Index, Key, Value);
    }

    static int BucketsFor(int Capacity) {
        if (Capacity == 0)
            return 0;
        if (Capacity <= 4)
            return 4;
        int buckets = 8;
        while (buckets < Capacity)
            buckets *= 2;
        return buckets;
    }

    void Rehash(int NewBucketCount) {
        std::vector<TBucket> old = std::exchange(FBuckets, std::vector<TBucket>(NewBucketCount));
        FGrowThreshold = NewBucketCount / 4 * 3;
        for (TBucket& bucket : old)
            if (bucket.Hash != EmptyHash)
                FBuckets[~GetBucketIndex(bucket.Key, bucket.Hash)] = std::move(bucket);
    }

    // Entries after the emptied slot move back into it unless their home slot lies
    // circularly between the gap and where they stand, which keeps every probe run whole.
    void CloseGap(int Gap) {
        const int mask = GetBucketCount() - 1;
        for (int index = (Gap + 1) & mask; FBuckets[index].Hash != EmptyHash;
             index = (index + 1) & mask) {
            const int home = FBuckets[index].Hash & mask;
            if (!InCircularRange((Gap + 1) & mask, home, index)) {
                FBuckets[Gap] = std::move(FBuckets[index]);
                Gap = index;
            }
        }
        FBuckets[Gap] = TBucket{};
    }

    Comparer FComparer;
    std::vector<TBucket> FBuckets;
    int FCount = 0;
    int FGrowThreshold = 0;
    TKeyNotifyEvent FOnKeyNotify;
    TValueNotifyEvent FOnValueNotify;
};

} // namespace fuzzy
