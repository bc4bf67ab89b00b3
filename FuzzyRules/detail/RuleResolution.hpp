#pragma once
// What every consumer of a rule block does before running it: checking that each rule is
// complete, finding the variables and terms its names refer to, and building each
// premise's curve. The evaluator and the compiler of controllers share it, so a rule means
// the same to both.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "FuzzyRules/FuzzyRule.hpp"

namespace fuzzy::rules {

/// Raises EFzyRuleException, naming the rule's index, for a rule without premise or
/// without conclusion.
void CheckComplete(const TFuzzyRule& Rule);

/// The variable of Variables named Name; EFzyRuleException naming the rule when none is.
const TFuzzyVariable& VariableOf(const TFuzzyVariables& Variables, const std::string& Name,
                                 int Rule);

/// The term of Variable named Term; EFzyRuleException naming the rule when none is.
const TFuzzySet& TermOf(const TFuzzyVariable& Variable, const std::string& Term, int Rule);

/// A premise's curve: a copy of Term in no variable's terms (so it never shows in the
/// definition text, and hedging it leaves the term as it is), with the premise's hedges
/// applied in written order and, when the premise is negated, "not" last.
std::unique_ptr<TFuzzySet> PremiseSet(const TFuzzySet& Term, const TFuzzyPremise& Premise);

/// The index of Name in Names, appending it when it is not there yet: inputs and outputs
/// are numbered in the order the rules first name them.
std::size_t IndexOfName(std::vector<std::string>& Names, const std::string& Name);

} // namespace fuzzy::rules
