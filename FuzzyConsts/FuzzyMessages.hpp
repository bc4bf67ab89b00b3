#pragma once
// The library's message texts. They are raised as EFzyException, or as EFzyParseException
// when the definition language is at fault, formatted with their arguments through Format
// (%s text, %d integer, %.4f number with four decimals). Hosts match these texts, so they
// are kept word for word, double spaces included. A few are not raised by the library
// itself but belong to its vocabulary; the last three name the automatic terms.

namespace fuzzy {

inline constexpr const char* SFuzzySetEmpty = "Invalid operation: \"%s\".  Fuzzy set is empty";
inline constexpr const char* SInvalidFuzzySetName =
    "Invalid fuzzy set name, \"%s\" is a reserved word";
inline constexpr const char* SInvalidFuzzyVarName = "Invalid fuzzy variable name, \"%s\"";
inline constexpr const char* SMissingFuzzyVariable = "Missing fuzzy linguistic variable";
inline constexpr const char* SMax3XValues =
    "Invalid x value.  Maximum of 3 values with same X value: %.4f";
// Ends in '"%s:', a colon where a closing quote would be expected; kept as hosts see it.
inline constexpr const char* SInvalidFuzzyOperation = "Invalid fuzzy operation: \"%s:";
inline constexpr const char* SInvalidXRangeIndex =
    "Invalid index argument to GetXRange.  Index = %d";
inline constexpr const char* SInvalidRangeArguments =
    "Invalid range arguments.  Left (%.4f) is greater than right (%.4f)";
inline constexpr const char* SParserUnassigned = "Parser not assigned.  Cannot parse";
inline constexpr const char* SFzyParseError = "Parsing Error, %s in %s at line %s: \"%s\"";
inline constexpr const char* SFzyArgNumWrong =
    "Number of arguments for function, %s, incorrect.  Expected \"%s\"";
inline constexpr const char* SFzyArgMinNumWrong =
    "Minimum number of arguments for function, %s, incorrect.  Expected %d or more";
inline constexpr const char* SFzyArgTypeWrong =
    "Data Types of arguments for function, %s, incorrect.  Expected %s";
inline constexpr const char* SPIArgsExpected = "\"Left Right Center\" or \"Range Center\"";
inline constexpr const char* STriArgsExpected = "\"Left Middle Right\"";
inline constexpr const char* SCurveArgsExpected = "\"Left Right Inflection_Point\"";
inline constexpr const char* SBetaArgsExpected =
    "\"Range Center Inflection_Point\" or \"Range Center Inflection_Point Weight\"";
inline constexpr const char* SFuzzyLogicNotSet = "Fuzzy Logic component must be specified to parse";
inline constexpr const char* SFuzzyLogicNotTFuzzyLogic =
    "FuzzyLogic property must be of type TFuzzyLogic or descendant";
inline constexpr const char* SFuzzyLogicNotTIFuzzyLogic =
    "FuzzyLogic property must be of type TIFuzzyLogic or descendant";
inline constexpr const char* SUnknownFuzzySetName = "Unknown Fuzzy Set name: \"%s\"";
inline constexpr const char* SUnknownFuzzyVarName = "Unknown Fuzzy Variable name: \"%s\"";
inline constexpr const char* SUnknownFunctionName = "Unknown function name: \"%s\"";
// Arguments outside what an operation accepts, raised as EArgumentOutOfRangeException.
inline constexpr const char* SInvalidDirection = "Invalid direction %d: expected 1 or -1";
inline constexpr const char* SMembershipNotANumber =
    "Invalid membership argument: X is not a number";
inline constexpr const char* SPointNotANumber = "Invalid point: %s is not a number";
inline constexpr const char* SInvalidSetType = "Invalid set type %d";
inline constexpr const char* SCutoffNotANumber = "Invalid cut-off level: not a number";
inline constexpr const char* SInvalidModifier = "Invalid modifier %d";
inline constexpr const char* SInvalidModifierValue = "Invalid modifier value: %.4f";
inline constexpr const char* SInvalidHedge = "Invalid hedge %d";
inline constexpr const char* SMissingRuleSet = "No fuzzy set given as %s of the rule";
inline constexpr const char* SPremisesWithoutFacts = "%d premises but only %d facts";
inline constexpr const char* SNoSetToCombine = "No fuzzy set given to combine with";
inline constexpr const char* SNothingGiven = "No %s given";
inline constexpr const char* SFewerInputsThanAntecedents = "Fewer inputs than antecedents";
// Interface references that do not lead to the library's own classes (EIntfCastError).
inline constexpr const char* SNotAnInterfaceSet = "The fuzzy set is not a TIFuzzySet";
inline constexpr const char* SEntryWithoutVariable = "The entry carries no fuzzy variable";
// The compiled controller's plan and inputs.
inline constexpr const char* SControllerInputCount = "The controller takes %d inputs, %d given";
inline constexpr const char* SControllerIndexOutOfRange =
    "Index %d is out of range: the last evaluation has %d";
inline constexpr const char* SControllerInputNotFinite =
    "Controller input \"%s\" is not a finite number";
inline constexpr const char* SPlanInvalidRange =
    "Invalid range of \"%s\": minimum %.4f, maximum %.4f";
inline constexpr const char* SPlanInvalidThreshold = "Invalid threshold of output \"%s\": %.4f";
inline constexpr const char* SPlanInvalidMethod = "Invalid %s method: %d";
inline constexpr const char* SPlanInvalidTerm =
    "Invalid points of %s: each point finite with Y >= 0, X never decreasing";
inline constexpr const char* SPlanIndexOutOfRange = "Rule %d: %s index %d is out of range";
inline constexpr const char* SPlanInvalidWeight = "Rule %d: weight %.4f is outside [0, 1]";
inline constexpr const char* SPlanEmptyRule = "Rule %d has no %s";
inline constexpr const char* SPlanInvalidConnective = "Rule %d: invalid connective family %d";
inline constexpr const char* SLowFuzzyTerm = "low";
inline constexpr const char* SMediumFuzzyTerm = "medium";
inline constexpr const char* SHighFuzzyTerm = "high";

} // namespace fuzzy
