// Cuts, normalization, correlation and inference: the operations of rule evaluation.

#include <algorithm>
#include <cmath>
#include <memory>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/detail/FuzzySetWalk.hpp"
#include "FuzzyLogic/kernels/FuzzyOperations.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"
#include "platform/Pending.hpp"

namespace fuzzy {

namespace {

TFzyFloat CheckedLevel(TFzyFloat CutOff) {
    if (std::isnan(CutOff))
        throw EArgumentOutOfRangeException(SCutoffNotANumber);
    return CutOff;
}

void CopyPoint(TFuzzySetValues& Target, const TFuzzySetValue* Point) {
    Target.Add()->Assign(Point);
}

// Adds the single point of a degenerate cut at Y. It stands at the first point's X (or
// where a new list starts, 0, clamped into the axis), so it stays on the curve's axis.
void AddLevelPoint(TFuzzySetValues& Target, const TFuzzySetValues& Source, TFzyFloat Y) {
    TFuzzySetValue* point = Target.Add();
    point->SetX(Source.GetCount() > 0 ? Source[0]->GetX() : point->GetX());
    point->SetY(Y);
}

} // namespace

TFuzzySet* TFuzzySet::Normalize() {
    const TFzyFloat highest = FValues->GetMaxValue();
    if (highest == 0)
        return this;
    TUpdateGuard guard(*FValues);
    const TFzyFloat factor = 1 / highest;
    for (TFuzzySetValue* point : *FValues)
        point->SetY(point->GetY() * factor);
    return this;
}

TFuzzySet* TFuzzySet::Cutoff(TFzyFloat CutOff, bool CutValuesBelow) const {
    CheckedLevel(CutOff);
    const std::string keyword(CutValuesBelow ? FuzzyUnionKeywords[TFuzzyOperation::foZadeh]
                                             : FuzzyIntersectionKeywords[TFuzzyOperation::foZadeh]);
    TPending<TFuzzySet> result(CreateResultSet());
    result->SetName(CreateFuzzyName(FName, keyword, CutOff));
    const TFzyFloat level = std::clamp(CutOff, 0.0, 1.0);
    {
        TFuzzySetValues& target = *result->FValues;
        TUpdateGuard guard(target);
        if (level == (CutValuesBelow ? 0.0 : 1.0)) {
            target.Assign(FValues.get());
        } else if (level == (CutValuesBelow ? 1.0 : 0.0)) {
            AddLevelPoint(target, *FValues, level);
        } else {
            auto kept = [&](TFzyFloat y) { return CutValuesBelow ? y >= level : y <= level; };
            const TFuzzySetValues& source = *FValues;
            if (kept(source[0]->GetY()))
                CopyPoint(target, source[0]);
            for (int i = 1; i < source.GetCount(); ++i) {
                const TFuzzySetValue* a = source[i - 1];
                const TFuzzySetValue* b = source[i];
                if ((a->GetY() < level && b->GetY() > level) ||
                    (a->GetY() > level && b->GetY() < level))
                    target.Add(InterpolateX(a->GetX(), a->GetY(), b->GetX(), b->GetY(), level),
                               level);
                if (kept(b->GetY()))
                    CopyPoint(target, b);
            }
            // A curve wholly above the level keeps no point and crosses nowhere, yet its
            // minimum with the level is the level itself.
            if (!CutValuesBelow && target.GetCount() == 0)
                AddLevelPoint(target, source, level);
        }
    }
    if (!FExpression.empty())
        result->FExpression = FExpression + " " + keyword + " " + Format(FuzzyFormatStr, level);
    return result.Keep();
}

TFuzzySet* TFuzzySet::AlphaCutoff(TFzyFloat CutOff, bool StrongCutoff) const {
    CheckedLevel(CutOff);
    TPending<TFuzzySet> result(CreateResultSet());
    result->SetName(FName);
    const TFzyFloat level = std::clamp(CutOff, 0.0, 1.0);
    {
        TFuzzySetValues& target = *result->FValues;
        TUpdateGuard guard(target);
        if (StrongCutoff && level == 0) {
            target.Assign(FValues.get());
        } else if (StrongCutoff && level == 1) {
            AddLevelPoint(target, *FValues, 0);
        } else {
            auto inside = [&](TFzyFloat y) { return StrongCutoff ? y > level : y >= level; };
            const TFuzzySetValues& source = *FValues;
            if (inside(source[0]->GetY()))
                CopyPoint(target, source[0]);
            else
                AddLevelPoint(target, source, 0);
            for (int i = 1; i < source.GetCount(); ++i) {
                const TFuzzySetValue* a = source[i - 1];
                const TFuzzySetValue* b = source[i];
                const bool aInside = inside(a->GetY());
                if (aInside != inside(b->GetY())) {
                    const TFzyFloat x =
                        InterpolateX(a->GetX(), a->GetY(), b->GetX(), b->GetY(), level);
                    // A vertical edge, climbing into the cut or dropping out of it.
                    target.Add()->SetValue(x, aInside ? level : 0);
                    target.Add()->SetValue(x, aInside ? 0 : level);
                }
                if (inside(b->GetY()))
                    CopyPoint(target, b);
            }
        }
    }
    return result.Keep();
}

TFzyFloat TFuzzySet::GetCorrelationStrength(const TFuzzySet* Match) const {
    FMax = kernels::CorrelationStrength(FValues->GetCurve(),
                                        walk::Required(Match).FValues->GetCurve());
    return FMax;
}

bool TFuzzySet::FuzzyOperatorMaxOfMin(TFzyFloat, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) const {
    FMax = kernels::MaxOfMin(FMax, Y1, Y2);
    return false;
}

bool TFuzzySet::FuzzyOperatorMinThreshold(TFzyFloat, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) const {
    return GetLogicSettings().Threshold <= std::min(Y1, Y2);
}

TFzyFloat TFuzzySet::FuzzyEquals(const TFuzzySet* FuzzySet) const {
    return GetCorrelationStrength(FuzzySet);
}

TFuzzySet* TFuzzySet::Correlate(TFzyFloat CorrelationStrength) {
    return Correlate(CorrelationStrength, GetLogicSettings().CorrelationMethod);
}

TFuzzySet* TFuzzySet::Correlate(TFzyFloat CorrelationStrength,
                                TFuzzyCorrelationMethod CorrelationMethod) {
    return CorrelationMethod == TFuzzyCorrelationMethod::fcmProduct
               ? Hedge(TBaseFuzzyHedge::bfhMultiply, CorrelationStrength, true)
               : Hedge(TBaseFuzzyHedge::bfhCutGreater, CorrelationStrength, true);
}

TFuzzySet* TFuzzySet::Infer(const TFuzzySet* NewEvidence, bool Unconditional) const {
    return Infer(NewEvidence, GetLogicSettings().InferenceMethod, Unconditional);
}

TFuzzySet* TFuzzySet::Infer(const TFuzzySet* NewEvidence, TFuzzyInferenceMethod InferenceMethod,
                            bool Unconditional) const {
    const TFuzzyOperation operation = kernels::InferenceOperation(InferenceMethod);
    // Unconditional rules restrict the solution; conditional ones accumulate into it.
    return Unconditional ? Intersection(NewEvidence, operation) : Union(NewEvidence, operation);
}

} // namespace fuzzy
