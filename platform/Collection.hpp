#pragma once
// Owned collections and their items, as the host framework provides them.
//
// A collection owns its items through raw pointers and hands them out non-owning. An item
// is destroyed by `delete item` (it leaves its collection first, sending the
// notifications), by the collection's Delete / Clear, or with the collection. Only
// Extract hands ownership back to a caller.
//
// Hooks, in the order a host framework runs them:
//  - an item joins: it is stored and linked, then Notify(item, cnAdded), then Changed();
//  - an item leaves (destroyed or extracted): Notify(item, cnExtracting), unlink, Changed();
//  - Delete(i): Notify(item, cnDeleting), then the item is destroyed (and leaves as above);
//  - Changed() runs Update(nullptr) only when no update bracket is open;
//  - an item's Changed(false) runs Update(item), Changed(true) runs Update(nullptr), both
//    only when no update bracket is open; setting an item's Index moves it and runs
//    Changed(true).

#include <algorithm>
#include <cstdint>
#include <functional>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/Object.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

class TCollection;

enum class TCollectionNotification : std::uint8_t { cnAdded, cnExtracting, cnDeleting };

/// One element of a TCollection. Not copyable; copies go through Assign.
class TCollectionItem : public TPersistent {
public:
    ~TCollectionItem() override;
    std::string ClassName() const override { return "TCollectionItem"; }

    const TCollection* GetCollection() const { return FCollection; }
    TCollection* GetCollection() { return FCollection; }
    /// Moves the item into another collection (or none): it leaves the old one and joins
    /// the new one at its end, with the notifications of both.
    void SetCollection(TCollection* Value);
    /// Position in the collection, -1 when the item belongs to none.
    int GetIndex() const { return FIndex; }
    /// Moves the item to another position and runs Changed(true). Raises EListError when
    /// the position is outside the collection.
    void SetIndex(int Value);
    /// The text a host shows for the item; by default its class name.
    virtual std::string GetDisplayName() const { return ClassName(); }

protected:
    TCollectionItem() = default;

    /// The creation step of a new item: hands Item to Collection (or to the caller when
    /// Collection is nullptr). Nothing leaks when joining fails before the item is linked.
    template <class T>
    static T* Join(std::unique_ptr<T> Item, TCollection* Collection);

    /// The collection in which the item's operations make new items (results, copies):
    /// adding to the collection leaves the item itself unchanged, so const operations may.
    TCollection* GetCollectionForNewItems() const { return FCollection; }
    /// Reports a change of this item (AllItems false) or of the whole collection.
    void Changed(bool AllItems);
    /// Leaves the collection now. Destructors of descendants call it first, so that the
    /// collection's hooks see a whole object; the base destructor calls it otherwise.
    void LeaveCollection() { SetCollection(nullptr); }

private:
    friend class TCollection;
    friend class TGCollection;
    friend class TGCollectionItem;
    TCollection* FCollection = nullptr;
    int FIndex = -1;
    /// True while the item is a TGCollectionItem, from that class's constructor
    /// to the end of its destructor, as a cast would find it: lookups by name test this
    /// rather than cast every item they pass.
    bool FNamed = false;
};

/// Creates an item of a given class in a collection: the C++ form of a class reference. A
/// collection may bind further arguments of its items' creation (such as the class of the
/// items' own parts), hence a function object.
using TCollectionItemClass = std::function<TCollectionItem*(TCollection* Collection)>;

/// Iterates over a collection by index, typed as the collection's item class (const items
/// over a const collection). Reading the collection's items afresh at each step keeps it
/// safe when the collection changes.
template <class T>
class TCollectionEnumerator {
    using TCollectionPtr = std::conditional_t<std::is_const_v<T>, const TCollection*, TCollection*>;

public:
    using iterator_category = std::forward_iterator_tag;
    using value_type = T*;
    using difference_type = std::ptrdiff_t;
    using pointer = T**;
    using reference = T*;

    TCollectionEnumerator() = default;
    TCollectionEnumerator(TCollectionPtr Collection, int Index)
        : FCollection(Collection), FIndex(Index) {}

    T* operator*() const;
    TCollectionEnumerator& operator++() {
        ++FIndex;
        return *this;
    }
    TCollectionEnumerator operator++(int) {
        auto old = *this;
        ++FIndex;
        return old;
    }
    bool operator==(const TCollectionEnumerator& other) const;

private:
    TCollectionPtr FCollection = nullptr;
    int FIndex = 0;
};

/// A list of items that it owns, with update brackets and change hooks.
class TCollection : public TPersistent {
public:
    explicit TCollection(TCollectionItemClass ItemClass);
    /// Destroys the items from the last to the first without reporting a change.
    ~TCollection() override;
    std::string ClassName() const override { return "TCollection"; }

