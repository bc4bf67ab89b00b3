// The library's answers against the same curves worked out plainly: combinations and
// centres of gravity of random curves, and the heater controller's rule passes, where each
// rule's strength is the least membership of its premises at the crisp inputs, correlation
// by the minimum lowers the consequent's points above the strength, and the solution is the
// exact pointwise maximum of the fired rules' curves.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <optional>
#include <random>
#include <utility>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PlainCurves.hpp"
#include "support/Raises.hpp"
#include "support/SetResults.hpp"

namespace fuzzy::test {
namespace {

using TResult = std::unique_ptr<TFuzzySet>;

// Random curves of every kind the walk must take: X spans that differ, one point or
// several, flat ends at any level (often one of a few levels both curves use), vertical
// lines, flat curves, and X values on a coarse grid (so two curves share breakpoints) or
// anywhere.
TPoints RandomShapedCurve(std::mt19937& Random) {
    std::uniform_real_distribution<TFzyFloat> unit(0, 1);
    const bool onGrid = unit(Random) < 0.6;
    const TFzyFloat left = 70 * unit(Random);
    const TFzyFloat right = left + (100 - left) * unit(Random);
    const int count = 1 + static_cast<int>(12 * unit(Random));
    const bool flat = unit(Random) < 0.1;
    auto level = [&] {
        if (unit(Random) < 0.3)
            return std::floor(5 * unit(Random)) / 4; // 0, 0.25, 0.5, 0.75 or 1
        return onGrid ? std::floor(65 * unit(Random)) / 64 : unit(Random);
    };
    const TFzyFloat flatLevel = level();
    TPoints points;
    for (int i = 0; i < count; ++i) {
        TFzyFloat x = left + (right - left) * unit(Random);
        if (onGrid)
            x = std::round(x * 4) / 4;
        points.emplace_back(x, flat ? flatLevel : level());
        if (!flat && unit(Random) < 0.2)
            points.emplace_back(x, level()); // a vertical line
    }
    std::stable_sort(points.begin(), points.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return points;
}

// True when two breakpoints are different but within the tolerance in X: the walk pairs
// them as one X, taking each curve's own point there.
bool HasNearBreakpoints(const TPoints& A, const TPoints& B) {
    TPoints all = A;
    all.insert(all.end(), B.begin(), B.end());
    std::sort(all.begin(), all.end());
    for (std::size_t k = 1; k < all.size(); ++k)
        if (all[k].first != all[k - 1].first && all[k].first - all[k - 1].first <= 2e-4)
            return true;
    return false;
}

// True when two neighbouring events differ, but by no more than the tolerance in X or in
// Y: the result's clean-up merges such points and its membership reads a vertical line
// within the tolerance, by design.
bool HasEventsWithinTolerance(const TPoints& Events) {
    for (std::size_t k = 1; k < Events.size(); ++k) {
        const TFzyFloat dx = Events[k].first - Events[k - 1].first;
        const TFzyFloat dy = std::fabs(Events[k].second - Events[k - 1].second);
        if ((dx > 0 && dx <= 2e-4) || (dy > 0 && dy <= 2e-4))
            return true;
    }
    return false;
}

TEST(CombinationProperty, RandomPairsGiveTheMaximumAndMinimumEverywhere) {
    constexpr int Pairs = 4000;
    std::mt19937 random(11);
    std::uniform_real_distribution<TFzyFloat> anywhere(-20, 120);
    int checked = 0;
    for (int pair = 0; pair < Pairs; ++pair) {
        const auto first = MakeSet(RandomShapedCurve(random), "a");
        const auto second = MakeSet(RandomShapedCurve(random), "b");
        TPoints highs;
        TPoints lows;
        first->Iterate(second.get(), [&](TFzyFloat X1, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
            EXPECT_TRUE(highs.empty() || highs.back().first <= X1) << "events out of order";
            highs.emplace_back(X1, std::max(Y1, Y2));
            lows.emplace_back(X1, std::min(Y1, Y2));
            return false;
        });
        // Within the tolerance the walk pairs breakpoints as one X and the results'
        // clean-up merges neighbours, by design: such pairs are left out.
        if (HasNearBreakpoints(PointsOf(*first), PointsOf(*second)) ||
            HasEventsWithinTolerance(highs) || HasEventsWithinTolerance(lows))
            continue;
        ++checked;
        const TResult unite(first->Union(second.get()));
        const TResult unitedBack(second->Union(first.get()));
        const TResult meet(first->Intersection(second.get()));
        for (const TFuzzySet* result : {unite.get(), meet.get()}) // cleaned once for all
            ASSERT_EQ(PointsOfResult(result->Clone()), PointsOf(*result));
        std::vector<TFzyFloat> xs;
        for (int k = 0; k < 40; ++k)
            xs.push_back(anywhere(random));
        for (const auto& event : highs)
            for (TFzyFloat offset : {-1e-6, 0.0, 1e-6})
                xs.push_back(event.first + offset);
        for (TFzyFloat x : xs) {
            SCOPED_TRACE(testing::Message() << "pair " << pair << " at " << x);
            const TFzyFloat ya = first->DegreeOfMembership(x);
            const TFzyFloat yb = second->DegreeOfMembership(x);
            ASSERT_NEAR(PlainAt(highs, x), std::max(ya, yb), 1e-9);
            ASSERT_NEAR(PlainAt(lows, x), std::min(ya, yb), 1e-9);
            ASSERT_NEAR(unite->DegreeOfMembership(x), std::max(ya, yb), 1e-9);
            ASSERT_NEAR(unitedBack->DegreeOfMembership(x), std::max(ya, yb), 1e-9);
            ASSERT_NEAR(meet->DegreeOfMembership(x), std::min(ya, yb), 1e-9);
        }
    }
    std::cout << "[ figures  ] " << checked << " of " << Pairs
              << " random pairs apart by more than the tolerance, checked exactly\n";
    EXPECT_GE(checked, Pairs * 95 / 100);
}

TEST(CenterOfGravityProperty, AgreesWithTheExactIntegralOfTheCurve) {
    std::mt19937 random(99);
    int checked = 0;
    while (checked < 300) {
        const bool wide = checked % 2 == 1;
        const TFzyFloat minimum = wide ? -50 : 0;
        const TFzyFloat maximum = wide ? 150 : 100;
        const auto set = MakeRangedSet(minimum, maximum, RandomShapedCurve(random));
        const TPoints points = PointsOf(*set);
        if (points.front().first == points.back().first ||
            std::all_of(points.begin(), points.end(), [](const auto& p) { return p.second == 0; }))
            continue;
        ++checked;
        EXPECT_NEAR(set->CenterOfGravity(), PlainCenterOfGravity({points}, minimum, maximum),
                    1e-6 * (maximum - minimum));
    }
}

class HeaterInference : public ::testing::Test {
protected:
    /// The power the heater's rules give for the inputs, worked out plainly, or none when
    /// no rule reaches the threshold.
    std::optional<double> PlainPower(double Error, double Rate) const {
        std::vector<TCurve> fired;
        for (const THeaterRule& rule : Heater.GetRules()) {
            const double strength = std::min(rule.Error->DegreeOfMembership(Error),
                                             rule.Rate->DegreeOfMembership(Rate));
            if (strength >= Power.GetThreshold())
                fired.push_back(PlainClipped(PointsOf(*rule.Power), strength));
        }
        if (fired.empty())
            return std::nullopt;
        return PlainCenterOfGravity(fired, Power.GetMinimum(), Power.GetMaximum());
    }

    // Through the rule objects and through AssertRule by hand.
    void ExpectPlainPower(double Error, double Rate) {
        SCOPED_TRACE(testing::Message() << "error " << Error << ", rate " << Rate);
        const std::optional<double> expected = PlainPower(Error, Rate);
        for (const std::optional<double> actual :
             {Heater.Evaluate(Error, Rate), Heater.EvaluateByHand(Error, Rate)}) {
            ASSERT_EQ(actual.has_value(), expected.has_value());
            if (expected) {
                EXPECT_NEAR(*actual, *expected, 1e-9 * (Power.GetMaximum() - Power.GetMinimum()));
            }
        }
    }

    THeaterController Heater{
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy")};
    const TFuzzyVariable& Power = *Heater.GetPower();
};

TEST_F(HeaterInference, MatchesThePlainComputationOnAndBeyondTheInputGrid) {
    ASSERT_EQ(Power.GetThreshold(), 0.01); // the component's, taken when the variable joined
    constexpr int Points = 15;             // both ends of both ranges included
    for (int i = 0; i < Points; ++i)
        for (int j = 0; j < Points; ++j)
            ExpectPlainPower(-10 + 20.0 * i / (Points - 1), -2 + 4.0 * j / (Points - 1));
    // Beyond the ranges every term keeps the height of its nearest end. At an error of
    // -0.2, warm holds only 0.0067, under the threshold, so its rules stay out.
    for (const auto& [error, rate] :
         {std::pair{-25.0, -3.0}, {25.0, 3.0}, {-25.0, 3.0}, {25.0, -3.0}, {-0.2, 0.0}})
        ExpectPlainPower(error, rate);
}

TEST_F(HeaterInference, PassesLeaveTheTermsAsTheyWereAndRejectInputsThatAreNotFinite) {
    int added = 0;
    int deleted = 0;
    Heater.GetLogic()->SetOnFuzzySetAdded([&](TObject*, TFuzzySet*) { ++added; });
    Heater.GetLogic()->SetOnFuzzySetDeleted([&](TObject*, TFuzzySet*) { ++deleted; });
    const int terms = Power.GetItems()->GetCount();
    const int current = Power.GetItemIndex();
    for (int pass = 0; pass < 200; ++pass)
        (void)Heater.Evaluate(-10 + 20.0 * (pass % 41) / 40, -2 + 4.0 * (pass % 17) / 16);
    EXPECT_GT(added, 200);     // every pass made solutions in the power variable's terms...
    EXPECT_EQ(deleted, added); // ...and deleted every one of them
    EXPECT_EQ(Power.GetItems()->GetCount(), terms);
    EXPECT_EQ(Power.GetItemIndex(), current);

    const std::optional<double> before = Heater.Evaluate(1, -0.5);
    EXPECT_RAISES((void)Heater.Evaluate(std::numeric_limits<double>::quiet_NaN(), 0),
                  EArgumentOutOfRangeException,
                  "Heater inputs must be finite numbers (error NAN, rate 0.0000)");
    EXPECT_THROW((void)Heater.Evaluate(1, -std::numeric_limits<double>::infinity()),
                 EArgumentOutOfRangeException);
    EXPECT_EQ(Heater.Evaluate(1, -0.5), before); // still usable
    Heater.GetLogic()->SetThreshold(1);          // passed on to every variable
    EXPECT_EQ(Heater.Evaluate(2.5, 0.5), std::nullopt);
    EXPECT_TRUE(Heater.Evaluate(-25, 5)); // warm and rising hold 1 there: equal to it fires
}

} // namespace
} // namespace fuzzy::test
