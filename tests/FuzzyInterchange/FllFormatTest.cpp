// FLL: the example files read with their structure and write and read back unchanged in FLL
// and FCL, as the FCL and FIS files of the same controllers read; every construct the
// library cannot express is refused at its line.

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
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

/// Laundry.fll with some of its lines replaced (or added, past the end).
std::string Laundry(std::initializer_list<std::pair<std::size_t, std::string>> Replacements) {
    std::vector<std::string> lines;
    std::istringstream file(ReadDataFile("Laundry.fll"));
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    for (const auto& [line, replacement] : Replacements) {
        lines.resize(std::max(lines.size(), line));
        lines[line - 1] = replacement;
    }
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// Connectives, negations, rules that chain through an output, the methods and hedges by
// their FLL names, and piecewise-linear terms as their points exactly.
TEST(FllFormatTest, ReadsRulesMethodsAndPiecewiseLinearTerms) {
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

    const TControllerDescription named = ReadFll(Laundry(
        {{18, "aggregation: AlgebraicSum"},
         {29, "aggregation: AlgebraicSum"},
         {37, "conjunction: AlgebraicProduct"},
         {38, "disjunction: BoundedSum"},
         {39, "implication: AlgebraicProduct"},
         {40, "activation: Threshold >= 0.25"},
         {42, "rule: if Load is small and Dirt is very high then Detergent is usual"},
         {45, "rule: if Detergent is usual or Detergent is somewhat usual then Cycle is short"}}));
    EXPECT_EQ(named.InferenceMethod, TFuzzyInferenceMethod::fimProduct);
    EXPECT_EQ(named.CorrelationMethod, fcmProduct);
    EXPECT_EQ(named.Threshold, 0.25);
    EXPECT_EQ(named.Rules[1].Connective, "and-product");
    EXPECT_EQ(named.Rules[1].Premises[1].Hedges, std::vector<std::string>{"very"});
    EXPECT_EQ(named.Rules[4].Connective, "or-boundedsum");
    EXPECT_EQ(named.Rules[4].Premises[1].Hedges, std::vector<std::string>{"moreorless"});
}

// Each case names the construct and its line (the line replaced, unless the case says).
TEST(FllFormatTest, RefusesWhatTheLibraryCannotExpressAtItsLine) {
    const struct {
        int Line;
        std::string Replacement;
        std::string Detail;
        int ReportedLine = 0;
    } cases[] = {
        {18, "aggregation: NormalizedSum", "The aggregation \"NormalizedSum\"" + NoCounterpart},
        {19, "defuzzifier: Bisector 200", "The defuzzifier \"Bisector\"" + NoCounterpart},
        {19, "defuzzifier: WeightedAverage Automatic",
         "The defuzzifier \"WeightedAverage\"" + NoCounterpart},
        {37, "conjunction: EinsteinProduct", "The conjunction \"EinsteinProduct\"" + NoCounterpart},
        {39, "implication: none", "The implication \"none\"" + NoCounterpart},
        {40, "activation: Highest 2", "The activation \"Highest 2\"" + NoCounterpart},
        {6, "term: small Constant 5", "The term shape \"Constant\"" + NoCounterpart},
        {7, "term: normal Triangle 0 1 2 0.5", "A term height other than 1" + NoCounterpart},
        {7, "term: normal Triangle 2 0 3", "The numbers of this Triangle make no such shape"},
        {7, "term: normal Triangle 0 1", "Triangle takes 3 numbers, not 2"},
        {3, "enabled: false", "\"enabled: false\"" + NoCounterpart},
        {21, "lock-previous: true", "\"lock-previous: true\"" + NoCounterpart},
        {41, "rule: if Load is extremely small then Cycle is long",
         "The hedge \"extremely\"" + NoCounterpart},
        {41, "rule: if Load is small and Dirt is low or Load is normal then Cycle is long",
         "Rule mixes \"and\" and \"or\"; the library has one connective per rule"},
        {38, "disjunction: none", "Rule uses \"or\" but the block sets no method for it", 45},
        {41, "rule: if (Load is small then Cycle is long", "Rule has unbalanced parentheses"},
        {41, "rule: if Load is small then Cycle is long with", "The text ends inside a rule"},
        {41, "rule: if Load is small then Cycle is long with 1.5",
         "Rule weight 1.5 is outside [0, 1]"},
        {41, "rule: if Load is small then Cycle is hot",
         "Rule names the unknown term \"hot\" of \"Cycle\""},
        {41, "rule: if Heat is small then Cycle is long",
         "Rule names the unknown variable \"Heat\""},
        {41, "rule: if Load is small then Load is normal",
         "Rule concludes on the input variable \"Load\""},
        {4, "range: nan 6", "Expected a number, found \"nan\""},
        {16, "range: 0 1e309", "Expected a number, found \"1e309\""},
        {4, "range: 6 0",
         "The range of \"Load\" must be finite numbers, the first below the second", 2},
        {7, "term: small Triangle 0 1 2", "The term \"small\" is defined twice"},
        {36, "colour: red", "Unknown key \"colour\""},
        {36, "no colon here", "Expected \"key: value\", found \"no colon here\""},
        {47, "RuleBlock: second\nimplication: AlgebraicProduct",
         "The implication \"AlgebraicProduct\" differs from \"Minimum\" used before; the library "
         "has one for the whole controller",
         48},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Replacement);
        const std::string text = Laundry({{static_cast<std::size_t>(row.Line), row.Replacement}});
        EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(ReadFll(text)); },
                                 row.ReportedLine != 0 ? row.ReportedLine : row.Line, row.Detail));
    }
}

TEST(FllFormatTest, WritingRefusesWhatFllCannotHold) {
    const TControllerDescription laundry = ReadFll(ReadDataFile("Laundry.fll"));
    const struct {
        void (*Change)(TControllerDescription&);
        std::string Detail;
    } cases[] = {
        {[](TControllerDescription& d) { d.Rules[4].Connective = "or-mean"; },
         "The connective \"or-mean\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.Rules[4].Premises[1].Hedges = {"about"}; },
         "The hedge \"about\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.InferenceMethod = TFuzzyInferenceMethod::fimMean; },
         "The inference method \"mean\" cannot be written in FLL"},
        {[](TControllerDescription& d) { d.Rules.clear(), d.Variables[0].Name = "room temp"; },
         "The name \"room temp\" cannot be written in FLL"},
    };
    for (const auto& row : cases) {
        TControllerDescription changed = laundry;
        row.Change(changed);
        EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(WriteFll(changed)); }, 0, row.Detail));
    }
}

TEST(FllFormatTest, RulesNeedingDifferentConnectivesGoToSeparateBlocks) {
    TControllerDescription laundry = ReadFll(ReadDataFile("Laundry.fll"));
    TRuleDescription product = laundry.Rules[4];
    product.Connective = "or-product";
    product.Premises[0].Hedges = {"very"};
    laundry.Rules.push_back(product);
    laundry.Rules.push_back(laundry.Rules[4]);
    const std::string written = WriteFll(laundry);
    EXPECT_EQ(ReadFll(written), laundry) << written;
    EXPECT_NE(written.find("disjunction: AlgebraicSum"), std::string::npos);
}

} // namespace
} // namespace fuzzy::test
