#pragma once
// The interface declarations of the reference-counted object model: fuzzy sets,
// linguistic variables, parsers, the callbacks that travel between them, the copying
// contract they share and the definition language's tokens.
//
// Callers hold sets and variables through TInterfacePtr and never free them; an object
// lives while references to it exist. To move from one interface of an object to another,
// use Supports: the type query answers S_OK (0) when the object implements the requested
// interface, and E_NOINTERFACE (0x80004002) when it does not, leaving the out reference
// empty. Asking a set for IFuzzyVariable, or a variable for IFuzzySet, gives the latter.

#include "FuzzyInterfaces/FuzzyEventsIntf.hpp"
#include "FuzzyInterfaces/FuzzyParserIntf.hpp"
#include "FuzzyInterfaces/FuzzySetIntf.hpp"
#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"
#include "FuzzyInterfaces/FuzzyVariableIntf.hpp"
#include "platform/Cloneable.hpp"
#include "platform/Interface.hpp"
