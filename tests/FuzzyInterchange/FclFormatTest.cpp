// FCL: the tipper of IEC 61131-7 and the example files read, round trips through FCL and
// between FCL and FLL keep the description, and what the library cannot express is refused
// at its line.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyRules/FuzzyRules.hpp"
#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

// The tipper in the style of IEC 61131-7: point lists, no RANGE, DEFAULT, "AND" alone
// (its dual "OR" taken with it), semicolons after rules, a comment.
const std::string IecTipper = R"(FUNCTION_BLOCK tipper
VAR_INPUT
    service : REAL;
    food : REAL;
END_VAR
VAR_OUTPUT
    tip : REAL;
END_VAR
(* the quality of the service,
   from 0 to 9 *)
FUZZIFY service
    TERM poor := (0, 1) (4, 0) ;
    TERM good := (1, 0) (4,1) (6,1) (9,0);
    TERM excellent := (6, 0) (9, 1);
END_FUZZIFY
FUZZIFY food
    TERM rancid := (0, 1) (1, 1) (3,0) ;
    TERM delicious := (7,0) (9,1);
END_FUZZIFY
DEFUZZIFY tip
    TERM cheap := (0,0) (5,1) (10,0);
    TERM average := (10,0) (15,1) (20,0);
    TERM generous := (20,0) (25,1) (30,0);
    METHOD : COG;
    DEFAULT := 0;
END_DEFUZZIFY
RULEBLOCK No1
    AND : MIN;
    ACT : MIN;
    ACCU : MAX;
    RULE 1 : IF service IS poor OR food IS rancid THEN tip IS cheap;
    RULE 2 : IF service IS good THEN tip IS average;
    RULE 3 : IF service IS excellent AND food IS delicious THEN tip IS generous WITH 0.8;
END_RULEBLOCK
END_FUNCTION_BLOCK
)";

TEST(FclFormatTest, ReadsTheIecTipperAndWritesItBack) {
    const TControllerDescription tipper = ReadFcl(IecTipper);
    EXPECT_EQ(tipper.Name, "tipper");
    // Without RANGE a variable spans its terms' points.
    ASSERT_EQ(Outline(tipper), "service in 0..9 (3), food in 0..9 (2), tip out 0..30 (3), 3 rules");
    EXPECT_EQ(tipper.Variables[0].Terms[1].Points,
              (std::vector<TDescribedPoint>{{1, 0}, {4, 1}, {6, 1}, {9, 0}}));
    EXPECT_EQ(tipper.Variables[2].DefaultValue, 0.0);
    EXPECT_EQ(tipper.Rules[0].Connective, "or");
    EXPECT_EQ(tipper.Rules[1].Connective, "");
    EXPECT_EQ(tipper.Rules[2].Connective, "and");
    EXPECT_EQ(tipper.Rules[2].Weight, 0.8);
    EXPECT_EQ(tipper.Rules[2].Conclusions,
              (std::vector<TConclusionDescription>{{"tip", "generous"}}));
    EXPECT_EQ(tipper.DefuzzificationMethod, TDefuzzificationMethod::dmCenterOfGravity);
    const std::string fcl = WriteFcl(tipper);
    EXPECT_EQ(ReadFcl(fcl), tipper) << fcl;
    EXPECT_EQ(WriteFcl(ReadFcl(fcl)), fcl);
    EXPECT_EQ(ReadFll(WriteFll(tipper)), tipper);
    // A block that sets one connective gets its dual for the other.
    std::string text = IecTipper;
    text.replace(text.find("AND : MIN;"), 10, "OR : ASUM;");
    EXPECT_EQ(ReadFcl(text).Rules[0].Connective, "or-product");
    EXPECT_EQ(ReadFcl(text).Rules[2].Connective, "and-product");
}

