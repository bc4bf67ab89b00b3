#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

class Shapes : public ::testing::Test {
protected:
    std::unique_ptr<TFuzzySet> Set{TFuzzySet::Create(nullptr)};
    TPoints Points() const { return PointsOf(*Set->GetValues()); }
};

TEST_F(Shapes, TriangleRepairsItsArgumentsAndAppends) {
    Set->CreateTriangleFunctionValues(10, 5, 0);
    EXPECT_EQ(Points(), (TPoints{{10, 0}, {10, 1}, {10, 0}}));
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstTriangle);

    Set->GetValues()->Clear();
    Set->CreateTriangleFunctionValues(0, 150, 100);
    EXPECT_EQ(Points(), (TPoints{{0, 0}, {100, 1}, {100, 0}}));

    Set->GetValues()->Clear();
    Set->CreateTriangleFunctionValues(0, 1, 2);
    Set->CreateTriangleFunctionValues(5, 6, 7);
    EXPECT_EQ(Set->GetValues()->GetCount(), 6);
}

TEST_F(Shapes, GrowthAndDeclineCurves) {
    Set->CreateCurveValues(7, 0, 100, 42, true);
    const TPoints growth{{0, 0},    {100 / 6.0, 1 / 18.0},  {200 / 6.0, 4 / 18.0},
                         {50, 0.5}, {400 / 6.0, 14 / 18.0}, {500 / 6.0, 17 / 18.0},
                         {100, 1}};
    ExpectPoints(Points(), growth);
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstGrowthCurve);
    EXPECT_EQ(Set->GetInflectionPoint(), 42);

    Set->GetValues()->Clear();
    Set->CreateCurveValues(7, 0, 100, 50, false);
    TPoints decline = growth;
    for (auto& point : decline)
        point.second = 1 - point.second;
    ExpectPoints(Points(), decline);
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstDeclineCurve);

    Set->GetValues()->Clear();
    Set->CreateCurveValues(1, 0, 10, 5, true); // fewer than three points are raised to three
    ExpectPoints(Points(), {{0, 0}, {5, 0.5}, {10, 1}});
}

TEST_F(Shapes, PICurvesForOddAndEvenCounts) {
    Set->CreatePIFunctionValues(7, 0, 100, 50);
    ExpectPoints(Points(), {{0, 0},
                            {100 / 6.0, 4 / 18.0},
                            {200 / 6.0, 14 / 18.0},
                            {50, 1},
                            {400 / 6.0, 14 / 18.0},
                            {500 / 6.0, 4 / 18.0},
                            {100, 0}});
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstPICurve);
    EXPECT_EQ(Set->GetInflectionPoint(), 75);

    Set->GetValues()->Clear();
    Set->CreatePIFunctionValues(8, 0, 100, 50);
    ExpectPoints(Points(), {{0, 0},
                            {12.5, 0.125},
                            {25, 0.5},
                            {37.5, 0.875},
                            {62.5, 0.875},
                            {75, 0.5},
                            {87.5, 0.125},
                            {100, 0}});

    Set->GetValues()->Clear();
    // The Range/Center form over [40, 60]. Each half is raised to three points; the point
    // at index 1 then gives way, and the doubled apex merges: four distinct points.
    Set->CreatePIFunctionValues(3, 10, 50);
    ExpectPoints(Points(), {{40, 0}, {50, 1}, {55, 0.5}, {60, 0}});

    Set->GetValues()->Clear();
    Set->CreatePIFunctionValues(7, 0, 100, 150); // the centre moves into the range
    EXPECT_EQ(Points().back(), (std::pair<TFzyFloat, TFzyFloat>{100, 1}));
    EXPECT_EQ(Set->GetInflectionPoint(), 100);
}

TEST_F(Shapes, InvertedRangesRaiseAndAppendNothing) {
    Set->CreateTriangleFunctionValues(0, 1, 2);
    EXPECT_RAISES(Set->CreatePIFunctionValues(7, 100, 0, 50), EFzyException,
                  "Invalid range arguments.  Left (100.0000) is greater than right (0.0000)");
    EXPECT_THROW(Set->CreateCurveValues(7, 5, 4, 0, true), EFzyException);
    EXPECT_EQ(Set->GetValues()->GetCount(), 3);
    EXPECT_EQ(Set->GetValues()->GetUpdateCount(), 0);
}

