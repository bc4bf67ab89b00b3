#pragma once
// The formulas of the operation families on two degrees of membership. Unions and
// intersections of sets apply them at every event of the walk; a rule's connective applies
// them to the strengths of its premises, so both read the same words the same way.

#include <algorithm>
#include <cmath>

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy::degrees {

inline TFzyFloat Min(TFzyFloat A, TFzyFloat B) {
    return std::min(A, B);
}
inline TFzyFloat Max(TFzyFloat A, TFzyFloat B) {
    return std::max(A, B);
}
inline TFzyFloat Mean(TFzyFloat A, TFzyFloat B) {
    return (A + B) / 2;
}
inline TFzyFloat MeanSqr(TFzyFloat A, TFzyFloat B) {
    return std::pow((A + B) / 2, 2);
}
inline TFzyFloat MeanSqrt(TFzyFloat A, TFzyFloat B) {
    return std::sqrt((A + B) / 2);
}
/// The union's mean leans towards the larger degree.
inline TFzyFloat UnionMean(TFzyFloat A, TFzyFloat B) {
    return (2 * std::min(A, B) + 4 * std::max(A, B)) / 6;
}
inline TFzyFloat IntersectionProduct(TFzyFloat A, TFzyFloat B) {
    return A * B;
}
inline TFzyFloat UnionProduct(TFzyFloat A, TFzyFloat B) {
    return A + B - A * B;
}
inline TFzyFloat IntersectionBoundedSum(TFzyFloat A, TFzyFloat B) {
    return std::max(0.0, A + B - 1);
}
inline TFzyFloat UnionBoundedSum(TFzyFloat A, TFzyFloat B) {
    return std::min(1.0, A + B);
}
inline TFzyFloat UnionSum(TFzyFloat A, TFzyFloat B) {
    return A + B;
}

using TFormula = TFzyFloat (*)(TFzyFloat, TFzyFloat);

/// The formula of an intersection family. Raises EFzyException for foSum, which has no
/// intersection, and for a value outside the enumeration.
TFormula IntersectionFormula(TFuzzyOperation Family);
/// The formula of a union family. Raises EFzyException for a value outside the enumeration.
TFormula UnionFormula(TFuzzyOperation Family);

/// A and B under an intersection family ("and", "and-mean", ...). Raises EFzyException for
/// foSum, which has no intersection, and for a value outside the enumeration.
TFzyFloat Intersect(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B);
/// A and B under a union family ("or", "or-mean", ..., "or-sum"). Raises EFzyException for
/// a value outside the enumeration.
TFzyFloat Unite(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B);

} // namespace fuzzy::degrees
