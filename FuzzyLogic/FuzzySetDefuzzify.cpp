// Defuzzification and the measures of a set.

#include <cmath>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"

namespace fuzzy {

namespace {

// The area under one segment of the curve and the X of its centroid.
struct TPiece {
    TFzyFloat Area = 0;
    TFzyFloat Center = 0;
};

TPiece SegmentPiece(TFzyFloat x1, TFzyFloat y1, TFzyFloat x2, TFzyFloat y2) {
    const TFzyFloat dx = x2 - x1;
    if (FloatEquals(x2, x1)) // a vertical step encloses nothing
        return {};
    if (FloatEquals(0, y1) && FloatEquals(0, y2))
        return {};
    if (FloatEquals(y2, y1)) // rectangle
        return {dx * y1, (x1 + x2) * 0.5};
    if (FloatEquals(0, y1)) // rising triangle
        return {std::fabs(y2 - y1) * 0.5 * dx, x1 + TWO_THIRDS * dx};
    if (FloatEquals(0, y2)) // falling triangle
        return {std::fabs(y2 - y1) * 0.5 * dx, x1 + ONE_THIRD * dx};
    // trapezoid
    return {0.5 * dx * (y1 + y2), x1 + TWO_THIRDS * dx * (0.5 * y1 + y2) / (y1 + y2)};
}

} // namespace

TFzyFloat TFuzzySet::Defuzzify() const {
    return GetLogicSettings().DefuzzificationMethod == TDefuzzificationMethod::dmMeanOfMaxima
               ? MeanOfMaxima()
               : CenterOfGravity();
}

// Exact, piece by piece; the curve continues flat from its ends to the axis bounds.
TFzyFloat TFuzzySet::CenterOfGravity() const {
    const TFuzzySetValues& values = *FValues;
    const int count = values.GetCount();
    if (count == 0)
        return 0;
    const TFzyFloat minimum = GetXRange(1);
    const TFzyFloat maximum = GetXRange(0);
    const TFuzzySetValue* first = values[0];
    const TFuzzySetValue* last = values[count - 1];
    if (count == 1 || FloatEquals(first->GetX(), last->GetX()))
        return minimum + (maximum - minimum) * 0.5;

    TFzyFloat area = 0;
    TFzyFloat moment = 0;
    auto add = [&](const TPiece& piece) {
        moment += piece.Center * piece.Area;
        area += piece.Area;
    };
    if (first->GetY() > 0 && !FloatEquals(first->GetX(), minimum))
        add({first->GetY() * (first->GetX() - minimum), (first->GetX() + minimum) * 0.5});
    for (int i = 1; i < count; ++i) {
        const TFuzzySetValue* a = values[i - 1];
        const TFuzzySetValue* b = values[i];
        add(SegmentPiece(a->GetX(), a->GetY(), b->GetX(), b->GetY()));
    }
    if (last->GetY() > 0 && !FloatEquals(last->GetX(), maximum))
        add({last->GetY() * (maximum - last->GetX()), (last->GetX() + maximum) * 0.5});
    return area == 0 ? 0 : moment / area;
}

// The mean is over the highest points themselves, not over the extent of a plateau.
TFzyFloat TFuzzySet::MeanOfMaxima() const {
    const TFuzzySetValues& values = *FValues;
    if (values.GetCount() == 0)
        return 0;
    TFzyFloat sum = values[0]->GetX();
    TFzyFloat height = values[0]->GetY();
    int n = 1;
    for (int i = 1; i < values.GetCount(); ++i) {
        const TFuzzySetValue* point = values[i];
        if (height - FuzzyEpsilon < point->GetY() && height + FuzzyEpsilon > point->GetY()) {
            ++n;
            sum += point->GetX();
        } else if (point->GetY() > height) {
            sum = point->GetX();
            height = point->GetY();
            n = 1;
        }
    }
    return sum / n;
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
