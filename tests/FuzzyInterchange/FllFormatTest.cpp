// FLL: the example files read with their structure, write and read back unchanged, and
// every construct the library cannot express is refused at its line.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

using enum TVariableRole;

struct TExpectedVariable {
    std::string Name;
    TVariableRole Role;
    TFzyFloat Minimum;
    TFzyFloat Maximum;
    std::size_t Terms;
};

struct TExampleCase {
    std::string File;
    std::vector<TExpectedVariable> Variables;
    std::size_t Rules;
    TFuzzyCorrelationMethod Correlation;
    TDefuzzificationMethod Defuzzification;
};

class FllExampleTest : public ::testing::TestWithParam<TExampleCase> {};

TEST_P(FllExampleTest, ReadsVariablesRangesTermsAndRules) {
    const TExampleCase& example = GetParam();
    const TControllerDescription description = ReadFll(ReadDataFile(example.File));
    ASSERT_EQ(description.Variables.size(), example.Variables.size());
    for (std::size_t i = 0; i < example.Variables.size(); ++i) {
        const TVariableDescription& variable = description.Variables[i];
        EXPECT_EQ(variable.Name, example.Variables[i].Name);
        EXPECT_EQ(variable.Role, example.Variables[i].Role);
        EXPECT_EQ(variable.Minimum, example.Variables[i].Minimum);
        EXPECT_EQ(variable.Maximum, example.Variables[i].Maximum);
        EXPECT_EQ(variable.Terms.size(), example.Variables[i].Terms);
        EXPECT_FALSE(variable.DefaultValue.has_value());
    }
    EXPECT_EQ(description.Rules.size(), example.Rules);
    EXPECT_EQ(description.CorrelationMethod, example.Correlation);
    EXPECT_EQ(description.InferenceMethod, TFuzzyInferenceMethod::fimMinMax);
    EXPECT_EQ(description.DefuzzificationMethod, example.Defuzzification);
    EXPECT_EQ(description.Threshold, 0); // "activation: General" fires every rule
}

TEST_P(FllExampleTest, WritesTextThatReadsBackToTheSameDescription) {
    const TControllerDescription description = ReadFll(ReadDataFile(GetParam().File));
    const std::string written = WriteFll(description);
    EXPECT_EQ(ReadFll(written), description) << written;
    EXPECT_EQ(WriteFll(ReadFll(written)), written);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, FllExampleTest,
    ::testing::Values(TExampleCase{"SimpleDimmer.fll",
                                   {{"Ambient", vrInput, 0, 1, 3}, {"Power", vrOutput, 0, 1, 3}},
                                   3,
                                   TFuzzyCorrelationMethod::fcmMinimum,
                                   TDefuzzificationMethod::dmCenterOfGravity},
                      TExampleCase{"Laundry.fll",
                                   {{"Load", vrInput, 0, 6, 2},
                                    {"Dirt", vrInput, 0, 6, 2},
                                    {"Detergent", vrOutput, 0, 80, 3},
                                    {"Cycle", vrOutput, 0, 20, 2}},
                                   6,
                                   TFuzzyCorrelationMethod::fcmMinimum,
                                   TDefuzzificationMethod::dmMeanOfMaxima},
                      TExampleCase{"AllTerms.fll",
                                   {{"AllInputTerms", vrInput, 0, 6.5, 20},
                                    {"AllOutputTerms", vrOutput, 0, 6.5, 20}},
                                   20,
                                   TFuzzyCorrelationMethod::fcmMinimum,
                                   TDefuzzificationMethod::dmCenterOfGravity},
                      TExampleCase{"ObstacleAvoidance.fll",
                                   {{"obstacle", vrInput, 0, 1, 2}, {"mSteer", vrOutput, 0, 1, 2}},
                                   2,
                                   TFuzzyCorrelationMethod::fcmProduct,
                                   TDefuzzificationMethod::dmCenterOfGravity}),
    [](const auto& param_info) {
        return param_info.param.File.substr(0, param_info.param.File.find('.'));
    });

TEST(FllFormatTest, ReadsRulesWithConnectivesNegationsAndChains) {
    const TControllerDescription laundry = ReadFll(ReadDataFile("Laundry.fll"));
    const TRuleDescription& first = laundry.Rules[0];
    EXPECT_EQ(first.Connective, "and");
    ASSERT_EQ(first.Premises.size(), 2u);
    EXPECT_EQ(first.Premises[1], (TPremiseDescription{"Dirt", "high", {}, true}));
    EXPECT_EQ(first.Conclusions,
              (std::vector<TConclusionDescription>{{"Detergent", "less_than_usual"}}));
    // A premise may name an output: the cycle follows the detergent.
    EXPECT_EQ(laundry.Rules[4].Connective, "or");
    EXPECT_EQ(laundry.Rules[4].Premises[0].Variable, "Detergent");
}

TEST(FllFormatTest, PiecewiseLinearTermsBecomeTheirPointsExactly) {
    const TControllerDescription laundry = ReadFll(ReadDataFile("Laundry.fll"));
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
    EXPECT_EQ(description.CorrelationMethod, TFuzzyCorrelationMethod::fcmProduct);
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

struct TRefusal {
    int Line; // replaced or added
    std::string Replacement;
    int ReportedLine;
    std::string Detail;
};

class FllRefusalTest : public ::testing::TestWithParam<TRefusal> {};

TEST_P(FllRefusalTest, NamesTheConstructAndItsLine) {
    const TRefusal& refusal = GetParam();
    const std::string text = WithLine(static_cast<std::size_t>(refusal.Line), refusal.Replacement);
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(ReadFll(text)); }, refusal.ReportedLine,
                             refusal.Detail));
}

