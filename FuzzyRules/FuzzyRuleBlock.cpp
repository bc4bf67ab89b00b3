#include "FuzzyRules/FuzzyRuleBlock.hpp"

#include <memory>

#include "FuzzyRules/FuzzyRuleLogic.hpp"

namespace fuzzy {

TFuzzyRules::TFuzzyRules(TFuzzyRuleLogic* Fuzzy)
    : TOwnedCollection(Fuzzy,
                       [](TCollection* Collection) { return TFuzzyRule::Create(Collection); }),
      FFuzzy(Fuzzy) {}

TFuzzyRules::~TFuzzyRules() {
    // Destroyed here, not by the base, so that Notify still reaches the component.
    DestroyItems();
}

TFuzzyRule* TFuzzyRules::Add() {
    return static_cast<TFuzzyRule*>(TOwnedCollection::Add());
}

TFuzzyRule* TFuzzyRules::Add(std::vector<TFuzzyPremise> Premises,
                             std::vector<TFuzzyConclusion> Conclusions,
                             const std::string& Connective, TFzyFloat Weight) {
    std::unique_ptr<TFuzzyRule> rule(TFuzzyRule::Create(nullptr));
    rule->SetConnective(Connective);
    rule->SetWeight(Weight);
    rule->SetPremises(std::move(Premises));
    rule->SetConclusions(std::move(Conclusions));
    rule->SetCollection(this);
    return rule.release();
}

TFuzzyRule* TFuzzyRules::Insert(int Index) {
    return static_cast<TFuzzyRule*>(TOwnedCollection::Insert(Index));
}

void TFuzzyRules::Update(TCollectionItem* Item) {
    TOwnedCollection::Update(Item);
    if (FFuzzy != nullptr)
        FFuzzy->UpdateRule(static_cast<TFuzzyRule*>(Item));
}

void TFuzzyRules::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    TOwnedCollection::Notify(Item, Action);
    if (FFuzzy != nullptr)
        FFuzzy->NotifyRule(static_cast<TFuzzyRule*>(Item), Action);
}

} // namespace fuzzy
