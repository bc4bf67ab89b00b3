#include "platform/Collection.hpp"

#include <algorithm>
#include <utility>

#include "platform/Exceptions.hpp"

namespace fuzzy {

// ---- TCollectionItem ----

TCollectionItem::~TCollectionItem() {
    LeaveCollection();
}

void TCollectionItem::SetCollection(TCollection* Value) {
    if (Value == FCollection)
        return;
    if (Value != nullptr)
        Value->ReserveOneMore();
    if (FCollection != nullptr)
        FCollection->RemoveItem(this);
    if (Value != nullptr)
        Value->InsertItem(this);
}

void TCollectionItem::SetIndex(int Value) {
    if (FCollection == nullptr || Value == FIndex)
        return;
    FCollection->MoveItem(FIndex, Value);
    Changed(true);
}

void TCollectionItem::Changed(bool AllItems) {
    if (FCollection != nullptr && FCollection->FUpdateCount == 0)
        FCollection->Update(AllItems ? nullptr : this);
}

// ---- TCollection ----

TCollection::TCollection(TCollectionItemClass ItemClass) : FItemClass(std::move(ItemClass)) {}

TCollection::~TCollection() {
    DestroyItems();
}

void TCollection::DestroyItems() {
    // Raising the count keeps the destruction silent: no Update runs on a dying list.
    ++FUpdateCount;
    Clear();
    --FUpdateCount;
}

TCollectionItem* TCollection::Add() {
    return FItemClass(this);
}

TCollectionItem* TCollection::Insert(int Index) {
    CheckIndex(Index, GetCount() + 1);
    TCollectionItem* item = Add();
    item->SetIndex(Index);
    return item;
}

void TCollection::Delete(int Index) {
    CheckIndex(Index, GetCount());
    TCollectionItem* item = FItems[static_cast<std::size_t>(Index)];
    Notify(item, TCollectionNotification::cnDeleting);
    delete item;
}

void TCollection::DeleteItems(const std::vector<bool>& Doomed) {
    if (Doomed.size() != FItems.size())
        throw EListError(SListIndexError, static_cast<int>(Doomed.size()));
    std::vector<TCollectionItem*> leaving;
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (Doomed[i]) {
            Notify(FItems[i], TCollectionNotification::cnDeleting);
            Notify(FItems[i], TCollectionNotification::cnExtracting);
            leaving.push_back(FItems[i]);
        }
    if (leaving.empty())
        return;
    // Items before the first one that goes keep their places and numbers.
    const auto first = static_cast<std::size_t>(leaving.front()->FIndex);
    std::size_t kept = first;
    for (std::size_t i = first; i < FItems.size(); ++i)
        if (!Doomed[i])
            FItems[kept++] = FItems[i];
    FItems.resize(kept);
    Renumber(first, kept);
    Touch();
    for (TCollectionItem* item : leaving) {
        item->FCollection = nullptr; // already out: its destructor has nothing to leave
        item->FIndex = -1;
        delete item;
    }
    Changed();
}

void TCollection::Clear() {
    if (FItems.empty())
        return;
    TUpdateGuard guard(*this);
    while (!FItems.empty())
        delete FItems.back();
}

std::unique_ptr<TCollectionItem> TCollection::Extract(TCollectionItem* Item) {
    if (Item == nullptr || Item->FCollection != this)
        throw EListError(SListIndexError, Item ? Item->FIndex : -1);
    RemoveItem(Item);
    return std::unique_ptr<TCollectionItem>(Item);
}

void TCollection::SetItem(int Index, const TCollectionItem* Value) {
    GetItem(Index)->Assign(Value);
}

void TCollection::BeginUpdate() {
    ++FUpdateCount;
}

void TCollection::EndUpdate() {
    if (FUpdateCount > 0 && --FUpdateCount == 0)
        Changed();
}

void TCollection::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TCollection>(Source);
    if (source == nullptr)
        return;
    TUpdateGuard guard(*this);
    Clear();
    for (int i = 0; i < source->GetCount(); ++i)
        Add()->Assign(source->GetItem(i));
}

