#pragma once
// Membership functions, linguistic variables and the logic component.

// The exceptions its classes raise.
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "platform/Exceptions.hpp"

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
