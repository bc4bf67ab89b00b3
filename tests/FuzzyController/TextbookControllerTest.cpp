// The compiled controller in the textbook semantics against a plain reference: each rule's
// strength is the membership of its premises at the inputs, the solution is the maximum of
// the terms clipped at (or scaled by) the strengths, evaluated anywhere, and its centre of
// gravity is integrated by bisecting each piece until the function is straight on it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "support/RandomRuleBase.hpp"

namespace fuzzy::test {
namespace {

using controller::TCompiledController;
using controller::TControllerScratch;
using controller::TPlan;
using controller::TPoint;
using controller::TSemantics;

// The curve at X, flat beyond its ends; on a vertical line, its highest point.
double PlainAt(const std::vector<TPoint>& Curve, double X) {
    if (X <= Curve.front().X || X >= Curve.back().X) {
        double y = -1;
        for (const TPoint& point : Curve)
            if (point.X == X)
                y = std::max(y, point.Y);
        return y >= 0 ? y : (X < Curve.front().X ? Curve.front().Y : Curve.back().Y);
    }
    double onLine = -1;
    for (std::size_t k = 0; k < Curve.size(); ++k) {
        if (Curve[k].X == X)
            onLine = std::max(onLine, Curve[k].Y);
        else if (onLine < 0 && Curve[k].X > X)
            return Curve[k - 1].Y + (Curve[k].Y - Curve[k - 1].Y) * (X - Curve[k - 1].X) /
                                        (Curve[k].X - Curve[k - 1].X);
    }
    return onLine;
}

struct TFiredTerm {
    const std::vector<TPoint>* Term;
    double Strength;
};

class TReference {
public:
    TReference(const TPlan& Plan, const std::vector<double>& Inputs, std::size_t Output) {
        for (const controller::TPlanRule& rule : Plan.Rules) {
            double strength = 0;
            for (std::size_t p = 0; p < rule.Premises.size(); ++p) {
                const controller::TPlanPremise& premise = rule.Premises[p];
                const controller::TPlanInput& input = Plan.Inputs[premise.Input];
                const double x = std::clamp(Inputs[premise.Input], input.Minimum, input.Maximum);
                const double next = PlainAt(Plan.PremiseTerms[premise.Term], x);
                strength = p == 0 ? next
                           : rule.Connective == controller::TPlanConnective::pcAnd
                               ? degrees::Intersect(rule.Family, strength, next)
                               : degrees::Unite(rule.Family, strength, next);
            }
            strength *= rule.Weight;
            for (const controller::TPlanConclusion& conclusion : rule.Conclusions)
                if (conclusion.Output == Output && strength >= Plan.Outputs[Output].Threshold)
                    FFired.push_back({&conclusion.Term, strength});
        }
        FProduct = Plan.CorrelationMethod == TFuzzyCorrelationMethod::fcmProduct;
    }

    bool Fired() const { return !FFired.empty(); }

    double At(double X) const {
        double highest = 0;
        for (const TFiredTerm& fired : FFired) {
            const double y = PlainAt(*fired.Term, X);
            highest =
                std::max(highest, FProduct ? y * fired.Strength : std::min(y, fired.Strength));
        }
        return highest;
    }

    double CenterOfGravity(double From, double To) const {
        double area = 0;
        double moment = 0;
        constexpr int Pieces = 64;
        for (int k = 0; k < Pieces; ++k)
            Integrate(From + (To - From) * k / Pieces, From + (To - From) * (k + 1) / Pieces, 0,
                      area, moment);
        return moment / area;
    }

private:
    // Straight on [A, B] when the quarter points lie on the chord; else split.
    void Integrate(double A, double B, int Depth, double& Area, double& Moment) const {
        const double fa = At(A);
        const double fb = At(B);
        bool straight = true;
        for (double t : {0.25, 0.5, 0.75})
            straight = straight && std::fabs(At(A + (B - A) * t) - (fa + (fb - fa) * t)) < 1e-15;
        if (straight || Depth > 60) {
            Area += (B - A) * (fa + fb) / 2;
            Moment += (B - A) * (A * (2 * fa + fb) + B * (fa + 2 * fb)) / 6;
            return;
        }
        const double middle = (A + B) / 2;
        Integrate(A, middle, Depth + 1, Area, Moment);
        Integrate(middle, B, Depth + 1, Area, Moment);
    }

