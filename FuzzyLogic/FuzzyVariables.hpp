#pragma once
// The variable collection of a logic component.

#include <string>

#include "FuzzyLogic/FuzzyVariable.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzyLogic;

/// Creates a variable of a given class, with terms of a given class, in a collection.
using TFuzzyVariableClass = TFuzzyVariable* (*)(TCollection* Collection, TFuzzySetClass SetClass);

using TFuzzyVariablesEnumerator = TCollectionEnumerator<TFuzzyVariable>;

/// The variables of a logic component, owned by the collection. Variables are created
/// through the collection's variable class, their terms through its set class. Additions,
/// removals and changes of variables and of their terms are passed on to the component.
class TFuzzyVariables : public TGTypedCollection<TFuzzyVariable> {
public:
    explicit TFuzzyVariables(TFuzzyLogic* Fuzzy,
                             TFuzzyVariableClass VariableClass = &TFuzzyVariable::Create,
                             TFuzzySetClass SetClass = &TFuzzySet::Create);
    ~TFuzzyVariables() override;
    std::string ClassName() const override { return "TFuzzyVariables"; }

    const TFuzzyLogic* GetFuzzy() const { return FFuzzy; }
    TFuzzyLogic* GetFuzzy() { return FFuzzy; }
    TFuzzySetClass GetSetClass() const { return FSetClass; }

    TFuzzyVariable* Add();
    TFuzzyVariable* Add(const std::string& Name);
    TFuzzyVariable* Insert(int Index);
    /// The variable named Name; EFzyException when there is none.
    const TFuzzyVariable* GetItemByName(const std::string& Name) const {
        return GetItem(IndexOfExisting(Name));
    }
    TFuzzyVariable* GetItemByName(const std::string& Name) {
        return GetItem(IndexOfExisting(Name));
    }
    /// Assigns Value into the variable named Name; EFzyException when there is none.
    void SetItemByName(const std::string& Name, const TFuzzyVariable* Value);

    /// A term of one of the variables changed.
    virtual void UpdateFuzzySet(TFuzzySet* FuzzySet);
    /// A term joined or left one of the variables.
    virtual void NotifyFuzzySet(TFuzzySet* FuzzySet, TCollectionNotification Action);

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    /// Index of the variable named Name; EFzyException when there is none.
    int IndexOfExisting(const std::string& Name) const;

    TFuzzyLogic* FFuzzy;
    TFuzzySetClass FSetClass;
};

} // namespace fuzzy
