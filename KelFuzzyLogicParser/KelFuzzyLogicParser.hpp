#pragma once
// The definition language: the token stream, the parser component with its expression
// evaluator, and the writer.

// The exceptions its classes raise.
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "platform/Exceptions.hpp"

#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "KelFuzzyLogicParser/ParserComponent.hpp"
#include "KelFuzzyLogicParser/ParserMessages.hpp"
#include "KelFuzzyLogicParser/ParserProperties.hpp"