// Compiled in textbook semantics, the tipper answers what clipping its terms and taking the
// centre of gravity of their maximum gives by hand: one full triangle (15); cheap clipped
// at 1/2 with average at 1/3 (435/47); average at 1/2 with generous at 0.8 * 1/2 (2725/139).
TEST(FclFormatTest, TheIecTipperEvaluatesAsWorkedByHand) {
    const std::unique_ptr<TFuzzyRuleLogic> logic(TFuzzyRuleLogic::Create(nullptr));
    const TControllerDescription tipper = ReadFcl(IecTipper);
    FillFuzzyLogic(tipper, *logic);
    FillFuzzyRules(tipper, *logic->GetRules());
    const controller::TPlan plan = MakeControllerPlan(*logic, *logic->GetRules());
    ASSERT_EQ(plan.Inputs[0].Name, "service");
    const auto controller =
        controller::TCompiledController::Compile(plan, controller::TSemantics::smTextbook);
    controller::TControllerScratch scratch;
    const struct {
        double Service, Food, Tip;
    } cases[] = {{5, 5, 15}, {2, 8, 435.0 / 47}, {7.5, 8.5, 2725.0 / 139}};
    for (const auto& row : cases) {
        controller.Evaluate(std::vector<TFzyFloat>{row.Service, row.Food}, scratch);
        EXPECT_NEAR(scratch.GetResults()[0].Value, row.Tip, 1e-12 * 30)
            << row.Service << ", " << row.Food;
    }
}

TEST(FclFormatTest, RefusesWhatTheLibraryCannotExpressAtItsLine) {
    const TTextRefusal cases[] = {
        {"TERM cheap := (0,0) (5,1) (10,0);", "TERM cheap := 5;", 21,
         "The singleton term \"5\"" + NoCounterpart},
        {"METHOD : COG;", "METHOD : COGS;", 24, "The METHOD \"COGS\"" + NoCounterpart},
        {"ACCU : MAX;", "ACCU : NSUM;", 30, "The ACCU \"NSUM\"" + NoCounterpart},
        {"DEFAULT := 0;", "DEFAULT := NC;", 25, "The default \"NC\"" + NoCounterpart},
        {"AND : MIN;", "AND : HAMACHER;", 28, "The AND \"HAMACHER\"" + NoCounterpart},
        {"TERM excellent := (6, 0) (9, 1);", "TERM excellent := Gaussian 7 1;", 3,
         "The variable \"service\" has no range and no terms to take one from"},
        {"(6, 0) (9, 1)", "(6, 0) (9, nan)", 14, "Expected a number, found \"nan\""},
        {"FUZZIFY food", "FUZZIFY drink", 16, "Unknown input variable \"drink\""},
        {"food IS rancid", "food IS mouldy", 31,
         "Rule names the unknown term \"mouldy\" of \"food\""},
        {"tip IS average;", "tip IS;", 32, "The text ends inside a rule"},
        {"from 0 to 9 *)", "from 0 to 9", 9, "The text ends inside a comment"},
        {"END_FUNCTION_BLOCK", "", 34, "The text ends inside FUNCTION_BLOCK"},
        {"METHOD : COG;", "METHOD : COG;\n    ACCU : BSUM;", 31,
         "The ACCU \"MAX\" differs from \"BSUM\" used before; the library has one for the whole "
         "controller"},
    };
    for (const TTextRefusal& row : cases)
        EXPECT_TRUE(Refuses(ReadFcl, IecTipper, row)) << row.To;
}

// The hybrid tipper's Takagi-Sugeno output, in both formats.
TEST(FclFormatTest, TheHybridTipperIsRefused) {
    EXPECT_TRUE(RaisesAtLine([] { static_cast<void>(ReadFcl(ReadDataFile("tipper.fcl"))); }, 40,
                             "The singleton term \"5.000\"" + NoCounterpart));
    EXPECT_TRUE(RaisesAtLine([] { static_cast<void>(ReadFll(ReadDataFile("tipper.fll"))); }, 35,
                             "The aggregation \"none\"" + NoCounterpart));
}

TEST(FclFormatTest, WritingRefusesNamesFclWouldMisreadAndAThreshold) {
    TControllerDescription tipper = ReadFcl(IecTipper);
    tipper.Rules.clear();
    for (const std::string name : {"Rule", "end_var", "a//b", "a..b", "any"}) {
        TControllerDescription renamed = tipper;
        renamed.Variables[2].Terms[0].Name = name;
        EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFcl(renamed)); }, 0,
                                 "The name \"" + name + "\" cannot be written in FCL"));
    }
    tipper.Threshold = 0.01;
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFcl(tipper)); }, 0,
                             "FCL has no firing threshold; set the threshold to 0 to write it "
                             "(it is 0.01)"));
}

} // namespace
} // namespace fuzzy::test
