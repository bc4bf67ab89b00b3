#pragma once
// Names of derived sets and the keyword recognisers.
//
// A derived set is named from its operands ('very tall', 'cold or hot', 'tall + 0.5000').
// An operand whose name holds a space (code 32; no other white space counts) is bracketed,
// "[" + name + "]" with the current LeftFuzzyParentheses / RightFuzzyParentheses, so that
// the whole name reads back as one operand. Nothing here raises: an unknown word is simply
// not recognised, and an empty name gives a name with an empty part ("very ").
//
// The recognisers compare whole strings exactly, with case and without trimming. On success
// they fill their outputs with the first match in enumeration order; on failure they leave
// them unchanged (except IsFuzzyKeyword's IsUnion, see there).

#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy {

/// HedgeNames[Hedge] + " " + the bracketed name: (fhVery, 'quite tall') gives
/// 'very [quite tall]'.
[[nodiscard]] std::string CreateFuzzyName(TFuzzyHedge Hedge, const std::string& Name);

/// BaseHedgeNames[Hedge] + " " + the bracketed name when ModifyY (the operator acts on the
/// membership degrees), else BaseHedgeNames[Hedge] + "X " + the bracketed name (the operator
/// acts on the X values): (bfhAdd, false, 'a') gives '+X a'.
[[nodiscard]] std::string CreateFuzzyName(TBaseFuzzyHedge Hedge, bool ModifyY,
                                          const std::string& Name);

/// The bracketed left name + " " + Operation + " " + the bracketed right name, for the result
/// of a two-set operation: ('a b', 'c', 'and') gives '[a b] and c'. Operation is not
/// bracketed.
[[nodiscard]] std::string CreateFuzzyName(const std::string& LeftName, const std::string& RightName,
                                          const std::string& Operation);

/// The bracketed name, Operation and Value formatted by "%s %s " followed by the current
/// FuzzyFormatStr: ('tall', '+', 0.5) gives 'tall + 0.5000'. For the result of a base hedge
/// or a cut with a numeric argument. Raises EConvertError only if a host has set
/// FuzzyFormatStr to a format that does not take one number.
[[nodiscard]] std::string CreateFuzzyName(const std::string& Name, const std::string& Operation,
                                          TFzyFloat Value);

/// S made ready as an operand of a longer name. S is trimmed of characters of code 32 or
/// below; a trimmed text without a space is returned as is, and so is one already enclosed
/// as a whole by a matching outer "[" ... "]". Otherwise the result is "[" + S + "]", around
/// S as passed in (outer spaces stay inside the brackets): 'a b' gives '[a b]', '[a b]'
/// stays, '[a] or [b]' gives '[[a] or [b]]'.
[[nodiscard]] std::string FormatFuzzyExpression(const std::string& S);
/// Appends FormatFuzzyExpression(S) to Out, for names built in one string.
void AppendFuzzyExpression(std::string& Out, const std::string& S);

/// S is one of the hedge words of HedgeNames.
[[nodiscard]] bool IsFuzzyHedge(const std::string& S);
[[nodiscard]] bool IsFuzzyHedge(const std::string& S, TFuzzyHedge& Hedge);

/// S is a base-hedge symbol of BaseHedgeNames, plain ('<=') or in its X form ('<=X').
[[nodiscard]] bool IsFuzzyHedgeOperator(const std::string& S);
/// As above; on success Hedge receives the operator and ModifyY is true for the plain
/// symbol, false for the X form. Symbols are tried in enumeration order, each plain first.
[[nodiscard]] bool IsFuzzyHedgeOperator(const std::string& S, TBaseFuzzyHedge& Hedge,
                                        bool& ModifyY);

/// S is a connective, a base-hedge symbol (either form) or a hedge word: a word that cannot
/// name a set.
[[nodiscard]] bool IsFuzzyReservedWord(const std::string& S);

/// S is a word of FuzzyOperationNames ('mean-sqr').
[[nodiscard]] bool IsFuzzyOperation(const std::string& S, TFuzzyOperation& Operation);
/// S is a word of FuzzyInferenceNames ('min-max').
[[nodiscard]] bool IsFuzzyInference(const std::string& S, TFuzzyInferenceMethod& Method);
/// S is a word of FuzzyCorrelationNames ('minimum').
[[nodiscard]] bool IsFuzzyCorrelation(const std::string& S, TFuzzyCorrelationMethod& Method);

/// S is a connective of the definition language: an intersection keyword ('and',
/// 'and-product', ...) gives IsUnion false, a union keyword ('or', 'or-sum', ...) gives
/// IsUnion true, and Operation receives the family. For each family the intersection keyword
/// is tried before the union keyword. IsUnion is set to true before the search, so a failed
/// call leaves it true (Operation stays unchanged).
[[nodiscard]] bool IsFuzzyKeyword(const std::string& S, bool& IsUnion, TFuzzyOperation& Operation);

} // namespace fuzzy