void TCollection::Update(TCollectionItem*) {}

void TCollection::Notify(TCollectionItem*, TCollectionNotification) {}

void TCollection::Changed() {
    if (FUpdateCount == 0)
        Update(nullptr);
}

void TCollection::MoveItem(int CurIndex, int NewIndex) {
    CheckIndex(CurIndex, GetCount());
    CheckIndex(NewIndex, GetCount());
    const auto from = static_cast<std::size_t>(CurIndex);
    const auto to = static_cast<std::size_t>(NewIndex);
    if (from < to)
        std::rotate(FItems.begin() + CurIndex, FItems.begin() + CurIndex + 1,
                    FItems.begin() + NewIndex + 1);
    else
        std::rotate(FItems.begin() + NewIndex, FItems.begin() + CurIndex,
                    FItems.begin() + CurIndex + 1);
    Renumber(std::min(from, to), std::max(from, to) + 1);
    Touch();
}

void TCollection::PermuteItems(const std::vector<TCollectionItem*>& Order) {
    std::vector<bool> seen(FItems.size(), false);
    for (TCollectionItem* item : Order) {
        if (item == nullptr || item->FCollection != this ||
            seen[static_cast<std::size_t>(item->FIndex)])
            throw EListError(SListIndexError, item ? item->FIndex : -1);
        seen[static_cast<std::size_t>(item->FIndex)] = true;
    }
    if (Order.size() != FItems.size())
        throw EListError(SListIndexError, static_cast<int>(Order.size()));
    FItems = Order;
    Renumber(0, FItems.size());
    Touch();
}

void TCollection::InsertItem(TCollectionItem* Item) {
    AppendLinked(Item);
    Notify(Item, TCollectionNotification::cnAdded);
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* Item) {
    Notify(Item, TCollectionNotification::cnExtracting);
    const auto index = static_cast<std::size_t>(Item->FIndex);
    FItems.erase(FItems.begin() + Item->FIndex);
    Renumber(index, FItems.size());
    Item->FCollection = nullptr;
    Item->FIndex = -1;
    Touch();
    Changed();
}

void TCollection::CheckIndex(int Index, int Count) const {
    if (Index < 0 || Index >= Count)
        RaiseIndexError(Index);
}

void TCollection::RaiseIndexError(int Index) {
    throw EListError(SListIndexError, Index);
}

void TCollection::Renumber(std::size_t From, std::size_t To) {
    for (std::size_t i = From; i < To; ++i)
        FItems[i]->FIndex = static_cast<int>(i);
}

// ---- TGCollectionItem ----

TGCollectionItem::~TGCollectionItem() {
    // Each linked item is unlinked before it hears of the end, so that it may link or
    // unlink others from its handler.
    while (!FFreeNotifies.empty()) {
        TGCollectionItem* item = FFreeNotifies.back();
        RemoveFreeNotification(item);
        item->ItemFreed(this);
    }
    FNamed = false; // from here on the object is a plain item
}

void TGCollectionItem::FreeNotification(TGCollectionItem* Item) {
    if (Item == nullptr || Item == this ||
        std::ranges::find(FFreeNotifies, Item) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(Item);
    Item->FFreeNotifies.push_back(this);
}

void TGCollectionItem::RemoveFreeNotification(TGCollectionItem* Item) {
    if (Item == nullptr)
        return;
    std::erase(FFreeNotifies, Item);
    std::erase(Item->FFreeNotifies, this);
}

// ---- TGCollection ----

int TGCollection::IndexOf(const std::string& Name) const {
    for (int i = 0; i < GetCount(); ++i) {
        const TCollectionItem* item = GetItem(i);
        if (item->FNamed && static_cast<const TGCollectionItem*>(item)->GetName() == Name)
            return i;
    }
    return -1;
}

} // namespace fuzzy
