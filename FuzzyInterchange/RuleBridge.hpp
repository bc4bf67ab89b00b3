#pragma once
// Between a controller description's rules and a logic component's rule block, so that a
// controller read from an interchange format runs as rule objects and rule objects can be
// written out in those formats.

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyRules/FuzzyRuleBlock.hpp"

namespace fuzzy {

/// Appends the description's rules to Rules. A description lists a premise's hedges
/// outermost first; a rule applies them in the order it holds them, so they are taken
/// innermost first. A rule without a connective (one premise) takes "and". Raises
/// EFzyInterchangeException for a hedge word the library does not know, and the rule's own
/// exceptions for a connective or weight it refuses; the rules before it stay added.
void FillFuzzyRules(const TControllerDescription& Description, TFuzzyRules& Rules);

/// Appends Rules to the description's rules: hedges as the library's words, outermost
/// first; the connective of a rule with one premise left empty.
void DescribeFuzzyRules(const TFuzzyRules& Rules, TControllerDescription& Description);

} // namespace fuzzy
