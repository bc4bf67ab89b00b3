#include "FuzzyLogic/FuzzyLogicComponent.hpp"

#include <algorithm>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyAutoTerms.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"

namespace fuzzy {

// ---- TCustomFuzzyLogic ----

TCustomFuzzyLogic::TCustomFuzzyLogic()
    : FStrings(std::make_unique<TStringList>()), FVariables(std::make_unique<TStringList>()) {
    FVariables->SetCaseSensitive(false);
}

TCustomFuzzyLogic* TCustomFuzzyLogic::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TCustomFuzzyLogic>(new TCustomFuzzyLogic()), AOwner);
}

TCustomFuzzyLogic::~TCustomFuzzyLogic() {
    SetParser(nullptr);
    BeforeDestruction();
}

void TCustomFuzzyLogic::SetNumFunctionValues(int Value) {
    FNumFunctionValues = std::max(Value, 2);
}

void TCustomFuzzyLogic::SetThreshold(TFzyFloat Value) {
    if (Value == FThreshold)
        return;
    FThreshold = std::clamp(Value, 0.0, 1.0);
    ThresholdChanged();
}

void TCustomFuzzyLogic::SetParser(TCustomFuzzyLogicParser* Value) {
    SetLinkedComponent(FParser, Value);
}

void TCustomFuzzyLogic::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FParser)
        FParser = nullptr; // the link is already gone on the parser's side
}

TStringList* TCustomFuzzyLogic::GetStrings() {
    if (FNeedsUpdate)
        UpdateStrings();
    return FStrings.get();
}

void TCustomFuzzyLogic::SetStrings(const TStringList* Value) {
    FStrings->Assign(Value);
    FParsePending = IsLoading();
    Parse();
}

void TCustomFuzzyLogic::CheckParser() const {
    if (FParser == nullptr)
        throw EFzyException(SParserUnassigned);
}

void TCustomFuzzyLogic::Parse() {
    if (IsLoading())
        return;
    CheckParser();
    ClearVariables();
    // Cleared before the text is read, so that reading it does not regenerate it from
    // the variables just removed.
    FNeedsUpdate = false;
    FParser->Parse(FStrings->GetText(), nullptr);
    FNeedsUpdate = false;
}

void TCustomFuzzyLogic::Loaded() {
    TComponent::Loaded();
    if (FParsePending) {
        FParsePending = false;
        Parse();
    }
}

void TCustomFuzzyLogic::UpdateStrings() {
    FNeedsUpdate = false;
    if (!IsLoading())
        CheckParser();
}

// ---- TFuzzyLogic ----

TFuzzyLogic* TFuzzyLogic::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TFuzzyLogic>(new TFuzzyLogic()), AOwner);
}

void TFuzzyLogic::AfterConstruction() {
    TCustomFuzzyLogic::AfterConstruction();
    FItems = CreateVariables();
}

TFuzzyLogic::~TFuzzyLogic() {
    // Nothing is reported while the variables go.
    FOnFuzzySetChange = nullptr;
    FOnVariableChange = nullptr;
    FOnVariableDeleted = nullptr;
    FOnVariableAdded = nullptr;
    FOnFuzzySetDeleted = nullptr;
    FOnFuzzySetAdded = nullptr;
    FOnChange = nullptr;
    FItems.reset();
}

std::unique_ptr<TFuzzyVariables> TFuzzyLogic::CreateVariables() {
    return std::make_unique<TFuzzyVariables>(this);
}

void TFuzzyLogic::ClearVariables() {
    FItems->Clear();
}

void TFuzzyLogic::UpdateStrings() {
    TCustomFuzzyLogic::UpdateStrings();
    if (IsLoading())
        return;
    TUpdateGuard guard(*FStrings);
    FStrings->Clear();
    for (const TFuzzyVariable* variable : *FItems)
        FStrings->Add(FParser->PrettyPrint(variable));
}

void TFuzzyLogic::ThresholdChanged() {
    TCustomFuzzyLogic::ThresholdChanged();
    for (TFuzzyVariable* variable : *FItems)
        variable->SetThreshold(FThreshold);
}

void TFuzzyLogic::AddAutoTerms(TFuzzyVariable* Variable) {
    TFuzzySets& terms = *Variable->GetItems();
    for (const char* name : AutoTermNames)
        if (terms.IndexOf(name) < 0)
            ShapeAutoTerm(*terms.Add(name), Variable->GetMinimum(), Variable->GetMaximum());
}

void TFuzzyLogic::NotifyFuzzySet(TFuzzySet* FuzzySet, TCollectionNotification Action) {
    if (Action == TCollectionNotification::cnAdded)
        Report(FOnFuzzySetAdded, FuzzySet);
    else if (Action == TCollectionNotification::cnExtracting)
        Report(FOnFuzzySetDeleted, FuzzySet);
}

void TFuzzyLogic::NotifyVariable(TFuzzyVariable* Variable, TCollectionNotification Action) {
    if (Action == TCollectionNotification::cnAdded) {
        Variable->SetThreshold(FThreshold);
        Report(FOnVariableAdded, Variable);
        if (FAutoTerms)
            AddAutoTerms(Variable);
    } else if (Action == TCollectionNotification::cnExtracting) {
        Report(FOnVariableDeleted, Variable);
    }
}

void TFuzzyLogic::UpdateVariable(TFuzzyVariable* Variable) {
    FNeedsUpdate = true;
    if (Variable != nullptr)
        Report(FOnVariableChange, Variable);
    else
        Report(FOnChange);
}

void TFuzzyLogic::UpdateFuzzySet(TFuzzySet* FuzzySet) {
    FNeedsUpdate = true;
    Report(FOnFuzzySetChange, FuzzySet);
}

} // namespace fuzzy
