// Linguistic hedges and the arithmetic and clipping modifiers of a set.

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/kernels/FuzzyOperations.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace {

// The hedges always work on at least this many points, whatever the logic component says.
constexpr int HedgePointCount = 7;
// The grid on which approximation hedges sample their bell curves across the axis.
constexpr int ApproximationGridCount = 50;

// The new value of V under a base modifier, or nothing when the point is left unwritten.
// Subtraction and division arrive here as addition and multiplication.
std::optional<TFzyFloat> Modified(TBaseFuzzyHedge Type, TFzyFloat V, TFzyFloat Value,
                                  bool ModifyY) {
    switch (Type) {
    case TBaseFuzzyHedge::bfhAdd:
        return V + Value;
    case TBaseFuzzyHedge::bfhMultiply:
        return kernels::CorrelatedY(TFuzzyCorrelationMethod::fcmProduct, V, Value);
    case TBaseFuzzyHedge::bfhPower:
        if (ModifyY ? (V > 0 && V < 1) : V > 0)
            return std::pow(V, Value);
        return std::nullopt;
    case TBaseFuzzyHedge::bfhCutLess:
        return V < Value ? std::optional(Value) : std::nullopt;
    case TBaseFuzzyHedge::bfgCutLessEq:
        return V <= Value ? std::optional(Value) : std::nullopt;
    case TBaseFuzzyHedge::bfhCutGreater: // the correlation by minimum
        return V > Value ? std::optional(
                               kernels::CorrelatedY(TFuzzyCorrelationMethod::fcmMinimum, V, Value))
                         : std::nullopt;
    case TBaseFuzzyHedge::bfhCutGreaterEq:
        return V >= Value ? std::optional(Value) : std::nullopt;
    default:
        throw EArgumentOutOfRangeException(SInvalidModifier, static_cast<int>(Type));
    }
}

} // namespace

TFuzzySet* TFuzzySet::Hedge(TBaseFuzzyHedge ModifyType, TFzyFloat Value, bool ModifyY) {
    if (!std::isfinite(Value))
        throw EArgumentOutOfRangeException(SInvalidModifierValue, Value);
    if (ModifyType > TBaseFuzzyHedge::bfhCutGreaterEq)
        throw EArgumentOutOfRangeException(SInvalidModifier, static_cast<int>(ModifyType));
    TBaseFuzzyHedge operation = ModifyType;
    TFzyFloat operand = Value;
    if (ModifyType == TBaseFuzzyHedge::bfhSubtract) {
        operation = TBaseFuzzyHedge::bfhAdd;
        operand = -Value;
    } else if (ModifyType == TBaseFuzzyHedge::bfhDivide) {
        if (Value == 0)
            throw EZeroDivide(SDivByZero);
        operation = TBaseFuzzyHedge::bfhMultiply;
        operand = 1 / Value;
    }
    {
        TUpdateGuard guard(*FValues);
        for (TFuzzySetValue* point : *FValues) {
            const TFzyFloat v = ModifyY ? point->GetY() : point->GetX();
            if (const auto result = Modified(operation, v, operand, ModifyY)) {
                if (ModifyY)
                    FValues->SetPointY(point, *result);
                else
                    FValues->SetPointX(point, *result);
            }
        }
    }
    const std::string op = std::string(BaseHedgeNames[ModifyType]) + (ModifyY ? "" : "X");
    SetName(CreateFuzzyName(FName, op, Value));
    FExpression = CreateFuzzyName(ModifyType, ModifyY, FExpression);
    return this;
}

TFuzzySet* TFuzzySet::Hedge(TFuzzyHedge HedgeType) {
    // Checked before the name is built, which would otherwise fail first on the hedge's word.
    if (HedgeType > TFuzzyHedge::fhGenerally)
        throw EArgumentOutOfRangeException(SInvalidHedge, static_cast<int>(HedgeType));
    const std::string name = CreateFuzzyName(HedgeType, FName);
    const TFzyFloat constant = HedgeModifiers[HedgeType];
    switch (HedgeType) {
    case TFuzzyHedge::fhNot: {
        TUpdateGuard guard(*FValues);
        for (TFuzzySetValue* point : *FValues)
            FValues->SetPointY(point, 1 - point->GetY());
        break;
    }
    case TFuzzyHedge::fhSomewhat:
    case TFuzzyHedge::fhMoreOrLess:
    case TFuzzyHedge::fhGreatly:
    case TFuzzyHedge::fhPlus:
    case TFuzzyHedge::fhVery:
    case TFuzzyHedge::fhExtremely:
        Intensify(HedgePointCount, constant);
        break;
    case TFuzzyHedge::fhAbove:
    case TFuzzyHedge::fhBelow:
        HedgeAboveOrBelow(HedgeType == TFuzzyHedge::fhAbove);
        break;
    case TFuzzyHedge::fhSlightly:
        HedgeSlightly();
        break;
    case TFuzzyHedge::fhNormalize:
        if (FValues->GetCount() > 0) // as a hedge, an empty set is accepted like the others
            Normalize();
        break;
    case TFuzzyHedge::fhAbout:
    case TFuzzyHedge::fhVicinity:
    case TFuzzyHedge::fhClose:
    case TFuzzyHedge::fhNear:
    case TFuzzyHedge::fhNeighboring:
        FuzzyApproximation(HedgePointCount, constant);
        break;
    case TFuzzyHedge::fhPositively:
    case TFuzzyHedge::fhAbsolutely:
    case TFuzzyHedge::fhDefinitely:
    case TFuzzyHedge::fhGenerally:
        FuzzyContrast(HedgePointCount, constant);
        break;
    }
    SetName(name);
    FExpression = FExpression.empty()
                      ? FormatFuzzyExpression(FName)
                      : CreateFuzzyName(HedgeType, FormatFuzzyExpression(FExpression));
    return this;
}

