// The standard shapes a set's points can be generated from.

#include <algorithm>
#include <cmath>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"

namespace fuzzy {

namespace {

void CheckRange(TFzyFloat Left, TFzyFloat Right) {
    if (Left > Right)
        throw EFzyException(SInvalidRangeArguments, Left, Right);
}

// Zadeh's S function over [Left, Right], its crossover in the middle of the interval.
TFzyFloat GrowthAt(TFzyFloat X, TFzyFloat Left, TFzyFloat Right) {
    const TFzyFloat width = Right - Left;
    if (X <= Left)
        return 0;
    if (X <= (Left + Right) / 2)
        return 2 * std::pow((X - Left) / width, 2);
    if (X <= Right)
        return 1 - 2 * std::pow((X - Right) / width, 2);
    return 1;
}

/// True while the logic component over the set's variable is being loaded.
bool IsLoading(const TFuzzySet& Set) {
    const TFuzzyVariable* variable = Set.GetVariable();
    const TFuzzyLogic* logic = variable != nullptr ? variable->GetFuzzy() : nullptr;
    return logic != nullptr && logic->GetComponentState().Contains(TComponentStateFlag::csLoading);
}

} // namespace

// Each generator writes its type after closing its bracket: the bracket's end marks the
// set user-defined, as for any edit of the points.

void TFuzzySet::CreateTriangleFunctionValues(TFzyFloat Left, TFzyFloat Middle, TFzyFloat Right) {
    Right = std::max(Right, Left);
    if (Middle < Left)
        Middle = Left;
    else if (Middle > Right)
        Middle = Right;
    {
        TUpdateGuard guard(*FValues);
        const kernels::TPoint corners[] = {{Left, 0}, {Middle, 1}, {Right, 0}};
        FValues->AppendPoints(corners);
    }
    FSetType = TFuzzySetType::fstTriangle;
}

void TFuzzySet::CreateCurveValues(int Num, TFzyFloat Left, TFzyFloat Right,
                                  TFzyFloat InflectionPoint, bool Growth) {
    CheckRange(Left, Right);
    Num = std::max(Num, 3);
    const TFzyFloat step = (Right - Left) / (Num - 1);
    std::vector<kernels::TPoint> points;
    points.reserve(static_cast<std::size_t>(Num));
    TFzyFloat x = Left; // accumulated, so the last X may differ from Right by rounding
    for (int i = 0; i < Num; ++i, x += step) {
        const TFzyFloat y = GrowthAt(x, Left, Right);
        points.push_back({x, Growth ? y : 1 - y});
    }
    {
        TUpdateGuard guard(*FValues);
        FValues->AppendPoints(points);
    }
    FInflectionPoint = InflectionPoint;
    FSetType = Growth ? TFuzzySetType::fstGrowthCurve : TFuzzySetType::fstDeclineCurve;
}

void TFuzzySet::CreatePIFunctionValues(int Num, TFzyFloat Left, TFzyFloat Right, TFzyFloat Center) {
    CheckRange(Left, Right);
    Center = std::clamp(Center, Left, Right);
    {
        TUpdateGuard guard(*FValues);
        const int half = Num / 2;
        CreateCurveValues(half + 1, Left, Center, (Left + Center) / 2, true);
        if (Num % 2 == 0) // an even count has no point at the apex
            FValues->Delete(FValues->GetCount() - 1);
        CreateCurveValues(half + 1, Center, Right, (Center + Right) / 2, false);
        if (Num < FValues->GetCount()) // both halves hold the apex: keep one
            FValues->Delete(half);
    }
    FSetType = TFuzzySetType::fstPICurve;
}

void TFuzzySet::CreatePIFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center) {
    CreatePIFunctionValues(Num, Center - Range, Center + Range, Center);
}

void TFuzzySet::CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                              TFzyFloat InflectionPoint, TFzyFloat Weight) {
    Num = std::max(Num, 3);
    const TFzyFloat step = 2 * Range / (Num - 1);
    auto denominatorAt = [&](TFzyFloat x) {
        return 1 + Weight * std::pow((x - Center) / InflectionPoint, 2);
    };
    // The divisions are checked before the first point is appended.
    bool dividesByZero = InflectionPoint == 0;
    TFzyFloat x = Center - Range;
    for (int i = 0; i < Num && !dividesByZero; ++i, x += step)
        dividesByZero = denominatorAt(x) == 0;
    if (dividesByZero)
        throw EZeroDivide(SDivByZero);
    std::vector<kernels::TPoint> points;
    points.reserve(static_cast<std::size_t>(Num));
    x = Center - Range;
    for (int i = 0; i < Num; ++i, x += step)
        points.push_back({x, 1 / denominatorAt(x)});
    {
        TUpdateGuard guard(*FValues);
        FValues->AppendPoints(points);
    }
    FInflectionPoint = InflectionPoint;
    FSetType = TFuzzySetType::fstBetaCurve;
}

void TFuzzySet::CreateCrispValue(TFzyFloat Value) {
    {
        TUpdateGuard guard(*FValues);
        FValues->Clear();
        CreateTriangleFunctionValues(Value, Value, Value);
    }
    FExpression = Format(FuzzyFormatStr, Value);
}

// The triangle, PI and beta shapes are centred on the middle of the axis, Lo + R / 2, so
// that they stay inside axes that do not start at 0; the half-width is R / 3 and the beta
// curve's inflection point R / 12 whatever the axis.
void TFuzzySet::SetSetType(TFuzzySetType Value) {
    if (Value == FSetType)
        return;
    if (Value > TFuzzySetType::fstGrowthCurve)
        throw EArgumentOutOfRangeException(SInvalidSetType, static_cast<int>(Value));
    FSetType = Value;
    // A stored set is read points first, then type: while its component is being loaded
    // the type is only recorded, so the stored points stay instead of the default shape.
    if (Value == TFuzzySetType::fstUserDefined || IsLoading(*this)) {
        Changed(false);
        return;
    }
    const TFzyFloat low = GetXRange(1);
    const TFzyFloat range = GetXRange(0) - low;
    const int num = GetLogicSettings().NumFunctionValues;
    const TFzyFloat a = low + range * ONE_THIRD;
    const TFzyFloat b = low + range * TWO_THIRDS;
    const TFzyFloat halfWidth = range * ONE_THIRD;
    const TFzyFloat center = low + range / 2;
    {
        TUpdateGuard guard(*FValues);
        FValues->Clear();
        switch (Value) {
        case TFuzzySetType::fstTriangle:
            CreateTriangleFunctionValues(center - halfWidth, center, center + halfWidth);
            break;
        case TFuzzySetType::fstDeclineCurve:
            CreateCurveValues(num, a, b, a + (b - a) / 2, false);
            break;
        case TFuzzySetType::fstPICurve:
            CreatePIFunctionValues(num, halfWidth, center);
            break;
        case TFuzzySetType::fstBetaCurve:
            CreateBetaCurveFunctionValues(num, halfWidth, center, (range / 2 - halfWidth) / 2);
            break;
        default: // fstGrowthCurve
            CreateCurveValues(num, a, b, a + (b - a) / 2, true);
            break;
        }
    }
    FSetType = Value;
    Changed(false);
}

} // namespace fuzzy
