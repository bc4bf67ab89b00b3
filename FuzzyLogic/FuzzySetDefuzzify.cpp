// Defuzzification and the measures of a set.

#include <cmath>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/kernels/FuzzyOperations.hpp"

namespace fuzzy {

TFzyFloat TFuzzySet::Defuzzify() const {
    return GetLogicSettings().DefuzzificationMethod == TDefuzzificationMethod::dmMeanOfMaxima
               ? MeanOfMaxima()
               : CenterOfGravity();
}

TFzyFloat TFuzzySet::CenterOfGravity() const {
    return kernels::CenterOfGravity(FValues->GetCurve().Points, {GetXRange(1), GetXRange(0)});
}

TFzyFloat TFuzzySet::MeanOfMaxima() const {
    return kernels::MeanOfMaxima(FValues->GetCurve().Points);
}

TFzyFloat TFuzzySet::GetCompatibilityIndex() const {
    return FValues->GetCount() == 0 ? 0 : FValues->GetAvgValue();
}

bool TFuzzySet::IsUndecidable() const {
    const TFuzzySetValues& values = *FValues;
    if (values.GetCount() == 0)
        return true;
    const TFzyFloat y0 = values[0]->GetY();
    if (y0 != 0 && y0 != 1)
        return false;
    for (const TFuzzySetValue* point : values)
        if (point->GetY() != y0)
            return false;
    return true;
}

} // namespace fuzzy
