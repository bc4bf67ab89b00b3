#pragma once
// Evaluating a rule block through the library's own rule path.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyRules/FuzzyRuleExplanation.hpp"
#include "FuzzyRules/FuzzyRuleLogic.hpp"

namespace fuzzy {

/// Runs rules over the variables of a logic component, one pass per Evaluate:
///
///  1. each input's crisp value, clamped into its variable's range, becomes a fact: a free
///     set made by CreateCrispValue, owned by the evaluator;
///  2. a premise's strength is the correlation strength of its set with the fact, the set
///     being a free copy of its term with its hedges applied in written order and, when
///     negated, "not" last; the copies are made once, when the rules are prepared;
///  3. a rule's strength folds its premises left to right with its connective (the
///     intersection or union formula of its operation family), times its weight;
///  4. the rules run in their order, and each conclusion asserts its term on its output
///     variable (AssertRule: the variable's threshold, the component's correlation and
///     inference methods) into that output's solution;
///  5. each output's value is its solution's Defuzzify (the component's method); an output
///     on which no rule fired has none (NaN, and the explanation says so).
///
/// The solutions AssertRule makes are terms of the output variables; every one is deleted
/// as soon as it is replaced or defuzzified (also when an exception leaves the pass), so
/// every variable's terms are after a pass as they were before it.
///
/// The rules are copied when prepared (by the constructor): changing the block or the
/// terms that premises name afterwards takes effect in a new evaluator. Variables and the
/// terms of conclusions are looked up by name at each pass, so a variable removed since
/// fails with EFzyException rather than being reached. Not thread-safe: a pass changes the
/// output variables' terms.
class TFuzzyRuleEvaluator {
public:
    /// Prepares Rules over Logic's variables. Raises EFzyRuleException, naming the rule's
    /// index, for a rule without premise or conclusion and for a variable or term that
    /// Logic does not have. The hedges' own errors propagate.
    TFuzzyRuleEvaluator(TFuzzyLogic& Logic, const TFuzzyRules& Rules);
    /// Prepares the component's own rules.
    explicit TFuzzyRuleEvaluator(TFuzzyRuleLogic& Logic);
    ~TFuzzyRuleEvaluator();
    TFuzzyRuleEvaluator(const TFuzzyRuleEvaluator&) = delete;
    TFuzzyRuleEvaluator& operator=(const TFuzzyRuleEvaluator&) = delete;

    /// The variables premises name, in the order the rules first name them.
    const std::vector<std::string>& GetInputNames() const { return FInputNames; }
    /// The variables conclusions name, in the order the rules first name them.
    const std::vector<std::string>& GetOutputNames() const { return FOutputNames; }

    /// Gives an input its crisp value for the next passes. EArgumentOutOfRangeException for
    /// NaN or an infinity, EFzyRuleException for a variable no premise names; the input
    /// keeps its value.
    void SetInput(const std::string& Variable, TFzyFloat Value);
    /// One pass over the rules (see the class comment). EFzyRuleException when an input has
    /// no value yet.
    void Evaluate();
    /// The output's value after the last pass, NaN when no rule fired for it.
    /// EFzyRuleException for a variable no conclusion names, or before the first pass.
    [[nodiscard]] TFzyFloat GetOutput(const std::string& Variable) const;
    /// The last pass in full. EFzyRuleException before the first pass.
    [[nodiscard]] const TFuzzyRuleExplanation& GetExplanation() const;
    /// The last pass as text, one line per input, rule and output: each rule's strength
    /// with its premises' strengths, marked "fired" on the outputs where it fired.
    [[nodiscard]] std::string Describe() const;

private:
    struct TPremise;
    struct TConclusion;
    struct TRule;

    void Prepare(const TFuzzyRules& Rules);
    /// The variable named Name, looked up afresh.
    TFuzzyVariable* Variable(const std::string& Name) const;
    void MakeFacts();
    void RunRules(const std::vector<TFuzzyVariable*>& Outputs,
                  std::vector<std::unique_ptr<TFuzzySet>>& Solutions);

    TFuzzyLogic& FLogic;
    std::vector<std::string> FInputNames;
    std::vector<std::string> FOutputNames;
    std::vector<TRule> FRules;
    std::vector<std::string> FRuleTexts;
    std::vector<TFzyFloat> FInputValues;
    std::vector<bool> FInputGiven;
    std::vector<std::unique_ptr<TFuzzySet>> FFacts;
    TFuzzyRuleExplanation FExplanation;
    bool FEvaluated = false;
};

} // namespace fuzzy
