// What hedges, modifiers, cuts, correlation, inference and defuzzification make of a set.

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/CoreFixtures.hpp"
#include "support/Raises.hpp"
#include "support/SetResults.hpp"

namespace fuzzy::test {
namespace {

using TResult = std::unique_ptr<TFuzzySet>;

using TNames = std::pair<std::string, std::string>;

std::unique_ptr<TFuzzySet> Tall() {
    return MakeSet({{0, 0}, {5, 1}, {10, 0}}, "tall");
}

TEST(Normalize, ScalesToAHeightOfOneUnlessAllAreZero) {
    auto set = MakeSet({{0, 0}, {5, 0.5}, {10, 0}});
    set->SetExpression("kept");
    EXPECT_EQ(set->Normalize(), set.get());
    EXPECT_EQ(PointsOf(*set), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
    EXPECT_EQ(set->GetExpression(), ""); // the points changed

    auto zero = MakeSet({{0, 0}, {5, 0}});
    zero->SetExpression("kept");
    zero->Normalize();
    EXPECT_EQ(zero->GetExpression(), "kept"); // no bracket was opened
    EXPECT_RAISES(MakeSet({})->Normalize(), EFzyException,
                  "Invalid operation: \"Get Maximum Y Value\".  Fuzzy set is empty");
}

TEST(Cutoff, ClipsOrKeepsThePartAboveTheLevel) {
    const struct {
        TPoints Points;
        TFzyFloat Level;
        bool Above;
        TPoints Expected;
    } cases[] = {
        {{{0, 0}, {5, 1}, {10, 0}}, 0.5, false, {{0, 0}, {2.5, 0.5}, {7.5, 0.5}, {10, 0}}},
        {{{0, 0}, {5, 1}, {10, 0}}, 0.5, true, {{2.5, 0.5}, {5, 1}, {7.5, 0.5}}},
        {{{0, 0}, {5, 0.5}, {10, 0}}, 0.5, true, {{5, 0.5}}}, // touching adds no crossing
        {{{5, 0.5}}, 0.25, false, {{5, 0.25}}},               // wholly above clips to the level
        {{{0, 0.1}, {10, 0.2}}, 0.25, true, {}}, // above a level never reached: nothing
        {{{0, 0}, {5, 1}, {10, 0}}, 1.7, false, {{0, 0}, {5, 1}, {10, 0}}}, // clamped to 1
        {{{0, 0}, {5, 1}, {10, 0}}, 1, true, {{0, 1}}},
        {{}, -3, false, {{0, 0}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PointsOfResult(MakeSet(c.Points)->Cutoff(c.Level, c.Above)), c.Expected)
            << c.Level << (c.Above ? " above" : " clipped");
    EXPECT_DOUBLE_EQ(
        TResult(MakeSet({{0, 0.5}, {10, 0.8}})->Cutoff(0.25, false))->DegreeOfMembership(7), 0.25);
}

TEST(Cutoff, NamesTheGivenLevelAndTheExpressionTheClampedOneAndAlphaCutsStandUpright) {
    auto tall = Tall();
    EXPECT_EQ(NamesOfResult(tall->Cutoff(0.5, false)), TNames("tall and 0.5000", ""));
    EXPECT_EQ(NamesOfResult(tall->Cutoff(0.5, true)).first, "tall or 0.5000");
    EXPECT_EQ(PointsOf(*tall), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
    tall->SetExpression("t");
    EXPECT_EQ(NamesOfResult(tall->Cutoff(1.7, false)), TNames("tall and 1.7000", "t and 1.0000"));
    EXPECT_THROW((void)MakeSet({})->Cutoff(0.5, false), EListError);
    // A degenerate cut of an empty set stands on the axis.
    std::unique_ptr<TFuzzyVariable> variable(TFuzzyVariable::Create(nullptr));
    variable->SetMaximum(200);
    variable->SetMinimum(100);
    TFuzzySet* empty = variable->GetItems()->Add();
    EXPECT_EQ(PointsOfResult(empty->Cutoff(1, true)), (TPoints{{100, 1}}));
    EXPECT_EQ(PointsOfResult(empty->AlphaCutoff(1, true)), (TPoints{{100, 0}}));
    EXPECT_RAISES((void)tall->Cutoff(std::nan(""), false), EArgumentOutOfRangeException,
                  "Invalid cut-off level: not a number");

    // An alpha cut has vertical edges at the level.
    EXPECT_EQ(PointsOfResult(tall->AlphaCutoff(0.5, false)),
              (TPoints{{0, 0}, {2.5, 0}, {2.5, 0.5}, {5, 1}, {7.5, 0.5}, {7.5, 0}}));
    EXPECT_EQ(NamesOfResult(tall->AlphaCutoff(0.5, false)).first, "tall");
    EXPECT_EQ(PointsOfResult(tall->AlphaCutoff(0, true)), PointsOf(*tall));
    // A point exactly at the level is inside the weak cut and outside the strong one.
    auto atLevel = MakeSet({{0, 0.2}, {5, 0.5}, {10, 0.2}});
    EXPECT_EQ(PointsOfResult(atLevel->AlphaCutoff(0.5, false)),
              (TPoints{{0, 0}, {5, 0}, {5, 0.5}, {5, 0}}));
    EXPECT_EQ(PointsOfResult(atLevel->AlphaCutoff(0.5, true)), (TPoints{{0, 0}}));
}

// The strength is the height of the intersection (against an empty set, the other's own
// height); correlating clips or scales by the method.
TEST(Correlation, StrengthIsTheHeightOfTheIntersectionAndClipsOrScales) {
    auto a = Tall();
    auto b = MakeSet({{5, 0}, {10, 1}, {15, 0}});
    EXPECT_DOUBLE_EQ(a->GetCorrelationStrength(b.get()), 0.5);
    EXPECT_DOUBLE_EQ(a->FuzzyEquals(b.get()), 0.5);
    EXPECT_EQ(MakeSet({})->GetCorrelationStrength(MakeSet({}).get()), 0);
    EXPECT_EQ(a->GetCorrelationStrength(MakeSet({}).get()), 1);
    auto fact = MakeSet({});
    fact->CreateCrispValue(2.5);
    EXPECT_DOUBLE_EQ(a->GetCorrelationStrength(fact.get()), 0.5);

    auto clipped = Tall();
    clipped->Correlate(0.4);
    EXPECT_EQ(clipped->GetValues()->GetMaxValue(), 0.4);
    EXPECT_EQ(clipped->GetName(), "tall > 0.4000");

    auto scaled = MakeRangedSet(0, 10, {{0, 0}, {5, 1}, {10, 0.5}});
    scaled->SetName("tall");
    scaled->Settings.CorrelationMethod = TFuzzyCorrelationMethod::fcmProduct;
    scaled->Correlate(0.4);
    ExpectPoints(PointsOf(*scaled), {{0, 0}, {5, 0.4}, {10, 0.2}});
    EXPECT_EQ(scaled->GetName(), "tall * 0.4000");

    scaled->Settings.Threshold = 0.3;
    EXPECT_TRUE(scaled->FuzzyOperatorMinThreshold(0, 0.3, 0, 0.9));
    EXPECT_FALSE(scaled->FuzzyOperatorMinThreshold(0, 0.29, 0, 0.9));
    // Two sets overlapping only below the threshold never reach it together.
    auto low = MakeRangedSet(0, 10, {{0, 0}, {5, 0.2}, {10, 0}});
    low->Settings.Threshold = 0.3;
    auto other = MakeSet({{0, 0.25}, {10, 0.25}});
    EXPECT_FALSE(
        low->Iterate(other.get(), [&](TFzyFloat x1, TFzyFloat y1, TFzyFloat x2, TFzyFloat y2) {
            return low->FuzzyOperatorMinThreshold(x1, y1, x2, y2);
        }));
}

TEST(Inference, CombinesANewSetAndLeavesTheSolution) {
    auto solution = Tall();
    auto evidence = MakeSet({{5, 0}, {10, 1}, {15, 0}}, "e");
    EXPECT_EQ(
        PointsOfResult(solution->Infer(evidence.get(), TFuzzyInferenceMethod::fimMinMax, false)),
        (TPoints{{0, 0}, {5, 1}, {7.5, 0.5}, {10, 1}, {15, 0}}));
    EXPECT_EQ(PointsOf(*solution), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
    EXPECT_EQ(NamesOfResult(solution->Infer(evidence.get(), true)).first, "tall and e");
    EXPECT_EQ(
        NamesOfResult(solution->Infer(evidence.get(), TFuzzyInferenceMethod::fimAdditive, false))
            .first,
        "tall or-sum e");
    EXPECT_THROW((void)solution->Infer(evidence.get(), TFuzzyInferenceMethod::fimAdditive, true),
                 EFzyException);
}

TEST(Inference, WithoutAMethodFollowsTheComponent) {
    auto solution = MakeRangedSet(0, 20, {{0, 0}, {5, 1}, {10, 0}});
    solution->SetName("tall");
    solution->Settings.InferenceMethod = TFuzzyInferenceMethod::fimAdditive;
    auto evidence = MakeSet({{5, 0}, {10, 1}, {15, 0}}, "e");
    EXPECT_EQ(NamesOfResult(solution->Infer(evidence.get(), false)).first, "tall or-sum e");
    solution->Settings.InferenceMethod = TFuzzyInferenceMethod::fimProduct;
    EXPECT_EQ(NamesOfResult(solution->Infer(evidence.get(), true)).first, "tall and-product e");
}

TEST(Operator, AWalkStoppedByItsCallbackKeepsEveryPointWritten) {
    auto a = MakeSet({{0, 0}, {5, 1}, {10, 0}}, "a");
    auto b = MakeSet({{0, 0}, {2, 1}, {4, 0}, {6, 1}, {10, 0}}, "b");
    int calls = 0;
    const TResult result(a->Operator(
        b.get(), "flat", [&](TFuzzySetValues* values, TFzyFloat, TFzyFloat, TFzyFloat, TFzyFloat) {
            values->Add(++calls, 0.5);
            return calls == 3;
        }));
    EXPECT_EQ(result->GetValues()->GetCount(), 3); // not simplified into one flat run
    EXPECT_EQ(result->GetName(), "a flat b");
}

TEST(Defuzzify, CenterOfGravityIsExactWithFlatExtensions) {
    EXPECT_DOUBLE_EQ(MakeRangedSet(0, 10, {{0, 0}, {5, 1}, {10, 0}})->CenterOfGravity(), 5);
    EXPECT_NEAR(MakeRangedSet(0, 10, {{0, 0}, {10, 1}})->CenterOfGravity(), 20 / 3.0, 1e-12);
    EXPECT_NEAR(MakeRangedSet(0, 20, {{0, 0}, {10, 1}})->CenterOfGravity(),
                (5 * 20 / 3.0 + 10 * 15) / 15, 1e-12);
    // A trapezoid piece: (0,0.5)-(10,1) has its centroid at 0 + 2/3*10*(0.25+1)/1.5.
    EXPECT_NEAR(MakeRangedSet(0, 10, {{0, 0.5}, {10, 1}})->CenterOfGravity(), 50 / 9.0, 1e-12);
    EXPECT_EQ(MakeRangedSet(0, 10, {{3, 0.7}})->CenterOfGravity(), 5);
    EXPECT_EQ(MakeRangedSet(0, 10, {{3, 0}, {3, 1}, {3, 0}})->CenterOfGravity(), 5);
    EXPECT_EQ(MakeRangedSet(0, 10, {{2, 0}, {8, 0}})->CenterOfGravity(), 0);
    EXPECT_EQ(MakeRangedSet(0, 10, {})->CenterOfGravity(), 0);
    // Without a variable, a left extension reaches to the far end of the default axis.
    EXPECT_LT(MakeSet({{0, 1}, {10, 0}})->CenterOfGravity(), -1e9);
}

// Near-equal means near the first peak found: a run of small steps down does not drift.
TEST(Defuzzify, MeanOfMaximaAveragesThePeakPoints) {
    EXPECT_DOUBLE_EQ(MakeSet({{0, 0}, {2, 1}, {8, 1}, {10, 0}})->MeanOfMaxima(), 5);
    EXPECT_DOUBLE_EQ(MakeSet({{0, 0}, {2, 1}, {3, 1}, {8, 1}, {10, 0}})->MeanOfMaxima(), 13 / 3.0);
    EXPECT_DOUBLE_EQ(MakeSet({{0, 0}, {2, 1}, {4, 0.99995}})->MeanOfMaxima(), 3);
    EXPECT_DOUBLE_EQ(MakeSet({{0, 0}, {2, 1}, {4, 0.9998}})->MeanOfMaxima(), 2);
    EXPECT_DOUBLE_EQ(MakeSet({{0, 0}, {2, 1}, {4, 0.99995}, {6, 0.99988}})->MeanOfMaxima(), 3);
    EXPECT_EQ(MakeSet({})->MeanOfMaxima(), 0);

    auto set = MakeRangedSet(0, 10, {{0, 0}, {2, 1}, {8, 1}, {10, 0}});
    set->Settings.DefuzzificationMethod = TDefuzzificationMethod::dmMeanOfMaxima;
    EXPECT_DOUBLE_EQ(set->Defuzzify(), 5);
    set->GetValues()->GetItem(1)->SetY(0.5);
    EXPECT_DOUBLE_EQ(set->GetDefuzzifyValue(), 8);
}

TEST(Measures, CompatibilityIndexAndUndecidableSets) {
    EXPECT_DOUBLE_EQ(Tall()->GetCompatibilityIndex(), 1 / 3.0);
    EXPECT_EQ(MakeSet({})->GetCompatibilityIndex(), 0);
    for (const TPoints& points : {TPoints{{0, 1}, {10, 1}}, TPoints{{0, 0}, {10, 0}}, TPoints{}})
        EXPECT_TRUE(MakeSet(points)->IsUndecidable());
    EXPECT_FALSE(MakeSet({{0, 0.5}, {10, 0.5}})->IsUndecidable() || Tall()->IsUndecidable());
}

TEST(Hedges, NotTwiceRestoresTheDegrees) {
    auto set = MakeSet({{0, 0.2}, {5, 1}, {10, 0}}, "tall");
    set->Hedge(TFuzzyHedge::fhNot);
    EXPECT_EQ(PointsOf(*set), (TPoints{{0, 0.8}, {5, 0}, {10, 1}}));
    EXPECT_EQ(set->GetName(), "not tall");
    EXPECT_EQ(set->GetExpression(), "[not tall]");
    set->Hedge(TFuzzyHedge::fhNot);
    ExpectPoints(PointsOf(*set), {{0, 0.2}, {5, 1}, {10, 0}});
    EXPECT_EQ(set->GetName(), "not [not tall]");
    // Within a host's bracket the expression so far survives the point edits and is built on.
    {
        TUpdateGuard batch(*set->GetValues());
        set->SetExpression("short or wide");
        set->Hedge(TFuzzyHedge::fhNot);
        EXPECT_EQ(set->GetExpression().rfind("not [", 0), 0u);
        EXPECT_NE(set->GetExpression().find("short or wide"), std::string::npos);
    }
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
}

// Very expands to seven points and squares the inner degrees. On a plateau below 1, above
// takes its last point as the peak and below its first.
TEST(Hedges, VeryAboveAndBelow) {
    const TPoints peak{{0, 0}, {5, 1}, {10, 0}}, plateau{{0, 0}, {3, 0.8}, {6, 0.8}, {9, 0}};
    const TPoints very{{0, 0}, {5 / 3.0, 1 / 9.0},  {10 / 3.0, 4 / 9.0},
                       {5, 1}, {20 / 3.0, 4 / 9.0}, {25 / 3.0, 1 / 9.0},
                       {10, 0}};
    const std::tuple<TFuzzyHedge, const TPoints&, TPoints> rows[] = {
        {TFuzzyHedge::fhVery, peak, very},
        {TFuzzyHedge::fhAbove, peak, {{0, 0}, {5, 0}, {10, 1}}},
        {TFuzzyHedge::fhBelow, peak, {{0, 1}, {5, 0}, {10, 0}}},
        {TFuzzyHedge::fhAbove, plateau, {{0, 0}, {3, 0}, {6, 0}, {9, 1}}},
        {TFuzzyHedge::fhBelow, plateau, {{0, 1}, {3, 0}, {6, 0}, {9, 0}}},
    };
    for (const auto& [hedge, points, expected] : rows) {
        auto set = MakeSet(points, "tall");
        set->Hedge(hedge);
        ExpectPoints(PointsOf(*set), expected);
    }
    auto set = MakeSet(peak, "tall");
    EXPECT_EQ(set->Hedge(TFuzzyHedge::fhVery)->GetName(), "very tall");
    EXPECT_EQ(set->Hedge(TFuzzyHedge::fhSomewhat)->GetName(), "somewhat [very tall]");
}

TEST(Hedges, ContrastPushesDegreesAwayFromTheMiddle) {
    auto set = MakeSet({{0, 0.25}, {1, 0.5}, {2, 0.75}, {3, 0.25}, {4, 0.5}, {5, 0.75}, {6, 1}});
    set->Hedge(TFuzzyHedge::fhPositively);
    ExpectPoints(PointsOf(*set),
                 {{0, 0.125}, {1, 0.5}, {2, 0.875}, {3, 0.125}, {4, 0.5}, {5, 0.875}, {6, 1}});
    auto flat = MakeSet({{0, 0}, {1, 0.25}, {2, 0.3}, {3, 0.6}, {4, 0.9}, {5, 1}, {6, 0}});
    flat->Hedge(TFuzzyHedge::fhGenerally); // Value 0.5 flattens, and leaves 0 alone
    EXPECT_EQ(flat->GetValues()->GetItem(0)->GetY(), 0);
    EXPECT_DOUBLE_EQ(flat->GetValues()->GetItem(1)->GetY(), 0.25);
    EXPECT_DOUBLE_EQ(flat->GetValues()->GetItem(4)->GetY(), 1 - 0.5 * std::sqrt(0.1));

    // Above 1 the upper branch holds wherever the power is defined; only a fractional
    // exponent of the negative 1 - Y counts as full membership.
    for (const auto& [hedge, degree, expected] : {std::tuple{TFuzzyHedge::fhPositively, 1.3, 0.82},
                                                  {TFuzzyHedge::fhPositively, 1.5, 0.5},
                                                  {TFuzzyHedge::fhGenerally, 1.3, 1.0}}) {
        auto high = MakeSet({{0, 0}, {1, 0}, {2, 0}, {3, degree}, {4, 0}, {5, 0}, {6, 0}});
        high->Hedge(hedge);
        EXPECT_NEAR(high->GetValues()->GetItem(3)->GetY(), expected, 1e-12) << degree;
    }
}

TEST(Hedges, ApproximationSpreadsACrispValueOverTheAxis) {
    auto set = MakeRangedSet(0, 49, {});
    set->CreateCrispValue(20.2);
    set->SetName("x");
    set->Hedge(TFuzzyHedge::fhAbout);
    const TFuzzySetValues& values = *set->GetValues();
    ASSERT_EQ(values.GetCount(), 50);
    EXPECT_NEAR(values[0]->GetX(), 0, 1e-9);
    EXPECT_NEAR(values[49]->GetX(), 49, 1e-9);
    // Scale 0.2 with power 2: the grid point at 20 is nearest and becomes the peak.
    EXPECT_EQ(set->GetMaxYValueOfX(20, 1), 20);
    EXPECT_DOUBLE_EQ(values[20]->GetY(), 1);
    const TFzyFloat peak = 1 / (1 + std::pow(0.2 * 0.2, 2));
    EXPECT_NEAR(values[25]->GetY(), 1 / (1 + std::pow(4.8 * 0.2, 2)) / peak, 1e-9);
    EXPECT_EQ(set->GetName(), "about x");

    // A list whose last X lies within the tolerance left of its first keeps its bell.
    for (const TFuzzyHedge hedge : {TFuzzyHedge::fhClose, TFuzzyHedge::fhNeighboring}) {
        auto back = MakeRangedSet(0, 10, {{5, 1}, {4.99995, 0.5}});
        ASSERT_EQ(back->GetValues()->GetItem(1)->GetX(), 4.99995);
        back->Hedge(hedge);
        EXPECT_EQ(back->GetValues()->GetMaxValue(), 1.0);
        EXPECT_NEAR(back->DegreeOfMembership(5), 1.0, 0.01);
    }
}

TEST(Hedges, SlightlyIsBuiltFromTheOtherHedges) {
    auto set = MakeSet({{0, 0}, {5, 1}, {10, 0}}, "warm");
    set->Hedge(TFuzzyHedge::fhSlightly);
    EXPECT_EQ(set->GetName(), "slightly warm");
    EXPECT_EQ(set->GetExpression(), "[slightly warm]");
    // plus A and not very A, normalized and contrasted: a peak of 1 on each flank.
    EXPECT_NEAR(set->GetValues()->GetMaxValue(), 1, 1e-12);
    EXPECT_EQ(set->DegreeOfMembership(5), 0);
    EXPECT_EQ(set->DegreeOfMembership(0), 0);

    // Inside a collection the temporaries come and go, leaving only the set.
    TGCollection terms(nullptr, &TFuzzySet::CreateItem);
    auto* term = static_cast<TFuzzySet*>(terms.Add());
    term->CreateTriangleFunctionValues(0, 5, 10);
    term->Hedge(TFuzzyHedge::fhSlightly);
    EXPECT_EQ(terms.GetCount(), 1);
    EXPECT_EQ(PointsOf(*term), PointsOf(*set));
}

TEST(Hedges, EveryHedgeAcceptsAnEmptySetButTheApproximations) {
    for (int h = 0; h <= static_cast<int>(TFuzzyHedge::fhGenerally); ++h) {
        const auto hedge = static_cast<TFuzzyHedge>(h);
        auto set = MakeSet({}, "e");
        if (hedge >= TFuzzyHedge::fhAbout && hedge <= TFuzzyHedge::fhNeighboring) {
            EXPECT_THROW(set->Hedge(hedge), EListError);
            EXPECT_EQ(set->GetName(), "e");
            continue;
        }
        set->Hedge(hedge);
        EXPECT_EQ(set->GetValues()->GetCount(), 0);
        EXPECT_EQ(set->GetName(), std::string(HedgeNames[hedge]) + " e");
    }
}

// Arithmetic on degrees (no upper clamp) or on positions (clamped into the axis); power and
// cuts skip the points they do not touch, and only positive X move under a power.
TEST(Modifiers, ChangeDegreesOrPositionsAndNameTheChange) {
    const auto check = [](const TPoints& Points, TBaseFuzzyHedge Type, TFzyFloat Value, bool OfY,
                          const TPoints& Expected, const std::string& Name) {
        auto set = MakeRangedSet(-5, 10, Points);
        set->SetName("tall");
        set->Hedge(Type, Value, OfY);
        ExpectPoints(PointsOf(*set), Expected);
        EXPECT_EQ(set->GetName(), Name);
        return set->GetExpression();
    };
    using enum TBaseFuzzyHedge;
    const TPoints line{{0, 0.2}, {5, 0.8}}, rising{{0, 0.1}, {1, 0.5}, {2, 0.9}};
    EXPECT_EQ(check(line, bfhAdd, 0.5, true, {{0, 0.7}, {5, 1.3}}, "tall + 0.5000"), "+ ");
    check(line, bfhSubtract, 0.5, true, {{0, 0}, {5, 0.3}}, "tall - 0.5000");
    EXPECT_EQ(
        check({{4, 0.2}, {8, 0.8}}, bfhDivide, 4, false, {{1, 0.2}, {2, 0.8}}, "tall /X 4.0000"),
        "/X ");
    check({{2, 0.5}, {8, 1}}, bfhAdd, 5, false, {{7, 0.5}, {10, 1}}, "tall +X 5.0000");
    check({{0, 0}, {1, 0.5}, {2, 1}, {3, 0.3}}, bfhPower, 2, true,
          {{0, 0}, {1, 0.25}, {2, 1}, {3, 0.09}}, "tall ^ 2.0000");
    check({{-2, 0.1}, {3, 0.5}}, bfhPower, 2, false, {{-2, 0.1}, {9, 0.5}}, "tall ^X 2.0000");
    check(rising, bfhCutLess, 0.5, true, {{0, 0.5}, {1, 0.5}, {2, 0.9}}, "tall < 0.5000");
    check(rising, bfgCutLessEq, 0.5, true, {{0, 0.5}, {1, 0.5}, {2, 0.9}}, "tall <= 0.5000");
    check(rising, bfhCutGreater, 0.5, true, {{0, 0.1}, {1, 0.5}, {2, 0.5}}, "tall > 0.5000");
    check(rising, bfhCutGreaterEq, 0.5, true, {{0, 0.1}, {1, 0.5}, {2, 0.5}}, "tall >= 0.5000");
}

TEST(Modifiers, BadValuesRaiseBeforeAnythingChanges) {
    auto set = MakeSet({{0, 0.2}, {5, 0.8}}, "tall");
    EXPECT_RAISES(set->Hedge(TBaseFuzzyHedge::bfhDivide, 0, true), EZeroDivide,
                  "Floating point division by zero");
    EXPECT_RAISES(set->Hedge(TBaseFuzzyHedge::bfhAdd, std::nan(""), true),
                  EArgumentOutOfRangeException, "Invalid modifier value: NAN");
    EXPECT_THROW(set->Hedge(TBaseFuzzyHedge::bfhMultiply, INFINITY, false),
                 EArgumentOutOfRangeException);
    EXPECT_RAISES(set->Hedge(static_cast<TBaseFuzzyHedge>(99), 1, true),
                  EArgumentOutOfRangeException, "Invalid modifier 99");
    EXPECT_RAISES(set->Hedge(static_cast<TFuzzyHedge>(99)), EArgumentOutOfRangeException,
                  "Invalid hedge 99");
    EXPECT_EQ(PointsOf(*set), (TPoints{{0, 0.2}, {5, 0.8}}));
    EXPECT_EQ(set->GetName(), "tall");
    EXPECT_EQ(set->GetValues()->GetUpdateCount(), 0);
}

} // namespace
} // namespace fuzzy::test