    std::vector<TFiredTerm> FFired;
    bool FProduct = false;
};

TEST(TextbookController, RandomRuleBasesAreTheExactMaximumAndCentreOfGravity) {
    std::mt19937 random(23);
    std::uniform_real_distribution<double> unit(0, 1);
    int compared = 0;
    for (int c = 0; c < 120; ++c) {
        const TRandomRuleBase rules(random, true);
        const TPlan plan = rules.Plan();
        const TCompiledController compiled =
            TCompiledController::Compile(plan, TSemantics::smTextbook);
        TControllerScratch scratch;
        for (int pass = 0; pass < 4; ++pass) {
            std::vector<double> inputs;
            for (const controller::TPlanInput& input : plan.Inputs)
                inputs.push_back(input.Minimum +
                                 (input.Maximum - input.Minimum) * (1.2 * unit(random) - 0.1));
            compiled.Evaluate(inputs, scratch);
            for (std::size_t o = 0; o < plan.Outputs.size(); ++o) {
                const TReference reference(plan, inputs, o);
                const controller::TOutputResult result = scratch.GetResults()[o];
                ASSERT_EQ(result.Fired, reference.Fired()) << "controller " << c;
                if (!result.Fired)
                    continue;
                const controller::TPlanOutput& output = plan.Outputs[o];
                const double width = output.Maximum - output.Minimum;
                // The solution's points lie on the maximum (at a jump, on one side of it).
                for (const TPoint& point : scratch.GetSolution(o)) {
                    double nearest = 1;
                    for (double side : {-1e-10, 0.0, 1e-10})
                        nearest = std::min(
                            nearest, std::fabs(point.Y - reference.At(point.X + side * width)));
                    ASSERT_LT(nearest, 1e-9) << "controller " << c << " at " << point.X;
                }
                ASSERT_NEAR(result.Value, reference.CenterOfGravity(output.Minimum, output.Maximum),
                            1e-9 * width)
                    << "controller " << c << " pass " << pass;
                ++compared;
            }
        }
    }
    EXPECT_GT(compared, 200);
}

TEST(TextbookController, MeanOfMaximaIsTheMiddleOfTheHighestPlateau) {
    TPlan plan;
    plan.Inputs = {{"in", 0, 10}};
    plan.Outputs = {{"out", 0, 100, 0.01}};
    plan.DefuzzificationMethod = TDefuzzificationMethod::dmMeanOfMaxima;
    plan.PremiseTerms = {{{0, 1}, {10, 0}}, {{0, 0}, {10, 1}}};
    // Strengths 0.7 and 0.3 at input 3: the first term's plateau at 0.7 runs from 20 + 7 =
    // 27 to 60 - 14 = 46 (clipped triangle 20-30-60).
    plan.Rules = {{{{0, 0}},
                   controller::TPlanConnective::pcAnd,
                   TFuzzyOperation::foZadeh,
                   1,
                   {{0, {{20, 0}, {30, 1}, {60, 0}}}}},
                  {{{0, 1}},
                   controller::TPlanConnective::pcAnd,
                   TFuzzyOperation::foZadeh,
                   1,
                   {{0, {{50, 0}, {80, 1}, {90, 0}}}}}};
    const TCompiledController compiled = TCompiledController::Compile(plan, TSemantics::smTextbook);
    TControllerScratch scratch;
    compiled.Evaluate(std::vector{3.0}, scratch);
    EXPECT_NEAR(scratch.GetResults()[0].Value, (27 + 39) / 2.0, 1e-12);
}

} // namespace
} // namespace fuzzy::test
