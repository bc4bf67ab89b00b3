#pragma once
// The walk over two curves that combination, comparison and correlation share. Internal to
// the FuzzyLogic module: included by the files that define the set's operations.

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace walk {

/// The other set of a two-set operation, which must be given.
inline const TFuzzySet& Required(const TFuzzySet* Set) {
    if (Set == nullptr)
        throw EArgumentOutOfRangeException("No fuzzy set given to combine with");
    return *Set;
}

struct TPoint {
    TFzyFloat X;
    TFzyFloat Y;
};

inline TPoint PointOf(const TFuzzySetValue* Value) { return {Value->GetX(), Value->GetY()}; }

inline bool StrictlyBetween(TFzyFloat A, TFzyFloat Middle, TFzyFloat B) {
    return (A < Middle && Middle < B) || (A > Middle && Middle > B);
}

// True when every Y equals the first within the tolerance.
inline bool IsFlat(const TFuzzySetValues& Values) {
    return Values.SkipY(0, Values[0]->GetY(), +1) == -1;
}

} // namespace walk

// The walk reports, in ascending X, every breakpoint of either set (with the other set's
// membership there) and every crossing of the two curves, a crossing before the breakpoint
// that closes its segment.
template <class Comparison>
bool TFuzzySet::Walk(const TFuzzySet& Other, Comparison&& Callback) const {
    const TFuzzySetValues& first = *FValues;
    const TFuzzySetValues& second = *Other.FValues;
    const int count1 = first.GetCount();
    const int count2 = second.GetCount();
    if (count1 == 0 || count2 == 0) {
        if (count1 == 0 && count2 == 0)
            return true;
        for (const TFuzzySetValue* point : count1 > 0 ? first : second)
            if (Callback(point->GetX(), point->GetY(), point->GetX(), point->GetY()))
                return true;
        return false;
    }
    const bool flat1 = walk::IsFlat(first);
    const bool flat2 = walk::IsFlat(second);
    TMembershipCursor cursor1;
    TMembershipCursor cursor2;
    int i = 0;
    int j = 0;
    walk::TPoint a0 = walk::PointOf(first[0]);
    walk::TPoint b0 = walk::PointOf(second[0]);
    walk::TPoint a = a0;
    walk::TPoint b = b0;
    while (i < count1 || j < count2) {
        if (i < count1)
            a = walk::PointOf(first[i]);
        if (j < count2)
            b = walk::PointOf(second[j]);

        TFzyFloat x = 0;
        TFzyFloat y = 0;
        if (flat1 && walk::StrictlyBetween(b0.Y, a.Y, b.Y)) {
            x = InterpolateX(b0.X, b0.Y, b.X, b.Y, a.Y);
            if (Callback(x, a.Y, x, a.Y))
                return true;
        } else if (flat2 && walk::StrictlyBetween(a0.Y, b.Y, a.Y)) {
            x = InterpolateX(a0.X, a0.Y, a.X, a.Y, b.Y);
            if (Callback(x, b.Y, x, b.Y))
                return true;
        } else if (LineSegmentIntersects(a0.X, a0.Y, a.X, a.Y, b0.X, b0.Y, b.X, b.Y, x, y)) {
            if (Callback(x, y, x, y))
                return true;
        }

        const bool bothLeft = i < count1 && j < count2;
        if (bothLeft && FloatEquals(a.X, b.X)) {
            if (Callback(a.X, a.Y, b.X, b.Y))
                return true;
            a0 = a;
            b0 = b;
            ++i;
            ++j;
        } else if (j >= count2 || (bothLeft && b.X > a.X)) {
            if (Callback(a.X, a.Y, a.X, Other.DegreeOfMembership(a.X, cursor2)))
                return true;
            a0 = a;
            ++i;
        } else {
            if (Callback(b.X, DegreeOfMembership(b.X, cursor1), b.X, b.Y))
                return true;
            b0 = b;
            ++j;
        }
    }
    return false;
}

} // namespace fuzzy
