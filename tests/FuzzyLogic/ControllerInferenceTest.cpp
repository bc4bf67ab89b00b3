// The heater controller's inference passes checked against the same steps written out
// plainly: each rule's strength from its premises' memberships at the crisp inputs, the
// consequent's points lowered to the strength, the pointwise maximum of the fired rules'
// curves, and its centre of gravity by fine numerical integration.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

/// A piecewise-linear curve as plain (X, Y) pairs, flat beyond its ends.
using TCurve = TPoints;

/// Raises each sample to the curve where the curve is higher; sample i lies at
/// From + Width * i / (count - 1). The curve is walked once, left to right, on plain
/// pointers: this runs for every sample of every pass, also in sanitized debug builds.
void RaiseTo(std::vector<double>& Samples, const TCurve& Curve, double From, double Width) {
    const int last = static_cast<int>(Samples.size()) - 1;
    double* sample = Samples.data();
    const std::pair<double, double>* point = Curve.data(); // the last point at or left of x
    const std::pair<double, double>* end = point + Curve.size() - 1;
    for (int i = 0; i <= last; ++i) {
        const double x = From + Width * i / last;
        while (point != end && point[1].first <= x)
            ++point;
        double y = point->second; // flat beyond the ends
        if (point != end && x > point->first)
            y += (point[1].second - y) * (x - point->first) / (point[1].first - point->first);
        if (y > sample[i])
            sample[i] = y;
    }
}

/// The power the rules give for the inputs, or none when no rule reaches the threshold.
/// Correlation by the minimum lowers the consequent's points that lie above the strength;
/// the curve between them stays straight.
std::optional<double> PlainPower(const THeaterController& Heater, double Error, double Rate) {
    const TFuzzyVariable& power = *Heater.GetPower();
    std::vector<TCurve> fired;
    for (const THeaterRule& rule : Heater.GetRules()) {
        const double strength =
            std::min(rule.Error->DegreeOfMembership(Error), rule.Rate->DegreeOfMembership(Rate));
        if (strength < power.GetThreshold())
            continue;
        TCurve curve = PointsOf(*rule.Power->GetValues());
        for (auto& point : curve)
            point.second = std::min(point.second, strength);
        fired.push_back(std::move(curve));
    }
    if (fired.empty())
        return std::nullopt;
    // Trapezoid rule over the axis; the step cancels out of the ratio. The curve is straight
    // between breakpoints, so only the few steps that hold one add an error, of the order
    // of the squared step: far below the tolerance.
    constexpr int Steps = 50'000;
    const double from = power.GetMinimum();
    const double width = power.GetMaximum() - from;
    std::vector<double> samples(Steps + 1, 0.0);
    for (const TCurve& curve : fired)
        RaiseTo(samples, curve, from, width);
    double area = 0;
    double moment = 0;
    for (int i = 0; i <= Steps; ++i) {
        const double weight = i == 0 || i == Steps ? 0.5 : 1.0;
        area += weight * samples[i];
        moment += weight * (from + width * i / Steps) * samples[i];
    }
    return moment / area;
}

