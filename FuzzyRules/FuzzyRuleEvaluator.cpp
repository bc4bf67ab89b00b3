#include "FuzzyRules/FuzzyRuleEvaluator.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyRules/FuzzyRuleMessages.hpp"
#include "FuzzyRules/detail/RuleResolution.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"

namespace fuzzy {

/// A premise ready to run: the fact it meets and its term's free, hedged copy.
struct TFuzzyRuleEvaluator::TPremise {
    std::size_t Input = 0;
    std::unique_ptr<TFuzzySet> Set;
};

struct TFuzzyRuleEvaluator::TConclusion {
    std::size_t Output = 0;
    std::string Term;
};

struct TFuzzyRuleEvaluator::TRule {
    int Index = 0;
    std::vector<TPremise> Premises;
    TFuzzyConnective Connective;
    TFzyFloat Weight = 1;
    std::vector<TConclusion> Conclusions;
};

TFuzzyRuleEvaluator::TFuzzyRuleEvaluator(TFuzzyLogic& Logic, const TFuzzyRules& Rules)
    : FLogic(Logic) {
    Prepare(Rules);
}

TFuzzyRuleEvaluator::TFuzzyRuleEvaluator(TFuzzyRuleLogic& Logic)
    : TFuzzyRuleEvaluator(Logic, *Logic.GetRules()) {}

TFuzzyRuleEvaluator::~TFuzzyRuleEvaluator() = default;

TFuzzyVariable* TFuzzyRuleEvaluator::Variable(const std::string& Name) const {
    return FLogic.GetItems()->GetItemByName(Name);
}

void TFuzzyRuleEvaluator::Prepare(const TFuzzyRules& Rules) {
    const TFuzzyVariables& variables = *FLogic.GetItems();
    for (const TFuzzyRule* source : Rules) {
        rules::CheckComplete(*source);
        const int index = source->GetIndex();
        TRule& rule = FRules.emplace_back();
        rule.Index = index;
        rule.Connective = source->GetConnectiveFamily();
        rule.Weight = source->GetWeight();
        for (const TFuzzyPremise& premise : source->GetPremises()) {
            const TFuzzySet& term = rules::TermOf(
                rules::VariableOf(variables, premise.Variable, index), premise.Term, index);
            rule.Premises.push_back({rules::IndexOfName(FInputNames, premise.Variable),
                                     rules::PremiseSet(term, premise)});
        }
        for (const TFuzzyConclusion& conclusion : source->GetConclusions()) {
            (void)rules::TermOf(rules::VariableOf(variables, conclusion.Variable, index),
                                conclusion.Term, index);
            rule.Conclusions.push_back(
                {rules::IndexOfName(FOutputNames, conclusion.Variable), conclusion.Term});
        }
        FRuleTexts.push_back(source->ToString());
    }
    FInputValues.assign(FInputNames.size(), 0);
    FInputGiven.assign(FInputNames.size(), false);
    for (std::size_t i = 0; i < FInputNames.size(); ++i)
        FFacts.emplace_back(TFuzzySet::Create(nullptr));
}

void TFuzzyRuleEvaluator::SetInput(const std::string& VariableName, TFzyFloat Value) {
    const auto found = std::ranges::find(FInputNames, VariableName);
    if (found == FInputNames.end())
        throw EFzyRuleException(SRuleUnknownInput, VariableName);
    if (!std::isfinite(Value))
        throw EArgumentOutOfRangeException(SRuleInputNotANumber, VariableName);
    const auto index = static_cast<std::size_t>(found - FInputNames.begin());
    FInputValues[index] = Value;
    FInputGiven[index] = true;
}

void TFuzzyRuleEvaluator::MakeFacts() {
    FExplanation.Inputs.resize(FInputNames.size());
    for (std::size_t i = 0; i < FInputNames.size(); ++i) {
        if (!FInputGiven[i])
            throw EFzyRuleException(SRuleInputMissing, FInputNames[i]);
        const TFuzzyVariable& variable = *Variable(FInputNames[i]);
        TFuzzyInputReport& input = FExplanation.Inputs[i];
        input.Variable = FInputNames[i];
        input.Value = FInputValues[i];
        input.UsedValue = std::clamp(input.Value, variable.GetMinimum(), variable.GetMaximum());
        input.Clamped = input.UsedValue != input.Value;
        FFacts[i]->CreateCrispValue(input.UsedValue);
    }
}

void TFuzzyRuleEvaluator::RunRules(const std::vector<TFuzzyVariable*>& Outputs,
                                   std::vector<std::unique_ptr<TFuzzySet>>& Solutions) {
    FExplanation.Rules.resize(FRules.size());
    for (std::size_t r = 0; r < FRules.size(); ++r) {
        const TRule& rule = FRules[r];
        TFuzzyRuleReport& report = FExplanation.Rules[r];
        report.Rule = rule.Index;
        report.PremiseStrengths.clear();
        for (const TPremise& premise : rule.Premises)
            report.PremiseStrengths.push_back(
                premise.Set->GetCorrelationStrength(FFacts[premise.Input].get()));
        TFzyFloat strength = report.PremiseStrengths.front();
        const auto [family, isUnion] = rule.Connective;
        for (std::size_t p = 1; p < report.PremiseStrengths.size(); ++p)
            strength = isUnion ? degrees::Unite(family, strength, report.PremiseStrengths[p])
                               : degrees::Intersect(family, strength, report.PremiseStrengths[p]);
        strength *= rule.Weight;
        report.Strength = strength;

        for (const TConclusion& conclusion : rule.Conclusions) {
            TFuzzyVariable& output = *Outputs[conclusion.Output];
            std::unique_ptr<TFuzzySet>& solution = Solutions[conclusion.Output];
            TFuzzySet* next = output.AssertRule(
                strength, output.GetItems()->GetItemByName(conclusion.Term), solution.get());
            if (next != nullptr)
                solution.reset(next); // the old solution leaves the output's terms
            FExplanation.Outputs[conclusion.Output].Conclusions.push_back(
                {rule.Index, conclusion.Term, strength, next != nullptr});
        }
    }
}

void TFuzzyRuleEvaluator::Evaluate() {
    FEvaluated = false;
    MakeFacts();
    std::vector<TFuzzyVariable*> outputs;
    FExplanation.Outputs.resize(FOutputNames.size());
    for (std::size_t o = 0; o < FOutputNames.size(); ++o) {
        outputs.push_back(Variable(FOutputNames[o]));
        FExplanation.Outputs[o].Variable = FOutputNames[o];
        FExplanation.Outputs[o].Conclusions.clear();
    }
    // Each solution is a term of its output variable; holding it here deletes it, and so
    // takes it out of the terms, whatever happens.
    std::vector<std::unique_ptr<TFuzzySet>> solutions(FOutputNames.size());
    RunRules(outputs, solutions);
    for (std::size_t o = 0; o < FOutputNames.size(); ++o) {
        TFuzzyOutputReport& output = FExplanation.Outputs[o];
        output.Solution.clear();
        output.Fired = solutions[o] != nullptr;
        output.Value = std::numeric_limits<TFzyFloat>::quiet_NaN();
        if (!output.Fired)
            continue;
        output.Value = solutions[o]->Defuzzify();
        for (const TFuzzySetValue* point : *solutions[o]->GetValues())
            output.Solution.push_back({point->GetX(), point->GetY()});
    }
    FEvaluated = true;
}

TFzyFloat TFuzzyRuleEvaluator::GetOutput(const std::string& VariableName) const {
    const TFuzzyRuleExplanation& explanation = GetExplanation();
    for (const TFuzzyOutputReport& output : explanation.Outputs)
        if (output.Variable == VariableName)
            return output.Value;
    throw EFzyRuleException(SRuleUnknownOutput, VariableName);
}

const TFuzzyRuleExplanation& TFuzzyRuleEvaluator::GetExplanation() const {
    if (!FEvaluated)
        throw EFzyRuleException(SRuleNotEvaluated);
    return FExplanation;
}

std::string TFuzzyRuleEvaluator::Describe() const {
    const TFuzzyRuleExplanation& explanation = GetExplanation();
    std::string text;
    for (const TFuzzyInputReport& input : explanation.Inputs) {
        text += Format("input %s = %.4f", input.Variable, input.Value);
        if (input.Clamped)
            text += Format(" (clamped to %.4f)", input.UsedValue);
        text += "\n";
    }
    for (std::size_t r = 0; r < explanation.Rules.size(); ++r) {
        const TFuzzyRuleReport& rule = explanation.Rules[r];
        text += Format("rule %d: strength %.4f, premises", rule.Rule, rule.Strength);
        for (const TFzyFloat strength : rule.PremiseStrengths)
            text += Format(" %.4f", strength);
        text += "  ";
        text += FRuleTexts[r];
        text += '\n';
    }
    for (const TFuzzyOutputReport& output : explanation.Outputs) {
        text += "output ";
        text += output.Variable;
        text += ": ";
        text += output.Fired ? Format("%.4f", output.Value) : std::string("no rule fired");
        text += ", fired:";
        for (const TFuzzyConclusionReport& conclusion : output.Conclusions)
            if (conclusion.Fired)
                text += Format(" rule %d (%s %.4f)", conclusion.Rule, conclusion.Term,
                               conclusion.Strength);
        text += "\n";
    }
    return text;
}

} // namespace fuzzy
