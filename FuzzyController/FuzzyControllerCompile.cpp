// Compiling a plan: every index, range, weight and point list checked once, the premises
// shared by several rules laid out as one strength each, and the conclusion terms prepared
// for the chosen semantics.

#include <cmath>
#include <map>
#include <utility>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyController/FuzzyCompiledController.hpp"
#include "FuzzyController/FuzzyExactCurves.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy::controller {

namespace {

void CheckRange(const std::string& Name, TFzyFloat Minimum, TFzyFloat Maximum) {
    if (!std::isfinite(Minimum) || !std::isfinite(Maximum) || !(Minimum < Maximum))
        throw EArgumentOutOfRangeException(SPlanInvalidRange, Name, Minimum, Maximum);
}

void CheckPoints(std::span<const TPoint> Points, const char* What) {
    for (std::size_t i = 0; i < Points.size(); ++i) {
        const TPoint& point = Points[i];
        if (!std::isfinite(point.X) || !std::isfinite(point.Y) || point.Y < 0 ||
            (i > 0 && point.X < Points[i - 1].X))
            throw EArgumentOutOfRangeException(SPlanInvalidTerm, What);
    }
}

std::size_t CheckedIndex(std::size_t Index, std::size_t Count, std::size_t Rule, const char* What) {
    if (Index >= Count)
        throw EArgumentOutOfRangeException(SPlanIndexOutOfRange, static_cast<int>(Rule), What,
                                           static_cast<int>(Index));
    return Index;
}

template <class Enum>
void CheckMethod(Enum Method, Enum Last, const char* What) {
    if (Method > Last)
        throw EArgumentOutOfRangeException(SPlanInvalidMethod, What, static_cast<int>(Method));
}

void CheckRule(const TPlanRule& Rule, std::size_t Index) {
    const int rule = static_cast<int>(Index);
    if (Rule.Premises.empty())
        throw EArgumentOutOfRangeException(SPlanEmptyRule, rule, "premise");
    if (Rule.Conclusions.empty())
        throw EArgumentOutOfRangeException(SPlanEmptyRule, rule, "conclusion");
    if (!(Rule.Weight >= 0 && Rule.Weight <= 1))
        throw EArgumentOutOfRangeException(SPlanInvalidWeight, rule, Rule.Weight);
    const bool isAnd = Rule.Connective == TPlanConnective::pcAnd;
    if (Rule.Connective > TPlanConnective::pcOr ||
        Rule.Family > (isAnd ? TFuzzyOperation::foBoundedSum : TFuzzyOperation::foSum))
        throw EArgumentOutOfRangeException(SPlanInvalidConnective, rule,
                                           static_cast<int>(Rule.Family));
}

} // namespace

TCompiledController TCompiledController::Compile(const TPlan& Plan, TSemantics Semantics) {
    CheckMethod(Semantics, TSemantics::smTextbook, "semantics");
    CheckMethod(Plan.CorrelationMethod, TFuzzyCorrelationMethod::fcmProduct, "correlation");
    CheckMethod(Plan.InferenceMethod, TFuzzyInferenceMethod::fimBoundedSum, "inference");
    CheckMethod(Plan.DefuzzificationMethod, TDefuzzificationMethod::dmMeanOfMaxima,
                "defuzzification");
    for (const TPlanInput& input : Plan.Inputs)
        CheckRange(input.Name, input.Minimum, input.Maximum);
    for (const TPlanOutput& output : Plan.Outputs) {
        CheckRange(output.Name, output.Minimum, output.Maximum);
        if (!std::isfinite(output.Threshold))
            throw EArgumentOutOfRangeException(SPlanInvalidThreshold, output.Name,
                                               output.Threshold);
    }

    TCompiledController compiled;
    compiled.FSemantics = Semantics;
    compiled.FInputs = Plan.Inputs;
    compiled.FOutputs = Plan.Outputs;
    compiled.FCorrelationMethod = Plan.CorrelationMethod;
    compiled.FInferenceMethod = Plan.InferenceMethod;
    compiled.FDefuzzificationMethod = Plan.DefuzzificationMethod;
    for (const std::vector<TPoint>& term : Plan.PremiseTerms) {
        CheckPoints(term, "a premise term");
        compiled.FPremiseTerms.push_back({term, kernels::IsExactlyOrdered(term)});
    }

    std::map<std::pair<std::size_t, std::size_t>, std::size_t> slots;
    for (std::size_t r = 0; r < Plan.Rules.size(); ++r) {
        const TPlanRule& rule = Plan.Rules[r];
        CheckRule(rule, r);
        const TRule laid{compiled.FRulePremises.size(),
                         rule.Premises.size(),
                         compiled.FConclusions.size(),
                         rule.Conclusions.size(),
                         rule.Connective == TPlanConnective::pcAnd
                             ? degrees::IntersectionFormula(rule.Family)
                             : degrees::UnionFormula(rule.Family),
                         rule.Weight};
        for (const TPlanPremise& premise : rule.Premises) {
            const std::pair key{CheckedIndex(premise.Input, Plan.Inputs.size(), r, "input"),
                                CheckedIndex(premise.Term, Plan.PremiseTerms.size(), r, "term")};
            const auto [slot, added] = slots.try_emplace(key, compiled.FSlots.size());
            if (added)
                compiled.FSlots.push_back({key.first, key.second});
            compiled.FRulePremises.push_back(slot->second);
        }
        for (const TPlanConclusion& conclusion : rule.Conclusions) {
            const std::size_t output =
                CheckedIndex(conclusion.Output, Plan.Outputs.size(), r, "output");
            CheckPoints(conclusion.Term, "a conclusion term");
            TConclusion laidConclusion{output, conclusion.Term};
            if (Semantics == TSemantics::smTextbook) {
                const TPlanOutput& axis = Plan.Outputs[output];
                exact::AsFunction(conclusion.Term, {axis.Minimum, axis.Maximum},
                                  laidConclusion.Term);
            }
            compiled.FConclusions.push_back(std::move(laidConclusion));
        }
        compiled.FRules.push_back(laid);
    }
    return compiled;
}

} // namespace fuzzy::controller