TEST_F(Shapes, BetaCurve) {
    Set->CreateBetaCurveFunctionValues(5, 10, 50, 5);
    ExpectPoints(Points(), {{40, 0.2}, {45, 0.5}, {50, 1}, {55, 0.5}, {60, 0.2}});
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstBetaCurve);
    EXPECT_EQ(Set->GetInflectionPoint(), 5);

    Set->GetValues()->Clear();
    Set->CreateBetaCurveFunctionValues(3, 10, 50, 10, 3); // weight 3: 1/4 at the inflection
    ExpectPoints(Points(), {{40, 0.25}, {50, 1}, {60, 0.25}});

    EXPECT_RAISES(Set->CreateBetaCurveFunctionValues(5, 10, 50, 0), EZeroDivide,
                  "Floating point division by zero");
    EXPECT_EQ(Set->GetValues()->GetCount(), 3);
}

TEST_F(Shapes, CrispValueIsASpikeWithItsValueAsExpression) {
    Set->CreateTriangleFunctionValues(0, 1, 2);
    Set->SetDefuzzifyValue(5);
    EXPECT_EQ(Points(), (TPoints{{5, 0}, {5, 1}, {5, 0}}));
    EXPECT_EQ(Set->GetSetType(), TFuzzySetType::fstUserDefined);
    EXPECT_EQ(Set->GetExpression(), "5.0000");
}

TEST(SetType, DefaultShapesOverTheAxis) {
    auto set = MakeRangedSet(0, 90, {{1, 1}});
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    ASSERT_EQ(set->GetValues()->GetCount(), 7);
    EXPECT_DOUBLE_EQ(set->GetValues()->GetItem(0)->GetX(), 30);
    EXPECT_NEAR(set->GetValues()->GetItem(6)->GetX(), 60, 1e-9);
    EXPECT_DOUBLE_EQ(set->GetInflectionPoint(), 45);
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstGrowthCurve);

    set->SetSetType(TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*set->GetValues()), {{15, 0}, {45, 1}, {75, 0}});
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstTriangle);

    // Centred on the middle of an axis that does not start at 0.
    auto shifted = MakeRangedSet(100, 190, {});
    shifted->SetSetType(TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*shifted->GetValues()), {{115, 0}, {145, 1}, {175, 0}});
    shifted->Settings.NumFunctionValues = 9;
    shifted->SetSetType(TFuzzySetType::fstBetaCurve);
    EXPECT_EQ(shifted->GetValues()->GetCount(), 9);
    EXPECT_DOUBLE_EQ(shifted->GetInflectionPoint(), 90 / 12.0);
    shifted->SetSetType(TFuzzySetType::fstPICurve);
    EXPECT_EQ(shifted->GetValues()->GetCount(), 9);
    EXPECT_EQ(shifted->DegreeOfMembership(145), 1);
}

TEST(SetType, SameTypeOrUserDefinedKeepsThePoints) {
    auto set = MakeRangedSet(0, 90, {{1, 1}, {2, 0}});
    set->SetSetType(TFuzzySetType::fstUserDefined);
    EXPECT_EQ(PointsOf(*set->GetValues()), (TPoints{{1, 1}, {2, 0}}));
    set->SetSetType(TFuzzySetType::fstTriangle);
    set->GetValues()->GetItem(0)->SetY(0.5); // an edit makes it user-defined again
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
    set->SetSetType(TFuzzySetType::fstUserDefined);
    EXPECT_EQ(set->GetValues()->GetItem(0)->GetY(), 0.5);
    EXPECT_RAISES(set->SetSetType(static_cast<TFuzzySetType>(9)), EArgumentOutOfRangeException,
                  "Invalid set type 9");
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
    // Asking again for the current shape keeps its points, even when the settings moved on.
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    set->Settings.NumFunctionValues = 5;
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    EXPECT_EQ(set->GetValues()->GetCount(), 7);
}

} // namespace
} // namespace fuzzy::test
