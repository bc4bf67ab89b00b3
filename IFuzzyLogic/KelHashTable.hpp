#pragma once
// The keyed tables of the reference-counted model: a dictionary with an update bracket,
// a change callback, indexed access and persistence hooks, and its string-keyed form with
// conversion to and from string lists and an iterator over its keys.

#include <string>

#include "IFuzzyLogic/KelDictionary.hpp"
#include "platform/StringList.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

/// A dictionary that tells one OnChange callback about every change and can be read by
/// index in bucket order. Subclasses hook DoAdd, DoSetValue and DoRemove to follow entries.
///
/// Inside an update bracket OnChange, OnKeyNotify and OnValueNotify are silent: their
/// notifications are dropped, not deferred, and the outermost EndUpdate fires OnChange
/// once, whether or not anything changed. Clear runs inside such a bracket.
template <class K, class V>
class TKelHashTable : public TKelDictionary<K, V> {
    using TBase = TKelDictionary<K, V>;

public:
    using TBase::TBase;
    using typename TBase::TPair;
    ~TKelHashTable() override {
        // Entries released while the table goes away notify nobody.
        ++FUpdateCount;
    }
    std::string ClassName() const override { return "TKelHashTable"; }

    void BeginUpdate() { ++FUpdateCount; }
    void EndUpdate() {
        if (--FUpdateCount == 0)
            Change();
    }
    int GetUpdateCount() const { return FUpdateCount; }

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    void Clear() override {
        TUpdateGuard guard(*this);
        TBase::Clear();
    }

    /// The value of Key; EListError (item not found) when it is missing.
    [[nodiscard]] V Get(const K& Key) const { return this->GetItem(Key); }
    /// Stores Value under Key and returns the value it replaced (empty for a new key).
    V Put(const K& Key, const V& Value) {
        V previous{};
        this->TryGetValue(Key, previous);
        this->AddOrSetValue(Key, Value);
        return previous;
    }
    void PutItem(const K& Key, const V& Value) { this->AddOrSetValue(Key, Value); }
    using TBase::ContainsKey;
    bool ContainsKey(const K& Key, V& Value) const {
        Value = V{};
        return this->TryGetValue(Key, Value);
    }
    [[nodiscard]] bool ContainsItem(const V& Value) const { return this->ContainsValue(Value); }
    [[nodiscard]] bool IsEmpty() const { return this->GetCount() == 0; }

    /// The entry at Index in bucket order; EListError outside 0..Count-1. Stepping to the
    /// next or previous index from the last one handed out is cheap; any change of keys
    /// starts the counting afresh.
    [[nodiscard]] TPair GetPairByIndex(int Index) const {
        const auto& bucket = this->GetBuckets()[SeekIndex(Index)];
        return TPair{bucket.Key, bucket.Value};
    }
    [[nodiscard]] V GetItemByIndex(int Index) const {
        return this->GetBuckets()[SeekIndex(Index)].Value;
    }
    [[nodiscard]] K GetKeyByIndex(int Index) const {
        return this->GetBuckets()[SeekIndex(Index)].Key;
    }

protected:
    void Change() {
        if (FUpdateCount <= 0 && FOnChange)
            FOnChange(this);
    }
    void DoAdd(int HashCode, int Index, const K& Key, const V& Value) override {
        TBase::DoAdd(HashCode, Index, Key, Value);
        Change();
    }
    void DoSetValue(int Index, const V& Value) override {
        TBase::DoSetValue(Index, Value);
        Change();
    }
    /// EGHashtableError on an empty table; a missing key still runs the hook and OnChange.
    void DoRemove(const K& Key, int HashCode, V& Value, TTableNotification Action) override {
        if (this->GetCount() == 0)
            throw EGHashtableError(STableEmpty);
        TBase::DoRemove(Key, HashCode, Value, Action);
        Change();
    }
    void KeyNotify(const K& Key, TTableNotification Action) override {
        FCursorIndex = -1;
        if (FUpdateCount <= 0)
            TBase::KeyNotify(Key, Action);
    }
    void ValueNotify(const V& Value, TTableNotification Action) override {
        if (FUpdateCount <= 0)
            TBase::ValueNotify(Value, Action);
    }

private:
    int NextOccupied(int Bucket, int Step) const {
        const auto& buckets = this->GetBuckets();
        do
            Bucket += Step;
        while (buckets[Bucket].Hash == TBase::EmptyHash);
        return Bucket;
    }
    int SeekIndex(int Index) const {
        if (Index < 0 || Index >= this->GetCount())
            throw EListError(SListIndexError, Index);
        if (FCursorIndex < 0 ||
            (Index != FCursorIndex && Index != FCursorIndex + 1 && Index != FCursorIndex - 1)) {
            FCursorIndex = 0;
            FCursorBucket = NextOccupied(-1, +1);
        }
        while (FCursorIndex < Index) {
            FCursorBucket = NextOccupied(FCursorBucket, +1);
            ++FCursorIndex;
        }
        if (FCursorIndex > Index) {
            FCursorBucket = NextOccupied(FCursorBucket, -1);
            --FCursorIndex;
        }
        return FCursorBucket;
    }

