#pragma once
// The writer of rules: the "(rules ...)" form of the definition language.

#include <string>

namespace fuzzy {

class TFuzzyRule;
class TFuzzyRules;

/// The definition text of one rule on one line, without its weight:
/// '(rule (if (is error cold)) (then (is power full)))'. What a stored rule keeps beside its
/// exact weight.
[[nodiscard]] std::string PrettyPrintUnweightedFuzzyRule(const TFuzzyRule& Rule);
/// The definition text of one rule on one line:
/// '(rule (if (and (is error cold) (not (is rate very falling)))) (then (is power full)))',
/// with '(weight 0.5000)' after the conclusions when the weight does not round to 1.0000. One
/// premise joined by "and" is written bare, '(if (is error cold))'; any other connective keeps its
/// form, so the text reads back to the same rule. Names are escaped so that they read back
/// whole; the weight has four decimals.
[[nodiscard]] std::string PrettyPrintFuzzyRule(const TFuzzyRule& Rule);

/// The rule block: '(rules ' and a line break, each rule indented on a line of its own, and
/// ')' on the last line; lines end in CR LF (none after the final ")").
[[nodiscard]] std::string PrettyPrintFuzzyRules(const TFuzzyRules& Rules);

} // namespace fuzzy
