// Rule passes checked against the same rules worked out plainly: each rule's strength is
// the least membership of its premises at the crisp inputs, correlation by the minimum
// lowers the consequent's points that lie above the strength, the solution is the exact
// pointwise maximum of the fired rules' curves, and its centre of gravity is integrated
// exactly, piece by piece. First on random controllers through AssertRule, then on the
// heater controller of the examples.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/PlainCurves.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"
#include "support/RandomVariables.hpp"

namespace fuzzy::test {
namespace {

struct TRule {
    std::vector<const TFuzzySet*> Premises; // one term of each input
    const TFuzzySet* Consequent;
};

const TFuzzySet* PickTerm(std::mt19937& Random, const TFuzzyVariable& Variable) {
    std::uniform_int_distribution<int> term(0, Variable.GetItems()->GetCount() - 1);
    return Variable.GetItems()->GetItem(term(Random));
}

/// A random controller: 1 to 3 inputs and one output, each with 2 to 7 terms that cover
/// only part of their variable's range, and 2 to 9 rules.
struct TRandomController {
    explicit TRandomController(std::mt19937& Random) {
        Logic->SetAutoTerms(false); // only the random terms
        for (int v = std::uniform_int_distribution<int>(1, 3)(Random); v > 0; --v)
            Inputs.push_back(AddRandomVariable(Random, *Logic, "in" + std::to_string(v)));
        Output = AddRandomVariable(Random, *Logic, "out");
        for (int r = std::uniform_int_distribution<int>(2, 9)(Random); r > 0; --r) {
            TRule rule{{}, PickTerm(Random, *Output)};
            for (const TFuzzyVariable* input : Inputs)
                rule.Premises.push_back(PickTerm(Random, *input));
            Rules.push_back(std::move(rule));
        }
    }

    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};
    std::vector<TFuzzyVariable*> Inputs;
    TFuzzyVariable* Output = nullptr;
    std::vector<TRule> Rules;
};

TEST(RulePassProperty, AssertRuleAgreesWithThePlainEvaluation) {
    constexpr int Controllers = 1500;
    constexpr int PassesEach = 3;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> unit(0, 1);
    int passes = 0;
    int withinTolerance = 0; // passes whose answer differs, by less than the tolerance
    for (int c = 0; c < Controllers; ++c) {
        TRandomController controller(random);
        TFuzzyVariable& output = *controller.Output;
        const double from = output.GetMinimum();
        const double width = output.GetMaximum() - from;
        for (int pass = 0; pass < PassesEach; ++pass, ++passes) {
            // Crisp inputs, now and then beyond the range.
            std::vector<std::unique_ptr<TFuzzySet>> facts;
            std::vector<const TFuzzySet*> matchings;
            std::vector<double> inputs;
            for (const TFuzzyVariable* input : controller.Inputs) {
                const double span = input->GetMaximum() - input->GetMinimum();
                inputs.push_back(input->GetMinimum() + span * (1.2 * unit(random) - 0.1));
                facts.emplace_back(TFuzzySet::Create(nullptr));
                facts.back()->CreateCrispValue(inputs.back());
                matchings.push_back(facts.back().get());
            }
            std::unique_ptr<TFuzzySet> solution;
            std::vector<TCurve> curves;
            for (const TRule& rule : controller.Rules) {
                if (TFuzzySet* next = output.AssertRule(rule.Premises, matchings, rule.Consequent,
                                                        solution.get()))
                    solution.reset(next);
                double strength = 1;
                for (std::size_t p = 0; p < rule.Premises.size(); ++p)
                    strength = std::min(strength, rule.Premises[p]->DegreeOfMembership(inputs[p]));
                if (strength >= output.GetThreshold())
                    curves.push_back(
                        PlainClipped(PointsOf(*rule.Consequent->GetValues()), strength));
            }
            ASSERT_EQ(solution != nullptr, !curves.empty()) << "controller " << c;
            if (curves.empty())
                continue;
            // Over the range and a little beyond, and on both sides of every breakpoint.
            std::vector<double> xs;
            for (int s = 0; s <= 200; ++s)
                xs.push_back(from + width * (1.1 * s / 200 - 0.05));
            for (const TCurve& curve : curves)
                for (const auto& point : curve)
                    for (double offset : {-1e-7, 1e-7})
                        xs.push_back(point.first + offset);
            double deviation = 0;
            for (double x : xs)
                deviation = std::max(
                    deviation, std::fabs(solution->DegreeOfMembership(x) - EnvelopeAt(curves, x)));
            const double plainCenter = PlainCenterOfGravity(curves, from, from + width);
            // A solution whose points share one X (a step, flat beyond) defuzzifies to the
            // middle of the range by rule, whatever area lies beside its line.
            const TFuzzySetValues& points = *solution->GetValues();
            const bool oneX = FloatEquals(points[0]->GetX(), points[points.GetCount() - 1]->GetX());
            if (std::isfinite(plainCenter) && !oneX)
                deviation = std::max(deviation,
                                     std::fabs(solution->CenterOfGravity() - plainCenter) / width);
            if (deviation > 1e-9) {
                ++withinTolerance;
                EXPECT_LT(deviation, 1e-4) << "controller " << c << ", pass " << pass;
            }
        }
    }
    std::cout << "[ figures  ] " << Controllers << " controllers, " << passes << " passes; "
              << withinTolerance << " passes differing within the tolerance\n";
    EXPECT_LE(withinTolerance, passes / 100);
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
                fired.push_back(PlainClipped(PointsOf(*rule.Power->GetValues()), strength));
        }
        if (fired.empty())
            return std::nullopt;
        return PlainCenterOfGravity(fired, Power.GetMinimum(), Power.GetMaximum());
    }

    void ExpectPlainPower(double Error, double Rate) {
        SCOPED_TRACE(testing::Message() << "error " << Error << ", rate " << Rate);
        const std::optional<double> expected = PlainPower(Error, Rate);
        const std::optional<double> actual = Heater.Evaluate(Error, Rate);
        ASSERT_EQ(actual.has_value(), expected.has_value());
        if (expected) {
            EXPECT_NEAR(*actual, *expected, 1e-9 * (Power.GetMaximum() - Power.GetMinimum()));
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
