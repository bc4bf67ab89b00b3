#pragma once
// The reference-counted side of the library: shared sets and variables, their logic
// component and name-keyed tables, the IFuzzyParser face of the parser component, the
// definition language's token classes and the process-wide unique counter.

// The exceptions its classes raise.
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "platform/Exceptions.hpp"

#include "IFuzzyLogic/FuzzyParserIntf.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"
#include "IFuzzyLogic/IFuzzySet.hpp"
#include "IFuzzyLogic/IFuzzyVariable.hpp"
#include "IFuzzyLogic/KelDictionary.hpp"
#include "IFuzzyLogic/KelHashTable.hpp"
#include "IFuzzyLogic/UniqueID.hpp"
