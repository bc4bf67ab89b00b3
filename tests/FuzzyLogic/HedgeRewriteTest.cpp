// Hedges rewrite a set's points inside one update bracket, placing new points straight
// where they belong and writing degrees without the per-point hooks. What comes out must be
// what writing point by point and sorting at the bracket's end gave: the same points in the
// same order, clamped as the setters clamp, and the same error with the same points kept.

#include <functional>
#include <limits>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/PointListHelpers.hpp"

namespace fuzzy::test {
namespace {

struct THedgeCase {
    std::string Name;
    TPoints Points;
    std::function<void(TFuzzySet&)> Apply;
    TPoints Expected;
    bool Raises = false;
    bool OnNarrowAxis = false; // the axis [0, 10] rather than none
    friend void PrintTo(const THedgeCase& Case, std::ostream* Out) { *Out << Case.Name; }
};

class HedgeRewrite : public ::testing::TestWithParam<THedgeCase> {};

TEST_P(HedgeRewrite, LeavesThePointsAsWritingOneByOne) {
    const THedgeCase& testCase = GetParam();
    auto set =
        testCase.OnNarrowAxis ? MakeRangedSet(0, 10, testCase.Points) : MakeSet(testCase.Points);
    bool raised = false;
    try {
        testCase.Apply(*set);
    } catch (const Exception&) {
        raised = true;
    }
    EXPECT_EQ(raised, testCase.Raises);
    // Exact: the rewrite must not move any coordinate by a single bit.
    EXPECT_EQ(PointsOf(*set->GetValues()), testCase.Expected);
}

constexpr TFzyFloat Huge = std::numeric_limits<TFzyFloat>::max();
constexpr TFzyFloat Infinity = std::numeric_limits<TFzyFloat>::infinity();

INSTANTIATE_TEST_SUITE_P(
    Hedges, HedgeRewrite,
    ::testing::Values(
        // Points left of each other within the tolerance stay unsorted until a hedge adds
        // points, whose bracket then sorts them by the tolerance rule.
        THedgeCase{"very_sorts_a_drifting_line",
                   {{0, 0}, {1.00008, 0.5}, {1.0, 0.6}, {0.99992, 0.7}, {2, 0}},
                   [](TFuzzySet& Set) { Set.Hedge(TFuzzyHedge::fhVery); },
                   {{0, 0},
                    {0.50004000000000004, 0.0625},
                    {0.99992000000000003, 0.48999999999999994},
                    {1.0000800000000001, 0.25},
                    {1, 0.35999999999999999},
                    {1.4999600000000002, 0.12249999999999994},
                    {2, 0}}},
        THedgeCase{"somewhat_adds_points_within_the_tolerance",
                   {{0, 0}, {0.00015, 1}, {1, 0.25}},
                   [](TFuzzySet& Set) { Set.Hedge(TFuzzyHedge::fhSomewhat); },
                   {{0, 0},
                    {4.9999999999999996e-05, 0.69336127435063466},
                    {9.9999999999999991e-05, 0.87358046473629891},
                    {0.00014999999999999999, 1},
                    {0.3334333333333333, 0.90856029641606983},
                    {0.66671666666666662, 0.79370052598409979},
                    {1, 0.6299605249474366}}},
        // Degrees cut to one value make equal neighbours on a vertical line.
        THedgeCase{"a_cut_merges_a_vertical_line",
                   {{0, 0.2}, {1, 0.2}, {1, 0.4}, {1, 0.9}, {2, 0.1}},
                   [](TFuzzySet& Set) { Set.Hedge(TBaseFuzzyHedge::bfhCutLess, 0.5, true); },
                   {{0, 0.5}, {1, 0.5}, {1, 0.90000000000000002}, {2, 0.5}}},
        THedgeCase{"a_subtraction_stops_at_zero",
                   {{0, 0.2}, {1, 1}, {2, 0.7}},
                   [](TFuzzySet& Set) { Set.Hedge(TBaseFuzzyHedge::bfhSubtract, 0.5, true); },
                   {{0, 0}, {1, 0.5}, {2, 0.19999999999999996}}},
        THedgeCase{"not_then_above",
                   {{0, 0}, {1, 0.4}, {2, 1}, {3, 0.3}},
                   [](TFuzzySet& Set) {
                       Set.Hedge(TFuzzyHedge::fhNot);
                       Set.Hedge(TFuzzyHedge::fhAbove);
                   },
                   {{0, 0}, {1, 0.40000000000000002}, {2, 1}, {3, 0.30000000000000004}}},
        THedgeCase{"a_shift_in_x_stops_at_the_axis",
                   {{1, 0}, {5, 1}, {9, 0.5}},
                   [](TFuzzySet& Set) { Set.Hedge(TBaseFuzzyHedge::bfhAdd, 3, false); },
                   {{4, 0}, {8, 1}, {10, 0.5}},
                   false,
                   true},
        // An infinite degree times zero is NaN: the points before it keep their new degree.
        THedgeCase{"a_product_that_is_not_a_number",
                   {{0, 0.5}, {1, Huge}, {2, 0.5}},
                   [](TFuzzySet& Set) {
                       Set.Hedge(TBaseFuzzyHedge::bfhAdd, Huge, true);
                       Set.Hedge(TBaseFuzzyHedge::bfhMultiply, 0, true);
                   },
                   {{0, 0}, {1, Infinity}, {2, Huge}},
                   true}),
    [](const auto& Info) { return Info.param.Name; });

} // namespace
} // namespace fuzzy::test
