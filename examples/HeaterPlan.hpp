#pragma once
// The heater controller's nine rules as a plan for the compiled controller: the same
// variables, terms and methods as the logic component the controller reads.

#include <vector>

#include "FuzzyController/FuzzyCompiledController.hpp"
#include "examples/HeaterController.hpp"

namespace fuzzy {

/// The points of a set as a plan takes them.
inline std::vector<controller::TPoint> CurvePoints(const TFuzzySet& Set) {
    const kernels::TPoints points = Set.GetValues()->GetCurve().Points;
    return {points.begin(), points.end()};
}

/// "If the error is E and the rate is R, then the power is P", nine times: one premise
/// term per term of each input, rules joined by "and" (minimum), weight 1.
inline controller::TPlan HeaterPlan(const THeaterController& Heater) {
    const TFuzzyLogic& logic = *Heater.GetLogic();
    const TFuzzyVariables& variables = *logic.GetItems();
    controller::TPlan plan;
    for (const char* name : {"error", "rate"}) {
        const TFuzzyVariable& input = *variables.GetItemByName(name);
        plan.Inputs.push_back({input.GetName(), input.GetMinimum(), input.GetMaximum()});
    }
    const TFuzzyVariable& power = *Heater.GetPower();
    plan.Outputs.push_back(
        {power.GetName(), power.GetMinimum(), power.GetMaximum(), power.GetThreshold()});
    plan.CorrelationMethod = logic.GetCorrelationMethod();
    plan.InferenceMethod = logic.GetInferenceMethod();
    plan.DefuzzificationMethod = logic.GetDefuzzificationMethod();
    // Premise term k of input i is term k of its variable.
    std::vector<std::size_t> firstTerm;
    for (const controller::TPlanInput& input : plan.Inputs) {
        firstTerm.push_back(plan.PremiseTerms.size());
        for (const TFuzzySet* term : *variables.GetItemByName(input.Name)->GetItems())
            plan.PremiseTerms.push_back(CurvePoints(*term));
    }
    for (const THeaterRule& rule : Heater.GetRules())
        plan.Rules.push_back({{{0, firstTerm[0] + static_cast<std::size_t>(rule.Error->GetIndex())},
                               {1, firstTerm[1] + static_cast<std::size_t>(rule.Rate->GetIndex())}},
                              controller::TPlanConnective::pcAnd,
                              TFuzzyOperation::foZadeh,
                              1.0,
                              {{0, CurvePoints(*rule.Power)}}});
    return plan;
}

} // namespace fuzzy
