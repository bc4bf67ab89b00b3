#pragma once
// Union, intersection and correlation of curves as a set's list stores their results, and
// the defuzzification of a curve.

#include <cmath>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/kernels/FuzzyCleanup.hpp"
#include "FuzzyLogic/kernels/FuzzyWalk.hpp"

namespace fuzzy::kernels {

/// The union family by which a solution accumulates new evidence under the inference
/// method.
inline TFuzzyOperation InferenceOperation(TFuzzyInferenceMethod Method) {
    switch (Method) {
    case TFuzzyInferenceMethod::fimAdditive:
        return TFuzzyOperation::foSum;
    case TFuzzyInferenceMethod::fimMean:
        return TFuzzyOperation::foMean;
    case TFuzzyInferenceMethod::fimProduct:
        return TFuzzyOperation::foProduct;
    case TFuzzyInferenceMethod::fimBoundedSum:
        return TFuzzyOperation::foBoundedSum;
    default: // fimMinMax and anything unknown
        return TFuzzyOperation::foZadeh;
    }
}

/// The combination of two curves by Formula at every event of the walk, as a result set on
/// Axis stores it: Result is cleared and takes the cleaned points.
template <class Combine>
void CombineCurves(const TCurve& First, const TCurve& Second, Combine&& Formula, const TAxis& Axis,
                   std::vector<TPoint>& Result, TCleanupBuffers& Buffers) {
    TPointAppender appender(Result, Axis);
    Walk(First, Second, [&](TFzyFloat X1, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
        appender.Append(X1, Formula(Y1, Y2));
        return false;
    });
    if (!First.Points.empty() && !Second.Points.empty())
        SimplifyResult(Result, appender.Sorted(), Buffers);
    else
        FinishBracket(Result, appender.Sorted(), Buffers);
}

/// A degree after correlation with Strength: lowered to the strength (fcmMinimum, only
/// where it is higher) or scaled by it (fcmProduct).
inline TFzyFloat CorrelatedY(TFuzzyCorrelationMethod Method, TFzyFloat Y, TFzyFloat Strength) {
    if (Method == TFuzzyCorrelationMethod::fcmProduct)
        return Y * Strength;
    return Y > Strength ? Strength : Y;
}

/// Correlates the points in place as a set's list does: each Y changed by CorrelatedY and
/// stored by StoredY, then the list's clean-up.
inline void CorrelatePoints(std::vector<TPoint>& Points, TFuzzyCorrelationMethod Method,
                            TFzyFloat Strength, TCleanupBuffers& Buffers) {
    for (TPoint& point : Points) {
        const TFzyFloat y = CorrelatedY(Method, point.Y, Strength);
        if (y != point.Y)
            point.Y = StoredY(y);
    }
    FinishBracket(Points, true, Buffers);
}

/// The X of the centroid of the area under the curve, exact piece by piece, the curve
/// running flat from its ends to the axis bounds; the middle of the axis for a curve of
/// one X, 0 for no points or no area.
TFzyFloat CenterOfGravity(TPoints Points, const TAxis& Axis);

/// The mean X of the highest points themselves (not over the extent of a plateau); 0 for
/// no points.
TFzyFloat MeanOfMaxima(TPoints Points);

inline TFzyFloat Defuzzify(TDefuzzificationMethod Method, TPoints Points, const TAxis& Axis) {
    return Method == TDefuzzificationMethod::dmMeanOfMaxima ? MeanOfMaxima(Points)
                                                            : CenterOfGravity(Points, Axis);
}

} // namespace fuzzy::kernels
