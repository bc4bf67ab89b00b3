// The shapes of the interchange formats: their names, their formulas, the checks of their
// parameters and the exact points of the piecewise-linear ones.

#include "FuzzyInterchange/TermShapes.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"
#include "FuzzyInterchange/detail/TermPolyline.hpp"

namespace fuzzy {

namespace {

using enum TTermShape;

constexpr std::array<TTermShapeInfo, 17> ShapeTable{{
    {tsTriangle, "Triangle", 3, true},
    {tsTrapezoid, "Trapezoid", 4, true},
    {tsRectangle, "Rectangle", 2, true},
    {tsRamp, "Ramp", 2, true},
    {tsDiscrete, "Discrete", 0, true},
    {tsGaussian, "Gaussian", 2, false},
    {tsGaussianProduct, "GaussianProduct", 4, false},
    {tsBell, "Bell", 3, false},
    {tsSigmoid, "Sigmoid", 2, false},
    {tsSigmoidDifference, "SigmoidDifference", 4, false},
    {tsSigmoidProduct, "SigmoidProduct", 4, false},
    {tsCosine, "Cosine", 2, false},
    {tsPiShape, "PiShape", 4, false},
    {tsSShape, "SShape", 2, false},
    {tsZShape, "ZShape", 2, false},
    {tsConcave, "Concave", 2, false},
    {tsSpike, "Spike", 2, false},
}};

TFzyFloat Logistic(TFzyFloat X, TFzyFloat Inflection, TFzyFloat Slope) {
    return 1 / (1 + std::exp(-Slope * (X - Inflection)));
}

TFzyFloat GaussianCurve(TFzyFloat X, TFzyFloat Mean, TFzyFloat Width) {
    const TFzyFloat z = (X - Mean) / Width;
    return std::exp(-z * z / 2);
}

/// Rises from 0 at Start to 1 at End in two parabolas meeting halfway.
TFzyFloat SCurve(TFzyFloat X, TFzyFloat Start, TFzyFloat End) {
    if (X <= Start)
        return 0;
    if (X >= End)
        return 1;
    if (X <= Start / 2 + End / 2) {
        const TFzyFloat t = (X - Start) / (End - Start);
        return 2 * t * t;
    }
    const TFzyFloat t = (X - End) / (End - Start);
    return 1 - 2 * t * t;
}

TFzyFloat Concave(TFzyFloat X, TFzyFloat Inflection, TFzyFloat End) {
    if (Inflection <= End)
        return X < End ? (End - Inflection) / (2 * End - Inflection - X) : 1;
    return X > End ? (Inflection - End) / (Inflection - 2 * End + X) : 1;
}

/// Adds (X, Y) unless it repeats the last point.
void Append(std::vector<TDescribedPoint>& Points, TFzyFloat X, TFzyFloat Y) {
    if (Points.empty() || Points.back() != TDescribedPoint{X, Y})
        Points.push_back({X, Y});
}

void Require(bool Condition, TTermShape Shape, int Line) {
    if (!Condition)
        throw EFzyInterchangeException(Line, SIcInvalidShapeParameters,
                                       std::string(GetTermShapeInfo(Shape).Name));
}

void CheckParameters(TTermShape Shape, std::span<const TFzyFloat> P, int Line) {
    const TTermShapeInfo& info = GetTermShapeInfo(Shape);
    const bool pairs = info.ParameterCount == 0;
    if (pairs ? P.empty() || P.size() % 2 != 0
              : P.size() != static_cast<std::size_t>(info.ParameterCount))
        throw EFzyInterchangeException(Line, pairs ? SIcPointPairsExpected : SIcParameterCount,
                                       std::string(info.Name), info.ParameterCount,
                                       static_cast<int>(P.size()));
    switch (Shape) {
    case tsTriangle:
        Require(P[0] <= P[1] && P[1] <= P[2] && P[0] < P[2], Shape, Line);
        break;
    case tsTrapezoid:
    case tsPiShape:
        Require(P[0] <= P[1] && P[1] <= P[2] && P[2] <= P[3] && P[0] < P[3], Shape, Line);
        Require(Shape == tsTrapezoid || (P[0] < P[1] && P[2] < P[3]), Shape, Line);
        break;
    case tsRectangle:
    case tsSShape:
    case tsZShape:
        Require(P[0] < P[1], Shape, Line);
        break;
    case tsRamp:
    case tsConcave:
        Require(P[0] != P[1], Shape, Line);
        break;
    case tsDiscrete:
        for (std::size_t i = 0; i < P.size(); i += 2)
            Require(i == 0 || P[i - 2] <= P[i], Shape, Line);
        break;
    case tsGaussian:
    case tsCosine:
    case tsSpike:
        Require(P[1] > 0, Shape, Line);
        break;
    case tsGaussianProduct:
        Require(P[1] > 0 && P[3] > 0, Shape, Line);
        break;
    case tsBell:
        Require(P[1] > 0 && P[2] > 0, Shape, Line);
        break;
    default: // the sigmoids take any finite numbers
        break;
    }
}

/// The exact points of a piecewise-linear shape whose parameters were checked. A corner
/// that coincides with a foot is a vertical edge: its foot stays, so the degree is 0 on
/// the far side, as the shape says.
std::vector<TDescribedPoint> ExactPoints(TTermShape Shape, std::span<const TFzyFloat> P) {
    std::vector<TDescribedPoint> points;
    switch (Shape) {
    case tsTriangle:
        Append(points, P[0], 0);
        Append(points, P[1], 1);
        Append(points, P[2], 0);
        break;
    case tsTrapezoid:
        Append(points, P[0], 0);
        Append(points, P[1], 1);
        Append(points, P[2], 1);
        Append(points, P[3], 0);
        break;
    case tsRectangle:
        Append(points, P[0], 0);
        Append(points, P[0], 1);
        Append(points, P[1], 1);
        Append(points, P[1], 0);
        break;
    case tsRamp:
        Append(points, std::min(P[0], P[1]), P[0] < P[1] ? 0 : 1);
        Append(points, std::max(P[0], P[1]), P[0] < P[1] ? 1 : 0);
        break;
    default: // tsDiscrete
        for (std::size_t i = 0; i < P.size(); i += 2)
            Append(points, P[i], P[i + 1]);
        break;
    }
    return points;
}

TFzyFloat Degree(TTermShape Shape, std::span<const TFzyFloat> P, TFzyFloat X) {
    switch (Shape) {
    case tsGaussian:
        return GaussianCurve(X, P[0], P[1]);
    case tsGaussianProduct:
        return (X < P[0] ? GaussianCurve(X, P[0], P[1]) : 1) *
               (X > P[2] ? GaussianCurve(X, P[2], P[3]) : 1);
    case tsBell:
        return 1 / (1 + std::pow(std::abs((X - P[0]) / P[1]), 2 * P[2]));
    case tsSigmoid:
        return Logistic(X, P[0], P[1]);
    case tsSigmoidDifference:
        return std::abs(Logistic(X, P[0], P[1]) - Logistic(X, P[3], P[2]));
    case tsSigmoidProduct:
        return Logistic(X, P[0], P[1]) * Logistic(X, P[3], P[2]);
    case tsCosine:
        if (X < P[0] - P[1] / 2 || X > P[0] + P[1] / 2)
            return 0;
        return 0.5 * (1 + std::cos(2 / P[1] * std::numbers::pi * (X - P[0])));
    case tsPiShape:
        return X <= P[1] ? SCurve(X, P[0], P[1]) : 1 - SCurve(X, P[2], P[3]);
    case tsSShape:
        return SCurve(X, P[0], P[1]);
    case tsZShape:
        return 1 - SCurve(X, P[0], P[1]);
    case tsConcave:
        return Concave(X, P[0], P[1]);
    case tsSpike:
        return std::exp(-std::abs(10 / P[1] * (X - P[0])));
    default: {
        const std::vector<TDescribedPoint> points = ExactPoints(Shape, P);
        return PolylineMembership(points, X);
    }
    }
}

/// The X values where a curve peaks, bends or turns, so that following it starts from them
/// and never steps over a narrow peak.
std::vector<TFzyFloat> CurveFeatures(TTermShape Shape, std::span<const TFzyFloat> P) {
    switch (Shape) {
    case tsGaussian:
        return {P[0] - 3 * P[1], P[0] - P[1], P[0], P[0] + P[1], P[0] + 3 * P[1]};
    case tsGaussianProduct:
        return {P[0] - P[1], P[0], P[2], P[2] + P[3]};
    case tsBell:
    case tsCosine:
        return {P[0] - P[1], P[0] - P[1] / 2, P[0], P[0] + P[1] / 2, P[0] + P[1]};
    case tsSigmoid:
    case tsSpike:
        return {P[0]};
    case tsSigmoidDifference:
    case tsSigmoidProduct:
        return {P[0], P[3]};
    case tsPiShape:
        return {P[0], P[0] / 2 + P[1] / 2, P[1], P[2], P[2] / 2 + P[3] / 2, P[3]};
    case tsSShape:
    case tsZShape:
        return {P[0], P[0] / 2 + P[1] / 2, P[1]};
    default: // tsConcave
        return {P[0], P[1]};
    }
}

} // namespace

const TTermShapeInfo& GetTermShapeInfo(TTermShape Shape) {
    return ShapeTable.at(static_cast<std::size_t>(Shape));
}

const TTermShapeInfo* FindTermShape(std::string_view Name) {
    const auto found = std::find_if(ShapeTable.begin(), ShapeTable.end(),
                                    [&](const TTermShapeInfo& info) { return info.Name == Name; });
    return found == ShapeTable.end() ? nullptr : &*found;
}

TFzyFloat ShapeMembership(TTermShape Shape, std::span<const TFzyFloat> Parameters, TFzyFloat X) {
    CheckParameters(Shape, Parameters, 0);
    return Degree(Shape, Parameters, X);
}

std::vector<TDescribedPoint> ShapePoints(TTermShape Shape, std::span<const TFzyFloat> Parameters,
                                         TFzyFloat Minimum, TFzyFloat Maximum, int Line) {
    CheckParameters(Shape, Parameters, Line);
    if (GetTermShapeInfo(Shape).PiecewiseLinear)
        return ExactPoints(Shape, Parameters);
    const std::string name(GetTermShapeInfo(Shape).Name);
    return interchange::FollowCurve([&](TFzyFloat X) { return Degree(Shape, Parameters, X); },
                                    CurveFeatures(Shape, Parameters), Minimum, Maximum, name, Line);
}

} // namespace fuzzy