    /// Appends a new item of the collection's item class.
    TCollectionItem* Add();
    /// Appends a new item and moves it to Index (EListError when outside 0..Count).
    TCollectionItem* Insert(int Index);
    /// Notifies cnDeleting, then destroys the item at Index. EListError when out of range.
    void Delete(int Index);
    /// Destroys all items, last first, inside an update bracket.
    void Clear();
    /// Destroys, in one pass, every item whose flag is set (Doomed holds one flag per item;
    /// EListError otherwise). Each goes as Delete would send it (cnDeleting, then
    /// cnExtracting, while the collection still holds all of them); the others keep their
    /// order, and one change is reported. Linear however many items go.
    void DeleteItems(const std::vector<bool>& Doomed);
    /// Removes the item from the collection and hands it to the caller.
    [[nodiscard]] std::unique_ptr<TCollectionItem> Extract(TCollectionItem* Item);

    int GetCount() const { return static_cast<int>(FItems.size()); }
    /// The item at Index; EListError when out of range.
    const TCollectionItem* GetItem(int Index) const { return FItems[CheckedIndex(Index)]; }
    TCollectionItem* GetItem(int Index) { return FItems[CheckedIndex(Index)]; }
    const TCollectionItem* operator[](int Index) const { return GetItem(Index); }
    TCollectionItem* operator[](int Index) { return GetItem(Index); }
    /// Assigns Value into the existing item at Index.
    void SetItem(int Index, const TCollectionItem* Value);
    const TCollectionItemClass& GetItemClass() const { return FItemClass; }

    void BeginUpdate();
    /// Closes a bracket; the outermost one runs Changed().
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }

    /// Copies another collection: inside an update bracket, Clear, then one new item per
    /// source item, assigned from it.
    void Assign(const TPersistent* Source) override;

    TCollectionEnumerator<const TCollectionItem> begin() const { return {this, 0}; }
    TCollectionEnumerator<const TCollectionItem> end() const { return {this, GetCount()}; }
    TCollectionEnumerator<TCollectionItem> begin() { return {this, 0}; }
    TCollectionEnumerator<TCollectionItem> end() { return {this, GetCount()}; }

protected:
    /// Change hook: Item is the changed item, or nullptr when the whole collection changed.
    virtual void Update(TCollectionItem* Item);
    /// Membership hook, see the file comment for when each action runs.
    virtual void Notify(TCollectionItem* Item, TCollectionNotification Action);
    /// Runs Update(nullptr) when no update bracket is open.
    void Changed();
    /// The destructor's clean-up: destroys the items, last first, with the update count
    /// raised, so Notify sees each item leave but no change is reported. A descendant whose
    /// hooks must see the items leave calls it from its own destructor.
    void DestroyItems();
    /// Moves the item at CurIndex to NewIndex without any hook.
    void MoveItem(int CurIndex, int NewIndex);
    /// Puts the items in the given order, which must hold exactly the collection's items;
    /// no hook runs. Raises EListError when Order is not a permutation of the items.
    void PermuteItems(const std::vector<TCollectionItem*>& Order);
    /// A number that changes whenever items join, leave or move (or Touch is called), so
    /// that a descendant can cache what it derives from the order of its items.
    std::uint64_t GetChangeStamp() const { return FChangeStamp; }
    void Touch() { ++FChangeStamp; }
    /// Makes room for Count more items, so that appending them cannot fail half-way.
    void ReserveMore(int Count) {
        const std::size_t needed = FItems.size() + static_cast<std::size_t>(std::max(Count, 0));
        if (needed > FItems.capacity()) // grow geometrically, as push_back would
            FItems.reserve(std::max({std::size_t{8}, 2 * FItems.size(), needed}));
    }
    /// Appends Item, which belongs to no collection, linked and numbered but without Notify
    /// or Changed: for a descendant that fills itself inside an update bracket and does
    /// what its own hooks would. Room must have been made (ReserveMore). Inline, as a
    /// descendant appends its items in bulk through it.
    void AppendLinked(TCollectionItem* Item) {
        FItems.push_back(Item);
        Item->FCollection = this;
        Item->FIndex = GetCount() - 1;
        Touch();
    }

