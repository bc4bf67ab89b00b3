// FIS: methods, negations, omitted variables and weights read, and what does not read or
// cannot be expressed is refused at its line.

#include <string>

#include <gtest/gtest.h>

#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

const std::string Tipper = R"([System]
Name='tipper'
Type='mamdani'
NumInputs=2
NumOutputs=1
NumRules=2
AndMethod='prod'
OrMethod='probor'
ImpMethod='prod'
AggMethod='sum'
DefuzzMethod='mom'
[Input1]
Name='service'
Range=[0 10]
NumMFs=2
MF1='poor':'gaussmf',[1.5 0]
MF2='good':'gaussmf',[1.5 5]
[Input2]
Name='food'
Range=[0 10]
NumMFs=1
MF1='rancid':'trapmf',[0 0 1 3]
[Output1]
Name='tip'
Range=[0 30]
NumMFs=2
MF1='cheap':'trimf',[0 5 10]
MF2='generous':'trimf',[20 25 30]
[Rules]
1 -1, 1 (0.5) : 2
2 0, 2 (1) : 1
)";

TEST(FisFormatTest, ReadsMethodsNegationsOmissionsAndWeights) {
    const TControllerDescription tipper = ReadFis(Tipper);
    EXPECT_EQ(tipper.Name, "tipper");
    EXPECT_EQ(tipper.CorrelationMethod, TFuzzyCorrelationMethod::fcmProduct);
    EXPECT_EQ(tipper.InferenceMethod, TFuzzyInferenceMethod::fimAdditive);
    EXPECT_EQ(tipper.DefuzzificationMethod, TDefuzzificationMethod::dmMeanOfMaxima);
    EXPECT_EQ(tipper.Variables[0].Terms[1].Parameters, (std::vector<TFzyFloat>{5, 1.5}));
    ASSERT_EQ(tipper.Rules.size(), 2u);
    const TRuleDescription& first = tipper.Rules[0];
    EXPECT_EQ(first.Connective, "or-product");
    EXPECT_EQ(first.Premises[1], (TPremiseDescription{"food", "rancid", {}, true}));
    EXPECT_EQ(first.Weight, 0.5);
    EXPECT_EQ(tipper.Rules[1].Premises.size(), 1u); // index 0 leaves food out
    EXPECT_EQ(tipper.Rules[1].Connective, "");
}

TEST(FisFormatTest, RefusesWhatTheLibraryCannotExpressAtItsLine) {
    const TTextRefusal cases[] = {
        {"Type='mamdani'", "Type='sugeno'", 3, "The system type \"sugeno\"" + NoCounterpart},
        {"DefuzzMethod='mom'", "DefuzzMethod='bisector'", 11,
         "The DefuzzMethod \"bisector\"" + NoCounterpart},
        {"AggMethod='sum'", "AggMethod='einstein'", 10,
         "The AggMethod \"einstein\"" + NoCounterpart},
        {"NumInputs=2", "NumInputs=200000000", 4, "NumInputs says 200000000 but 2 follow"},
        {"NumMFs=1", "NumMFs=3", 21, "NumMFs says 3 but 1 follow"},
        {"'gaussmf',[1.5 5]", "'gaussmf',[1.5]", 17, "gaussmf takes 2 numbers, not 1"},
        {"'gaussmf',[1.5 5]", "'gaussmf',[nan 5]", 17, "Expected a number, found \"nan\""},
        {"'gaussmf',[1.5 5]", "'linear',[1 5]", 17, "The term shape \"linear\"" + NoCounterpart},
        {"1 -1, 1 (0.5) : 2", "1.2 -1, 1 (0.5) : 2", 30,
         "Rule index 1.2 is not a whole number; hedges in FIS rules have no "
         "counterpart in the library"},
        {"2 0, 2 (1) : 1", "3 0, 2 (1) : 1", 31,
         "Rule names the unknown term \"3\" of \"service\""},
        {"2 0, 2 (1) : 1", "2 0, -2 (1) : 1", 31, "The negated conclusion \"-2\"" + NoCounterpart},
        {"2 0, 2 (1) : 1", "2 0 1, 2 (1) : 1", 31,
         "Expected one index per variable, a weight and a connection, found \"2 0 1, 2 "
         "(1) : 1\""},
        {"2 0, 2 (1) : 1", "2 0, 2 (1.5) : 1", 31, "Rule weight 1.5 is outside [0, 1]"},
        {"[Input2]", "[Input3]", 18, "Unknown section \"Input3\""},
        {"Range=[0 30]", "Range=[0 30", 25, "Expected \"]\", found \"0 30\""},
    };
    for (const TTextRefusal& row : cases)
        EXPECT_TRUE(Refuses(ReadFis, Tipper, row)) << row.To;
}

} // namespace
} // namespace fuzzy::test