class HeaterInference : public ::testing::Test {
protected:
    THeaterController Heater{
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy")};
    const TFuzzyVariable& Power = *Heater.GetPower();
    // A millionth of the output range.
    const double Tolerance = 1e-6 * (Power.GetMaximum() - Power.GetMinimum());

    const TFuzzySet* Term(const std::string& Variable, const std::string& Name) const {
        const TFuzzyVariable* variable = Heater.GetLogic()->GetItems()->GetItemByName(Variable);
        return variable->GetItems()->GetItemByName(Name);
    }

    void ExpectPlainPower(double Error, double Rate) {
        SCOPED_TRACE(testing::Message() << "error " << Error << ", rate " << Rate);
        const std::optional<double> expected = PlainPower(Heater, Error, Rate);
        const std::optional<double> actual = Heater.Evaluate(Error, Rate);
        ASSERT_EQ(actual.has_value(), expected.has_value());
        if (expected) {
            EXPECT_NEAR(*actual, *expected, Tolerance);
        }
    }
};

TEST_F(HeaterInference, MatchesThePlainComputationOverTheInputGrid) {
    ASSERT_EQ(Power.GetThreshold(), 0.01); // the component's, taken when the variable joined
    constexpr int Points = 15;             // both ends of both ranges included
    for (int i = 0; i < Points; ++i)
        for (int j = 0; j < Points; ++j)
            ExpectPlainPower(-10 + 20.0 * i / (Points - 1), -2 + 4.0 * j / (Points - 1));
}

TEST_F(HeaterInference, MatchesThePlainComputationBeyondTheRangesAndNearTheThreshold) {
    // Beyond the ranges every term keeps the height of its nearest end. At an error of
    // -0.2, warm holds only 0.0067, under the threshold, so its rules stay out.
    const std::array<std::pair<double, double>, 5> inputs{
        {{-25, -3}, {25, 3}, {-25, 3}, {25, -3}, {-0.2, 0}}};
    for (const auto& [error, rate] : inputs)
        ExpectPlainPower(error, rate);
    EXPECT_LT(Term("error", "warm")->DegreeOfMembership(-0.2), Power.GetThreshold());
}

TEST_F(HeaterInference, NoFiringRuleGivesNoValueAndLeavesNothingBehind) {
    Heater.GetLogic()->SetThreshold(1); // passed on to every variable
    const int terms = Power.GetItems()->GetCount();
    EXPECT_EQ(Heater.Evaluate(2.5, 0.5), std::nullopt);
    EXPECT_EQ(Power.GetItems()->GetCount(), terms);
    // warm and rising both hold 1 out there: a strength equal to the threshold fires, and
    // lowering to 1 leaves the consequent, off, as it is.
    const std::optional<double> power = Heater.Evaluate(-25, 5);
    ASSERT_TRUE(power.has_value());
    EXPECT_DOUBLE_EQ(*power, Power.GetItems()->GetItemByName("off")->CenterOfGravity());
    EXPECT_EQ(Power.GetItems()->GetCount(), terms);
}

TEST_F(HeaterInference, LongRunLeavesTheTermsAsTheyWere) {
    int added = 0;
    int deleted = 0;
    Heater.GetLogic()->SetOnFuzzySetAdded([&](TObject*, TFuzzySet*) { ++added; });
    Heater.GetLogic()->SetOnFuzzySetDeleted([&](TObject*, TFuzzySet*) { ++deleted; });
    const int terms = Power.GetItems()->GetCount();
    const int current = Power.GetItemIndex();
    constexpr int Passes = 1000;
    for (int pass = 0; pass < Passes; ++pass)
        (void)Heater.Evaluate(-10 + 20.0 * (pass % 41) / 40, -2 + 4.0 * (pass % 17) / 16);
    EXPECT_GT(added, Passes);  // every pass made solutions in the power variable's terms...
    EXPECT_EQ(deleted, added); // ...and deleted every one of them
    EXPECT_EQ(Power.GetItems()->GetCount(), terms);
    EXPECT_EQ(Power.GetItemIndex(), current);
    for (const TFuzzyVariable* variable : *Heater.GetLogic()->GetItems())
        EXPECT_EQ(variable->GetItems()->GetCount(), variable == &Power ? terms : 3);
}

TEST_F(HeaterInference, RejectsInputsThatAreNotFinite) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    EXPECT_RAISES((void)Heater.Evaluate(nan, 0), EArgumentOutOfRangeException,
                  "Heater inputs must be finite numbers (error NAN, rate 0.0000)");
    EXPECT_THROW((void)Heater.Evaluate(1, -infinity), EArgumentOutOfRangeException);
    EXPECT_EQ(Heater.Evaluate(1, -0.5), THeaterController(THeaterController::ReadDefinitionFile(
                                                              FUZZY_EXAMPLES_DIR "/heater.fuzzy"))
                                            .Evaluate(1, -0.5)); // still usable
}

} // namespace
} // namespace fuzzy::test
