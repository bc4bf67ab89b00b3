// The compiled controller in the textbook semantics against the plain reference of
// support/MamdaniReference.hpp, fed with the plan's rules and terms.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "support/MamdaniReference.hpp"
#include "support/RandomRuleBase.hpp"

namespace fuzzy::test {
namespace {

using controller::TCompiledController;
using controller::TControllerScratch;
using controller::TPlan;
using controller::TPoint;
using controller::TSemantics;

/// The solution of one output by the reference: each rule's strength is the membership
/// of its premises at the inputs (clamped), joined by the rule's connective, times its weight.
TReferenceSolution Reference(const TPlan& Plan, const std::vector<double>& Inputs,
                             std::size_t Output) {
    std::vector<TFiredConclusion> fired;
    for (const controller::TPlanRule& rule : Plan.Rules) {
        double strength = 0;
        for (std::size_t p = 0; p < rule.Premises.size(); ++p) {
            const controller::TPlanPremise& premise = rule.Premises[p];
            const controller::TPlanInput& input = Plan.Inputs[premise.Input];
            const double x = std::clamp(Inputs[premise.Input], input.Minimum, input.Maximum);
            const double next = PlainAt(Plan.PremiseTerms[premise.Term], x);
            strength = p == 0 ? next
                       : rule.Connective == controller::TPlanConnective::pcAnd
                           ? degrees::Intersect(rule.Family, strength, next)
                           : degrees::Unite(rule.Family, strength, next);
        }
        strength *= rule.Weight;
        for (const controller::TPlanConclusion& conclusion : rule.Conclusions)
            if (conclusion.Output == Output && strength >= Plan.Outputs[Output].Threshold)
                fired.push_back(
                    {[&Term = conclusion.Term](double X) { return PlainAt(Term, X); }, strength});
    }
    return TReferenceSolution(std::move(fired),
                              Plan.CorrelationMethod == TFuzzyCorrelationMethod::fcmProduct);
}

TEST(TextbookController, RandomRuleBasesAreTheExactMaximumAndCentreOfGravity) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    int compared = 0;
    for (int c = 0; c < 120; ++c) {
        const TRandomRuleBase rules(random, true);
        const TPlan plan = rules.Plan();
        const TCompiledController compiled =
            TCompiledController::Compile(plan, TSemantics::smTextbook);
        TControllerScratch scratch;
        for (int pass = 0; pass < 4; ++pass) {
            std::vector<double> inputs;
            for (const controller::TPlanInput& input : plan.Inputs)
                inputs.push_back(input.Minimum +
                                 (input.Maximum - input.Minimum) * (1.2 * unit(random) - 0.1));
            compiled.Evaluate(inputs, scratch);
            for (std::size_t o = 0; o < plan.Outputs.size(); ++o) {
                const TReferenceSolution reference = Reference(plan, inputs, o);
                const controller::TOutputResult result = scratch.GetResults()[o];
                ASSERT_EQ(result.Fired, reference.Fired()) << "controller " << c;
                if (!result.Fired)
                    continue;
                const controller::TPlanOutput& output = plan.Outputs[o];
                const double width = output.Maximum - output.Minimum;
                // The solution's points lie on the maximum (at a jump, on one side of it).
                for (const TPoint& point : scratch.GetSolution(o)) {
                    double nearest = 1;
                    for (double side : {-1e-10, 0.0, 1e-10})
                        nearest = std::min(
                            nearest, std::fabs(point.Y - reference.At(point.X + side * width)));
                    ASSERT_LT(nearest, 1e-9) << "controller " << c << " at " << point.X;
                }
                ASSERT_NEAR(result.Value, reference.CenterOfGravity(output.Minimum, output.Maximum),
                            1e-9 * width)
                    << "controller " << c << " pass " << pass;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 200);
}

TEST(TextbookController, MeanOfMaximaIsTheMiddleOfTheHighestPlateau) {
    TPlan plan;
    plan.Inputs = {{"in", 0, 10}};
    plan.Outputs = {{"out", 0, 100, 0.01}};
    plan.DefuzzificationMethod = TDefuzzificationMethod::dmMeanOfMaxima;
    plan.PremiseTerms = {{{0, 1}, {10, 0}}, {{0, 0}, {10, 1}}};
    // Strengths 0.7 and 0.3 at input 3: the first term's plateau at 0.7 runs from 20 + 7 =
    // 27 to 60 - 14 = 46 (clipped triangle 20-30-60).
    plan.Rules = {{{{0, 0}},
                   controller::TPlanConnective::pcAnd,
                   TFuzzyOperation::foZadeh,
                   1,
                   {{0, {{20, 0}, {30, 1}, {60, 0}}}}},
                  {{{0, 1}},
                   controller::TPlanConnective::pcAnd,
                   TFuzzyOperation::foZadeh,
                   1,
                   {{0, {{50, 0}, {80, 1}, {90, 0}}}}}};
    const TCompiledController compiled = TCompiledController::Compile(plan, TSemantics::smTextbook);
    TControllerScratch scratch;
    compiled.Evaluate(std::vector{3.0}, scratch);
    EXPECT_NEAR(scratch.GetResults()[0].Value, (27 + 39) / 2.0, 1e-12);
}

} // namespace
} // namespace fuzzy::test
