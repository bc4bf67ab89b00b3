#pragma once
// What one evaluation of the rules found, for a host to show why the controller answered
// what it did.

#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy {

/// One crisp input as given and as used: clamped into its variable's range.
struct TFuzzyInputReport {
    std::string Variable;
    TFzyFloat Value = 0;
    TFzyFloat UsedValue = 0;
    bool Clamped = false;
};

/// The strengths of one rule: of each premise against its input's fact, in written order,
/// and of the rule (the premises joined by its connective, times its weight).
struct TFuzzyRuleReport {
    int Rule = 0; // the rule's index in its block
    std::vector<TFzyFloat> PremiseStrengths;
    TFzyFloat Strength = 0;
};

/// One conclusion of a rule on an output: asserted with the rule's strength, fired when
/// that reached the output variable's threshold.
struct TFuzzyConclusionReport {
    int Rule = 0;
    std::string Term;
    TFzyFloat Strength = 0;
    bool Fired = false;
};

/// A point of a solution set.
struct TFuzzyPoint {
    TFzyFloat X = 0;
    TFzyFloat Y = 0;

    bool operator==(const TFuzzyPoint&) const = default;
};

/// One output: its conclusions in rule order, and, when at least one fired, the solution
/// set's points and its defuzzified value. When none fired, Fired is false, Value is NaN
/// and Solution is empty: never a number that could pass for an answer.
struct TFuzzyOutputReport {
    std::string Variable;
    std::vector<TFuzzyConclusionReport> Conclusions;
    std::vector<TFuzzyPoint> Solution;
    bool Fired = false;
    TFzyFloat Value = 0;
};

/// The whole of one evaluation: inputs, rules and outputs, each in the evaluator's order.
struct TFuzzyRuleExplanation {
    std::vector<TFuzzyInputReport> Inputs;
    std::vector<TFuzzyRuleReport> Rules;
    std::vector<TFuzzyOutputReport> Outputs;
};

} // namespace fuzzy
