#include "platform/InterfaceList.hpp"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "platform/Exceptions.hpp"

namespace fuzzy {

void TInterfaceList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError(SListIndexError, Index);
}

int TInterfaceList::Add(const TInterfacePtr<IInterface>& Item) {
    FItems.push_back(Item);
    return GetCount() - 1;
}

void TInterfaceList::Insert(int Index, const TInterfacePtr<IInterface>& Item) {
    if (Index < 0 || Index > GetCount())
        throw EListError(SListIndexError, Index);
    FItems.insert(FItems.begin() + Index, Item);
}

TInterfacePtr<IInterface> TInterfaceList::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)];
}

void TInterfaceList::Put(int Index, const TInterfacePtr<IInterface>& Item) {
    CheckIndex(Index);
    // The old item is released at the end of the scope, once the new one is in place.
    const TInterfacePtr<IInterface> old =
        std::exchange(FItems[static_cast<std::size_t>(Index)], Item);
}

void TInterfaceList::Delete(int Index) {
    CheckIndex(Index);
    const TInterfacePtr<IInterface> old = std::move(FItems[static_cast<std::size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
}

int TInterfaceList::Remove(const TInterfacePtr<IInterface>& Item) {
    const int index = IndexOf(Item);
    if (index >= 0)
        Delete(index);
    return index;
}

void TInterfaceList::Exchange(int Index1, int Index2) {
    CheckIndex(Index1);
    CheckIndex(Index2);
    FItems[static_cast<std::size_t>(Index1)].Swap(FItems[static_cast<std::size_t>(Index2)]);
}

int TInterfaceList::IndexOf(const TInterfacePtr<IInterface>& Item) const {
    const auto found = std::find(FItems.begin(), FItems.end(), Item);
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

TInterfacePtr<IInterface> TInterfaceList::First() const {
    return Get(0);
}

TInterfacePtr<IInterface> TInterfaceList::Last() const {
    return Get(GetCount() - 1);
}

void TInterfaceList::Clear() {
    std::vector<TInterfacePtr<IInterface>> old;
    old.swap(FItems);
}

void TInterfaceList::Reserve(int Capacity) {
    if (Capacity > 0)
        FItems.reserve(static_cast<std::size_t>(Capacity));
}

} // namespace fuzzy
