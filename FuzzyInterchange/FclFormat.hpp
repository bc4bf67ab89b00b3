#pragma once
// FCL, the fuzzy control language of IEC 61131-7 (FUNCTION_BLOCK, VAR_INPUT/VAR_OUTPUT,
// FUZZIFY/DEFUZZIFY with TERM, RANGE, METHOD, ACCU and DEFAULT, RULEBLOCK with AND, OR,
// ACT, ACCU and RULE n : IF ... THEN ... WITH w;): read into a controller description and
// written from one. docs/interchange.md lists what maps to what.

#include <string>
#include <string_view>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy {

/// Reads an FCL text. Keywords are read without case, names as written. Terms are point
/// lists "(x, y) ..." or named shapes "Triangle 0 5 10"; a variable without RANGE takes
/// the extent of its terms' points. Raises EFzyInterchangeException, with the line counted
/// from 1 in Text, for text that does not read and for every construct the library cannot
/// express (singleton terms, COGS and the other methods it does not have, methods that
/// differ between outputs, "DEFAULT := NC", ...).
[[nodiscard]] TControllerDescription ReadFcl(std::string_view Text);

/// Writes the description as FCL text that ReadFcl reads back to the same description,
/// units and comments aside (FCL has none). Point-list terms are written as points, the
/// other shapes by name. Raises EFzyInterchangeException for what FCL cannot hold: a name
/// that is not one word, a connective, hedge or method FCL has no name for, or a firing
/// threshold other than 0 (FCL fires every rule).
[[nodiscard]] std::string WriteFcl(const TControllerDescription& Description);

} // namespace fuzzy
