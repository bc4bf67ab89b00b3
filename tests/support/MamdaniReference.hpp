#pragma once
// A plain reference of textbook Mamdani inference for checking controllers against: the
// membership of a piecewise-linear curve at any X by interpolation, and an output's solution
// (each fired conclusion clipped at or scaled by its rule's strength, merged by the maximum
// or a sum) with its centre of gravity integrated piece by piece until the solution is
// straight on every piece. It shares nothing with the library's set algorithms.

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyController/FuzzyControllerPlan.hpp"
#include "support/PlainCurves.hpp"

namespace fuzzy::test {

/// A conclusion that fired: its term's membership anywhere, and its rule's strength.
struct TFiredConclusion {
    std::function<double(double)> Membership;
    double Strength;
};

/// One output's solution from the conclusions that fired on it.
class TReferenceSolution {
public:
    /// Scaled: the product implication (else the minimum); Aggregation merges the
    /// conclusions: the maximum, the algebraic, bounded or plain sum.
    TReferenceSolution(std::vector<TFiredConclusion> Fired, bool Scaled,
                       TFuzzyInferenceMethod Aggregation = TFuzzyInferenceMethod::fimMinMax)
        : FFired(std::move(Fired)), FScaled(Scaled), FAggregation(Aggregation) {}

    bool Fired() const { return !FFired.empty(); }

    double At(double X) const {
        double merged = 0;
        for (const TFiredConclusion& fired : FFired) {
            const double y = fired.Membership(X);
            const double implied = FScaled ? y * fired.Strength : std::min(y, fired.Strength);
            switch (FAggregation) {
            case TFuzzyInferenceMethod::fimProduct:
                merged = merged + implied - merged * implied;
                break;
            case TFuzzyInferenceMethod::fimBoundedSum:
                merged = std::min(1.0, merged + implied);
                break;
            case TFuzzyInferenceMethod::fimAdditive:
                merged += implied;
                break;
            default:
                merged = std::max(merged, implied);
            }
        }
        return merged;
    }

    /// The centre of gravity over [From, To]. A piece counts as straight when its quarter
    /// points lie within Straightness of its chord: 1e-15 makes the integral exact for a
    /// piecewise-linear solution; a curved one needs a looser value to end.
    double CenterOfGravity(double From, double To, double Straightness = 1e-15) const {
        double area = 0;
        double moment = 0;
        constexpr int Pieces = 64;
        for (int k = 0; k < Pieces; ++k)
            Integrate(From + (To - From) * k / Pieces, From + (To - From) * (k + 1) / Pieces, 0,
                      Straightness, area, moment);
        return moment / area;
    }

private:
    void Integrate(double A, double B, int Depth, double Straightness, double& Area,
                   double& Moment) const {
        const double fa = At(A);
        const double fb = At(B);
        bool straight = true;
        for (double t : {0.25, 0.5, 0.75})
            straight =
                straight && std::fabs(At(A + (B - A) * t) - (fa + (fb - fa) * t)) < Straightness;
        if (straight || Depth > 60) {
            Area += (B - A) * (fa + fb) / 2;
            Moment += (B - A) * (A * (2 * fa + fb) + B * (fa + 2 * fb)) / 6;
            return;
        }
        const double middle = (A + B) / 2;
        Integrate(A, middle, Depth + 1, Straightness, Area, Moment);
        Integrate(middle, B, Depth + 1, Straightness, Area, Moment);
    }

    std::vector<TFiredConclusion> FFired;
    bool FScaled;
    TFuzzyInferenceMethod FAggregation;
};

} // namespace fuzzy::test
