// The compiled controller in the library's semantics against the heater's rule pass on the
// object model (random rule bases are compared in the rules' tests), its explanation, and
// the plans and inputs it refuses.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "examples/HeaterPlan.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

using controller::TCompiledController;
using controller::TControllerScratch;
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

TEST(CompiledController, HeaterInTheLibrarySemanticsIsTheLibraryPathBitForBit) {
    THeaterController heater = MakeHeater();
    const TCompiledController compiled =
        TCompiledController::Compile(HeaterPlan(heater), TSemantics::smLibrary);
    const TFuzzyVariables& variables = *heater.GetLogic()->GetItems();
    TControllerScratch scratch;
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

TEST(CompiledController, ExplainsWhichRulesFiredAndWhatWasClamped) {
    THeaterController heater = MakeHeater();
    const controller::TPlan plan = HeaterPlan(heater);
    const TCompiledController compiled = TCompiledController::Compile(plan, TSemantics::smLibrary);
    TControllerScratch scratch;
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
TEST(CompiledController, ARuleFiresWhenItsStrengthReachesTheThreshold) {
    THeaterController heater = MakeHeater();
    controller::TPlan plan = HeaterPlan(heater);
    for (const double threshold : {1.0, 2.0}) {
        plan.Outputs[0].Threshold = threshold;
        for (TSemantics semantics : {TSemantics::smLibrary, TSemantics::smTextbook}) {
            const TCompiledController compiled = TCompiledController::Compile(plan, semantics);
            TControllerScratch scratch;
            compiled.Evaluate(std::vector{0.0, 0.0}, scratch);
            const bool fires = threshold == 1;
            EXPECT_EQ(scratch.RuleFired(4), fires) << threshold;
            EXPECT_EQ(scratch.GetResults()[0].Fired, fires);
            EXPECT_EQ(std::isnan(scratch.GetResults()[0].Value), !fires);
            EXPECT_EQ(scratch.GetSolution(0).empty(), !fires);
        }
    }
}

TEST(CompiledController, RefusesInputsThatAreNotFiniteAndKeepsTheLastAnswer) {
    THeaterController heater = MakeHeater();
    const TCompiledController compiled =
        TCompiledController::Compile(HeaterPlan(heater), TSemantics::smLibrary);
    TControllerScratch scratch;
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

struct TPlanFault {
    const char* Name;
    void (*Break)(controller::TPlan& Plan);
    const char* Message;
};

class CompiledControllerPlanFault : public ::testing::TestWithParam<TPlanFault> {};

TEST_P(CompiledControllerPlanFault, IsRefusedWithAClearMessage) {
    THeaterController heater = MakeHeater();
    controller::TPlan plan = HeaterPlan(heater);
    GetParam().Break(plan);
    EXPECT_RAISES(TCompiledController::Compile(plan, TSemantics::smLibrary),
                  EArgumentOutOfRangeException, GetParam().Message);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, CompiledControllerPlanFault,
    ::testing::Values(
        TPlanFault{"InvertedRange", [](controller::TPlan& P) { P.Inputs[1].Maximum = -3; },
                   "Invalid range of \"rate\": minimum -2.0000, maximum -3.0000"},
        TPlanFault{"NaNRange",
                   [](controller::TPlan& P) {
                       P.Outputs[0].Minimum = std::numeric_limits<double>::quiet_NaN();
                   },
                   "Invalid range of \"power\": minimum NAN, maximum 100.0000"},
        TPlanFault{"Threshold",
                   [](controller::TPlan& P) {
                       P.Outputs[0].Threshold = std::numeric_limits<double>::infinity();
                   },
                   "Invalid threshold of output \"power\": INF"},
        TPlanFault{"InputIndex", [](controller::TPlan& P) { P.Rules[3].Premises[1].Input = 2; },
                   "Rule 3: input index 2 is out of range"},
        TPlanFault{"TermIndex", [](controller::TPlan& P) { P.Rules[0].Premises[0].Term = 6; },
                   "Rule 0: term index 6 is out of range"},
        TPlanFault{"OutputIndex",
                   [](controller::TPlan& P) { P.Rules[8].Conclusions[0].Output = 1; },
                   "Rule 8: output index 1 is out of range"},
        TPlanFault{"Weight", [](controller::TPlan& P) { P.Rules[2].Weight = 1.5; },
                   "Rule 2: weight 1.5000 is outside [0, 1]"},
        TPlanFault{"NaNWeight",
                   [](controller::TPlan& P) {
                       P.Rules[2].Weight = std::numeric_limits<double>::quiet_NaN();
                   },
                   "Rule 2: weight NAN is outside [0, 1]"},
        TPlanFault{"NoPremise", [](controller::TPlan& P) { P.Rules[1].Premises.clear(); },
                   "Rule 1 has no premise"},
        TPlanFault{"NoConclusion", [](controller::TPlan& P) { P.Rules[1].Conclusions.clear(); },
                   "Rule 1 has no conclusion"},
        TPlanFault{"AndSum",
                   [](controller::TPlan& P) { P.Rules[4].Family = TFuzzyOperation::foSum; },
                   "Rule 4: invalid connective family 6"},
        TPlanFault{
            "UnorderedTerm",
            [](controller::TPlan& P) { std::swap(P.PremiseTerms[0][0], P.PremiseTerms[0][1]); },
            "Invalid points of a premise term: each point finite with Y >= 0, X never "
            "decreasing"},
        TPlanFault{"NegativeConclusion",
                   [](controller::TPlan& P) { P.Rules[5].Conclusions[0].Term[0].Y = -1; },
                   "Invalid points of a conclusion term: each point finite with Y >= 0, X never "
                   "decreasing"},
        TPlanFault{
            "Method",
            [](controller::TPlan& P) { P.InferenceMethod = static_cast<TFuzzyInferenceMethod>(9); },
            "Invalid inference method: 9"}),
    [](const ::testing::TestParamInfo<TPlanFault>& Info) { return std::string(Info.param.Name); });

} // namespace
} // namespace fuzzy::test
