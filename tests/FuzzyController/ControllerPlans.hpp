#pragma once
// Plans for the compiled controller built from logic components: the heater controller's
// and random ones, with the rule pass on the object model that each must reproduce.

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FuzzyController/FuzzyCompiledController.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "examples/HeaterController.hpp"
#include "examples/HeaterPlan.hpp"

namespace fuzzy::test {

using controller::TPlan;
using controller::TPoint;

/// One premise of a random rule on the object model: the premise set (a term, or a free
/// hedged copy of one) and its input.
struct TRandomPremise {
    std::size_t Input;
    const TFuzzySet* Set;
};

struct TRandomConclusion {
    std::size_t Output;
    const TFuzzySet* Term;
};

struct TRandomRule {
    std::vector<TRandomPremise> Premises;
    controller::TPlanConnective Connective;
    TFuzzyOperation Family;
    TFzyFloat Weight;
    std::vector<TRandomConclusion> Conclusions;
};

/// A random controller on a logic component: 1 to 4 inputs and 1 to 2 outputs with 2 to 7
/// terms each that cover only part of their range, 1 to 40 rules with mixed connectives,
/// hedged and negated premises and weights, and random methods of the component.
class TRandomRuleBase {
public:
    /// MinMaxOnly keeps the inference by maximum (the textbook controller's reference
    /// knows no other).
    TRandomRuleBase(std::mt19937& Random, bool MinMaxOnly);

    /// The rule pass on the object model, by AssertRule: each output's value, NaN where
    /// no rule fired. Inputs are clamped into their ranges first.
    std::vector<TFzyFloat> Evaluate(const std::vector<TFzyFloat>& Inputs) const;
    /// The same controller as a plan.
    TPlan Plan() const;

    const std::vector<TFuzzyVariable*>& Inputs() const { return FInputs; }
    const std::vector<TFuzzyVariable*>& Outputs() const { return FOutputs; }
    TFuzzyLogic& Logic() const { return *FLogic; }
    const std::vector<TRandomRule>& Rules() const { return FRules; }

private:
    TFuzzyVariable* AddVariable(std::mt19937& Random, const std::string& Name);
    const TFuzzySet* PremiseSet(std::mt19937& Random, const TFuzzyVariable& Input);

    std::unique_ptr<TFuzzyLogic> FLogic{TFuzzyLogic::Create(nullptr)};
    std::vector<TFuzzyVariable*> FInputs;
    std::vector<TFuzzyVariable*> FOutputs;
    std::vector<std::unique_ptr<TFuzzySet>> FHedged;
    std::vector<TRandomRule> FRules;
};

} // namespace fuzzy::test
