// The compiled controller: in the library's semantics the heater's rule pass on the object
// model bit for bit, in the textbook semantics a plain reference on random rule bases; its
// explanation, and the plans and inputs it refuses.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "examples/HeaterPlan.hpp"
#include "support/MamdaniReference.hpp"
#include "support/Raises.hpp"
#include "support/RandomRuleBase.hpp"

namespace fuzzy::test {
namespace {

using controller::TCompiledController;
using controller::TControllerScratch;
using controller::TPlan;
using controller::TPoint;
using controller::TSemantics;

THeaterController MakeHeater() {
    return THeaterController(
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
}

// Every X where a term of the variable has a point, with the range ends and a step grid.
std::vector<double> SweepOf(const TFuzzyVariable& Variable, int Steps) {
    std::vector<double> xs;
    const double low = Variable.GetMinimum();
    const double high = Variable.GetMaximum();
    for (int s = 0; s <= Steps; ++s)
        xs.push_back(low + (high - low) * (1.2 * s / Steps - 0.1));
    for (const TFuzzySet* term : *Variable.GetItems())
        for (const TPoint& point : CurvePoints(*term))
            for (double offset : {0.0, -1e-9, 1e-9})
                xs.push_back(point.X + offset);
    xs.push_back(low);
    xs.push_back(high);
    return xs;
}

// The heater's plan compiled in the library's semantics, with a scratch of its own.
class CompiledController : public ::testing::Test {
protected:
    THeaterController heater = MakeHeater();
    const TPlan plan = HeaterPlan(heater);
    const TCompiledController compiled = TCompiledController::Compile(plan, TSemantics::smLibrary);
    TControllerScratch scratch;
};

TEST_F(CompiledController, HeaterInTheLibrarySemanticsIsTheLibraryPathBitForBit) {
    const TFuzzyVariables& variables = *heater.GetLogic()->GetItems();
    int fired = 0;
    for (double error : SweepOf(*variables.GetItemByName("error"), 60))
        for (double rate : SweepOf(*variables.GetItemByName("rate"), 40)) {
            const std::optional<TFzyFloat> expected = heater.Evaluate(error, rate);
            compiled.Evaluate(std::vector{error, rate}, scratch);
            const controller::TOutputResult result = scratch.GetResults()[0];
            ASSERT_EQ(result.Fired, expected.has_value()) << error << " " << rate;
            if (!expected)
                continue;
            ++fired;
            ASSERT_EQ(result.Value, *expected) << error << " " << rate;
        }
    EXPECT_GT(fired, 1000);
}

TEST_F(CompiledController, ExplainsWhichRulesFiredAndWhatWasClamped) {
    // Error 2.5 K, rate -0.5 K/min: ok and cold, falling and steady; the rate input is
    // given beyond its range the second time.
    compiled.Evaluate(std::vector{2.5, -0.5}, scratch);
    std::vector<bool> fired;
    for (std::size_t r = 0; r < plan.Rules.size(); ++r)
        fired.push_back(scratch.RuleFired(r));
    EXPECT_EQ(fired,
              (std::vector<bool>{true, true, false, true, true, false, false, false, false}));
    for (std::size_t r = 0; r < plan.Rules.size(); ++r)
        EXPECT_EQ(fired[r], scratch.GetRuleStrengths()[r] >= plan.Outputs[0].Threshold);
    EXPECT_FALSE(scratch.WasClamped(0));
    EXPECT_FALSE(scratch.GetSolution(0).empty());

    compiled.Evaluate(std::vector{2.5, -7.0}, scratch);
    EXPECT_TRUE(scratch.WasClamped(1));
    EXPECT_EQ(scratch.GetInputs()[1], -2.0);
    EXPECT_EQ(scratch.GetResults()[0].Value, *heater.Evaluate(2.5, -2.0));
}

// At error 0 and rate 0 the rule "ok and steady" (rule 4) holds fully: a strength that
// reaches the threshold fires, and with no strength reaching it the output has no value.
TEST_F(CompiledController, ARuleFiresWhenItsStrengthReachesTheThreshold) {
    TPlan changed = plan;
    for (const double threshold : {1.0, 2.0}) {
        changed.Outputs[0].Threshold = threshold;
        for (TSemantics semantics : {TSemantics::smLibrary, TSemantics::smTextbook}) {
            TCompiledController::Compile(changed, semantics)
                .Evaluate(std::vector{0.0, 0.0}, scratch);
            const bool fires = threshold == 1;
            EXPECT_EQ(scratch.RuleFired(4), fires) << threshold;
            EXPECT_EQ(scratch.GetResults()[0].Fired, fires);
            EXPECT_EQ(std::isnan(scratch.GetResults()[0].Value), !fires);
            EXPECT_EQ(scratch.GetSolution(0).empty(), !fires);
        }
    }
}

TEST_F(CompiledController, RefusesInputsThatAreNotFiniteAndKeepsTheLastAnswer) {
    compiled.Evaluate(std::vector{1.0, 0.5}, scratch);
    const double answer = scratch.GetResults()[0].Value;
    for (double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_RAISES(compiled.Evaluate(std::vector{3.0, bad}, scratch),
                      EArgumentOutOfRangeException,
                      "Controller input \"rate\" is not a finite number");
    EXPECT_RAISES(compiled.Evaluate(std::vector{3.0}, scratch), EArgumentOutOfRangeException,
                  "The controller takes 2 inputs, 1 given");
    EXPECT_EQ(scratch.GetResults()[0].Value, answer);
    EXPECT_EQ(scratch.GetInputs()[0], 1.0);
    EXPECT_RAISES((void)scratch.RuleFired(9), EArgumentOutOfRangeException,
                  "Index 9 is out of range: the last evaluation has 9");
    EXPECT_RAISES((void)scratch.GetSolution(1), EArgumentOutOfRangeException,
                  "Index 1 is out of range: the last evaluation has 1");
}

TEST_F(CompiledController, RefusesFaultyPlansWithAClearMessage) {
    const auto check = [&](void (*Break)(TPlan & Plan), const char* Message) {
        TPlan broken = plan;
        Break(broken);
        EXPECT_RAISES(TCompiledController::Compile(broken, TSemantics::smLibrary),
                      EArgumentOutOfRangeException, Message);
    };
    constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
    check([](TPlan& P) { P.Inputs[1].Maximum = -3; },
          "Invalid range of \"rate\": minimum -2.0000, maximum -3.0000");
    check([](TPlan& P) { P.Outputs[0].Minimum = NaN; },
          "Invalid range of \"power\": minimum NAN, maximum 100.0000");
    check([](TPlan& P) { P.Outputs[0].Threshold = std::numeric_limits<double>::infinity(); },
          "Invalid threshold of output \"power\": INF");
    check([](TPlan& P) { P.Rules[3].Premises[1].Input = 2; },
          "Rule 3: input index 2 is out of range");
    check([](TPlan& P) { P.Rules[0].Premises[0].Term = 6; },
          "Rule 0: term index 6 is out of range");
    check([](TPlan& P) { P.Rules[8].Conclusions[0].Output = 1; },
          "Rule 8: output index 1 is out of range");
    check([](TPlan& P) { P.Rules[2].Weight = 1.5; }, "Rule 2: weight 1.5000 is outside [0, 1]");
    check([](TPlan& P) { P.Rules[2].Weight = NaN; }, "Rule 2: weight NAN is outside [0, 1]");
    check([](TPlan& P) { P.Rules[1].Premises.clear(); }, "Rule 1 has no premise");
    check([](TPlan& P) { P.Rules[1].Conclusions.clear(); }, "Rule 1 has no conclusion");
    check([](TPlan& P) { P.Rules[4].Family = TFuzzyOperation::foSum; },
          "Rule 4: invalid connective family 6");
    check([](TPlan& P) { std::swap(P.PremiseTerms[0][0], P.PremiseTerms[0][1]); },
          "Invalid points of a premise term: each point finite with Y >= 0, X never decreasing");
    check([](TPlan& P) { P.Rules[5].Conclusions[0].Term[0].Y = -1; },
          "Invalid points of a conclusion term: each point finite with Y >= 0, X never "
          "decreasing");
    check([](TPlan& P) { P.InferenceMethod = static_cast<TFuzzyInferenceMethod>(9); },
          "Invalid inference method: 9");
}

// The textbook semantics against the plain reference, fed with the plan's rules and terms.
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
    for (std::size_t term = 0; term < 2; ++term)
        plan.Rules.push_back({{{0, term}},
                              controller::TPlanConnective::pcAnd,
                              TFuzzyOperation::foZadeh,
                              1,
                              {{0, term == 0 ? std::vector<TPoint>{{20, 0}, {30, 1}, {60, 0}}
                                             : std::vector<TPoint>{{50, 0}, {80, 1}, {90, 0}}}}});
    const TCompiledController compiled = TCompiledController::Compile(plan, TSemantics::smTextbook);
    TControllerScratch scratch;
    compiled.Evaluate(std::vector{3.0}, scratch);
    EXPECT_NEAR(scratch.GetResults()[0].Value, (27 + 39) / 2.0, 1e-12);
}

} // namespace
} // namespace fuzzy::test
