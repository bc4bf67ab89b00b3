#pragma once
// Storing rules with the component model (platform/ComponentText.hpp).

#include <string>

namespace fuzzy {

class TFuzzyRule;

/// Registers TFuzzyRule, TFuzzyRuleLogic and TKelFuzzyRuleParser, and with them every class
/// of the component model and its parser (RegisterFuzzyLogicParserClasses). A logic
/// component stores its rules in Rules, one item each: the rule's Definition (its text
/// without the weight, which keeps four decimals only) and its exact Weight when not 1.
/// Calling it again is harmless.
void RegisterFuzzyRuleClasses();

/// Reads Text, one "(rule ...)" form as the rule writer writes it (a weight clause is
/// allowed), into Rule. EFzyParseException for text that does not read, EFzyRuleException
/// for text that reads but is not exactly one rule; Rule is unchanged then.
void ReadFuzzyRuleDefinition(const std::string& Text, TFuzzyRule& Rule);

} // namespace fuzzy
