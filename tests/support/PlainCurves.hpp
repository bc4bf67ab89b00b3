#pragma once
// Piecewise-linear curves worked out plainly, as the reference the property tests compare
// the library's answers with: membership, the pointwise maximum of several curves and its
// exact centre of gravity.

#include <algorithm>
#include <utility>
#include <vector>

#include "FuzzyController/FuzzyControllerPlan.hpp"

namespace fuzzy::test {

/// A piecewise-linear curve as plain (X, Y) pairs in ascending X, flat beyond its ends.
using TCurve = std::vector<std::pair<double, double>>;

inline double XOf(const std::pair<double, double>& Point) {
    return Point.first;
}
inline double YOf(const std::pair<double, double>& Point) {
    return Point.second;
}
inline double XOf(const controller::TPoint& Point) {
    return Point.X;
}
inline double YOf(const controller::TPoint& Point) {
    return Point.Y;
}

/// The curve at X (a TCurve or a plan's points); on a vertical line, its highest point.
template <class Points>
double PlainAt(const Points& Curve, double X) {
    if (X < XOf(Curve.front()))
        return YOf(Curve.front());
    if (X > XOf(Curve.back()))
        return YOf(Curve.back());
    double onLine = -1;
    for (std::size_t k = 0; k < Curve.size(); ++k) {
        if (XOf(Curve[k]) == X)
            onLine = std::max(onLine, YOf(Curve[k]));
        else if (onLine < 0 && XOf(Curve[k]) > X) {
            const double x0 = XOf(Curve[k - 1]);
            const double y0 = YOf(Curve[k - 1]);
            return y0 + (YOf(Curve[k]) - y0) * (X - x0) / (XOf(Curve[k]) - x0);
        }
    }
    return onLine;
}

/// The curve just beside X: just right of it (Right) or just left, where a vertical line
/// at X gives its last or its first point.
inline double PlainBeside(const TCurve& Curve, double X, bool Right) {
    double beside = -1;
    for (const auto& [x, y] : Curve)
        if (x == X && (Right || beside < 0))
            beside = y;
    return beside >= 0 ? beside : PlainAt(Curve, X);
}

/// The pointwise maximum of Curves at X (0 for no curve).
inline double EnvelopeAt(const std::vector<TCurve>& Curves, double X) {
    double highest = 0;
    for (const TCurve& curve : Curves)
        highest = std::max(highest, PlainAt(curve, X));
    return highest;
}

/// The exact centre of gravity of the pointwise maximum of Curves over [From, To]. Between
/// two neighbouring breakpoints every curve is a straight line, so the maximum changes
/// line only where two lines cross; those crossings split the piece further.
inline double PlainCenterOfGravity(const std::vector<TCurve>& Curves, double From, double To) {
    std::vector<double> xs{From, To};
    for (const TCurve& curve : Curves)
        for (const auto& point : curve)
            xs.push_back(point.first);
    std::sort(xs.begin(), xs.end());
    double area = 0;
    double moment = 0;
    for (std::size_t k = 1; k < xs.size(); ++k) {
        const double x0 = xs[k - 1];
        const double x1 = xs[k];
        if (!(x0 < x1))
            continue;
        // Each curve's line on (x0, x1): its values just right of x0 and just left of x1.
        std::vector<std::pair<double, double>> lines;
        for (const TCurve& curve : Curves)
            lines.emplace_back(PlainBeside(curve, x0, true), PlainBeside(curve, x1, false));
        std::vector<double> ts{0, 1};
        for (std::size_t p = 0; p < lines.size(); ++p)
            for (std::size_t q = p + 1; q < lines.size(); ++q) {
                const double left = lines[p].first - lines[q].first;
                const double right = lines[p].second - lines[q].second;
                if ((left < 0 && right > 0) || (left > 0 && right < 0))
                    ts.push_back(left / (left - right));
            }
        std::sort(ts.begin(), ts.end());
        auto highest = [&](double t) {
            double y = 0;
            for (const auto& [a, b] : lines)
                y = std::max(y, a + (b - a) * t);
            return y;
        };
        for (std::size_t m = 1; m < ts.size(); ++m) {
            const double u0 = x0 + (x1 - x0) * ts[m - 1];
            const double u1 = x0 + (x1 - x0) * ts[m];
            const double f0 = highest(ts[m - 1]);
            const double f1 = highest(ts[m]);
            area += (f0 + f1) / 2 * (u1 - u0);
            moment += (u1 - u0) * (u0 * (2 * f0 + f1) + u1 * (f0 + 2 * f1)) / 6;
        }
    }
    return moment / area;
}

/// The curve a rule gives: Consequent with every point above Strength lowered to it
/// (correlation by the minimum; the curve between them stays straight).
inline TCurve PlainClipped(TCurve Consequent, double Strength) {
    for (auto& point : Consequent)
        point.second = std::min(point.second, Strength);
    return Consequent;
}

} // namespace fuzzy::test
