// Answers at the edges of the axis and of the degree range: every X inside the axis, hedges
// that stay defined for degrees above 1 and for lists ordered only within the tolerance.

#include <gtest/gtest.h>

#include <cmath>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "support/PointListHelpers.hpp"

namespace fuzzy::test {
namespace {

// A new point starts at an X of its own (0 in an empty list, one right of the last point
// otherwise); being set to that very X must still clamp it into the axis.
TEST(Axis, EveryPointEndsInsideTheAxisWhateverItStartedAt) {
    const struct {
        TFzyFloat Minimum, Maximum;
        TPoints Written, Stored;
    } cases[] = {
        {10, 20, {{0, 1}, {15, 0}}, {{10, 1}, {15, 0}}}, // 0 is where the first point starts
        {10, 20, {{5, 1}, {15, 0}}, {{10, 1}, {15, 0}}},
        {0, 1, {{1, 0}, {2, 1}}, {{1, 0}, {1, 1}}}, // 2 is where the second point starts
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointsOf(*MakeRangedSet(c.Minimum, c.Maximum, c.Written)->GetValues()), c.Stored);
}

TEST(Axis, ADegenerateCutOfAnEmptySetStandsOnTheAxis) {
    std::unique_ptr<TFuzzyVariable> variable(TFuzzyVariable::Create(nullptr));
    variable->SetMaximum(200);
    variable->SetMinimum(100);
    TFuzzySet* empty = variable->GetItems()->Add();
    EXPECT_EQ(PointsOf(*empty->Cutoff(1, true)->GetValues()), (TPoints{{100, 1}}));
    EXPECT_EQ(PointsOf(*empty->AlphaCutoff(1, true)->GetValues()), (TPoints{{100, 0}}));
}

// The upper branch 1 - c (1 - Y)^c holds for a degree above 1 wherever the power is
// defined; only a fractional exponent of the negative 1 - Y counts as full membership.
TEST(Contrast, DegreesAboveOneFollowTheFormulaWhereItIsDefined) {
    const struct {
        TFuzzyHedge Hedge;
        TFzyFloat Degree, Expected;
    } cases[] = {
        {TFuzzyHedge::fhPositively, 1.3, 0.82},
        {TFuzzyHedge::fhPositively, 1.5, 0.5},
        {TFuzzyHedge::fhGenerally, 1.3, 1.0},
    };
    for (const auto& c : cases) {
        // Seven points already, so that the hedge adds none.
        auto set = MakeSet({{0, 0}, {1, 0}, {2, 0}, {3, c.Degree}, {4, 0}, {5, 0}, {6, 0}});
        set->Hedge(c.Hedge);
        EXPECT_NEAR(set->GetValues()->GetItem(3)->GetY(), c.Expected, 1e-12)
            << HedgeNames[c.Hedge] << " on " << c.Degree;
    }
}

// The last X of a list may lie up to the tolerance left of its first; the approximation
// hedges must still give the curve's bell, never NaN or an all-zero set.
TEST(Approximation, AListEndingJustLeftOfItsStartKeepsItsCurve) {
    for (const TFuzzyHedge hedge :
         {TFuzzyHedge::fhClose, TFuzzyHedge::fhNear, TFuzzyHedge::fhNeighboring}) {
        auto set = MakeRangedSet(0, 10, {});
        {
            TUpdateGuard guard(*set->GetValues());
            set->GetValues()->Add(5, 1);
            set->GetValues()->Add(4.99995, 0.5);
        }
        ASSERT_GT(set->GetValues()->GetItem(0)->GetX(), set->GetValues()->GetItem(1)->GetX());
        set->Hedge(hedge);
        TFzyFloat highest = 0;
        for (const TFuzzySetValue* point : *set->GetValues()) {
            ASSERT_FALSE(std::isnan(point->GetY())) << HedgeNames[hedge];
            highest = std::max(highest, point->GetY());
        }
        EXPECT_EQ(highest, 1.0) << HedgeNames[hedge];
        EXPECT_NEAR(set->DegreeOfMembership(5), 1.0, 0.01) << HedgeNames[hedge];
    }
}

// Any change of a point reports to the set, which then forgets its shape and expression.
TEST(Copying, APointAssignedFromItselfChangesNothing) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    set->CreateTriangleFunctionValues(0, 5, 10);
    set->SetExpression("peak");
    TFuzzySetValue* point = set->GetValues()->GetItem(1);
    point->Assign(point);
    EXPECT_EQ(set->GetExpression(), "peak");
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstTriangle);
    EXPECT_EQ(PointsOf(*set->GetValues()), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
}

} // namespace
} // namespace fuzzy::test
