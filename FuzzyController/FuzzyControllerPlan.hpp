#pragma once
// The plan of a compiled controller: its variables, methods, premise terms and rules as
// plain data, built by whoever holds the rules (by hand, or from a logic component and its
// rules) and compiled once into a TCompiledController.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/kernels/FuzzyPoints.hpp"

namespace fuzzy::controller {

using kernels::TPoint;

/// A crisp input: its name and its range, into which values are clamped.
struct TPlanInput {
    std::string Name;
    TFzyFloat Minimum = 0;
    TFzyFloat Maximum = 0;
};

/// An output: its name, its range (the axis of its solution) and its firing threshold (a
/// conclusion whose rule is weaker does not fire).
struct TPlanOutput {
    std::string Name;
    TFzyFloat Minimum = 0;
    TFzyFloat Maximum = 0;
    TFzyFloat Threshold = DefaultThreshold;
};

/// "The input Input is PremiseTerms[Term]".
struct TPlanPremise {
    std::size_t Input = 0;
    std::size_t Term = 0;
};

/// "then the output Output is Term": the term's points as its variable holds them.
struct TPlanConclusion {
    std::size_t Output = 0;
    std::vector<TPoint> Term;
};

/// How a rule folds the strengths of its premises, left to right.
enum class TPlanConnective : std::uint8_t { pcAnd, pcOr };

/// One rule: premises joined by one connective of one operation family (foSum only with
/// pcOr), a weight in [0, 1] multiplying the folded strength, and its conclusions.
struct TPlanRule {
    std::vector<TPlanPremise> Premises;
    TPlanConnective Connective = TPlanConnective::pcAnd;
    TFuzzyOperation Family = TFuzzyOperation::foZadeh;
    TFzyFloat Weight = 1;
    std::vector<TPlanConclusion> Conclusions;
};

/// A whole controller. PremiseTerms hold each premise's curve as the premise reads it:
/// hedges already applied in written order and negation last, so evaluation never hedges.
/// Every point list is ordered by X with finite coordinates and Y >= 0.
struct TPlan {
    std::vector<TPlanInput> Inputs;
    std::vector<TPlanOutput> Outputs;
    TFuzzyCorrelationMethod CorrelationMethod = DefaultCorrelationMethod;
    TFuzzyInferenceMethod InferenceMethod = DefaultInferenceMethod;
    TDefuzzificationMethod DefuzzificationMethod = DefaultDefuzzificationMethod;
    std::vector<std::vector<TPoint>> PremiseTerms;
    std::vector<TPlanRule> Rules;
};

/// What a compiled controller computes.
///  - smLibrary: the library's own rule pass, to the last bit: a crisp input's fact is a
///    spike, a premise's strength the height of its minimum with the term, correlation by
///    minimum lowers the term's points, the solution accumulates through the walk and its
///    clean-ups, and is defuzzified as a set's solution is.
///  - smTextbook: a premise's strength is the term's membership at the input, correlation
///    by minimum clips the term exactly (the crossings with the strength are inserted),
///    product scales it, the solution is the exact maximum (or the inference method's
///    formula) of the correlated terms, and the centre of gravity is exact.
enum class TSemantics : std::uint8_t { smLibrary, smTextbook };

} // namespace fuzzy::controller
