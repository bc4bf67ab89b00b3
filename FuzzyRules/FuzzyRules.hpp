#pragma once
// Rules as objects: rules and the rule block of a logic component, their text form in the
// definition language, and their evaluation through the library's rule path, explained.

// The exceptions its classes raise.
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "platform/Exceptions.hpp"

#include "FuzzyRules/FuzzyRule.hpp"
#include "FuzzyRules/FuzzyRuleBlock.hpp"
#include "FuzzyRules/FuzzyRuleCompiler.hpp"
#include "FuzzyRules/FuzzyRuleEvaluator.hpp"
#include "FuzzyRules/FuzzyRuleExplanation.hpp"
#include "FuzzyRules/FuzzyRuleLogic.hpp"
#include "FuzzyRules/FuzzyRuleMessages.hpp"
#include "FuzzyRules/FuzzyRuleParser.hpp"
#include "FuzzyRules/FuzzyRuleProperties.hpp"
#include "FuzzyRules/FuzzyRuleWriter.hpp"
