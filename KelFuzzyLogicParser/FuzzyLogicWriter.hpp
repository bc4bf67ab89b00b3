#pragma once
// The writer of the definition language: variables and terms back to text that the parser
// reads again.

#include <string>

#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"

namespace fuzzy {

class TFuzzySet;
class TFuzzyVariable;

/// The definition text of a set. As a term (AsTerm true): '(term name "comment" body)',
/// the body chosen by the set's type (its expression text or point list, or a call of
/// "tri", "z", "s", "pi" or "beta" when that call makes the same points again), numbers
/// with four decimals, the name escaped so that it reads back whole. Otherwise the text
/// that stands for the set inside an expression: its name, or its expression text when it
/// carries the placeholder name. Never throws for any state of the set.
[[nodiscard]] std::string PrettyPrintFuzzySet(const TFuzzySet& FuzzySet, bool AsTerm);

/// The definition text of a variable: a 'deffuzzy' form with its comment, range, units
/// and its defined terms in collection order, lines ending in CR LF (none after the final
/// ")"). Terms that are not defined (auxiliary sets of expressions) are left out.
[[nodiscard]] std::string PrettyPrintFuzzyVariable(const TFuzzyVariable& Variable);

/// Text written as an atom that reads back as Text: each character after the first that
/// would end the atom (white space, a breaking character, the escape character itself) is
/// escaped by a backslash.
[[nodiscard]] std::string AsAtom(const std::string& Text);

/// Text between double quotes, each double quote and backslash escaped by a backslash,
/// so that the reader gives back exactly Text.
[[nodiscard]] std::string QuotedString(const std::string& Text);

/// An expression's tokens written back as the reader reads them: "?" variables with their
/// mark, strings quoted, groups in round parentheses, tokens separated by one space.
[[nodiscard]] std::string WriteExpressionTokens(const IFuzzyStreamTokenList& Tokens);

} // namespace fuzzy
