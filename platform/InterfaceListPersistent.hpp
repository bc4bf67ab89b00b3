#pragma once
// A persistent list of interface references, for classes that keep interfaces as part of
// their copyable state.

#include <string>

#include "platform/InterfaceList.hpp"
#include "platform/Object.hpp"

namespace fuzzy {

/// A list of interface references that copies itself with Assign. It holds one reference
/// to each item; the operations, identity rule and index errors are those of
/// IInterfaceList. Not safe to share between threads.
class TInterfaceListPersistent : public TPersistent {
public:
    TInterfaceListPersistent();
    std::string ClassName() const override { return "TInterfaceListPersistent"; }

    /// Replaces the items with references to Source's items, in order; the items
    /// themselves are shared, not copied. Another class of Source raises EConvertError.
    void Assign(const TPersistent* Source) override;

    int Add(const TInterfacePtr<IInterface>& Item) { return FList->Add(Item); }
    void Insert(int Index, const TInterfacePtr<IInterface>& Item) { FList->Insert(Index, Item); }
    [[nodiscard]] TInterfacePtr<IInterface> Get(int Index) const { return FList->Get(Index); }
    void Put(int Index, const TInterfacePtr<IInterface>& Item) { FList->Put(Index, Item); }
    /// Removes the item at Index and releases its reference.
    void Delete(int Index) { FList->Delete(Index); }
    /// Removes the first occurrence of Item and returns its former index, or -1.
    int Remove(const TInterfacePtr<IInterface>& Item) { return FList->Remove(Item); }
    void Exchange(int Index1, int Index2) { FList->Exchange(Index1, Index2); }
    [[nodiscard]] int IndexOf(const TInterfacePtr<IInterface>& Item) const {
        return FList->IndexOf(Item);
    }
    [[nodiscard]] TInterfacePtr<IInterface> First() const { return FList->First(); }
    [[nodiscard]] TInterfacePtr<IInterface> Last() const { return FList->Last(); }
    int GetCount() const { return FList->GetCount(); }
    /// Removes every item and releases their references.
    void Clear() { FList->Clear(); }

private:
    // Never empty and never handed out, so the items are this object's alone.
    TInterfacePtr<TInterfaceList> FList;
};

} // namespace fuzzy
