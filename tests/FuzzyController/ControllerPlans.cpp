#include "ControllerPlans.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "support/RandomVariables.hpp"

namespace fuzzy::test {

namespace {

controller::TPlanInput InputOf(const TFuzzyVariable& Variable) {
    return {Variable.GetName(), Variable.GetMinimum(), Variable.GetMaximum()};
}

controller::TPlanOutput OutputOf(const TFuzzyVariable& Variable) {
    return {Variable.GetName(), Variable.GetMinimum(), Variable.GetMaximum(),
            Variable.GetThreshold()};
}

void TakeMethods(const TFuzzyLogic& Logic, TPlan& Plan) {
    Plan.CorrelationMethod = Logic.GetCorrelationMethod();
    Plan.InferenceMethod = Logic.GetInferenceMethod();
    Plan.DefuzzificationMethod = Logic.GetDefuzzificationMethod();
}

// The index of Set's points among the plan's premise terms, added when new.
std::size_t PremiseTermIndex(TPlan& Plan, const TFuzzySet& Set) {
    const std::vector<TPoint> points = CurvePoints(Set);
    const auto found = std::find(Plan.PremiseTerms.begin(), Plan.PremiseTerms.end(), points);
    if (found != Plan.PremiseTerms.end())
        return static_cast<std::size_t>(found - Plan.PremiseTerms.begin());
    Plan.PremiseTerms.push_back(points);
    return Plan.PremiseTerms.size() - 1;
}

} // namespace

TRandomRuleBase::TRandomRuleBase(std::mt19937& Random, bool MinMaxOnly) {
    FLogic->SetAutoTerms(false); // only the random terms
    std::uniform_int_distribution<int> inputs(1, 4);
    std::uniform_int_distribution<int> outputs(1, 2);
    for (int v = inputs(Random); v > 0; --v)
        FInputs.push_back(AddVariable(Random, "in" + std::to_string(v)));
    for (int v = outputs(Random); v > 0; --v)
        FOutputs.push_back(AddVariable(Random, "out" + std::to_string(v)));
    std::uniform_int_distribution<int> correlation(0, 1);
    std::uniform_int_distribution<int> inference(0, 4);
    std::uniform_int_distribution<int> defuzzification(0, 1);
    FLogic->SetCorrelationMethod(static_cast<TFuzzyCorrelationMethod>(correlation(Random)));
    FLogic->SetInferenceMethod(MinMaxOnly ? TFuzzyInferenceMethod::fimMinMax
                                          : static_cast<TFuzzyInferenceMethod>(inference(Random)));
    FLogic->SetDefuzzificationMethod(
        MinMaxOnly ? TDefuzzificationMethod::dmCenterOfGravity
                   : static_cast<TDefuzzificationMethod>(defuzzification(Random)));

    std::uniform_int_distribution<int> rules(1, 40);
    std::uniform_int_distribution<int> family(0, 6);
    std::uniform_real_distribution<double> unit(0, 1);
    for (int r = rules(Random); r > 0; --r) {
        TRandomRule rule;
        rule.Connective = unit(Random) < 0.5 ? controller::TPlanConnective::pcAnd
                                             : controller::TPlanConnective::pcOr;
        rule.Family = static_cast<TFuzzyOperation>(family(Random));
        if (rule.Connective == controller::TPlanConnective::pcAnd &&
            rule.Family == TFuzzyOperation::foSum)
            rule.Family = TFuzzyOperation::foZadeh;
        rule.Weight = unit(Random) < 0.5 ? 1.0 : std::floor(8 * unit(Random) + 1) / 8;
        for (std::size_t i = 0; i < FInputs.size(); ++i)
            if (i == 0 || unit(Random) < 0.7)
                rule.Premises.push_back({i, PremiseSet(Random, *FInputs[i])});
        for (std::size_t o = 0; o < FOutputs.size(); ++o)
            if (o == 0 || unit(Random) < 0.5) {
                const TFuzzySets& terms = *FOutputs[o]->GetItems();
                std::uniform_int_distribution<int> term(0, terms.GetCount() - 1);
                rule.Conclusions.push_back({o, terms.GetItem(term(Random))});
            }
        FRules.push_back(std::move(rule));
    }
}

TFuzzyVariable* TRandomRuleBase::AddVariable(std::mt19937& Random, const std::string& Name) {
    return AddRandomVariable(Random, *FLogic, Name);
}

// A term of the input as it is, or a free copy hedged by "very" and/or negated.
const TFuzzySet* TRandomRuleBase::PremiseSet(std::mt19937& Random, const TFuzzyVariable& Input) {
    const TFuzzySets& terms = *Input.GetItems();
    std::uniform_int_distribution<int> pick(0, terms.GetCount() - 1);
    std::uniform_int_distribution<int> form(0, 5);
    const TFuzzySet* term = terms.GetItem(pick(Random));
    const int kind = form(Random);
    if (kind > 2)
        return term;
    FHedged.emplace_back(TFuzzySet::Create(nullptr));
    TFuzzySet& hedged = *FHedged.back();
    hedged.Assign(term);
    if (kind != 1)
        hedged.Hedge(TFuzzyHedge::fhVery);
    if (kind != 0)
        hedged.Hedge(TFuzzyHedge::fhNot);
    return &hedged;
}

std::vector<TFzyFloat> TRandomRuleBase::Evaluate(const std::vector<TFzyFloat>& Inputs) const {
    std::vector<std::unique_ptr<TFuzzySet>> facts;
    for (std::size_t i = 0; i < FInputs.size(); ++i) {
        facts.emplace_back(TFuzzySet::Create(nullptr));
        facts.back()->CreateCrispValue(
            std::clamp(Inputs[i], FInputs[i]->GetMinimum(), FInputs[i]->GetMaximum()));
    }
    std::vector<std::unique_ptr<TFuzzySet>> solutions(FOutputs.size());
    for (const TRandomRule& rule : FRules) {
        TFzyFloat strength = 0;
        for (std::size_t p = 0; p < rule.Premises.size(); ++p) {
            const TRandomPremise& premise = rule.Premises[p];
            const TFzyFloat next = premise.Set->GetCorrelationStrength(facts[premise.Input].get());
            strength = p == 0 ? next
                       : rule.Connective == controller::TPlanConnective::pcAnd
                           ? degrees::Intersect(rule.Family, strength, next)
                           : degrees::Unite(rule.Family, strength, next);
        }
        strength *= rule.Weight;
        for (const TRandomConclusion& conclusion : rule.Conclusions) {
            std::unique_ptr<TFuzzySet>& solution = solutions[conclusion.Output];
            if (TFuzzySet* next = FOutputs[conclusion.Output]->AssertRule(strength, conclusion.Term,
                                                                          solution.get()))
                solution.reset(next);
        }
    }
    std::vector<TFzyFloat> values;
    for (const auto& solution : solutions)
        values.push_back(solution ? solution->Defuzzify()
                                  : std::numeric_limits<TFzyFloat>::quiet_NaN());
    return values;
}

TPlan TRandomRuleBase::Plan() const {
    TPlan plan;
    for (const TFuzzyVariable* input : FInputs)
        plan.Inputs.push_back(InputOf(*input));
    for (const TFuzzyVariable* output : FOutputs)
        plan.Outputs.push_back(OutputOf(*output));
    TakeMethods(*FLogic, plan);
    for (const TRandomRule& rule : FRules) {
        controller::TPlanRule planned{{}, rule.Connective, rule.Family, rule.Weight, {}};
        for (const TRandomPremise& premise : rule.Premises)
            planned.Premises.push_back({premise.Input, PremiseTermIndex(plan, *premise.Set)});
        for (const TRandomConclusion& conclusion : rule.Conclusions)
            planned.Conclusions.push_back({conclusion.Output, CurvePoints(*conclusion.Term)});
        plan.Rules.push_back(std::move(planned));
    }
    return plan;
}

} // namespace fuzzy::test
