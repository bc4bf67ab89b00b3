#pragma once
// The reference-counted side of the library; so far the definition language's token
// classes and the process-wide unique counter.

#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "IFuzzyLogic/UniqueID.hpp"
