#pragma once
// Messages of the common library's lexing support.

namespace fuzzy {

/// A string still open when the text ends.
inline constexpr const char* SUnbalancedString = "Unbalanced string: the text ends inside a string";
/// A lexer asked to make a token of a kind it does not know; the argument is the kind code.
inline constexpr const char* SInvalidTokenKind = "Invalid token kind: %s";

} // namespace fuzzy
