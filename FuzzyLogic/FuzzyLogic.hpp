#pragma once
// The membership functions: point lists and fuzzy sets.

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValue.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
