#include "FuzzyRules/FuzzyRuleLogic.hpp"

#include "FuzzyRules/FuzzyRuleWriter.hpp"

namespace fuzzy {

TFuzzyRuleLogic* TFuzzyRuleLogic::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TFuzzyRuleLogic>(new TFuzzyRuleLogic()), AOwner);
}

void TFuzzyRuleLogic::AfterConstruction() {
    TFuzzyLogic::AfterConstruction();
    FRules = CreateRules();
}

TFuzzyRuleLogic::~TFuzzyRuleLogic() {
    // Nothing is reported while the rules go (the base silences the other events).
    FOnRuleAdded = nullptr;
    FOnRuleDeleted = nullptr;
    FOnRuleChange = nullptr;
    FOnChange = nullptr;
    FRules.reset();
}

std::unique_ptr<TFuzzyRules> TFuzzyRuleLogic::CreateRules() {
    return std::make_unique<TFuzzyRules>(this);
}

void TFuzzyRuleLogic::ClearVariables() {
    FRules->Clear();
    TFuzzyLogic::ClearVariables();
}

void TFuzzyRuleLogic::UpdateStrings() {
    TFuzzyLogic::UpdateStrings();
    if (!IsLoading() && FRules->GetCount() > 0)
        FStrings->Add(PrettyPrintFuzzyRules(*FRules));
}

void TFuzzyRuleLogic::NotifyRule(TFuzzyRule* Rule, TCollectionNotification Action) {
    if (Action == TCollectionNotification::cnAdded)
        Report(FOnRuleAdded, Rule);
    else if (Action == TCollectionNotification::cnExtracting)
        Report(FOnRuleDeleted, Rule);
}

void TFuzzyRuleLogic::UpdateRule(TFuzzyRule* Rule) {
    FNeedsUpdate = true;
    if (Rule != nullptr)
        Report(FOnRuleChange, Rule);
    else
        Report(FOnChange);
}

} // namespace fuzzy
