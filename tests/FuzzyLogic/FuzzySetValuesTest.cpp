#include <gtest/gtest.h>

#include <functional>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

class PointList : public ::testing::Test {
protected:
    TPoints Reload(const TPoints& Points) {
        Values.Clear();
        Load(Values, Points);
        return PointsOf(Values);
    }
    std::unique_ptr<TFuzzySet> Set{TFuzzySet::Create(nullptr)};
    TFuzzySetValues& Values = *Set->GetValues();
};

// A new point starts one right of the last at Y = 0, apart from it even far from zero.
// Y is clamped below only, X into the set's range, and a free point keeps both as given.
TEST(PointClamping, NewPointsStartApartAndAreClampedOnlyInsideASet) {
    std::unique_ptr<TFuzzyVariable> wide(TFuzzyVariable::Create(nullptr));
    wide->SetMaximum(1e31);
    TFuzzySetValues& values = *wide->GetItems()->Add()->GetValues();
    values.Add(5, 0.3);
    TFuzzySetValue* point = values.Add();
    EXPECT_EQ(PointsOf(values), (TPoints{{5, 0.3}, {6, 0}}));
    values.Add(1e31, 0); // there adding 1 changes nothing; an equal pair would be cleaned
    EXPECT_GT(values.Add()->GetX(), 1e31);
    EXPECT_EQ(values.GetCount(), 4);
    point->SetY(-0.5);
    EXPECT_EQ(point->GetY(), 0);
    point->SetY(1.7);
    EXPECT_EQ(point->GetY(), 1.7);

    std::unique_ptr<TFuzzySet> set(TRangedSet::Create(0, 100));
    point = set->GetValues()->Add();
    point->SetX(150);
    EXPECT_EQ(point->GetX(), 100);
    point->SetX(-3);
    EXPECT_EQ(point->GetX(), 0);
    // Set to the very X it started at (0 first, then one right of the last), a point is
    // still clamped into the axis.
    EXPECT_EQ(PointsOf(*MakeRangedSet(10, 20, {{0, 1}, {15, 0}})), (TPoints{{10, 1}, {15, 0}}));
    EXPECT_EQ(PointsOf(*MakeRangedSet(0, 1, {{1, 0}, {2, 1}})), (TPoints{{1, 0}, {1, 1}}));

    TFuzzySetValues freeList(nullptr);
    point = freeList.Add();
    point->SetX(150);
    point->SetValue(point->GetX(), -1);
    EXPECT_EQ(PointsOf(freeList), (TPoints{{150, -1}}));
}

// A bulk change reads the range once; the next bulk change reads it again.
TEST(PointClamping, EachBracketClampsToTheRangeOfItsTime) {
    std::unique_ptr<TFuzzyVariable> variable(TFuzzyVariable::Create(nullptr));
    variable->SetMaximum(10);
    TFuzzySetValues& values = *variable->GetItems()->Add("t")->GetValues();
    Load(values, {{5, 0}, {20, 1}});
    variable->SetMaximum(30);
    Load(values, {{25, 0.5}});
    EXPECT_EQ(PointsOf(values), (TPoints{{5, 0}, {10, 1}, {25, 0.5}}));
}

TEST_F(PointList, NaNIsRejectedBeforeAnythingChanges) {
    Load(Values, {{0, 0}, {10, 1}});
    EXPECT_RAISES(Values[1]->SetX(std::nan("")), EArgumentOutOfRangeException,
                  "Invalid point: X is not a number");
    EXPECT_THROW(Values[1]->SetY(std::nan("")), EArgumentOutOfRangeException);
    EXPECT_THROW(Values[1]->SetValue(1, std::nan("")), EArgumentOutOfRangeException);
    EXPECT_EQ(PointsOf(Values), (TPoints{{0, 0}, {10, 1}}));
}

