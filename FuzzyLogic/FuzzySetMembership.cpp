// The membership function of a set and its geometric helpers.

#include <algorithm>
#include <cmath>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/kernels/FuzzyMembership.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

TFzyFloat TFuzzySet::InterpolateY(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                  TFzyFloat XValue) {
    return fuzzy::InterpolateY(X1, Y1, X2, Y2, XValue);
}

TFzyFloat TFuzzySet::InterpolateX(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                  TFzyFloat YValue) {
    return fuzzy::InterpolateX(X1, Y1, X2, Y2, YValue);
}

TFzyFloat TFuzzySet::GetSlope(const TFuzzySetValue* P1, const TFuzzySetValue* P2) {
    const TFzyFloat rise = P2->GetY() - P1->GetY();
    if (FloatEquals(P1->GetX(), P2->GetX()))
        return Sign(rise);
    return rise / (P2->GetX() - P1->GetX());
}

int TFuzzySet::GetMaxYValueOfX(int Index, int Direction) const {
    return GetExtremeYValueOfX(Index, Direction, true);
}

int TFuzzySet::GetMinYValueOfX(int Index, int Direction) const {
    return GetExtremeYValueOfX(Index, Direction, false);
}

int TFuzzySet::GetExtremeYValueOfX(int Index, int Direction, bool Highest) const {
    if (Direction != 1 && Direction != -1)
        throw EArgumentOutOfRangeException(SInvalidDirection, Direction);
    FValues->GetItem(Index); // an index outside the list raises EListError
    return kernels::ExtremeOnLine(FValues->GetCurve().Points, Index, Direction, Highest);
}

TFzyFloat TFuzzySet::DegreeOfMembership(TFzyFloat Value) const {
    return kernels::Membership(FValues->GetCurve(), Value);
}

} // namespace fuzzy
