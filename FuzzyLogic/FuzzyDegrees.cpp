#include "FuzzyLogic/FuzzyDegrees.hpp"

#include <iterator>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"

namespace fuzzy::degrees {

namespace {

using TFormula = TFzyFloat (*)(TFzyFloat, TFzyFloat);

template <std::size_t N>
TFzyFloat Apply(const TFormula (&Formulas)[N], TFuzzyOperation Family, TFzyFloat A, TFzyFloat B) {
    const auto index = static_cast<std::size_t>(Family);
    if (index >= N)
        throw EFzyException(SInvalidFuzzyOperation, GetEnumName(Family));
    return Formulas[index](A, B);
}

} // namespace

TFzyFloat Intersect(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B) {
    static const TFormula formulas[] = {
        Min, Mean, MeanSqr, MeanSqrt, IntersectionProduct, IntersectionBoundedSum};
    return Apply(formulas, Family, A, B);
}

TFzyFloat Unite(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B) {
    static const TFormula formulas[] = {Max,          UnionMean,       MeanSqr, MeanSqrt,
                                        UnionProduct, UnionBoundedSum, UnionSum};
    return Apply(formulas, Family, A, B);
}

} // namespace fuzzy::degrees
