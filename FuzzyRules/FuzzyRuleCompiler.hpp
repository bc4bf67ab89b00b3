#pragma once
// Rules compiled: the plan of a logic component's rules for a compiled controller, which
// then evaluates them with no allocation per pass, from many threads at once.

#include <vector>

#include "FuzzyController/FuzzyCompiledController.hpp"
#include "FuzzyRules/FuzzyRuleLogic.hpp"

namespace fuzzy {

/// The points of a set as a plan takes them.
[[nodiscard]] std::vector<controller::TPoint> CurvePoints(const TFuzzySet& Set);

/// The plan of Rules over Logic's variables, as TFuzzyRuleEvaluator runs them: inputs and
/// outputs in the order the rules first name them (the evaluator's GetInputNames and
/// GetOutputNames), each input's and output's range, each output's threshold, the
/// component's correlation, inference and defuzzification methods, each premise's curve
/// hedged as the evaluator hedges it (one curve per distinct term, hedges and negation of
/// an input), and each rule's connective, weight and conclusions' terms. Raises
/// EFzyRuleException, naming the rule, for a rule without premise or conclusion and for a
/// variable or term that Logic does not have.
[[nodiscard]] controller::TPlan MakeControllerPlan(const TFuzzyLogic& Logic,
                                                   const TFuzzyRules& Rules);

/// The component's own rules compiled in the given semantics.
[[nodiscard]] controller::TCompiledController
CompileFuzzyRules(const TFuzzyRuleLogic& Logic,
                  controller::TSemantics Semantics = controller::TSemantics::smLibrary);

} // namespace fuzzy
