// FLL: the example files read with their structure and write and read back unchanged in FLL
// and FCL, as the FCL and FIS files of the same controllers read; every construct the
// library cannot express is refused at its line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

using enum TFuzzyCorrelationMethod;
using enum TDefuzzificationMethod;

// The FCL and FIS files of a controller read as its FLL file (which checks every shape's
// order of parameters), and FLL and FCL written from it read back to it.
TEST(FllFormatTest, ExampleFilesReadAndRoundTripInEveryFormat) {
    const struct {
        std::string Name;
        std::string Outline;
        TFuzzyCorrelationMethod Correlation;
        TDefuzzificationMethod Defuzzification;
        bool HasFcl, HasFis;
    } cases[] = {
        {"SimpleDimmer", "Ambient in 0..1 (3), Power out 0..1 (3), 3 rules", fcmMinimum,
         dmCenterOfGravity, true, true},
        {"Laundry",
         "Load in 0..6 (2), Dirt in 0..6 (2), Detergent out 0..80 (3), Cycle out 0..20 (2), 6 "
         "rules",
         fcmMinimum, dmMeanOfMaxima, true, false},
        {"AllTerms", "AllInputTerms in 0..6.5 (20), AllOutputTerms out 0..6.5 (20), 20 rules",
         fcmMinimum, dmCenterOfGravity, false, true},
        {"ObstacleAvoidance", "obstacle in 0..1 (2), mSteer out 0..1 (2), 2 rules", fcmProduct,
         dmCenterOfGravity, false, false},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Name);
        const TControllerDescription description = ReadFll(ReadDataFile(row.Name + ".fll"));
        EXPECT_EQ(Outline(description), row.Outline);
        EXPECT_EQ(description.CorrelationMethod, row.Correlation);
        EXPECT_EQ(description.InferenceMethod, TFuzzyInferenceMethod::fimMinMax);
        EXPECT_EQ(description.DefuzzificationMethod, row.Defuzzification);
        EXPECT_EQ(description.Threshold, 0); // "activation: General" fires every rule
        const std::string fll = WriteFll(description);
        EXPECT_EQ(ReadFll(fll), description) << fll;
        EXPECT_EQ(WriteFll(ReadFll(fll)), fll);
        const std::string fcl = WriteFcl(description);
        EXPECT_EQ(ReadFcl(fcl), description) << fcl;
        if (row.HasFcl) {
            EXPECT_EQ(ReadFcl(ReadDataFile(row.Name + ".fcl")), description);
        }
        if (row.HasFis) {
            EXPECT_EQ(ReadFis(ReadDataFile(row.Name + ".fis")), description);
        }
    }
}

// Connectives, negations, rules that chain through an output, and piecewise-linear terms
// as their points exactly.
TEST(FllFormatTest, ReadsRulesAndPiecewiseLinearTerms) {
    const TControllerDescription laundry = ReadFll(ReadDataFile("Laundry.fll"));
    const TRuleDescription& first = laundry.Rules[0];
    EXPECT_EQ(first.Connective, "and");
    ASSERT_EQ(first.Premises.size(), 2u);
    EXPECT_EQ(first.Premises[1], (TPremiseDescription{"Dirt", "high", {}, true}));
    EXPECT_EQ(first.Conclusions,
              (std::vector<TConclusionDescription>{{"Detergent", "less_than_usual"}}));
    EXPECT_EQ(laundry.Rules[4].Connective, "or");
    EXPECT_EQ(laundry.Rules[4].Premises[0].Variable, "Detergent");
    EXPECT_EQ(laundry.Variables[0].Terms[0].Points,
              (std::vector<TDescribedPoint>{{0, 1}, {1, 1}, {2, 0.8}, {5, 0}}));
    const TControllerDescription obstacle = ReadFll(ReadDataFile("ObstacleAvoidance.fll"));
    EXPECT_EQ(obstacle.Variables[0].Terms[0].Points,
              (std::vector<TDescribedPoint>{{0, 1}, {1, 0}}));
    EXPECT_EQ(obstacle.Variables[0].Terms[0].Parameters, (std::vector<TFzyFloat>{1, 0}));
}

