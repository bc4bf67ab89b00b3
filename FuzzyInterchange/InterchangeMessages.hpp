#pragma once
// The messages of the interchange readers and writers, raised as EFzyInterchangeException
// (which puts "line N: " in front when there is a line) and formatted with their arguments
// (%s text, %d integer). Numbers are given as text, as the file wrote them.

namespace fuzzy {

// Reading any of the formats.
inline constexpr const char* SIcExpectedNumber = "Expected a number, found \"%s\"";
inline constexpr const char* SIcUnexpectedEnd = "The text ends inside %s";
inline constexpr const char* SIcExpected = "Expected %s, found \"%s\"";
inline constexpr const char* SIcUnknownKey = "Unknown %s \"%s\"";
inline constexpr const char* SIcUnknownShape =
    "The term shape \"%s\" has no counterpart in the library";
inline constexpr const char* SIcParameterCount = "%s takes %d numbers, not %d";
inline constexpr const char* SIcPointPairsExpected = "%s takes X Y pairs, at least one";
inline constexpr const char* SIcInvalidShapeParameters =
    "The numbers of this %s make no such shape";
inline constexpr const char* SIcTermHeight =
    "A term height other than 1 has no counterpart in the library";
inline constexpr const char* SIcCurveNotADegree =
    "The %s curve gives a degree outside [0, 1] in the range";
inline constexpr const char* SIcCurveTooSteep =
    "The %s curve is too steep to follow within 0.001 at the library's X tolerance of 0.0001";
inline constexpr const char* SIcTooManyPolylinePoints = "The %s curve needs more than %d points";
inline constexpr const char* SIcUnsupported = "The %s \"%s\" has no counterpart in the library";
inline constexpr const char* SIcConflictingMethod =
    "The %s \"%s\" differs from \"%s\" used before; the library has one for the whole controller";
inline constexpr const char* SIcUnsupportedSetting = "\"%s: %s\" has no counterpart in the library";
inline constexpr const char* SIcDuplicate = "%s \"%s\" is defined twice";
inline constexpr const char* SIcNoRange =
    "The variable \"%s\" has no range and no terms to take one from";
inline constexpr const char* SIcInvalidRange =
    "The range of \"%s\" must be finite numbers, the first below the second";
inline constexpr const char* SIcInvalidThreshold = "The firing threshold %s is outside [0, 1]";
inline constexpr const char* SIcCountMismatch = "%s says %d but %d follow";

// Rules.
inline constexpr const char* SIcMixedConnectives =
    "Rule mixes \"%s\" and \"%s\"; the library has one connective per rule";
inline constexpr const char* SIcUnbalancedParentheses = "Rule has unbalanced parentheses";
inline constexpr const char* SIcUnsupportedHedge =
    "The hedge \"%s\" has no counterpart in the library";
inline constexpr const char* SIcNoConnectiveMethod =
    "Rule uses \"%s\" but the block sets no method for it";
inline constexpr const char* SIcUnknownRuleVariable = "Rule names the unknown variable \"%s\"";
inline constexpr const char* SIcUnknownRuleTerm = "Rule names the unknown term \"%s\" of \"%s\"";
inline constexpr const char* SIcConclusionOnInput = "Rule concludes on the input variable \"%s\"";
inline constexpr const char* SIcInvalidWeight = "Rule weight %s is outside [0, 1]";
inline constexpr const char* SIcEmptyRule = "Rule needs at least one premise and one conclusion";
inline constexpr const char* SIcInvalidConnective =
    "Rule connective \"%s\" is not a word of the library";
inline constexpr const char* SIcMissingConnective =
    "Rule joins several premises without a connective";
inline constexpr const char* SIcInvalidHedge = "Rule hedge \"%s\" is not a word of the library";
inline constexpr const char* SIcRuleHedgeIndex =
    "Rule index %s is not a whole number; hedges in FIS rules have no counterpart in the library";

// Writing a description.
inline constexpr const char* SIcUnwritableName = "The name \"%s\" cannot be written in %s";
inline constexpr const char* SIcUnwritableText =
    "The text \"%s\" cannot be written on one line of %s";
inline constexpr const char* SIcUnwritable = "The %s \"%s\" cannot be written in %s";
inline constexpr const char* SIcThresholdInFcl =
    "FCL has no firing threshold; set the threshold to 0 to write it (it is %s)";

// The bridge to a logic component.
inline constexpr const char* SIcUnknownOutput = "The logic component has no variable \"%s\"";

} // namespace fuzzy
