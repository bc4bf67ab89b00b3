#pragma once
// The tolerance and the small numeric functions that the membership-function algorithms
// share.

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/Math.hpp"

namespace fuzzy {

/// The one tolerance of every tolerant comparison of X and Y values.
inline constexpr TFzyFloat FuzzyEpsilon = 0.0001;

/// True when A and B differ by no more than FuzzyEpsilon (both bounds inclusive).
constexpr bool FloatEquals(TFzyFloat A, TFzyFloat B) {
    return FloatEquals(A, B, FuzzyEpsilon);
}

/// 1 for X > 0, -1 for X < 0, 0 otherwise.
constexpr int Sign(TFzyFloat X) {
    return X > 0 ? 1 : (X < 0 ? -1 : 0);
}

/// The height at XValue of the line through (X1, Y1) and (X2, Y2); Y2 when the line is
/// vertical (X2 equal to X1 exactly).
constexpr TFzyFloat InterpolateY(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                 TFzyFloat XValue) {
    if (X2 == X1)
        return Y2;
    return Y1 + (XValue - X1) / (X2 - X1) * (Y2 - Y1);
}

/// The X at which the line through (X1, Y1) and (X2, Y2) reaches YValue; X2 when the line
/// is horizontal (Y2 equal to Y1 exactly).
constexpr TFzyFloat InterpolateX(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                 TFzyFloat YValue) {
    if (Y2 == Y1)
        return X2;
    return X1 + (YValue - Y1) / (Y2 - Y1) * (X2 - X1);
}

} // namespace fuzzy