// What the end of a bracket leaves of the points loaded inside it.
TEST_F(PointList, TheBracketsEndSortsAndCleans) {
    const struct {
        TPoints Loaded;
        TPoints Kept;
        const char* What;
    } rows[] = {
        {{{30, 0.5}, {10, 0.5}, {20, 0.5}, {10, 0.5}}, {{10, 0.5}, {20, 0.5}, {30, 0.5}}, "sorted"},
        {{{0, 0}, {5, 0}, {5, 0}, {10, 1}}, {{0, 0}, {5, 0}, {10, 1}}, "an equal pair merges"},
        {{{0, 0}, {5, 0}, {5, 0.25}, {5, 0.9}, {5, 0.5}, {5, 0.75}, {9, 0}},
         {{0, 0}, {5, 0}, {5, 0.9}, {5, 0.75}, {9, 0}},
         "a long vertical line keeps its ends and its highest point"},
        {{{9, 0}, {0, 0}, {5, 0}, {5, 0.5}, {5, 1}, {9, 0.5}, {9, 1}},
         {{0, 0}, {5, 0}, {5, 0.5}, {5, 1}, {9, 0}, {9, 0.5}, {9, 1}},
         "each line is counted on its own: two of three stay whole"},
        // 0 lies more than the tolerance left of 0.00015 and moves first; 0.0001 does not.
        {{{5, 0.5}, {0.00015, 0.1}, {0.0001, 0.2}, {0, 0.3}},
         {{0, 0.3}, {0.00015, 0.1}, {0.0001, 0.2}, {5, 0.5}},
         "points within the tolerance keep their order"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(Reload(row.Loaded), row.Kept) << row.What;

    // A deletion that makes two equal points neighbours, which no setter reports.
    Reload({{5, 0}, {5, 1}, {5, 0}});
    {
        TUpdateGuard guard(Values);
        Values.Delete(1);
    }
    EXPECT_EQ(PointsOf(Values), (TPoints{{5, 0}}));
}

// A moved point is sorted at once; on a vertical line it becomes the line's last point,
// and onto a full line it takes the place of the line's second (also when it already
// stood next to the line, before the line's last point).
TEST_F(PointList, AMovedPointIsSortedAtOnceAndJoinsALineAtItsEnd) {
    const auto check = [&](const TPoints& Before, int Moved, TFzyFloat X, const TPoints& After,
                           int Index) {
        Reload(Before);
        TFuzzySetValue* moved = Values[Moved];
        moved->SetX(X);
        EXPECT_EQ(PointsOf(Values), After);
        EXPECT_EQ(moved->GetIndex(), Index);
    };
    check({{0, 0}, {5, 1}, {10, 0}}, 0, 7, {{5, 1}, {7, 0}, {10, 0}}, 1);
    check({{2, 0}, {3, 0.5}, {4, 0}, {4, 1}, {6, 0}}, 1, 4,
          {{2, 0}, {4, 0}, {4, 1}, {4, 0.5}, {6, 0}}, 3);
    check({{0, 0}, {5, 0}, {5, 0.5}, {5, 1}, {8, 0.3}, {9, 0.2}}, 4, 5,
          {{0, 0}, {5, 0}, {5, 0.3}, {5, 1}, {9, 0.2}}, 2);
    check({{0, 0}, {5, 0}, {5, 0.5}, {5.00002, 0.7}, {5, 1}}, 3, 5,
          {{0, 0}, {5, 0}, {5, 0.7}, {5, 1}}, 2);
}

TEST_F(PointList, NeighboursEqualWithinTheToleranceCollapseKeepingTheChangedPoint) {
    Load(Values, {{0, 0}, {5, 0.5}, {6, 0.5}});
    TFuzzySetValue* changed = Values[2];
    changed->SetX(5.00005);
    ASSERT_EQ(Values.GetCount(), 2);
    EXPECT_EQ(Values[1], changed); // the setter's own object survives
    EXPECT_EQ(changed->GetX(), 5.00005);

    // A Y change that makes a point equal to its right neighbour removes the neighbour.
    Load(Values, {{7, 0}, {7, 1}});
    Values[2]->SetY(0.99995);
    EXPECT_EQ(PointsOf(Values), (TPoints{{0, 0}, {5.00005, 0.5}, {7, 0.99995}}));
}

TEST_F(PointList, AYChangeOnALineOfFourTrimsItToThree) {
    Load(Values, {{0, 0}, {9, 0}, {5, 0}, {5, 0.25}, {5, 0.5}, {5, 0.75}});
    Values[3]->SetY(0.6);
    EXPECT_EQ(PointsOf(Values), (TPoints{{0, 0}, {5, 0}, {5, 0.6}, {5, 0.75}, {9, 0}}));
}

TEST_F(PointList, RemoveDuplicatesDeletesTheFifthPointOfAVerticalLine) {
    // Called inside the bracket, before its end could clean the line its own way.
    const auto removeInBracket = [&](const TPoints& Points) {
        Values.Clear();
        TUpdateGuard bulk(Values);
        for (const auto& [x, y] : Points)
            Values.Add(x, y);
        Values.Sort();
        Values.RemoveDuplicates();
        return PointsOf(Values);
    };
    EXPECT_EQ(removeInBracket({{0, 0}, {9, 0}, {5, 0}, {5, 0.25}, {5, 0.5}, {5, 0.75}, {5, 1}}),
              (TPoints{{0, 0}, {5, 0}, {5, 0.25}, {5, 0.5}, {5, 0.75}, {9, 0}}));

    // The count starts again after each deleted point: of nine, the fifth and ninth go.
    TPoints nine{{9, 0}};
    for (int i = 1; i <= 9; ++i)
        nine.emplace_back(5, i / 10.0);
    EXPECT_EQ(
        removeInBracket(nine),
        (TPoints{{5, 0.1}, {5, 0.2}, {5, 0.3}, {5, 0.4}, {5, 0.6}, {5, 0.7}, {5, 0.8}, {9, 0}}));
}

TEST_F(PointList, AnExceptionInsideABracketStillClosesIt) {
    try {
        TUpdateGuard guard(Values);
        Values.Add(9, 1);
        Values.Add(1, 0);
        Values.Add(std::nan(""), 0);
    } catch (const EArgumentOutOfRangeException&) {
    }
    EXPECT_EQ(Values.GetUpdateCount(), 0);
    // The bracket's end cleaned what was there; the failed point kept its start position,
    // one right of the last point added.
    EXPECT_EQ(PointsOf(Values), (TPoints{{1, 0}, {2, 0}, {9, 1}}));
}

// Expand shares the new points among the sloped segments, the left ones first when they do
// not share out evenly; ExpandSimple puts them on a uniform grid. Neither shrinks a list.
TEST_F(PointList, ExpandSpreadsPointsOverSlopedSegments) {
    const auto check = [&](const TPoints& Before, bool Simple, int Count, const TPoints& After) {
        Reload(Before);
        if (Simple)
            Values.ExpandSimple(Count);
        else
            Values.Expand(Count);
        ExpectPoints(PointsOf(Values), After);
    };
    check({{0, 0}, {10, 1}}, false, 4, {{0, 0}, {10 / 3.0, 1 / 3.0}, {20 / 3.0, 2 / 3.0}, {10, 1}});
    check({{0, 0}, {5, 1}, {5, 0}, {10, 0}}, false, 6,
          {{0, 0}, {2.5, 0.5}, {5, 1}, {5, 0}, {7.5, 0}, {10, 0}});
    check({{0, 0}, {3, 1}, {10, 0}}, false, 6,
          {{0, 0}, {1, 1 / 3.0}, {2, 2 / 3.0}, {3, 1}, {6.5, 0.5}, {10, 0}});
    check({{0, 0}, {4, 1}, {10, 0}}, true, 5,
          {{0, 0}, {10 / 3.0, 10 / 12.0}, {4, 1}, {20 / 3.0, 5 / 9.0}, {10, 0}});
    const TPoints triangle{{0, 0}, {5, 1}, {10, 0}};
    for (const int count : {-1, 3}) {
        check(triangle, false, count, triangle);
        check(triangle, true, count, triangle);
    }

    // The grid X 5 lies within the tolerance left of the peak, just before a steep fall:
    // no grid point may go before a point it follows.
    Reload({{0, 0}, {5.00005, 1}, {5.0002, 0}, {10, 0}});
    Values.ExpandSimple(5);
    for (int i = 1; i < Values.GetCount(); ++i) {
        EXPECT_LE(Values[i]->GetY(), 1.0) << "point " << i;
        EXPECT_LE(Values[i - 1]->GetX(), Values[i]->GetX()) << "point " << i;
    }
}

TEST_F(PointList, AppendCopiesARangeClippedToTheSource) {
    TFuzzySetValues source(nullptr);
    Load(source, {{1, 0.1}, {2, 0.2}, {3, 0.3}});
    Values.Append(&source, 1, 10);
    EXPECT_EQ(PointsOf(Values), (TPoints{{2, 0.2}, {3, 0.3}}));
    Values.Append(&source, -4, 1);
    Values.Append(&Values); // onto itself: every copy merges into its original
    EXPECT_EQ(PointsOf(Values), (TPoints{{1, 0.1}, {2, 0.2}, {3, 0.3}}));
}

TEST_F(PointList, StatisticsOfYValuesAndOfAnEmptyList) {
    TFzyFloat average = 0, maximum = 0, minimum = 0;
    const std::pair<std::function<void()>, std::string> empty[] = {
        {[&] { (void)Values.GetAvgValue(); }, "Get Average Y Value"},
        {[&] { (void)Values.GetMaxValue(); }, "Get Maximum Y Value"},
        {[&] { (void)Values.GetMinValue(); }, "Get Minimum Y Value"},
        {[&] { Values.GetStatValues(average, maximum, minimum); }, "Get Statistics Values"},
    };
    for (const auto& row : empty)
        EXPECT_RAISES(row.first(), EFzyException,
                      "Invalid operation: \"" + row.second + "\".  Fuzzy set is empty");

    Load(Values, {{0, 0.2}, {1, 1.0}, {2, 3.0}});
    EXPECT_EQ(Values.GetMaxValue(), 1.0); // the scan stops at 1.0
    EXPECT_EQ(Values.GetMinValue(), 0.2);
    EXPECT_DOUBLE_EQ(Values.GetAvgValue(), 4.2 / 3);
    Reload({{0, 2}, {1, 3}});
    Values.GetStatValues(average, maximum, minimum);
    EXPECT_EQ(average, 2.5);
    EXPECT_EQ(maximum, 3);
    EXPECT_EQ(minimum, 1.0); // the minimum starts at 1.0
}

TEST_F(PointList, CountsAndSkipsOnVerticalLines) {
    Load(Values, {{1, 0}, {1.00001, 0.5}, {2, 0.5}, {2, 0.6}, {3, 1}});
    EXPECT_EQ(Values.GetXCount(1), 1);   // exact, no tolerance
    EXPECT_EQ(Values.SkipX(0, 1, 0), 2); // a direction of 0 walks right
    EXPECT_EQ(Values.SkipX(3, 2, -1), 1);
    EXPECT_EQ(Values.SkipX(2, 2, 1), 4);
    EXPECT_EQ(Values.SkipX(4, 3, 1), -1);
    EXPECT_EQ(Values.SkipY(1, 0.5, 1), 3);
    EXPECT_EQ(Values.SkipY(1, 0.5, -1), 0);
}

} // namespace
} // namespace fuzzy::test
