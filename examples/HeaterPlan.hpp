#pragma once
// The heater controller's rules as a plan for the compiled controller: the same variables,
// terms, rules and methods as the logic component the controller reads.

#include "FuzzyRules/FuzzyRuleCompiler.hpp"
#include "examples/HeaterController.hpp"

namespace fuzzy {

inline controller::TPlan HeaterPlan(const THeaterController& Heater) {
    return MakeControllerPlan(*Heater.GetLogic(), *Heater.GetLogic()->GetRules());
}

} // namespace fuzzy
