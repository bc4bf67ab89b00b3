// The membership function of a set and its geometric helpers.

#include <algorithm>
#include <cmath>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
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
    const TFuzzySetValues& values = *FValues;
    const TFzyFloat x = values[Index]->GetX();
    int best = Index;
    for (int i = Index + Direction; i >= 0 && i < values.GetCount(); i += Direction) {
        const TFuzzySetValue* point = values[i];
        if (!FloatEquals(point->GetX(), x))
            break;
        const TFzyFloat bestY = values[best]->GetY();
        if (Highest ? point->GetY() > bestY : point->GetY() < bestY)
            best = i;
    }
    return best;
}

// The first index from 1 on whose X is at or right of X. The points are ordered only
// within the tolerance, so bisection is used only when the list is ordered exactly;
// otherwise the walk gives the answer, as it does by definition.
int TFuzzySet::FindFirstAtOrRightOf(TFzyFloat X) const {
    const TFuzzySetValues& values = *FValues;
    const int count = values.GetCount();
    if (values.IsExactlyOrdered()) {
        int low = 1;
        int high = count - 1;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (values[middle]->GetX() < X)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }
    for (int i = 1; i < count; ++i)
        if (values[i]->GetX() >= X)
            return i;
    return count - 1;
}

template <class FindIndex>
TFzyFloat TFuzzySet::MembershipAt(TFzyFloat X, FindIndex&& FirstAtOrRightOf) const {
    if (std::isnan(X))
        throw EArgumentOutOfRangeException(SMembershipNotANumber);
    const TFuzzySetValues& values = *FValues;
    const int count = values.GetCount();
    if (count == 0)
        return 0;
    const TFuzzySetValue* first = values[0];
    const TFuzzySetValue* last = values[count - 1];
    if (X < first->GetX())
        return first->GetY();
    if (X == first->GetX())
        return values[GetMaxYValueOfX(0, +1)]->GetY();
    if (X > last->GetX())
        return last->GetY();
    if (X == last->GetX())
        return values[GetMaxYValueOfX(count - 1, -1)]->GetY();
    const int i = FirstAtOrRightOf(X);
    const TFuzzySetValue* point = values[i];
    if (point->GetX() == X)
        return values[GetMaxYValueOfX(i, +1)]->GetY();
    const TFuzzySetValue* previous = values[i - 1];
    return InterpolateY(previous->GetX(), previous->GetY(), point->GetX(), point->GetY(), X);
}

TFzyFloat TFuzzySet::DegreeOfMembership(TFzyFloat Value) const {
    return MembershipAt(Value, [this](TFzyFloat X) { return FindFirstAtOrRightOf(X); });
}

// On an exactly ordered list, the first index at or right of X only moves forward while X
// grows, so a walk over ascending X values finds each in amortised constant time.
TFzyFloat TFuzzySet::DegreeOfMembership(TFzyFloat Value, TMembershipCursor& Cursor) const {
    if (!FValues->IsExactlyOrdered())
        return DegreeOfMembership(Value);
    if (!Cursor.Started || Value < Cursor.LastX)
        Cursor.Index = 1;
    Cursor.Started = true;
    Cursor.LastX = Value;
    return MembershipAt(Value, [this, &Cursor](TFzyFloat X) {
        const TFuzzySetValues& values = *FValues;
        const int last = values.GetCount() - 1;
        while (Cursor.Index < last && values[Cursor.Index]->GetX() < X)
            ++Cursor.Index;
        return Cursor.Index;
    });
}

} // namespace fuzzy
