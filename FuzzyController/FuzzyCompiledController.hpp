#pragma once
// A controller compiled once from a plan and evaluated with no allocation per inference:
// the caller owns the scratch state, so one compiled controller serves many threads at
// once, each with its own scratch.

#include <cstdint>
#include <limits>
#include <span>
#include <vector>

#include "FuzzyController/FuzzyControllerPlan.hpp"
#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/kernels/FuzzyCleanup.hpp"

namespace fuzzy::controller {

/// The answer for one output: its value, or no value when no rule fired for it (Fired is
/// false and Value NaN, never a number that could be an ordinary answer).
struct TOutputResult {
    bool Fired = false;
    TFzyFloat Value = std::numeric_limits<TFzyFloat>::quiet_NaN();
};

class TCompiledController;

/// The state of one evaluation, owned by the caller and reused: its buffers grow on the
/// first evaluations and are then only overwritten. After Evaluate it holds the answer and
/// its explanation, valid until the next evaluation with this scratch.
class TControllerScratch {
public:
    /// One result per output, in the plan's order.
    std::span<const TOutputResult> GetResults() const { return FResults; }
    /// The inputs as evaluated: clamped into their ranges.
    std::span<const TFzyFloat> GetInputs() const { return FInputs; }
    /// True when the input was outside its range and was clamped. The index functions
    /// raise EArgumentOutOfRangeException for an index outside the last evaluation.
    bool WasClamped(std::size_t Input) const { return FClamped[Checked(Input, FClamped.size())]; }
    /// Each rule's strength: its premises folded by its connective, times its weight.
    std::span<const TFzyFloat> GetRuleStrengths() const { return FRuleStrengths; }
    /// True when the rule reached the threshold of at least one output it concludes on.
    bool RuleFired(std::size_t Rule) const { return FRuleFired[Checked(Rule, FRuleFired.size())]; }
    /// The solution of an output as points (empty when no rule fired for it).
    std::span<const TPoint> GetSolution(std::size_t Output) const {
        return FHasSolution[Checked(Output, FHasSolution.size())] != 0
                   ? std::span<const TPoint>(FSolutions[Output])
                   : std::span<const TPoint>();
    }

private:
    friend class TCompiledController;

    static std::size_t Checked(std::size_t Index, std::size_t Count);

    std::vector<TFzyFloat> FInputs;
    std::vector<std::uint8_t> FClamped;
    std::vector<TFzyFloat> FPremiseStrengths;
    std::vector<TFzyFloat> FRuleStrengths;
    std::vector<std::uint8_t> FRuleFired;
    std::vector<std::vector<TPoint>> FSolutions;
    std::vector<std::uint8_t> FHasSolution;
    std::vector<TPoint> FCorrelated;
    std::vector<TPoint> FCombined;
    kernels::TCleanupBuffers FBuffers;
    std::vector<TOutputResult> FResults;
};

/// A plan checked and laid out for evaluation; immutable once compiled.
class TCompiledController {
public:
    /// Raises EArgumentOutOfRangeException for a plan that does not hold together: an
    /// empty or inverted range, an index outside its list, a weight outside [0, 1], a rule
    /// without premises or conclusions, a family the connective lacks, points that are not
    /// finite, negative in Y or out of X order, or a method outside its enumeration.
    static TCompiledController Compile(const TPlan& Plan, TSemantics Semantics);

    /// One inference pass for Inputs (one value per input, in the plan's order), answered
    /// in Scratch. Raises EArgumentOutOfRangeException, changing nothing, for a wrong
    /// number of inputs or one that is not a finite number; a value outside its range is
    /// clamped to the nearest end.
    void Evaluate(std::span<const TFzyFloat> Inputs, TControllerScratch& Scratch) const;

    TSemantics GetSemantics() const { return FSemantics; }
    std::size_t GetInputCount() const { return FInputs.size(); }
    std::size_t GetOutputCount() const { return FOutputs.size(); }
    std::size_t GetRuleCount() const { return FRules.size(); }

private:
    // A premise whose strength is worked out once per pass, however many rules share it.
    struct TStrengthSlot {
        std::size_t Input;
        std::size_t Term;
    };
    struct TRule {
        std::size_t FirstPremise; // into FRulePremises
        std::size_t PremiseCount;
        std::size_t FirstConclusion; // into FConclusions
        std::size_t ConclusionCount;
        degrees::TFormula Fold; // the connective's formula
        TFzyFloat Weight;
    };
    struct TConclusion {
        std::size_t Output;
        std::vector<TPoint> Term; // as the semantics correlates it
    };
    struct TCurveData {
        std::vector<TPoint> Points;
        bool ExactlyOrdered;
    };

    TCompiledController() = default;
    void Prepare(TControllerScratch& Scratch) const;
    void ComputePremiseStrengths(TControllerScratch& Scratch) const;
    TFzyFloat RuleStrength(const TRule& Rule, const TControllerScratch& Scratch) const;
    /// Adds the conclusion, correlated with Strength, to its output's solution.
    void Accumulate(const TConclusion& Conclusion, TFzyFloat Strength,
                    TControllerScratch& Scratch) const;
    TOutputResult Defuzzify(std::size_t Output, const TControllerScratch& Scratch) const;

    TSemantics FSemantics = TSemantics::smLibrary;
    std::vector<TPlanInput> FInputs;
    std::vector<TPlanOutput> FOutputs;
    TFuzzyCorrelationMethod FCorrelationMethod = DefaultCorrelationMethod;
    TFuzzyInferenceMethod FInferenceMethod = DefaultInferenceMethod;
    TDefuzzificationMethod FDefuzzificationMethod = DefaultDefuzzificationMethod;
    std::vector<TCurveData> FPremiseTerms;
    std::vector<TStrengthSlot> FSlots;
    std::vector<std::size_t> FRulePremises; // slot indexes
    std::vector<TConclusion> FConclusions;
    std::vector<TRule> FRules;
};

} // namespace fuzzy::controller
