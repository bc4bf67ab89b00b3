#include <gtest/gtest.h>

#include <cmath>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"
#include "support/SetResults.hpp"

namespace fuzzy::test {
namespace {

using TResult = std::unique_ptr<TFuzzySet>;
using TNames = std::pair<std::string, std::string>;

class TwoTriangles : public ::testing::Test {
protected:
    std::unique_ptr<TFuzzySet> Left = MakeSet({{0, 0}, {50, 1}, {100, 0}}, "cold");
    std::unique_ptr<TFuzzySet> Right = MakeSet({{50, 0}, {100, 1}, {150, 0}}, "hot");
};

// A free result belongs to the caller; its name brackets an operand holding a space.
TEST_F(TwoTriangles, UnionKeepsTheUpperEnvelopeAndIntersectionTrimsTheFlatEnds) {
    const TResult result(Left->Union(Right.get()));
    EXPECT_EQ(PointsOf(*result), (TPoints{{0, 0}, {50, 1}, {75, 0.5}, {100, 1}, {150, 0}}));
    EXPECT_EQ(result->GetName(), "cold or hot");
    EXPECT_EQ(result->GetExpression(), "cold or hot");
    EXPECT_EQ(result->GetSetType(), TFuzzySetType::fstUserDefined);
    EXPECT_EQ(result->GetCollection(), nullptr);
    EXPECT_EQ(PointsOfResult(Left->Intersection(Right.get())),
              (TPoints{{50, 0}, {75, 0.5}, {100, 0}}));

    Left->SetName("big set");
    EXPECT_EQ(NamesOfResult(Left->Union(Right.get())),
              TNames("[big set] or hot", "[big set] or hot"));
    result->SetExpression("a or b");
    EXPECT_EQ(NamesOfResult(result->Intersection(Right.get())).second, "[a or b] and hot");
    // An empty set gives a copy of the other.
    const auto empty = MakeSet({}, "e");
    EXPECT_EQ(PointsOfResult(Right->Intersection(empty.get())), PointsOf(*Right));
    EXPECT_EQ(PointsOfResult(empty->Intersection(Right.get())), PointsOf(*Right));
}

TEST_F(TwoTriangles, EveryOperationFamilyUsesItsFormulaAndWord) {
    struct TCase {
        TFuzzyOperation Operation;
        bool IsUnion;
        const char* Word;
        TFzyFloat AtCrossing; // both memberships are 0.5 at X = 75
    };
    const TCase cases[] = {
        {TFuzzyOperation::foMean, false, "and-mean", 0.5},
        {TFuzzyOperation::foMean, true, "or-mean", 0.5},
        {TFuzzyOperation::foMeanSqr, false, "and-meansqr", 0.25},
        {TFuzzyOperation::foMeanSqr, true, "or-meansqr", 0.25},
        {TFuzzyOperation::foMeanSqrt, false, "and-meansqrt", std::sqrt(0.5)},
        {TFuzzyOperation::foProduct, false, "and-product", 0.25},
        {TFuzzyOperation::foProduct, true, "or-product", 0.75},
        {TFuzzyOperation::foBoundedSum, false, "and-boundedsum", 0.0},
        {TFuzzyOperation::foBoundedSum, true, "or-boundedsum", 1.0},
        {TFuzzyOperation::foSum, true, "or-sum", 1.0},
    };
    for (const TCase& c : cases) {
        const TResult result(c.IsUnion ? Left->Union(Right.get(), c.Operation)
                                       : Left->Intersection(Right.get(), c.Operation));
        EXPECT_EQ(result->GetName(), std::string("cold ") + c.Word + " hot");
        EXPECT_NEAR(result->DegreeOfMembership(75), c.AtCrossing, 1e-12) << c.Word;
        // A rule's connective reads the same word with the same formula.
        EXPECT_EQ(c.IsUnion ? degrees::Unite(c.Operation, 0.5, 0.5)
                            : degrees::Intersect(c.Operation, 0.5, 0.5),
                  result->DegreeOfMembership(75))
            << c.Word;
    }
    // At X = 50 the memberships are 1 and 0: the union mean weighs the larger twice.
    const TResult mean(Left->Union(Right.get(), TFuzzyOperation::foMean));
    EXPECT_NEAR(mean->DegreeOfMembership(50), 4.0 / 6.0, 1e-12);
    EXPECT_EQ(degrees::Unite(TFuzzyOperation::foMean, 0, 1), mean->DegreeOfMembership(50));
}

TEST_F(TwoTriangles, AMissingSetOrAnUnknownOperationRaises) {
    EXPECT_RAISES((void)Left->Intersection(Right.get(), TFuzzyOperation::foSum), EFzyException,
                  "Invalid fuzzy operation: \"foSum:");
    EXPECT_THROW((void)degrees::Intersect(TFuzzyOperation::foSum, 0.5, 0.5), EFzyException);
    EXPECT_THROW((void)Left->Union(Right.get(), static_cast<TFuzzyOperation>(7)), EFzyException);
    EXPECT_RAISES((void)Left->Union(nullptr), EArgumentOutOfRangeException,
                  "No fuzzy set given to combine with");
    EXPECT_THROW((void)Left->Intersects(nullptr), EArgumentOutOfRangeException);
    EXPECT_THROW((void)Left->GetCorrelationStrength(nullptr), EArgumentOutOfRangeException);
}

TEST(Combination, IterateReportsBreakpointsAndCrossingsInOrder) {
    auto empty = MakeSet({});
    auto other = MakeSet({});
    const auto never = [](TFzyFloat, TFzyFloat, TFzyFloat, TFzyFloat) { return false; };
    EXPECT_TRUE(empty->Iterate(other.get(), never));
    auto triangle = MakeSet({{0, 0}, {10, 1}, {20, 0}});
    EXPECT_FALSE(triangle->Iterate(empty.get(), never));

    // A constant 0.4 against a triangle: crossings where the triangle passes 0.4.
    auto constant = MakeSet({{0, 0.4}, {20, 0.4}});
    std::vector<TFzyFloat> xs;
    constant->Iterate(triangle.get(), [&](TFzyFloat X1, TFzyFloat, TFzyFloat, TFzyFloat) {
        xs.push_back(X1);
        return false;
    });
    EXPECT_EQ(xs, (std::vector<TFzyFloat>{0, 4, 10, 16, 20}));

    int calls = 0;
    EXPECT_TRUE(constant->Iterate(
        triangle.get(), [&](TFzyFloat, TFzyFloat, TFzyFloat, TFzyFloat) { return ++calls == 3; }));
    EXPECT_EQ(calls, 3);
}

// Combinations whose answer depends on the walk meeting every crossing in X order and on
// the result keeping what its curve needs beside vertical lines.
TEST(Combination, ResultsEqualThePointwiseCombinationWhereTheWalkIsHard) {
    // Expected holds X and the membership of the result there.
    const auto check = [](const char* What, const TPoints& A, const TPoints& B, bool IsUnion,
                          const TPoints& Expected,
                          TFuzzyOperation Operation = TFuzzyOperation::foZadeh) {
        SCOPED_TRACE(What);
        const auto a = MakeSet(A, "a");
        const auto b = MakeSet(B, "b");
        const TResult result(IsUnion ? a->Union(b.get()) : a->Intersection(b.get(), Operation));
        for (const auto& [x, expected] : Expected)
            EXPECT_NEAR(result->DegreeOfMembership(x), expected, 1e-12) << "at " << x;
    };
    check("a crossing with the other curve's flat continuation", {{0, 0}, {10, 1}},
          {{0, 0}, {2, 0.5}}, true, {{3.5, 0.5}, {5, 0.5}, {7.5, 0.75}});
    check("a crossing with a flat continuation on the left", {{6, 0.2}, {10, 0.6}},
          {{0, 1}, {4, 0}}, false, {{1, 0.2}, {2, 0.2}, {3.5, 0.125}, {8, 0}});
    check("a one-point set is flat everywhere", {{5, 0.5}}, {{0, 0}, {10, 1}}, true,
          {{2, 0.5}, {7.5, 0.75}});
    const TPoints longLine{{0, 0}, {5, 0}, {5, 1}, {5, 0.5}, {10, 0.5}};
    const TPoints shortLine{{0, 0.5}, {5, 0.9}, {5, 0.3}, {10, 0.3}};
    check("a shared vertical line with more points in the first set", longLine, shortLine, true,
          {{2.5, 0.7}, {5, 1}, {7.5, 0.5}});
    check("a shared vertical line with more points in the second set", shortLine, longLine, true,
          {{2.5, 0.7}, {5, 1}, {7.5, 0.5}});
    // The equal pair at X = 2 has the result's points cleaned as a whole list.
    check("a result line of five points keeps its last",
          {{0, 0}, {2, 0.6}, {2, 0.8}, {5, 0}, {5, 1}, {5, 0.2}, {5, 0.7}, {10, 0.7}},
          {{0, 0.1}, {4, 0.9}, {5, 0.9}, {5, 0.1}, {5, 0.8}, {5, 0.3}, {10, 0.3}}, false,
          {{2, 0.5}, {3, 0.8 - 0.8 / 3}, {5, 0.9}, {7.5, 0.3}});
    check("a step up against a step down at one X", {{0, 0}, {5, 0}, {5, 1}, {10, 1}},
          {{0, 1}, {5, 1}, {5, 0}, {10, 0}}, false, {{4, 0}, {5, 1}, {6, 0}});
    check("bounded-sum intersection with a flat set", {{4.5, 0.375}, {5, 0.375}, {9.5, 0.375}},
          {{2.5, 0.875}, {7.5, 0.25}}, false,
          {{2, 0.25}, {3.5, 0.125}, {4.5, 0}, {5, 0}, {6.5, 0}, {9, 0}},
          TFuzzyOperation::foBoundedSum);
}

// A caller's own operator may append its points in any order; the result is put in order
// before its horizontal runs are simplified, or the wrong point of a run would go.
TEST(Combination, AnOperatorsOwnCallbackMayAppendOutOfOrder) {
    auto a = MakeSet({{0, 0}, {10, 0.2}, {20, 0.2}, {30, 0.2}, {40, 1}}, "a");
    auto b = MakeSet({{0, 0}, {40, 0}}, "b");
    EXPECT_EQ(PointsOfResult(a->Operator(
                  b.get(), "moved",
                  [](TFuzzySetValues* Values, TFzyFloat X1, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
                      Values->Add(X1 == 10 ? 35 : X1, std::max(Y1, Y2));
                      return false;
                  })),
              (TPoints{{0, 0}, {20, 0.2}, {35, 0.2}, {40, 1}}));
}

// A rule pass: the term slow clipped at 0.8 united with an old solution whose used-up end
// lies on the line of a later segment. Nothing may be reported out of X order there.
TEST(Combination, UnionOfASolutionWithAClippedTermKeepsTheStretchBetween) {
    auto clipped = MakeRangedSet(0, 100, {{0, 0}, {25, 1}, {50, 0}});
    clipped->Correlate(0.8); // lowers the peak: (0, 0) (25, 0.8) (50, 0)
    auto old = MakeRangedSet(0, 100, {{25, 0}, {50, 0.8}, {70, 0.16}, {75, 0.2}, {100, 0}});
    const TResult solution(old->Union(clipped.get()));
    ExpectPoints(PointsOf(*solution), PointsOfResult(clipped->Union(old.get())));
    EXPECT_NEAR(solution->DegreeOfMembership(60), 0.48, 1e-12); // lost when 50 came after 70
    EXPECT_NEAR(solution->CenterOfGravity(), 40.99, 0.005);
}

// A crisp fact is a vertical line: its strength against a term is the term's membership
// there, also where the fact lies on the line of a segment beyond the term's end, or on a
// vertical line of the term (whose highest point counts).
TEST(Combination, TheStrengthOfACrispFactIsTheMembershipAtIt) {
    auto pi = MakeSet({});
    pi->CreatePIFunctionValues(7, -1, 1, 0);
    auto step = MakeSet({{0, 0}, {4, 0.2}, {4, 0.9}, {4, 0.6}, {8, 0.6}});
    auto fact = MakeSet({});
    for (const auto& [term, x] :
         {std::pair{pi.get(), 1.5}, std::pair{pi.get(), -1.5}, std::pair{pi.get(), 0.5},
          std::pair{step.get(), 4.0}, std::pair{step.get(), 3.0}, std::pair{step.get(), 9.0}}) {
        fact->CreateCrispValue(x);
        EXPECT_NEAR(term->GetCorrelationStrength(fact.get()), term->DegreeOfMembership(x), 1e-12)
            << "at " << x;
    }
}

TEST(Overlap, IntersectsLooksAtSupportsAndTouchingEnds) {
    auto a = MakeSet({{0, 0}, {10, 1}, {20, 0}});
    EXPECT_FALSE(a->Intersects(MakeSet({{30, 0}, {40, 1}, {50, 0}}).get()));
    EXPECT_TRUE(a->Intersects(MakeSet({{15, 0}, {25, 1}, {35, 0}}).get()));
    EXPECT_FALSE(a->Intersects(MakeSet({}).get()));
    auto shoulder = MakeSet({{0, 0}, {10, 1}, {20, 1}});
    EXPECT_TRUE(shoulder->Intersects(MakeSet({{20, 1}, {30, 0}}).get()));
    EXPECT_FALSE(MakeSet({{0, 0}, {20, 0}})->Intersects(a.get())); // all zero
}

TEST(Segments, CrossingsPointsAndParallels) {
    TFzyFloat x = -1, y = -1;
    EXPECT_TRUE(TFuzzySet::LineSegmentIntersects(0, 0, 10, 1, 0, 1, 10, 0, x, y));
    EXPECT_DOUBLE_EQ(x, 5);
    EXPECT_DOUBLE_EQ(y, 0.5);
    EXPECT_FALSE(TFuzzySet::LineSegmentIntersects(0, 0, 4, 0.4, 5, 1, 10, 0, x, y));
    // Collinear and overlapping: the smaller of the two right ends.
    EXPECT_TRUE(TFuzzySet::LineSegmentIntersects(0, 0, 6, 0.6, 2, 0.2, 10, 1, x, y));
    EXPECT_EQ(x, 6);
    EXPECT_EQ(y, 0.6);
    EXPECT_FALSE(TFuzzySet::LineSegmentIntersects(0, 0, 10, 0, 0, 1, 10, 1, x, y)); // parallel
    // A point on the other segment's line meets it; one off the line does not.
    EXPECT_TRUE(TFuzzySet::LineSegmentIntersects(4, 0.4, 4, 0.4, 0, 0, 10, 1, x, y));
    EXPECT_FALSE(TFuzzySet::LineSegmentIntersects(4, 0.9, 4, 0.9, 0, 0, 10, 1, x, y));

    std::unique_ptr<TFuzzySetValue> p[4];
    const TFzyFloat coordinates[4][2] = {{0, 0}, {10, 1}, {0, 1}, {10, 0}};
    for (int i = 0; i < 4; ++i) {
        p[i].reset(TFuzzySetValue::Create(nullptr));
        p[i]->SetValue(coordinates[i][0], coordinates[i][1]);
    }
    const auto crossing =
        TFuzzySet::LineSegmentIntersects(p[0].get(), p[1].get(), p[2].get(), p[3].get());
    ASSERT_NE(crossing, nullptr);
    EXPECT_EQ(crossing->GetCollection(), nullptr);
    EXPECT_DOUBLE_EQ(crossing->GetX(), 5);
    EXPECT_EQ(TFuzzySet::LineSegmentIntersects(p[0].get(), p[2].get(), p[1].get(), p[3].get()),
              nullptr);
}

TEST(WalkHelpers, StepAlongAListAndKeepTheWinningSide) {
    TFuzzySetValues list(nullptr);
    Load(list, {{0, 0.2}, {5, 0.8}});
    auto result = MakeSet({});
    std::unique_ptr<TFuzzySetValue> current(TFuzzySetValue::Create(nullptr));
    std::unique_ptr<TFuzzySetValue> previous(TFuzzySetValue::Create(nullptr));
    std::unique_ptr<TFuzzySetValue> lastEqual(TFuzzySetValue::Create(nullptr));
    current->Assign(list[0]);
    int index = 0;
    AddAndIncrement(result.get(), current.get(), previous.get(), lastEqual.get(), index, 0.5, 0.5,
                    &list, 99, true);
    EXPECT_EQ(PointsOf(*result), (TPoints{{0, 0.2}}));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(current->GetX(), 5);
    EXPECT_EQ(lastEqual->GetX(), 0); // A equalled B: the point just passed
    AddAndIncrement(result.get(), current.get(), previous.get(), lastEqual.get(), index, 0.1, 0.5,
                    &list, 99, true);
    EXPECT_EQ(result->GetValues()->GetCount(), 1); // A < B is not kept when keeping greater
    EXPECT_EQ(current->GetX(), 99);                // past the end only X moves, to the end X
    EXPECT_EQ(current->GetY(), 0.8);
}

} // namespace
} // namespace fuzzy::test
