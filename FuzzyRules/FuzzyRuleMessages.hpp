#pragma once
// The messages of rules, their rule block and their evaluation, raised as EFzyRuleException
// (or EArgumentOutOfRangeException for an input that is not a number), and the reader's
// arguments of the parser's "Missing keyword" message. Kept word for word: hosts match them.

namespace fuzzy {

inline constexpr const char* SRuleWeightOutOfRange =
    "Invalid rule weight %.4f: expected a number from 0 to 1";
inline constexpr const char* SRuleInvalidConnective =
    "Invalid rule connective: \"%s\".  Expected an and or an or word of the operation families";
inline constexpr const char* SRuleWithoutPremise = "Rule %d has no premise";
inline constexpr const char* SRuleWithoutConclusion = "Rule %d has no conclusion";
inline constexpr const char* SRuleUnknownVariable =
    "Rule %d names an unknown fuzzy variable: \"%s\"";
inline constexpr const char* SRuleUnknownTerm =
    "Rule %d names an unknown term of the fuzzy variable %s: \"%s\"";
inline constexpr const char* SRuleUnknownInput =
    "No rule has a premise on the fuzzy variable \"%s\"";
inline constexpr const char* SRuleUnknownOutput =
    "No rule has a conclusion on the fuzzy variable \"%s\"";
inline constexpr const char* SRuleInputMissing = "No value given for the input variable \"%s\"";
inline constexpr const char* SRuleInputNotANumber =
    "Invalid input for the fuzzy variable \"%s\": not a finite number";
inline constexpr const char* SRuleNotOneRule = "Not one rule: %s";
inline constexpr const char* SRuleNotEvaluated = "The rules have not been evaluated yet";
inline constexpr const char* SFzyUnknownHedge = "Unknown hedge: \"%s\"";

// The words the reader expects, as arguments of "Missing keyword.  Expected "%s"".
inline constexpr const char* SRuleKeywordRule = "rule";
inline constexpr const char* SRuleKeywordIf = "if";
inline constexpr const char* SRuleKeywordThen = "then";
inline constexpr const char* SRuleKeywordWeight = "weight";
inline constexpr const char* SRuleKeywordPremise = "is or not";
inline constexpr const char* SRuleKeywordCondition = "is, not or a connective";
inline constexpr const char* SRuleKeywordConclusion = "is";

} // namespace fuzzy
