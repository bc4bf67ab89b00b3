#pragma once
// The term collection of a linguistic variable.

#include <string>

#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzyVariable;

using TFuzzySetsEnumerator = TCollectionEnumerator<TFuzzySet>;

/// The terms of one variable, owned by the collection (and so by the variable). Terms are
/// created through the collection's set class. Every term that joins or leaves, and every
/// change of a term, is passed on to the variable (Notify, Update). Destroying the
/// collection destroys its terms last first, and the variable hears each one leave.
class TFuzzySets : public TGTypedCollection<TFuzzySet> {
public:
    explicit TFuzzySets(TFuzzyVariable* Variable, TFuzzySetClass SetClass = &TFuzzySet::Create);
    ~TFuzzySets() override;
    std::string ClassName() const override { return "TFuzzySets"; }

    const TFuzzyVariable* GetVariable() const { return FVariable; }
    TFuzzyVariable* GetVariable() { return FVariable; }
    TFuzzySetClass GetSetClass() const { return FSetClass; }

    /// Appends a new term; it becomes the variable's current term (ItemIndex).
    TFuzzySet* Add();
    /// Appends a new term named Name, marked Defined unless the name is empty or the
    /// placeholder name. A reserved word raises EFzyException; the unnamed term stays.
    TFuzzySet* Add(const std::string& Name);
    /// Inserts a new term at Index (the current term stays as it was).
    TFuzzySet* Insert(int Index);
    /// The term named Name; EFzyException when there is none.
    const TFuzzySet* GetItemByName(const std::string& Name) const {
        return GetItem(IndexOfExisting(Name));
    }
    TFuzzySet* GetItemByName(const std::string& Name) { return GetItem(IndexOfExisting(Name)); }
    /// Assigns Value into the term named Name; EFzyException when there is none.
    void SetItemByName(const std::string& Name, const TFuzzySet* Value);

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    friend class TFuzzyVariable;
    /// Index of the term named Name; EFzyException when there is none.
    int IndexOfExisting(const std::string& Name) const;
    TFuzzyVariable* FVariable;
    TFuzzySetClass FSetClass;
};

} // namespace fuzzy