INSTANTIATE_TEST_SUITE_P(
    Constructs, FllRefusalTest,
    ::testing::Values(
        TRefusal{12, "  aggregation: NormalizedSum", 12,
                 "The aggregation \"NormalizedSum\" has no counterpart in the library"},
        TRefusal{13, "  defuzzifier: Bisector 200", 13,
                 "The defuzzifier \"Bisector\" has no counterpart in the library"},
        TRefusal{13, "  defuzzifier: WeightedAverage Automatic", 13,
                 "The defuzzifier \"WeightedAverage\" has no counterpart in the library"},
        TRefusal{20, "  conjunction: EinsteinProduct", 20,
                 "The conjunction \"EinsteinProduct\" has no counterpart in the library"},
        TRefusal{22, "  implication: none", 22,
                 "The implication \"none\" has no counterpart in the library"},
        TRefusal{23, "  activation: Highest 2", 23,
                 "The activation \"Highest 2\" has no counterpart in the library"},
        TRefusal{6, "  term: cold Constant 5", 6,
                 "The term shape \"Constant\" has no counterpart in the library"},
        TRefusal{6, "  term: cold Triangle 0 10 20 0.5", 6,
                 "A term height other than 1 has no counterpart in the library"},
        TRefusal{6, "  term: cold Triangle 10 0 20", 6,
                 "The numbers of this Triangle make no such shape"},
        TRefusal{6, "  term: cold Triangle 0 10", 6, "Triangle takes 3 numbers, not 2"},
        TRefusal{3, "  enabled: false", 3, "\"enabled: false\" has no counterpart in the library"},
        TRefusal{15, "  lock-previous: true", 15,
                 "\"lock-previous: true\" has no counterpart in the library"},
        TRefusal{24, "  rule: if temp is extremely cold then power is high", 24,
                 "The hedge \"extremely\" has no counterpart in the library"},
        TRefusal{24, "  rule: if temp is cold and temp is warm or temp is cold then power is high",
                 24, "Rule mixes \"and\" and \"or\"; the library has one connective per rule"},
        TRefusal{21, "  disjunction: none", 25,
                 "Rule uses \"or\" but the block sets no method for it"},
        TRefusal{24, "  rule: if (temp is cold then power is high", 24,
                 "Rule has unbalanced parentheses"},
        TRefusal{24, "  rule: if temp is cold then power is high with", 24,
                 "The text ends inside a rule"},
        TRefusal{24, "  rule: if temp is cold then power is high with 1.5", 24,
                 "Rule weight 1.5 is outside [0, 1]"},
        TRefusal{24, "  rule: if temp is cold then power is hot", 24,
                 "Rule names the unknown term \"hot\" of \"power\""},
        TRefusal{24, "  rule: if heat is cold then power is high", 24,
                 "Rule names the unknown variable \"heat\""},
        TRefusal{24, "  rule: if temp is cold then temp is warm", 24,
                 "Rule concludes on the input variable \"temp\""},
        TRefusal{4, "  range: nan 40", 4, "Expected a number, found \"nan\""},
        TRefusal{10, "  range: 0 1e309", 10, "Expected a number, found \"1e309\""},
        TRefusal{4, "  range: 40 0", 2,
                 "The range of \"temp\" must be finite numbers, the first below the second"},
        TRefusal{7, "  term: cold Triangle 0 1 2", 7, "The term \"cold\" is defined twice"},
        TRefusal{19, "  colour: red", 19, "Unknown key \"colour\""},
        TRefusal{19, "no colon here", 19, "Expected \"key: value\", found \"no colon here\""}));

TEST(FllFormatTest, MethodsSetInSeveralPlacesMustAgree) {
    std::string text = WithLine(27, "  implication: AlgebraicProduct");
    text.replace(text.find("\n\n"), 2, "\nRuleBlock: second\n");
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(ReadFll(text)); }, 27,
                             "The implication \"AlgebraicProduct\" differs from \"Minimum\" used "
                             "before; the library has one for the whole controller"));
}

TEST(FllFormatTest, RefusesTheTakagiSugenoOutputOfTheHybridTipper) {
    EXPECT_TRUE(RaisesAtLine([] { static_cast<void>(ReadFll(ReadDataFile("tipper.fll"))); }, 35,
                             "The aggregation \"none\" has no counterpart in the library"));
}

TEST(FllFormatTest, WritingRefusesWhatFllCannotHold) {
    TControllerDescription description = ReadFll(WithLine(1, "Engine: heater"));
    TControllerDescription changed = description;
    changed.Rules[1].Connective = "or-mean";
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0,
                             "The connective \"or-mean\" cannot be written in FLL"));
    changed = description;
    changed.Rules[1].Premises[1].Hedges = {"about"};
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0,
                             "The hedge \"about\" cannot be written in FLL"));
    changed = description;
    changed.InferenceMethod = TFuzzyInferenceMethod::fimMean;
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0,
                             "The inference method \"mean\" cannot be written in FLL"));
    changed = description;
    changed.Rules.clear();
    changed.Variables[0].Name = "room temp";
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0,
                             "The name \"room temp\" cannot be written in FLL"));
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
