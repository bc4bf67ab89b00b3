// The heater controller's rule passes checked against the same rules worked out plainly:
// each rule's strength is the least membership of its premises at the crisp inputs,
// correlation by the minimum lowers the consequent's points that lie above the strength,
// the solution is the exact pointwise maximum of the fired rules' curves, and its centre
// of gravity is integrated exactly, piece by piece.

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/PlainCurves.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

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
                fired.push_back(PlainClipped(PointsOf(*rule.Power->GetValues()), strength));
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
