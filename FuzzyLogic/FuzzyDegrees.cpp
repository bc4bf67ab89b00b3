#include "FuzzyLogic/FuzzyDegrees.hpp"

#include <iterator>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"

namespace fuzzy::degrees {

namespace {

template <std::size_t N>
TFormula Pick(const TFormula (&Formulas)[N], TFuzzyOperation Family) {
    const auto index = static_cast<std::size_t>(Family);
    if (index >= N)
        throw EFzyException(SInvalidFuzzyOperation, GetEnumName(Family));
    return Formulas[index];
}

} // namespace

TFormula IntersectionFormula(TFuzzyOperation Family) {
    static const TFormula formulas[] = {
        Min, Mean, MeanSqr, MeanSqrt, IntersectionProduct, IntersectionBoundedSum};
    return Pick(formulas, Family);
}

TFormula UnionFormula(TFuzzyOperation Family) {
    static const TFormula formulas[] = {Max,          UnionMean,       MeanSqr, MeanSqrt,
                                        UnionProduct, UnionBoundedSum, UnionSum};
    return Pick(formulas, Family);
}

TFzyFloat Intersect(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B) {
    return IntersectionFormula(Family)(A, B);
}

TFzyFloat Unite(TFuzzyOperation Family, TFzyFloat A, TFzyFloat B) {
    return UnionFormula(Family)(A, B);
}

} // namespace fuzzy::degrees