private:
    friend class TCollectionItem;
    /// Makes room for one more item, so that linking it cannot fail half-way.
    void ReserveOneMore() { ReserveMore(1); }
    void InsertItem(TCollectionItem* Item);
    void RemoveItem(TCollectionItem* Item);
    void CheckIndex(int Index, int Count) const;
    std::size_t CheckedIndex(int Index) const {
        if (Index < 0 || Index >= GetCount())
            RaiseIndexError(Index);
        return static_cast<std::size_t>(Index);
    }
    /// Raises EListError for Index (kept out of line: reading an item is inlined).
    [[noreturn]] static void RaiseIndexError(int Index);
    void Renumber(std::size_t From, std::size_t To);

    TCollectionItemClass FItemClass;
    std::vector<TCollectionItem*> FItems;
    int FUpdateCount = 0;
    std::uint64_t FChangeStamp = 0;
};

/// A collection that knows the object it belongs to.
class TOwnedCollection : public TCollection {
public:
    TOwnedCollection(TPersistent* Owner, TCollectionItemClass ItemClass)
        : TCollection(std::move(ItemClass)), FOwner(Owner) {}
    std::string ClassName() const override { return "TOwnedCollection"; }
    const TPersistent* GetOwner() const { return FOwner; }
    TPersistent* GetOwner() { return FOwner; }

private:
    TPersistent* FOwner;
};

/// A collection item with a name, found by TGCollection::IndexOf, and with free
/// notification between items: an item linked to another learns of the other's end through
/// ItemFreed, so that it can drop a plain pointer to it. Links are two-way and are cut by
/// either end's destructor, which runs after the descendants' destructors; ItemFreed gets
/// the dying item for identity only.
class TGCollectionItem : public TCollectionItem {
public:
    TGCollectionItem() { FNamed = true; }
    ~TGCollectionItem() override;
    std::string ClassName() const override { return "TGCollectionItem"; }
    virtual const std::string& GetName() const = 0;

    /// Links this item and Item, so that each hears of the other's end. Linking twice
    /// keeps one link; nullptr and the item itself are ignored.
    void FreeNotification(TGCollectionItem* Item);
    /// Cuts the link with Item, if any.
    void RemoveFreeNotification(TGCollectionItem* Item);

protected:
    /// Runs when the linked Item is being destroyed; must not throw.
    virtual void ItemFreed(TGCollectionItem* /*Item*/) noexcept {}

private:
    std::vector<TGCollectionItem*> FFreeNotifies;
};

/// An owned collection with lookup by item name.
class TGCollection : public TOwnedCollection {
public:
    using TOwnedCollection::TOwnedCollection;
    std::string ClassName() const override { return "TGCollection"; }
    /// Index of the first item whose name equals Name exactly (case matters), or -1.
    int IndexOf(const std::string& Name) const;
};

/// A named-item collection whose items are all of class T, handed out as T.
template <class T>
class TGTypedCollection : public TGCollection {
public:
    using TGCollection::TGCollection;

    /// The item at Index; EListError when out of range.
    const T* GetItem(int Index) const {
        return static_cast<const T*>(TGCollection::GetItem(Index));
    }
    T* GetItem(int Index) { return static_cast<T*>(TGCollection::GetItem(Index)); }
    const T* operator[](int Index) const { return GetItem(Index); }
    T* operator[](int Index) { return GetItem(Index); }
    /// Assigns Value into the existing item at Index.
    void SetItem(int Index, const T* Value) { TGCollection::SetItem(Index, Value); }

    TCollectionEnumerator<const T> GetEnumerator() const { return {this, 0}; }
    TCollectionEnumerator<T> GetEnumerator() { return {this, 0}; }
    TCollectionEnumerator<const T> begin() const { return {this, 0}; }
    TCollectionEnumerator<const T> end() const { return {this, GetCount()}; }
    TCollectionEnumerator<T> begin() { return {this, 0}; }
    TCollectionEnumerator<T> end() { return {this, GetCount()}; }

protected:
    T* AddItem() { return static_cast<T*>(TGCollection::Add()); }
    T* InsertItemAt(int Index) { return static_cast<T*>(TGCollection::Insert(Index)); }
};

template <class T>
T* TCollectionItem::Join(std::unique_ptr<T> Item, TCollection* Collection) {
    if (Collection != nullptr)
        Collection->ReserveOneMore();
    T* item = Item.release();
    item->SetCollection(Collection);
    return item;
}

template <class T>
T* TCollectionEnumerator<T>::operator*() const {
    return static_cast<T*>(FCollection->GetItem(FIndex));
}

template <class T>
bool TCollectionEnumerator<T>::operator==(const TCollectionEnumerator& other) const {
    // Any position at or past the end is the end, so removing items while iterating
    // ends the walk instead of running past the list.
    const int count = FCollection ? FCollection->GetCount() : 0;
    const int self = FIndex < count ? FIndex : count;
    const int that = other.FIndex < count ? other.FIndex : count;
    return FCollection == other.FCollection && self == that;
}

} // namespace fuzzy
