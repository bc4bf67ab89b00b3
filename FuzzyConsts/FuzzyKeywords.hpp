#pragma once
// The words of the library: the keyword tables that map each enumeration value to the word
// used for it in derived names and in the definition language, the numeric modifier of each
// hedge, the brackets and number format of derived names, and the display lists of the
// method choices. Keywords are compared exactly, with case.

#include <string>
#include <string_view>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/EnumArray.hpp"

namespace fuzzy {

// Settings of derived names. They are variables rather than constants so that a host may
// change them once at start-up (for example more decimals in FuzzyFormatStr); the library
// itself never writes them and always reads their current value. Not synchronised: change
// them before any other thread uses the library.

/// Format of every number written into a derived set's name.
inline std::string FuzzyFormatStr = "%.4f";
/// Brackets put around a name that holds a space, so the name stays one operand.
inline std::string LeftFuzzyParentheses = "[";
inline std::string RightFuzzyParentheses = "]";
/// Name of a placeholder set that is not marked as defined.
inline std::string SEmptyFuzzy = "__Empty";

using TBaseFuzzyHedgeNames =
    TEnumArray<TBaseFuzzyHedge, std::string_view, EnumValueCount<TBaseFuzzyHedge>>;
using TFuzzyHedgeNames = TEnumArray<TFuzzyHedge, std::string_view, EnumValueCount<TFuzzyHedge>>;
using TFuzzyHedgeModifiers = TEnumArray<TFuzzyHedge, TFzyFloat, EnumValueCount<TFuzzyHedge>>;
using TFuzzyOperationKeywords =
    TEnumArray<TFuzzyOperation, std::string_view, EnumValueCount<TFuzzyOperation>>;
using TFuzzyCorrelationMethodNames =
    TEnumArray<TFuzzyCorrelationMethod, std::string_view, EnumValueCount<TFuzzyCorrelationMethod>>;
using TFuzzyInferenceMethodNames =
    TEnumArray<TFuzzyInferenceMethod, std::string_view, EnumValueCount<TFuzzyInferenceMethod>>;

/// Operator symbol of each base hedge; the X form of an operator appends "X".
inline constexpr TBaseFuzzyHedgeNames BaseHedgeNames{"+", "-", "*", "/", "^", "<", "<=", ">", ">="};

/// Word of each hedge.
inline constexpr TFuzzyHedgeNames HedgeNames{
    "not",   "somewhat",    "moreorless", "greatly",    "plus",       "very",     "extremely",
    "above", "below",       "slightly",   "normalize",  "about",      "vicinity", "close",
    "near",  "neighboring", "positively", "absolutely", "definitely", "generally"};

/// Numeric modifier of each hedge (the power, weight or width the hedge applies; 0 for the
/// hedges that take none).
inline constexpr TFuzzyHedgeModifiers HedgeModifiers{0.0, ONE_THIRD, 0.5, 0.7, 1.25, 2.0, 3.0,
                                                     0.0, 0.0,       0.0, 0.0, 2.0,  4.0, 1.2,
                                                     1.2, 1.2,       2.0, 2.0, 2.0,  0.5};

/// Name of each operation family.
inline constexpr TFuzzyOperationKeywords FuzzyOperationNames{
    "zadeh", "mean", "mean-sqr", "mean-sqrt", "product", "bounded-sum", "sum"};
/// Connective of the definition language that intersects with each operation family.
inline constexpr TFuzzyOperationKeywords FuzzyIntersectionKeywords{
    "and", "and-mean", "and-meansqr", "and-meansqrt", "and-product", "and-boundedsum", "and-sum"};
/// Connective of the definition language that unites with each operation family.
inline constexpr TFuzzyOperationKeywords FuzzyUnionKeywords{
    "or", "or-mean", "or-meansqr", "or-meansqrt", "or-product", "or-boundedsum", "or-sum"};

inline constexpr TFuzzyCorrelationMethodNames FuzzyCorrelationNames{"minimum", "product"};
inline constexpr TFuzzyInferenceMethodNames FuzzyInferenceNames{"min-max", "sum", "mean", "product",
                                                                "bounded-sum"};

// The method choices as a user or designer sees them, one display string each.
inline constexpr std::string_view FuzzyCorrelationNameList = "fcmMinimum, fcmProduct";
inline constexpr std::string_view FuzzyCorrelationSuffixNameList = "Minimum, Product";
inline constexpr std::string_view FuzzyInferenceNameList =
    "fimMinMax, fimAdditive, fimMean, fimProduct, fimBoundedSum";
inline constexpr std::string_view FuzzyInferenceSuffixNameList =
    "MinMax, Additive, Mean, Product, BoundedSum";

} // namespace fuzzy
