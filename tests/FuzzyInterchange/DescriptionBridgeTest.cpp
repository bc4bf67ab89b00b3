// A description fills a logic component (ranges, terms as points clipped to the range,
// methods, threshold, rules) and a logic component is described back.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "support/Raises.hpp"
#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

class DescriptionBridgeTest : public ::testing::Test {
protected:
    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};

    const TFuzzySet& Term(const std::string& Variable, const std::string& Name) const {
        return *Logic->GetItems()->GetItemByName(Variable)->GetItems()->GetItemByName(Name);
    }
};

// Filled without automatic terms, and described back as point lists that write and read
// back unchanged.
TEST_F(DescriptionBridgeTest, FillsVariablesTermsAndMethodsAndDescribesThemBack) {
    TControllerDescription original = ReadFll(ReadDataFile("Laundry.fll"));
    original.Threshold = 0.25;
    original.Variables[0].Units = "kg";
    FillFuzzyLogic(original, *Logic);
    ASSERT_EQ(Logic->GetItems()->GetCount(), 4);
    const TFuzzyVariable& detergent = *Logic->GetItems()->GetItemByName("Detergent");
    EXPECT_EQ(detergent.GetMaximum(), 80);
    EXPECT_EQ(detergent.GetItems()->GetCount(), 3); // no "low", "medium", "high" added
    EXPECT_EQ(Logic->GetItems()->GetItemByName("Load")->GetUnits(), "kg");
    EXPECT_TRUE(Logic->GetAutoTerms());
    EXPECT_TRUE(Term("Detergent", "usual").GetDefined());
    EXPECT_EQ(Term("Dirt", "high").DegreeOfMembership(3), 0.5);
    EXPECT_EQ(Logic->GetDefuzzificationMethod(), TDefuzzificationMethod::dmMeanOfMaxima);
    EXPECT_EQ(Logic->GetThreshold(), 0.25);
    EXPECT_EQ(detergent.GetThreshold(), 0.25);

    TControllerDescription described = DescribeFuzzyLogic(*Logic, {"Detergent", "Cycle"});
    ASSERT_EQ(described.Variables.size(), 4u);
    EXPECT_EQ(described.Variables[2].Role, TVariableRole::vrOutput);
    EXPECT_EQ(described.Variables[0].Terms[0].Shape, TTermShape::tsDiscrete);
    EXPECT_EQ(described.Variables[0].Terms[0].Points, original.Variables[0].Terms[0].Points);
    EXPECT_EQ(described.Threshold, 0.25);
    EXPECT_EQ(described.Variables[0].Units, "kg");
    described.Variables[0].Units.clear(); // FLL has no place for units
    EXPECT_EQ(ReadFll(WriteFll(described)), described);
}

TEST_F(DescriptionBridgeTest, TermsReachingPastTheRangeKeepTheirDegreesInsideIt) {
    FillFuzzyLogic(ReadFll("InputVariable: x\n"
                           "  range: 1 10\n"
                           "  term: bad Trapezoid 0 1 3 7\n"
                           "  term: rising Triangle -8 2 12\n"
                           "  term: beyond Ramp 20 30\n"),
                   *Logic);
    EXPECT_EQ(Term("x", "bad").DegreeOfMembership(1), 1);
    EXPECT_EQ(Term("x", "bad").DegreeOfMembership(5), 0.5);
    EXPECT_DOUBLE_EQ(Term("x", "rising").DegreeOfMembership(1), 0.9);
    EXPECT_DOUBLE_EQ(Term("x", "rising").DegreeOfMembership(10), 0.2);
    EXPECT_EQ(Term("x", "beyond").DegreeOfMembership(10), 0);
}

TEST_F(DescriptionBridgeTest, CurvesArriveWithinTheirTolerance) {
    const TControllerDescription description = ReadFll(ReadDataFile("AllTerms.fll"));
    FillFuzzyLogic(description, *Logic);
    for (const TTermDescription& term : description.Variables[0].Terms)
        for (TFzyFloat x = 0; x <= 6.5; x += 0.01)
            EXPECT_NEAR(Term("AllInputTerms", term.Name).DegreeOfMembership(x),
                        ShapeMembership(term.Shape, term.Parameters, x), PolylineTolerance)
                << term.Name << " at " << x;
}

TEST_F(DescriptionBridgeTest, RefusesUnknownOutputsAndFaultyDescriptionsChangingNothing) {
    FillFuzzyLogic(ReadFll(ReadDataFile("SimpleDimmer.fll")), *Logic);
    EXPECT_TRUE(RaisesAtLine([&] { static_cast<void>(DescribeFuzzyLogic(*Logic, {"Light"})); }, 0,
                             "The logic component has no variable \"Light\""));
    TControllerDescription faulty = ReadFll(ReadDataFile("Laundry.fll"));
    faulty.Rules[0].Premises[0].Term = "huge";
    EXPECT_TRUE(RaisesAtLine([&] { FillFuzzyLogic(faulty, *Logic); }, 0,
                             "Rule names the unknown term \"huge\" of \"Load\""));
    EXPECT_EQ(Logic->GetItems()->GetCount(), 2);
}

// Rules go to the block and come back the same: hedges outermost first in the description,
// innermost first in a rule; one premise without a connective reads as "and".
TEST(RuleBridgeTest, RulesGoToTheBlockAndComeBackTheSame) {
    TControllerDescription description;
    description.Rules = {
        {{{"a", "t", {"very", "somewhat"}, true}}, "", {{"b", "u"}}, 0.5},
        {{{"a", "t", {}, false}, {"c", "v", {}, false}}, "or-sum", {{"b", "u"}, {"d", "w"}}, 1}};
    TFuzzyRules rules(nullptr);
    FillFuzzyRules(description, rules);
    ASSERT_EQ(rules.GetCount(), 2);
    EXPECT_EQ(rules[0]->GetPremises().front().Hedges,
              (std::vector<TFuzzyHedge>{TFuzzyHedge::fhSomewhat, TFuzzyHedge::fhVery}));
    EXPECT_EQ(rules[0]->GetConnective(), "and");
    EXPECT_EQ(rules[1]->GetConnective(), "or-sum");
    TControllerDescription back;
    DescribeFuzzyRules(rules, back);
    EXPECT_EQ(back.Rules, description.Rules);
    description.Rules = {{{{"a", "t", {"wobbly"}, false}}, "", {{"b", "u"}}, 1}};
    EXPECT_RAISES(FillFuzzyRules(description, rules), EFzyInterchangeException,
                  "Rule hedge \"wobbly\" is not a word of the library");
}

} // namespace
} // namespace fuzzy::test
