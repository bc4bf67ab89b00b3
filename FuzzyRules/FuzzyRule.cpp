#include "FuzzyRules/FuzzyRule.hpp"

#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyRules/FuzzyRuleMessages.hpp"
#include "FuzzyRules/FuzzyRuleWriter.hpp"

namespace fuzzy {

bool IsFuzzyRuleConnective(const std::string& Word, TFuzzyConnective& Connective) {
    bool isUnion = false;
    TFuzzyOperation family{};
    if (!IsFuzzyKeyword(Word, isUnion, family))
        return false;
    // The sum family only unites: its intersection word names no formula.
    if (!isUnion && family == TFuzzyOperation::foSum)
        return false;
    Connective = {family, isUnion};
    return true;
}

TFuzzyRule* TFuzzyRule::Create(TCollection* Collection) {
    return Join(std::unique_ptr<TFuzzyRule>(new TFuzzyRule()), Collection);
}

void TFuzzyRule::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TFuzzyRule>(Source);
    if (source == nullptr)
        return;
    FPremises = source->FPremises;
    FConclusions = source->FConclusions;
    FConnective = source->FConnective;
    FFamily = source->FFamily;
    FWeight = source->FWeight;
    Changed(false);
}

std::string TFuzzyRule::ToString() const {
    return PrettyPrintFuzzyRule(*this);
}

void TFuzzyRule::SetPremises(std::vector<TFuzzyPremise> Value) {
    FPremises = std::move(Value);
    Changed(false);
}

void TFuzzyRule::AddPremise(TFuzzyPremise Premise) {
    FPremises.push_back(std::move(Premise));
    Changed(false);
}

void TFuzzyRule::SetConclusions(std::vector<TFuzzyConclusion> Value) {
    FConclusions = std::move(Value);
    Changed(false);
}

void TFuzzyRule::AddConclusion(TFuzzyConclusion Conclusion) {
    FConclusions.push_back(std::move(Conclusion));
    Changed(false);
}

void TFuzzyRule::SetConnective(const std::string& Value) {
    TFuzzyConnective family;
    if (!IsFuzzyRuleConnective(Value, family))
        throw EFzyRuleException(SRuleInvalidConnective, Value);
    if (Value == FConnective)
        return;
    FConnective = Value;
    FFamily = family;
    Changed(false);
}

void TFuzzyRule::SetWeight(TFzyFloat Value) {
    if (!IsValidRuleWeight(Value))
        throw EFzyRuleException(SRuleWeightOutOfRange, Value);
    if (Value == FWeight)
        return;
    FWeight = Value;
    Changed(false);
}

} // namespace fuzzy
