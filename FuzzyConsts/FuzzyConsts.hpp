#pragma once
// The vocabulary of the fuzzy library: floating type and enumerations, keyword tables,
// names of derived sets and keyword recognisers, message texts and exceptions.

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
