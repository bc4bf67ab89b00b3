#include "FuzzyLogic/FuzzyVariables.hpp"

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"

namespace fuzzy {

TFuzzyVariables::TFuzzyVariables(TFuzzyLogic* Fuzzy, TFuzzyVariableClass VariableClass,
                                 TFuzzySetClass SetClass)
    : TGTypedCollection(Fuzzy,
                        [VariableClass, SetClass](TCollection* Collection) {
                            return VariableClass(Collection, SetClass);
                        }),
      FFuzzy(Fuzzy), FSetClass(SetClass) {}

TFuzzyVariables::~TFuzzyVariables() {
    DestroyItems();
}

TFuzzyVariable* TFuzzyVariables::Add() {
    return AddItem();
}

TFuzzyVariable* TFuzzyVariables::Add(const std::string& Name) {
    TFuzzyVariable* variable = Add();
    variable->SetName(Name);
    return variable;
}

TFuzzyVariable* TFuzzyVariables::Insert(int Index) {
    return InsertItemAt(Index);
}

int TFuzzyVariables::IndexOfExisting(const std::string& Name) const {
    const int index = IndexOf(Name);
    if (index < 0)
        throw EFzyException(SUnknownFuzzyVarName, Name);
    return index;
}

void TFuzzyVariables::SetItemByName(const std::string& Name, const TFuzzyVariable* Value) {
    GetItemByName(Name)->Assign(Value);
}

void TFuzzyVariables::Update(TCollectionItem* Item) {
    TGTypedCollection::Update(Item);
    auto* variable = static_cast<TFuzzyVariable*>(Item);
    if (variable != nullptr && variable->GetItems()->GetCount() <= variable->GetItemIndex())
        variable->FItemIndex = variable->GetItems()->GetCount() - 1;
    if (FFuzzy != nullptr)
        FFuzzy->UpdateVariable(variable);
}

void TFuzzyVariables::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    TGTypedCollection::Notify(Item, Action);
    if (FFuzzy != nullptr)
        FFuzzy->NotifyVariable(static_cast<TFuzzyVariable*>(Item), Action);
}

void TFuzzyVariables::UpdateFuzzySet(TFuzzySet* FuzzySet) {
    if (FFuzzy != nullptr)
        FFuzzy->UpdateFuzzySet(FuzzySet);
}

void TFuzzyVariables::NotifyFuzzySet(TFuzzySet* FuzzySet, TCollectionNotification Action) {
    if (FFuzzy != nullptr)
        FFuzzy->NotifyFuzzySet(FuzzySet, Action);
}

} // namespace fuzzy
