#pragma once
// Membership functions, linguistic variables and the logic component.

#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzyLogicProperties.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValue.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "FuzzyLogic/FuzzyVariables.hpp"
