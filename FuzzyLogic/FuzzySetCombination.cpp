// Combining two sets: the walk over both curves, the operators built on it, and the
// overlap and segment-crossing tests.

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyLogic/FuzzyDegrees.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/detail/FuzzySetWalk.hpp"
#include "FuzzyLogic/kernels/FuzzyCleanup.hpp"
#include "platform/Pending.hpp"

namespace fuzzy {

namespace {

// The result of a walk, in X order, without the points its curve does not need, removed
// in one pass however many there are.
void SimplifyResult(TFuzzySetValues& Values) {
    Values.Sort();
    std::vector<bool> doomed(static_cast<std::size_t>(Values.GetCount()), false);
    kernels::MarkHorizontalRuns(Values.GetCurve().Points, doomed);
    Values.MarkOverfullLines(doomed);
    Values.DeleteItems(doomed);
}

// True when every Y equals the first within the tolerance.
bool IsFlat(const TFuzzySetValues& Values) {
    return Values.SkipY(0, Values[0]->GetY(), +1) == -1;
}

const std::string& ExpressionOrName(const TFuzzySet& Set) {
    return Set.GetExpression().empty() ? Set.GetName() : Set.GetExpression();
}

bool AppendPoint(TFuzzySetValues* Values, TFzyFloat X, TFzyFloat Y) {
    Values->Add(X, Y);
    return false;
}

} // namespace

bool TFuzzySet::Iterate(const TFuzzySet* FuzzySet, const TFuzzyComparison& Comparison) const {
    return Walk(walk::Required(FuzzySet), Comparison);
}

// Results join whatever collection the set is in, typed or not.
TFuzzySet* TFuzzySet::CreateResultSet() const {
    return GetClassType()(GetCollectionForNewItems());
}

template <class Fill>
TFuzzySet* TFuzzySet::Combine(const TFuzzySet& Other, const std::string& OperatorKeyword,
                              Fill&& FillPoints) const {
    TPending<TFuzzySet> result(CreateResultSet());
    result->SetName(CreateFuzzyName(FName, Other.FName, OperatorKeyword));
    {
        TFuzzySetValues& values = *result->FValues;
        TUpdateGuard guard(values);
        const bool stopped = FillPoints(values);
        if (!stopped && FValues->GetCount() > 0 && Other.FValues->GetCount() > 0)
            SimplifyResult(values);
    }
    std::string& expression = result->FExpression;
    expression.clear();
    AppendFuzzyExpression(expression, ExpressionOrName(*this));
    expression += ' ';
    expression += OperatorKeyword;
    expression += ' ';
    AppendFuzzyExpression(expression, ExpressionOrName(Other));
    return result.Keep();
}

TFuzzySet* TFuzzySet::Operator(const TFuzzySet* FuzzySet, const std::string& OperatorKeyword,
                               const TFuzzyOperator& FuzzyOperator) const {
    const TFuzzySet& other = walk::Required(FuzzySet);
    return Combine(other, OperatorKeyword, [&](TFuzzySetValues& Values) {
        return Walk(other, [&](TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2) {
            return FuzzyOperator(&Values, X1, Y1, X2, Y2);
        });
    });
}

TFuzzySet* TFuzzySet::CombineByFormula(const TFuzzySet* FuzzySet,
                                       const std::string& OperatorKeyword,
                                       degrees::TFormula Formula) const {
    const TFuzzySet& other = walk::Required(FuzzySet);
    return Combine(other, OperatorKeyword, [&](TFuzzySetValues& Values) {
        // A formula reads nothing of the result, so its points can be gathered first and
        // handed to the list in one step.
        // The walk reports each point of either set, a few pairs twice on vertical lines,
        // and at most one crossing between neighbouring points: room for twice the points
        // of both sets is nearly always enough for one allocation.
        std::vector<kernels::TPoint> points;
        points.reserve(2 *
                       static_cast<std::size_t>(FValues->GetCount() + other.FValues->GetCount()));
        Walk(other, [&](TFzyFloat X1, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
            points.push_back({X1, Formula(Y1, Y2)});
            return false;
        });
        Values.AppendPoints(points);
        return false;
    });
}

TFuzzySet* TFuzzySet::Intersection(const TFuzzySet* FuzzySet) const {
    return Intersection(FuzzySet, TFuzzyOperation::foZadeh);
}

TFuzzySet* TFuzzySet::Union(const TFuzzySet* FuzzySet) const {
    return Union(FuzzySet, TFuzzyOperation::foZadeh);
}

TFuzzySet* TFuzzySet::Intersection(const TFuzzySet* FuzzySet,
                                   TFuzzyOperation IntersectionType) const {
    // The formula first: it refuses foSum and values outside the enumeration.
    const degrees::TFormula formula = degrees::IntersectionFormula(IntersectionType);
    return CombineByFormula(FuzzySet, std::string(FuzzyIntersectionKeywords[IntersectionType]),
                            formula);
}

TFuzzySet* TFuzzySet::Union(const TFuzzySet* FuzzySet, TFuzzyOperation UnionType) const {
    const degrees::TFormula formula = degrees::UnionFormula(UnionType);
    return CombineByFormula(FuzzySet, std::string(FuzzyUnionKeywords[UnionType]), formula);
}

// "Zero" here means below the tolerance.
bool TFuzzySet::Intersects(const TFuzzySet* FuzzySet) const {
    const TFuzzySetValues& first = *FValues;
    const TFuzzySetValues& second = *walk::Required(FuzzySet).FValues;
    if (first.GetCount() == 0 || second.GetCount() == 0)
        return false;
    auto allZero = [](const TFuzzySetValues& values) {
        return values[0]->GetY() < FuzzyEpsilon && IsFlat(values);
    };
    if (allZero(first) && !allZero(second))
        return false;
    const TFuzzySetValue* first1 = first[0];
    const TFuzzySetValue* last1 = first[first.GetCount() - 1];
    const TFuzzySetValue* first2 = second[0];
    const TFuzzySetValue* last2 = second[second.GetCount() - 1];
    auto apart = [](const TFuzzySetValue* left, const TFuzzySetValue* right) {
        return left->GetY() < FuzzyEpsilon && right->GetY() < FuzzyEpsilon &&
               right->GetX() > left->GetX() + FuzzyEpsilon;
    };
    if (apart(last1, first2) || apart(last2, first1))
        return false;
    // Touching ends: the sets meet when either vertical line there rises above zero.
    auto highestAtEnds = [](const TFuzzySet& left, const TFuzzySet& right) {
        const TFuzzySetValues& l = *left.FValues;
        const TFuzzySetValues& r = *right.FValues;
        return std::max(l[left.GetMaxYValueOfX(l.GetCount() - 1, -1)]->GetY(),
                        r[right.GetMaxYValueOfX(0, +1)]->GetY());
    };
    if (FloatEquals(first2->GetX(), last1->GetX()) &&
        highestAtEnds(*this, *FuzzySet) > FuzzyEpsilon)
        return true;
    if (FloatEquals(first1->GetX(), last2->GetX()) &&
        highestAtEnds(*FuzzySet, *this) > FuzzyEpsilon)
        return true;
    return last1->GetX() > first2->GetX() + FuzzyEpsilon &&
           last2->GetX() - FuzzyEpsilon > first1->GetX();
}

bool TFuzzySet::LineSegmentIntersects(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                      TFzyFloat X3, TFzyFloat Y3, TFzyFloat X4, TFzyFloat Y4,
                                      TFzyFloat& X, TFzyFloat& Y) {
    const TFzyFloat dxa = X2 - X1;
    const TFzyFloat dya = Y2 - Y1;
    const TFzyFloat dxb = X4 - X3;
    const TFzyFloat dyb = Y4 - Y3;
    // A segment shorter than the tolerance is a point: it must lie on the other's line.
    if (std::fabs(dya) < FuzzyEpsilon && std::fabs(dxa) < FuzzyEpsilon &&
        !FloatEquals(Y2, fuzzy::InterpolateY(X3, Y3, X4, Y4, X2)))
        return false;
    if (std::fabs(dyb) < FuzzyEpsilon && std::fabs(dxb) < FuzzyEpsilon &&
        !FloatEquals(Y4, fuzzy::InterpolateY(X1, Y1, X2, Y2, X4)))
        return false;
    const TFzyFloat den = dxa * dyb - dya * dxb;
    const TFzyFloat num = (Y1 - Y3) * dxb - (X1 - X3) * dyb;
    if (std::fabs(den) < FuzzyEpsilon) { // parallel: only collinear segments meet
        if (num != 0)
            return false;
        if (X2 < X4) {
            X = X2;
            Y = Y2;
        } else {
            X = X4;
            Y = Y4;
        }
        return true;
    }
    const TFzyFloat ua = num / den;
    if (ua < 0 || ua > 1)
        return false;
    const TFzyFloat nb = (Y1 - Y3) * dxa - (X1 - X3) * dya;
    if (nb != 0) { // nb / den must lie in [0, 1]
        if ((nb > 0) != (den > 0))
            return false;
        if (nb > 0 ? nb > den : nb < den)
            return false;
    }
    X = dxa == 0 ? X1 : (dxb == 0 ? X3 : X1 + ua * dxa);
    Y = Y3 == Y4 ? Y3 : (Y1 == Y2 ? Y1 : Y1 + ua * dya);
    return true;
}

std::unique_ptr<TFuzzySetValue> TFuzzySet::LineSegmentIntersects(const TFuzzySetValue* P1,
                                                                 const TFuzzySetValue* P2,
                                                                 const TFuzzySetValue* P3,
                                                                 const TFuzzySetValue* P4) {
    TFzyFloat x = 0;
    TFzyFloat y = 0;
    if (!LineSegmentIntersects(P1->GetX(), P1->GetY(), P2->GetX(), P2->GetY(), P3->GetX(),
                               P3->GetY(), P4->GetX(), P4->GetY(), x, y))
        return nullptr;
    std::unique_ptr<TFuzzySetValue> point(TFuzzySetValue::Create(nullptr));
    point->SetValue(x, y);
    return point;
}

bool TFuzzySet::FuzzyOperatorMin(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1, TFzyFloat,
                                 TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::Min(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorMax(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1, TFzyFloat,
                                 TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::Max(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorMean(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1, TFzyFloat,
                                  TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::Mean(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorMeanSqr(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                     TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::MeanSqr(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorMeanSqrt(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                      TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::MeanSqrt(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorUnionMean(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                       TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::UnionMean(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorIntersectionProduct(TFuzzySetValues* FuzzySet, TFzyFloat X1,
                                                 TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::IntersectionProduct(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorUnionProduct(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                          TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::UnionProduct(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorIntersectionBoundedSum(TFuzzySetValues* FuzzySet, TFzyFloat X1,
                                                    TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::IntersectionBoundedSum(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorUnionBoundedSum(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                             TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::UnionBoundedSum(Y1, Y2));
}

bool TFuzzySet::FuzzyOperatorUnionSum(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                      TFzyFloat, TFzyFloat Y2) {
    return AppendPoint(FuzzySet, X1, degrees::UnionSum(Y1, Y2));
}

// ---- walk helpers for callers' own walks ----

void NextPoint(TFuzzySetValue* Current, TFuzzySetValue* Previous, int& Index,
               const TFuzzySetValues* List, TFzyFloat EndX) {
    Previous->Assign(Current);
    ++Index;
    if (Index < List->GetCount())
        Current->Assign(List->GetItem(Index));
    else
        Current->SetX(EndX);
}

void AddAndIncrement(TFuzzySet* ResultSet, TFuzzySetValue* Current, TFuzzySetValue* Previous,
                     TFuzzySetValue* LastEqual, int& Index, TFzyFloat A, TFzyFloat B,
                     const TFuzzySetValues* List, TFzyFloat EndX, bool KeepIfGreater) {
    if (KeepIfGreater ? A >= B : A < B)
        ResultSet->GetValues()->Add()->Assign(Current);
    NextPoint(Current, Previous, Index, List, EndX);
    if (A == B)
        LastEqual->Assign(Previous);
}

void Add1AndIncrement2(TFuzzySet* ResultSet, TFuzzySetValue* Current1, TFuzzySetValue* Previous1,
                       TFuzzySetValue* LastEqual1, int& Index1, TFzyFloat A, TFzyFloat B,
                       const TFuzzySetValues* List1, TFzyFloat EndX1, bool KeepIfGreater,
                       TFuzzySetValue* Current2, TFuzzySetValue* Previous2, int& Index2,
                       const TFuzzySetValues* List2, TFzyFloat EndX2) {
    AddAndIncrement(ResultSet, Current1, Previous1, LastEqual1, Index1, A, B, List1, EndX1,
                    KeepIfGreater);
    NextPoint(Current2, Previous2, Index2, List2, EndX2);
}

} // namespace fuzzy
