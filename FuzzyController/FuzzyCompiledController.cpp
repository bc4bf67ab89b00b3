// One inference pass of a compiled controller, in either semantics, on the caller's
// scratch buffers.

#include "FuzzyController/FuzzyCompiledController.hpp"

#include <algorithm>
#include <cmath>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyController/FuzzyExactCurves.hpp"
#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/kernels/FuzzyOperations.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy::controller {

namespace {

// The axis of a free set: where a crisp input's fact lies.
constexpr kernels::TAxis FreeAxis{-DefaultXMaximum, DefaultXMaximum};

kernels::TAxis AxisOf(const TPlanOutput& Output) {
    return {Output.Minimum, Output.Maximum};
}

} // namespace

std::size_t TControllerScratch::Checked(std::size_t Index, std::size_t Count) {
    if (Index >= Count)
        throw EArgumentOutOfRangeException(SControllerIndexOutOfRange, static_cast<int>(Index),
                                           static_cast<int>(Count));
    return Index;
}

void TCompiledController::Prepare(TControllerScratch& Scratch) const {
    Scratch.FInputs.resize(FInputs.size());
    Scratch.FClamped.resize(FInputs.size());
    Scratch.FPremiseStrengths.resize(FSlots.size());
    Scratch.FRuleStrengths.resize(FRules.size());
    Scratch.FRuleFired.resize(FRules.size());
    Scratch.FSolutions.resize(FOutputs.size());
    Scratch.FResults.resize(FOutputs.size());
    Scratch.FHasSolution.assign(FOutputs.size(), 0);
    std::fill(Scratch.FRuleFired.begin(), Scratch.FRuleFired.end(), std::uint8_t{0});
}

void TCompiledController::Evaluate(std::span<const TFzyFloat> Inputs,
                                   TControllerScratch& Scratch) const {
    if (Inputs.size() != FInputs.size())
        throw EArgumentOutOfRangeException(SControllerInputCount, static_cast<int>(FInputs.size()),
                                           static_cast<int>(Inputs.size()));
    for (std::size_t i = 0; i < Inputs.size(); ++i)
        if (!std::isfinite(Inputs[i]))
            throw EArgumentOutOfRangeException(SControllerInputNotFinite, FInputs[i].Name);
    Prepare(Scratch);
    for (std::size_t i = 0; i < Inputs.size(); ++i) {
        const TFzyFloat clamped = std::clamp(Inputs[i], FInputs[i].Minimum, FInputs[i].Maximum);
        Scratch.FInputs[i] = clamped;
        Scratch.FClamped[i] = clamped != Inputs[i];
    }
    ComputePremiseStrengths(Scratch);
    // Rules run in their order: a solution's points depend on the order evidence arrives.
    for (std::size_t r = 0; r < FRules.size(); ++r) {
        const TRule& rule = FRules[r];
        const TFzyFloat strength = RuleStrength(rule, Scratch);
        Scratch.FRuleStrengths[r] = strength;
        for (std::size_t c = 0; c < rule.ConclusionCount; ++c) {
            const TConclusion& conclusion = FConclusions[rule.FirstConclusion + c];
            if (strength < FOutputs[conclusion.Output].Threshold)
                continue;
            Scratch.FRuleFired[r] = 1;
            Accumulate(conclusion, strength, Scratch);
        }
    }
    for (std::size_t o = 0; o < FOutputs.size(); ++o)
        Scratch.FResults[o] = Defuzzify(o, Scratch);
}

void TCompiledController::ComputePremiseStrengths(TControllerScratch& Scratch) const {
    for (std::size_t s = 0; s < FSlots.size(); ++s) {
        const TCurveData& term = FPremiseTerms[FSlots[s].Term];
        const kernels::TCurve curve{term.Points, term.ExactlyOrdered};
        const TFzyFloat x = Scratch.FInputs[FSlots[s].Input];
        if (FSemantics == TSemantics::smTextbook) {
            Scratch.FPremiseStrengths[s] = kernels::Membership(curve, x);
            continue;
        }
        // The fact of a crisp input is a spike on a free set's axis.
        Scratch.FPremiseStrengths[s] = kernels::CrispStrength(curve, kernels::StoredX(x, FreeAxis));
    }
}

TFzyFloat TCompiledController::RuleStrength(const TRule& Rule,
                                            const TControllerScratch& Scratch) const {
    const std::size_t* slots = FRulePremises.data() + Rule.FirstPremise;
    TFzyFloat strength = Scratch.FPremiseStrengths[slots[0]];
    for (std::size_t p = 1; p < Rule.PremiseCount; ++p)
        strength = Rule.Fold(strength, Scratch.FPremiseStrengths[slots[p]]);
    return strength * Rule.Weight;
}

void TCompiledController::Accumulate(const TConclusion& Conclusion, TFzyFloat Strength,
                                     TControllerScratch& Scratch) const {
    const std::size_t output = Conclusion.Output;
    std::vector<TPoint>& correlated = Scratch.FCorrelated;
    std::vector<TPoint>& solution = Scratch.FSolutions[output];
    const bool first = Scratch.FHasSolution[output] == 0;
    if (FSemantics == TSemantics::smTextbook) {
        if (FCorrelationMethod == TFuzzyCorrelationMethod::fcmProduct)
            exact::Scale(Conclusion.Term, Strength, correlated);
        else
            exact::Clip(Conclusion.Term, Strength, correlated);
        if (!first)
            exact::Unite(FInferenceMethod, solution, correlated, Scratch.FCombined);
    } else {
        correlated.assign(Conclusion.Term.begin(), Conclusion.Term.end());
        kernels::CorrelatePoints(correlated, FCorrelationMethod, Strength, Scratch.FBuffers);
        if (!first)
            kernels::CombineCurves(
                {solution, kernels::IsExactlyOrdered(solution)},
                {correlated, kernels::IsExactlyOrdered(correlated)},
                degrees::UnionFormula(kernels::InferenceOperation(FInferenceMethod)),
                AxisOf(FOutputs[output]), Scratch.FCombined, Scratch.FBuffers);
    }
    // Swapping keeps every buffer's capacity in the scratch.
    solution.swap(first ? correlated : Scratch.FCombined);
    Scratch.FHasSolution[output] = 1;
}

TOutputResult TCompiledController::Defuzzify(std::size_t Output,
                                             const TControllerScratch& Scratch) const {
    if (Scratch.FHasSolution[Output] == 0)
        return {};
    const std::vector<TPoint>& solution = Scratch.FSolutions[Output];
    if (FSemantics == TSemantics::smTextbook)
        return {true, FDefuzzificationMethod == TDefuzzificationMethod::dmMeanOfMaxima
                          ? exact::MeanOfMaxima(solution)
                          : exact::CenterOfGravity(solution)};
    return {true, kernels::Defuzzify(FDefuzzificationMethod, solution, AxisOf(FOutputs[Output]))};
}

} // namespace fuzzy::controller
