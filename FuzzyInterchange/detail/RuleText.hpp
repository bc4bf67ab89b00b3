#pragma once
// The rule text FLL and FCL share: "if A is very x and B is not y then C is z with 0.5".
// Keywords are read without case; FCL writes them in capitals.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy::interchange {

/// The library's connectives that a rule block gives to "and" and "or"; empty where the
/// block sets none.
struct TBlockConnectives {
    std::string And;
    std::string Or;
    bool operator==(const TBlockConnectives&) const = default;
};

/// Reads one rule from its words (parentheses may stand alone or stick to a word).
/// Parentheses only group: a rule joins all its premises with one connective, "and" or
/// "or", which the block's method turns into the library's word. Raises
/// EFzyInterchangeException at the line of the offending word for a syntax error, mixed
/// connectives, unbalanced parentheses, a connective the block sets no method for, or a
/// hedge the library does not have ("very" is the square, "somewhat" the square root,
/// which the library calls "moreorless").
[[nodiscard]] TRuleDescription ReadRule(std::span<const TWord> Words,
                                        const TBlockConnectives& Block);

/// The rule's text. Raises EFzyInterchangeException for a hedge the format has no word
/// for.
[[nodiscard]] std::string WriteRule(const TRuleDescription& Rule, bool CapitalKeywords,
                                    std::string_view Format);

/// A run of consecutive rules that one rule block can hold: the rules' "and" all mean the
/// same connective, and so do their "or".
struct TRuleGroup {
    TBlockConnectives Connectives;
    std::size_t First = 0;
    std::size_t Count = 0;
};

/// The rules cut into as few consecutive groups as keep each group's connectives one; the
/// order of the rules stays. No rules give one empty group.
[[nodiscard]] std::vector<TRuleGroup> GroupRules(const std::vector<TRuleDescription>& Rules);

} // namespace fuzzy::interchange