    int FUpdateCount = 0;
    TNotifyEvent FOnChange;
    mutable int FCursorIndex = -1;
    mutable int FCursorBucket = -1;
};

/// A table keyed by case-sensitive strings.
template <class V>
class TKelStringHashTable : public TKelHashTable<std::string, V> {
    using TBase = TKelHashTable<std::string, V>;

public:
    using TBase::TBase;
    std::string ClassName() const override { return "TKelStringHashTable"; }

    /// Hands out the keys in bucket order. It reads the table it was made for, which must
    /// outlive it and stay unchanged while it is used.
    class TStringIterator : public TInterfacedObject, public virtual IStringIterator {
    public:
        explicit TStringIterator(const TKelStringHashTable& Table) : FTable(Table) {}
        std::string ClassName() const override { return "TStringIterator"; }
        HRESULT QueryInterface(const TGUID& Guid, void** Obj) override {
            return QueryInterfaces<IStringIterator, IInterface>(this, Guid, Obj);
        }
        bool HasMoreElements() const override { return FNext < FTable.GetCount(); }
        std::string NextElement() override {
            FCurrent = FTable.GetKeyByIndex(FNext);
            ++FNext;
            return FCurrent;
        }
        void Reset() override {
            FNext = 0;
            FCurrent.clear();
        }
        std::string CurrentElement() const override { return FCurrent; }
        int GetCount() const override { return FTable.GetCount(); }

    private:
        const TKelStringHashTable& FTable;
        int FNext = 0;
        std::string FCurrent;
    };

    /// A new iterator over the keys.
    [[nodiscard]] TInterfacePtr<IStringIterator> Indices() const {
        return MakeInterfaced<TStringIterator>(*this);
    }

    /// A string list gets the keys, in bucket order, inside its update bracket; other
    /// destinations go to TPersistent.
    void AssignTo(TPersistent* Dest) const override {
        auto* strings = dynamic_cast<TStringList*>(Dest);
        if (strings == nullptr) {
            TBase::AssignTo(Dest);
            return;
        }
        TUpdateGuard guard(*strings);
        strings->Clear();
        this->ForEachElement([&](const auto& Pair) { strings->Add(Pair.Key); });
    }
    /// From a string list: the table empties and stores each string with an empty value
    /// (EListError for a repeated string). Other sources are handled as a dictionary.
    void Assign(const TPersistent* Source) override {
        const auto* strings = dynamic_cast<const TStringList*>(Source);
        if (strings == nullptr) {
            TBase::Assign(Source);
            return;
        }
        TUpdateGuard guard(*this);
        this->Clear();
        for (int i = 0; i < strings->GetCount(); ++i)
            this->Add(strings->Get(i), V{});
    }
};

} // namespace fuzzy
