#include "FuzzyLogic/FuzzyVariable.hpp"

#include <algorithm>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzyVariables.hpp"
#include "platform/Exceptions.hpp"
#include "platform/StringList.hpp"

namespace fuzzy {

namespace {

const TFuzzySet& Required(const TFuzzySet* Set, const char* Role) {
    if (Set == nullptr)
        throw EArgumentOutOfRangeException(SMissingRuleSet, Role);
    return *Set;
}

} // namespace

TFuzzyVariable* TFuzzyVariable::Create(TCollection* Collection, TFuzzySetClass SetClass) {
    return Initialize(std::unique_ptr<TFuzzyVariable>(new TFuzzyVariable()), Collection, SetClass);
}

TFuzzyVariable::~TFuzzyVariable() {
    // The terms go first, each reported as leaving while the variable is still whole and
    // in its collection; then the variable leaves.
    if (FItems != nullptr)
        FItems->DestroyItems();
    LeaveCollection();
}

std::unique_ptr<TFuzzySets> TFuzzyVariable::CreateItems() {
    return std::make_unique<TFuzzySets>(this, FSetClass);
}

void TFuzzyVariable::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TFuzzyVariable>(Source);
    if (source == nullptr)
        return;
    FName = source->FName;
    FMinimum = source->FMinimum;
    FMaximum = source->FMaximum;
    FThreshold = source->FThreshold;
    FUnits = source->FUnits;
    FComment = source->FComment;
    FItemIndex = source->FItemIndex;
    FItems->Assign(source->FItems.get());
}

void TFuzzyVariable::AssignTo(TPersistent* Dest) const {
    auto* lines = dynamic_cast<TStringList*>(Dest);
    if (lines == nullptr) {
        TGCollectionItem::AssignTo(Dest);
        return;
    }
    TUpdateGuard guard(*lines);
    lines->Clear();
    for (TFuzzySet* term : *FItems)
        lines->AddObject(term->GetName(), term);
}

std::string TFuzzyVariable::GetDisplayName() const {
    return FName.empty() ? TGCollectionItem::GetDisplayName() : FName;
}

std::string TFuzzyVariable::ToString() const {
    const TFuzzyLogic* logic = GetFuzzy();
    if (logic != nullptr && logic->GetParser() != nullptr)
        return logic->GetParser()->PrettyPrint(this);
    return ClassName();
}

void TFuzzyVariable::SetName(const std::string& Value) {
    if (Value == FName)
        return;
    FName = Value;
    Changed(false);
}

void TFuzzyVariable::SetUnits(const std::string& Value) {
    if (Value == FUnits)
        return;
    FUnits = Value;
    Changed(false);
}

void TFuzzyVariable::SetComment(const std::string& Value) {
    if (Value == FComment)
        return;
    FComment = Value;
    Changed(false);
}

void TFuzzyVariable::SetMinimum(TFzyFloat Value) {
    if (Value == FMinimum)
        return;
    FMinimum = Value;
    if (FMinimum > FMaximum)
        SetMaximum(FMinimum);
    Changed(false);
}

void TFuzzyVariable::SetMaximum(TFzyFloat Value) {
    if (Value == FMaximum)
        return;
    FMaximum = Value;
    if (FMinimum > FMaximum)
        SetMinimum(FMaximum);
    Changed(false);
}

void TFuzzyVariable::SetThreshold(TFzyFloat Value) {
    if (Value != FThreshold)
        FThreshold = std::clamp(Value, 0.0, 1.0);
}

void TFuzzyVariable::SetItemIndex(int Value) {
    if (Value == FItemIndex)
        return;
    if (Value >= FItems->GetCount())
        throw EFzyException(SListIndexError, Value);
    FItemIndex = Value;
    Changed(false);
}

void TFuzzyVariable::SetItems(const TFuzzySets* Value) {
    FItems->Assign(Value);
}

const TFuzzyVariables* TFuzzyVariable::GetCollection() const {
    // Variables nearly always live in a collection of exactly that class.
    return DynamicCastExactFirst<const TFuzzyVariables>(TGCollectionItem::GetCollection());
}

TFuzzyVariables* TFuzzyVariable::GetCollection() {
    return DynamicCastExactFirst<TFuzzyVariables>(TGCollectionItem::GetCollection());
}

const TFuzzyLogic* TFuzzyVariable::GetFuzzy() const {
    const TFuzzyVariables* variables = GetCollection();
    return variables != nullptr ? variables->GetFuzzy() : nullptr;
}

TFuzzyLogic* TFuzzyVariable::GetFuzzy() {
    TFuzzyVariables* variables = GetCollection();
    return variables != nullptr ? variables->GetFuzzy() : nullptr;
}

void TFuzzyVariable::Notify(TFuzzySet* FuzzySet, TCollectionNotification Action) {
    if (TFuzzyVariables* variables = GetCollection())
        variables->NotifyFuzzySet(FuzzySet, Action);
    else
        Changed(false);
}

void TFuzzyVariable::Update(TFuzzySet* FuzzySet) {
    if (FItems->GetCount() <= FItemIndex)
        FItemIndex = FItems->GetCount() - 1;
    TFuzzyVariables* variables = GetCollection();
    if (FuzzySet != nullptr && variables != nullptr)
        variables->UpdateFuzzySet(FuzzySet);
    else
        Changed(false);
}

TFzyFloat
TFuzzyVariable::GetCorrelationStrength(std::span<const TFuzzySet* const> Premises,
                                       std::span<const TFuzzySet* const> Matchings) const {
    if (Matchings.size() < Premises.size())
        throw EArgumentOutOfRangeException(SPremisesWithoutFacts, static_cast<int>(Premises.size()),
                                           static_cast<int>(Matchings.size()));
    TFzyFloat strength = 1.0;
    for (std::size_t i = 0; i < Premises.size(); ++i)
        strength = std::min(strength, Required(Premises[i], "premise")
                                          .GetCorrelationStrength(&Required(Matchings[i], "fact")));
    return strength;
}

TFuzzySet* TFuzzyVariable::AssertRule(TFzyFloat CorrelationStrength, const TFuzzySet* NewEvidence,
                                      TFuzzySet* OldEvidence) {
    const TFuzzySet& consequent = Required(NewEvidence, "consequent");
    if (CorrelationStrength < FThreshold)
        return nullptr;
    std::unique_ptr<TFuzzySet> correlated(consequent.Clone());
    correlated->Correlate(CorrelationStrength);
    if (OldEvidence == nullptr)
        return correlated.release();
    return OldEvidence->Infer(correlated.get(), false);
}

TFuzzySet* TFuzzyVariable::AssertRule(const TFuzzySet* Premise, const TFuzzySet* NewEvidence,
                                      const TFuzzySet* Matching, TFuzzySet* OldEvidence) {
    return AssertRule(Required(Premise, "premise").GetCorrelationStrength(Matching), NewEvidence,
                      OldEvidence);
}

TFuzzySet* TFuzzyVariable::AssertRule(std::span<const TFuzzySet* const> Premises,
                                      std::span<const TFuzzySet* const> Matchings,
                                      const TFuzzySet* NewEvidence, TFuzzySet* OldEvidence) {
    return AssertRule(GetCorrelationStrength(Premises, Matchings), NewEvidence, OldEvidence);
}

} // namespace fuzzy
