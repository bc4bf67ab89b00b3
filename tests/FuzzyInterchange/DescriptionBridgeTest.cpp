// A description fills a logic component (ranges, terms as points clipped to the range,
// methods, threshold) and a logic component is described back.

#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
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

TEST_F(DescriptionBridgeTest, FillsVariablesTermsAndMethodsWithoutAutomaticTerms) {
    TControllerDescription description = ReadFll(ReadDataFile("Laundry.fll"));
    description.Threshold = 0.25;
    description.Variables[0].Units = "kg";
    FillFuzzyLogic(description, *Logic);
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

TEST_F(DescriptionBridgeTest, DescribesTheComponentAsPointLists) {
    const TControllerDescription original = ReadFll(ReadDataFile("SimpleDimmer.fll"));
    FillFuzzyLogic(original, *Logic);
    const TControllerDescription described = DescribeFuzzyLogic(*Logic, {"Power"});
    ASSERT_EQ(described.Variables.size(), 2u);
    EXPECT_EQ(described.Variables[1].Role, TVariableRole::vrOutput);
    EXPECT_EQ(described.Variables[0].Terms[0].Shape, TTermShape::tsDiscrete);
    EXPECT_EQ(described.Variables[0].Terms[0].Points, original.Variables[0].Terms[0].Points);
    EXPECT_EQ(described.Threshold, 0);
    // Written and read back, it fills a component the same way.
    const TControllerDescription reread = ReadFll(WriteFll(described));
    EXPECT_EQ(reread, described);
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

} // namespace
} // namespace fuzzy::test
