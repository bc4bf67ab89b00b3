#include "FuzzyLogic/FuzzySets.hpp"

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"

namespace fuzzy {

TFuzzySets::TFuzzySets(TFuzzyVariable* Variable, TFuzzySetClass SetClass)
    : TGTypedCollection(Variable,
                        [SetClass](TCollection* Collection) { return SetClass(Collection); }),
      FVariable(Variable), FSetClass(SetClass) {}

TFuzzySets::~TFuzzySets() {
    DestroyItems();
}

TFuzzySet* TFuzzySets::Add() {
    TFuzzySet* term = AddItem();
    if (FVariable != nullptr)
        FVariable->FItemIndex = term->GetIndex(); // directly: no change is reported
    return term;
}

TFuzzySet* TFuzzySets::Add(const std::string& Name) {
    TFuzzySet* term = Add();
    term->SetName(Name);
    term->SetDefined(!Name.empty() && Name != SEmptyFuzzy);
    return term;
}

TFuzzySet* TFuzzySets::Insert(int Index) {
    return InsertItemAt(Index);
}

int TFuzzySets::IndexOfExisting(const std::string& Name) const {
    const int index = IndexOf(Name);
    if (index < 0)
        throw EFzyException(SUnknownFuzzySetName, Name);
    return index;
}

void TFuzzySets::SetItemByName(const std::string& Name, const TFuzzySet* Value) {
    GetItemByName(Name)->Assign(Value);
}

void TFuzzySets::Update(TCollectionItem* Item) {
    TGTypedCollection::Update(Item);
    if (FVariable != nullptr)
        FVariable->Update(static_cast<TFuzzySet*>(Item));
}

void TFuzzySets::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    TGTypedCollection::Notify(Item, Action);
    if (FVariable != nullptr)
        FVariable->Notify(static_cast<TFuzzySet*>(Item), Action);
}

} // namespace fuzzy
