#pragma once
// The definition-language parser's own messages, raised as EFzyParseException inside the
// text "Parsing Error, <message> in <where> at line <n>: "<text>"". Kept word for word.

namespace fuzzy {

inline constexpr const char* SFzyMissingName = "Missing name";
inline constexpr const char* SFzyExpectedFuzzySet = "Expected \"( term\"";
inline constexpr const char* SFzyExpectedFuzzyDefinition = "Expected \"( deffuzzy\"";
inline constexpr const char* SFzyMissingOpenParens = "Expected \"(\"";
inline constexpr const char* SFzyMissingCloseParens = "Expected \")\"";
inline constexpr const char* SFzyExpectedNumber = "Expected number";
inline constexpr const char* SFzyExpectedKeyword = "Missing keyword.  Expected \"%s\"";
inline constexpr const char* SFzyMissingOperand =
    "Missing fuzzy operand to be modified by hedge: %s";
inline constexpr const char* SFzyUndefinedVariable = "fuzzy variable is not defined";
inline constexpr const char* SFzyInvalidToken = "Invalid item in fuzzy expression: %s";
inline constexpr const char* SFzyInvalidValuePair = "Invalid X/Y value pair: %s";
inline constexpr const char* SFzyUnexpectedToken = "Unexpected token: \"%s\"";
/// Parenthesised groups nested deeper than the reader follows; the argument is the limit.
inline constexpr const char* SFzyNestingTooDeep = "Groups nested more than %d levels deep";

} // namespace fuzzy