TEST(FllFormatTest, MapsTheMethodNamesToTheLibrarys) {
    const TControllerDescription description =
        ReadFll("OutputVariable: y\n"
                "  range: 0 1\n"
                "  aggregation: AlgebraicSum\n"
                "  term: a Triangle 0 0.5 1\n"
                "RuleBlock:\n"
                "  conjunction: AlgebraicProduct\n"
                "  disjunction: BoundedSum\n"
                "  implication: AlgebraicProduct\n"
                "  activation: Threshold >= 0.25\n"
                "  rule: if y is a and y is very a then y is a\n"
                "  rule: if y is a or y is somewhat a then y is a\n");
    EXPECT_EQ(description.InferenceMethod, TFuzzyInferenceMethod::fimProduct);
    EXPECT_EQ(description.CorrelationMethod, fcmProduct);
    EXPECT_EQ(description.Threshold, 0.25);
    EXPECT_EQ(description.Rules[0].Connective, "and-product");
    EXPECT_EQ(description.Rules[0].Premises[1].Hedges, std::vector<std::string>{"very"});
    EXPECT_EQ(description.Rules[1].Connective, "or-boundedsum");
    EXPECT_EQ(description.Rules[1].Premises[1].Hedges, std::vector<std::string>{"moreorless"});
}

// A small controller, one line of which each case replaces (or adds, past the end).
const std::vector<std::string> BaseLines{
    "Engine: heater",
    "InputVariable: temp",
    "  enabled: true",
    "  range: 0 40",
    "  lock-range: false",
    "  term: cold Triangle 0 10 20",
    "  term: warm Trapezoid 15 20 25 30",
    "OutputVariable: power",
    "  enabled: true",
    "  range: 0 100",
    "  lock-range: false",
    "  aggregation: Maximum",
    "  defuzzifier: Centroid 200",
    "  default: nan",
    "  lock-previous: false",
    "  term: low Ramp 50 0",
    "  term: high Ramp 50 100",
    "RuleBlock: main",
    "  enabled: true",
    "  conjunction: Minimum",
    "  disjunction: Maximum",
    "  implication: Minimum",
    "  activation: General",
    "  rule: if temp is cold then power is high",
    "  rule: if temp is warm or temp is very cold then power is low with 0.5",
};