// Concentration (Value > 1) and dilation (Value < 1) of the degrees strictly between 0
// and 1.
void TFuzzySet::Intensify(int Num, TFzyFloat Value) {
    TUpdateGuard guard(*FValues);
    FValues->Expand(Num);
    Hedge(TBaseFuzzyHedge::bfhPower, Value, true);
}

// Pushes degrees away from 0.5 (Value > 1) or towards it (Value < 1). A degree above 1
// follows the upper branch's formula while its power is defined (1.3 under an exponent of
// 2 gives 0.82); where the power of the negative 1 - Y is not (a fractional exponent),
// the degree counts as full membership.
void TFuzzySet::FuzzyContrast(int Num, TFzyFloat Value) {
    TUpdateGuard guard(*FValues);
    FValues->Expand(Num);
    for (TFuzzySetValue* point : *FValues) {
        const TFzyFloat y = point->GetY();
        if (Value < 1 && y <= 0)
            continue;
        if (y < 0.5) {
            FValues->SetPointY(point, std::min(1.0, Value * std::pow(y, Value)));
        } else {
            const TFzyFloat rest = std::pow(1 - y, Value);
            FValues->SetPointY(point, std::isnan(rest) ? 1.0 : std::max(0.0, 1 - Value * rest));
        }
    }
}

// The upper envelope of bell curves centred on the set's points, sampled on a grid across
// the whole axis and normalized.
void TFuzzySet::FuzzyApproximation(int Num, TFzyFloat Value) {
    TUpdateGuard guard(*FValues);
    FValues->Expand(Num);
    // Points are ordered only within the tolerance, so the last X may lie just left of
    // the first; a negative width would make every distance negative and its power NaN.
    const TFzyFloat width =
        std::fabs(FValues->GetItem(FValues->GetCount() - 1)->GetX() - FValues->GetItem(0)->GetX());
    const TFzyFloat minimum = GetXRange(1);
    const TFzyFloat maximum = GetXRange(0);
    const TFzyFloat scale = width == 0 ? 0.2 : width / (maximum - minimum);

    TFuzzySetValues grid(nullptr);
    {
        TUpdateGuard gridGuard(grid);
        grid.Add(minimum, 0);
        grid.Add(maximum, 0);
        grid.Expand(ApproximationGridCount);
    }
    std::vector<TFzyFloat> heights(static_cast<std::size_t>(grid.GetCount()), 0.0);
    for (const TFuzzySetValue* point : *FValues) {
        if (!(point->GetY() > 0))
            continue;
        for (int g = 0; g < grid.GetCount(); ++g) {
            const TFzyFloat distance = std::fabs(grid[g]->GetX() - point->GetX()) * scale;
            const TFzyFloat t = point->GetY() * (1 / (1 + std::pow(distance, Value)));
            auto& height = heights[static_cast<std::size_t>(g)];
            height = std::max(height, t);
        }
    }
    {
        TUpdateGuard gridGuard(grid);
        for (int g = 0; g < grid.GetCount(); ++g)
            grid.SetPointY(grid[g], heights[static_cast<std::size_t>(g)]);
    }
    FValues->Assign(&grid);
    Normalize();
}

// Above: 0 up to the peak, the complement after it; below: the mirror image. Among equal
// highest degrees below 1 the one furthest along the scan wins; a degree of exactly 1
// ends the scan.
void TFuzzySet::HedgeAboveOrBelow(bool Above) {
    const int count = FValues->GetCount();
    int peak = -1;
    TFzyFloat highest = 0;
    for (int k = 0; k < count && highest != 1.0; ++k) {
        const int i = Above ? k : count - 1 - k;
        if (FValues->GetItem(i)->GetY() >= highest) {
            peak = i;
            highest = FValues->GetItem(i)->GetY();
        }
    }
    TUpdateGuard guard(*FValues);
    for (int i = 0; i < count; ++i) {
        TFuzzySetValue* point = FValues->GetItem(i);
        const bool beyondPeak = Above ? i > peak : i < peak;
        FValues->SetPointY(point, beyondPeak ? 1 - point->GetY() : 0);
    }
}

// slightly A = positively (normalize (plus A and not (very A))).
void TFuzzySet::HedgeSlightly() {
    TCollection* collection = TGCollectionItem::GetCollection();
    std::optional<TUpdateGuard<TCollection>> collectionGuard;
    if (collection != nullptr)
        collectionGuard.emplace(*collection);
    // The temporaries live beside the set; their point lists stay in a bracket for their
    // whole short life, so they are never cleaned or reported.
    std::unique_ptr<TFuzzySet> notVery(TFuzzySet::Create(collection));
    std::unique_ptr<TFuzzySet> plus(TFuzzySet::Create(collection));
    notVery->FValues->BeginUpdate();
    plus->FValues->BeginUpdate();
    notVery->Assign(this);
    notVery->Hedge(TFuzzyHedge::fhVery);
    notVery->Hedge(TFuzzyHedge::fhNot);
    plus->Assign(this);
    plus->Hedge(TFuzzyHedge::fhPlus);
    std::unique_ptr<TFuzzySet> result(plus->Intersection(notVery.get()));
    result->Hedge(TFuzzyHedge::fhNormalize);
    result->Hedge(TFuzzyHedge::fhPositively);
    FValues->Assign(result->FValues.get());
}

} // namespace fuzzy
