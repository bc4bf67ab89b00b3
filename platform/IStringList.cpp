#include "platform/IStringList.hpp"

#include "platform/Exceptions.hpp"

namespace fuzzy {

void TIStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError(SListIndexError, Index);
}

int TIStringList::Add(const std::string& S, const TInterfacePtr<IInterface>& Data) {
    FItems.emplace_back(S, Data);
    return GetCount() - 1;
}

void TIStringList::Delete(int Index) {
    CheckIndex(Index);
    // Released after the list is whole again.
    const TInterfacePtr<IInterface> data = std::move(FItems[Index].second);
    FItems.erase(FItems.begin() + Index);
}

const std::string& TIStringList::Get(int Index) const {
    CheckIndex(Index);
    return FItems[Index].first;
}

int TIStringList::IndexOf(const std::string& S) const {
    for (int i = 0; i < GetCount(); ++i)
        if (FItems[i].first == S)
            return i;
    return -1;
}

TInterfacePtr<IInterface> TIStringList::GetData(int Index) const {
    CheckIndex(Index);
    return FItems[Index].second;
}

void TIStringList::PutData(int Index, const TInterfacePtr<IInterface>& Data) {
    CheckIndex(Index);
    const TInterfacePtr<IInterface> old = std::exchange(FItems[Index].second, Data);
}

int TIStringList::IndexOfData(const TInterfacePtr<IInterface>& Data) const {
    const TInterfacePtr<IInterface> wanted = Supports<IInterface>(Data);
    for (int i = 0; i < GetCount(); ++i)
        if (Supports<IInterface>(FItems[i].second) == wanted)
            return i;
    return -1;
}

void TIStringList::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TIStringList>(Source);
    if (source != nullptr)
        FItems = source->FItems;
}

} // namespace fuzzy