std::string WithLine(std::size_t Line, const std::string& Replacement) {
    std::vector<std::string> lines = BaseLines;
    if (Line > lines.size())
        lines.resize(Line);
    lines[Line - 1] = Replacement;
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Each case names the construct and its line (the line replaced, unless the case says).
TEST(FllFormatTest, RefusesWhatTheLibraryCannotExpressAtItsLine) {
    const struct {
        int Line;
        std::string Replacement;
        std::string Detail;
        int ReportedLine = 0;
    } cases[] = {
        {12, "aggregation: NormalizedSum", "The aggregation \"NormalizedSum\"" + NoCounterpart},
        {13, "defuzzifier: Bisector 200", "The defuzzifier \"Bisector\"" + NoCounterpart},
        {13, "defuzzifier: WeightedAverage Automatic",
         "The defuzzifier \"WeightedAverage\"" + NoCounterpart},
        {20, "conjunction: EinsteinProduct", "The conjunction \"EinsteinProduct\"" + NoCounterpart},
        {22, "implication: none", "The implication \"none\"" + NoCounterpart},
        {23, "activation: Highest 2", "The activation \"Highest 2\"" + NoCounterpart},
        {6, "term: cold Constant 5", "The term shape \"Constant\"" + NoCounterpart},
        {6, "term: cold Triangle 0 10 20 0.5", "A term height other than 1" + NoCounterpart},
        {6, "term: cold Triangle 10 0 20", "The numbers of this Triangle make no such shape"},
        {6, "term: cold Triangle 0 10", "Triangle takes 3 numbers, not 2"},
        {3, "enabled: false", "\"enabled: false\"" + NoCounterpart},
        {15, "lock-previous: true", "\"lock-previous: true\"" + NoCounterpart},
        {24, "rule: if temp is extremely cold then power is high",
         "The hedge \"extremely\"" + NoCounterpart},
        {24, "rule: if temp is cold and temp is warm or temp is cold then power is high",
         "Rule mixes \"and\" and \"or\"; the library has one connective per rule"},
        {21, "disjunction: none", "Rule uses \"or\" but the block sets no method for it", 25},
        {24, "rule: if (temp is cold then power is high", "Rule has unbalanced parentheses"},
        {24, "rule: if temp is cold then power is high with", "The text ends inside a rule"},
        {24, "rule: if temp is cold then power is high with 1.5",
         "Rule weight 1.5 is outside [0, 1]"},
        {24, "rule: if temp is cold then power is hot",
         "Rule names the unknown term \"hot\" of \"power\""},
        {24, "rule: if heat is cold then power is high",
         "Rule names the unknown variable \"heat\""},
        {24, "rule: if temp is cold then temp is warm",
         "Rule concludes on the input variable \"temp\""},
        {4, "range: nan 40", "Expected a number, found \"nan\""},
        {10, "range: 0 1e309", "Expected a number, found \"1e309\""},
        {4, "range: 40 0",
         "The range of \"temp\" must be finite numbers, the first below the second", 2},
        {7, "term: cold Triangle 0 1 2", "The term \"cold\" is defined twice"},
        {19, "colour: red", "Unknown key \"colour\""},
        {19, "no colon here", "Expected \"key: value\", found \"no colon here\""},
        {27, "implication: AlgebraicProduct",
         "The implication \"AlgebraicProduct\" differs from \"Minimum\" used before; the library "
         "has one for the whole controller"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Replacement);
        std::string text = WithLine(static_cast<std::size_t>(row.Line), row.Replacement);
        if (row.Line > static_cast<int>(BaseLines.size())) // in a second block
            text.replace(text.find("\n\n"), 2, "\nRuleBlock: second\n");
        EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(ReadFll(text)); },
                                 row.ReportedLine != 0 ? row.ReportedLine : row.Line, row.Detail));
    }
}

TEST(FllFormatTest, WritingRefusesWhatFllCannotHold) {
    const TControllerDescription description = ReadFll(WithLine(1, "Engine: heater"));
    const struct {
        void (*Change)(TControllerDescription&);
        std::string Detail;
    } cases[] = {
        {[](TControllerDescription& d) { d.Rules[1].Connective = "or-mean"; },
         "The connective \"or-mean\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.Rules[1].Premises[1].Hedges = {"about"}; },
         "The hedge \"about\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.InferenceMethod = TFuzzyInferenceMethod::fimMean; },
         "The inference method \"mean\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.Rules.clear(), d.Variables[0].Name = "room temp"; },
         "The name \"room temp\" cannot be written in FLL"},
    };
    for (const auto& row : cases) {
        TControllerDescription changed = description;
        row.Change(changed);
        EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0, row.Detail));
    }
}

TEST(FllFormatTest, RulesNeedingDifferentConnectivesGoToSeparateBlocks) {
    TControllerDescription description = ReadFll(WithLine(1, "Engine: heater"));
    TRuleDescription product = description.Rules[1];
    product.Connective = "or-product";
    description.Rules.push_back(product);
    description.Rules.push_back(description.Rules[1]);
    const std::string written = WriteFll(description);
    EXPECT_EQ(ReadFll(written), description) << written;
    EXPECT_NE(written.find("disjunction: AlgebraicSum"), std::string::npos);
}

} // namespace
} // namespace fuzzy::test
