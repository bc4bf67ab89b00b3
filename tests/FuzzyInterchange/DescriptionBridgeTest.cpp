// Terms as points (piecewise-linear shapes exactly, curves within the stated tolerance); a
// description fills a logic component (ranges, terms as points clipped to the range,
// methods, threshold, rules) and a logic component is described back.

#include <algorithm>
#include <cmath>
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

using enum TTermShape;

// Sampled a hundred times finer than the narrowest step the polyline may take.
TEST(TermShapesTest, CurvesStayWithinTheToleranceEverywhereInTheRange) {
    const struct {
        TTermShape Shape;
        std::vector<TFzyFloat> Parameters;
        TFzyFloat Minimum;
        TFzyFloat Maximum;
    } cases[] = {
        {tsGaussian, {3, 0.2}, 0, 6.5},
        {tsGaussian, {1.15, 0.02}, 1, 1.3},
        {tsGaussian, {500, 0.5}, 0, 1000},
        {tsGaussianProduct, {3.5, 0.1, 3.3, 0.3}, 0, 6.5},
        {tsBell, {4, 0.25, 3}, 0, 6.5},
        {tsBell, {0, 2, 0.5}, -10, 10},
        {tsSigmoid, {0.5, -20}, 0, 6.5},
        {tsSigmoid, {6, 200}, 0, 6.5},
        {tsSigmoidDifference, {4.75, 10, 30, 5.25}, 0, 6.5},
        {tsSigmoidProduct, {5.25, 20, -10, 5.75}, 0, 6.5},
        {tsCosine, {3.25, 0.65}, 0, 6.5},
        {tsPiShape, {4, 4.5, 4.5, 5}, 0, 6.5},
        {tsSShape, {5.5, 6.5}, 0, 6.5},
        {tsZShape, {0, 1}, 0, 6.5},
        {tsConcave, {0.85, 0.25}, 0, 6.5},
        {tsConcave, {5.65, 6.25}, 0, 6.5},
        {tsSpike, {3.64, 1.04}, 0, 6.5},
    };
    for (const auto& curve : cases) {
        SCOPED_TRACE(GetTermShapeInfo(curve.Shape).Name);
        const std::vector<TDescribedPoint> points =
            ShapePoints(curve.Shape, curve.Parameters, curve.Minimum, curve.Maximum, 0);
        ASSERT_LE(points.size(), static_cast<std::size_t>(MaxPolylinePoints));
        EXPECT_EQ(points.front().X, curve.Minimum);
        EXPECT_EQ(points.back().X, curve.Maximum);
        for (std::size_t i = 1; i < points.size(); ++i)
            EXPECT_GT(points[i].X - points[i - 1].X, 0.0001);
        const int samples = 400000;
        TFzyFloat worst = 0;
        for (int i = 0; i <= samples; ++i) {
            const TFzyFloat x = curve.Minimum + (curve.Maximum - curve.Minimum) * i / samples;
            worst = std::max(worst, std::abs(PolylineMembership(points, x) -
                                             ShapeMembership(curve.Shape, curve.Parameters, x)));
        }
        EXPECT_LE(worst, PolylineTolerance) << points.size() << " points";
    }
}

// A vertical edge is kept, and reads as its top: the rectangle is 1 at its ends, 0 outside.
TEST(TermShapesTest, PiecewiseLinearShapesKeepTheirVerticalEdges) {
    EXPECT_EQ(ShapePoints(tsTriangle, std::vector<TFzyFloat>{0, 0, 2.5}, 0, 10, 0),
              (std::vector<TDescribedPoint>{{0, 0}, {0, 1}, {2.5, 0}}));
    const std::vector<TFzyFloat> rectangle{1.75, 2.25};
    EXPECT_EQ(ShapePoints(tsRectangle, rectangle, 0, 10, 0),
              (std::vector<TDescribedPoint>{{1.75, 0}, {1.75, 1}, {2.25, 1}, {2.25, 0}}));
    EXPECT_EQ(ShapeMembership(tsRectangle, rectangle, 1.75), 1);
    EXPECT_EQ(ShapeMembership(tsRectangle, rectangle, 1.7), 0);
}

// Numbers that make no shape, and curves too steep for the library's resolution (a bell of
// slope below 1/2 has a cusp at its centre), are refused at the line given.
TEST(TermShapesTest, ShapesTheLibraryCannotFollowAreRefused) {
    const std::string tooSteep =
        " curve is too steep to follow within 0.001 at the library's X tolerance of 0.0001";
    const struct {
        TTermShape Shape;
        std::vector<TFzyFloat> Parameters;
        TFzyFloat Minimum;
        int Line;
        std::string Detail;
    } cases[] = {
        {tsGaussian, {1, 0}, 0, 4, "The numbers of this Gaussian make no such shape"},
        {tsDiscrete, {1, 0, 2}, 0, 5, "Discrete takes X Y pairs, at least one"},
        {tsSigmoid, {0.5, 1e6}, 0, 9, "The Sigmoid" + tooSteep},
        {tsBell, {0, 1, 0.05}, -1, 3, "The Bell" + tooSteep},
    };
    for (const auto& row : cases)
        EXPECT_TRUE(RaisesAtLine(
            [&] {
                static_cast<void>(ShapePoints(row.Shape, row.Parameters, row.Minimum, 1, row.Line));
            },
            row.Line, row.Detail));
    EXPECT_TRUE(RaisesAtLine(
        [] {
            static_cast<void>(ShapeMembership(tsBell, std::vector<TFzyFloat>{1, 2}, 0));
        },
        0, "Bell takes 3 numbers, not 2"));
}

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
