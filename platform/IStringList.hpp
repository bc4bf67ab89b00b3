#pragma once
// A string list whose entries carry interface references instead of object pointers.

#include <string>
#include <utility>
#include <vector>

#include "platform/Interface.hpp"
#include "platform/Object.hpp"

namespace fuzzy {

/// An ordered list of strings, each with an interface reference (empty by default) that
/// the list holds counted and drops when the entry goes or its reference is replaced.
/// Indexes outside the list raise EListError ("List index out of bounds (%d)").
class TIStringList : public TPersistent {
public:
    TIStringList() = default;
    std::string ClassName() const override { return "TIStringList"; }

    /// Appends S carrying Data; returns its index.
    int Add(const std::string& S, const TInterfacePtr<IInterface>& Data = nullptr);
    void Delete(int Index);
    void Clear() { FItems.clear(); }
    int GetCount() const { return static_cast<int>(FItems.size()); }
    const std::string& Get(int Index) const;
    /// Index of the first entry equal to S (exactly), or -1.
    [[nodiscard]] int IndexOf(const std::string& S) const;

    TInterfacePtr<IInterface> GetData(int Index) const;
    /// Replaces the reference of the entry at Index.
    virtual void PutData(int Index, const TInterfacePtr<IInterface>& Data);
    /// Index of the first entry carrying the object behind Data, or -1.
    [[nodiscard]] int IndexOfData(const TInterfacePtr<IInterface>& Data) const;

    /// Copies the strings and references of another TIStringList; others raise EConvertError.
    void Assign(const TPersistent* Source) override;

private:
    void CheckIndex(int Index) const;

    std::vector<std::pair<std::string, TInterfacePtr<IInterface>>> FItems;
};

} // namespace fuzzy
