#pragma once
// The walk over two curves that combination, comparison and correlation share. Internal to
// the FuzzyLogic module: included by the files that define the set's operations.

#include <algorithm>
#include <memory>

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

// True when every Y equals the first within the tolerance.
inline bool IsFlat(const TFuzzySetValues& Values) {
    return Values.SkipY(0, Values[0]->GetY(), +1) == -1;
}

/// The straight piece of one curve that lies ahead of a walk whose next point of this
/// curve is Next: the segment into that point, or the flat continuation of the curve
/// before its first point (Next = 0) or after its last (Next = count).
struct TPiece {
    TPoint From;
    TPoint To;
    bool Horizontal;

    static TPiece Ahead(const TFuzzySetValues& Values, int Next) {
        const int count = Values.GetCount();
        if (Next == 0 || Next >= count) {
            const TPoint end = PointOf(Values[Next == 0 ? 0 : count - 1]);
            return {end, end, true};
        }
        const TPoint from = PointOf(Values[Next - 1]);
        const TPoint to = PointOf(Values[Next]);
        return {from, to, from.Y == to.Y};
    }

    TFzyFloat At(TFzyFloat X) const {
        return Horizontal ? From.Y : InterpolateY(From.X, From.Y, To.X, To.Y, X);
    }
};

/// Where two pieces cross strictly between Left and Right, the X values of two
/// neighbouring breakpoints of the walk: the curves change sides there, so there is
/// exactly one such point, on both curves. False when they touch, coincide or keep
/// their sides. A horizontal piece gives its own height, so that the crossing is exact.
inline bool Crossing(const TPiece& A, const TPiece& B, TFzyFloat Left, TFzyFloat Right,
                     TPoint& At) {
    if (!(Left < Right))
        return false;
    const TFzyFloat left = A.At(Left) - B.At(Left);
    const TFzyFloat right = A.At(Right) - B.At(Right);
    if (!((left < 0 && right > 0) || (left > 0 && right < 0)))
        return false;
    if (A.Horizontal)
        At = {InterpolateX(B.From.X, B.From.Y, B.To.X, B.To.Y, A.From.Y), A.From.Y};
    else if (B.Horizontal)
        At = {InterpolateX(A.From.X, A.From.Y, A.To.X, A.To.Y, B.From.Y), B.From.Y};
    else {
        const TFzyFloat x = Left + (Right - Left) * (left / (left - right));
        At = {x, A.At(x)};
    }
    // Rounding must not move the crossing past the breakpoints around it.
    At.X = std::clamp(At.X, Left, Right);
    return true;
}

/// True when the point at Index is the first of a vertical line of at least two points.
inline bool StartsVerticalLine(const TFuzzySetValues& Values, int Index) {
    const TFzyFloat x = Values[Index]->GetX();
    return (Index == 0 || !FloatEquals(Values[Index - 1]->GetX(), x)) &&
           Index + 1 < Values.GetCount() && FloatEquals(Values[Index + 1]->GetX(), x);
}

/// A new result set while an operation fills it. A result in no collection is freed again
/// if the operation fails; one that joined a collection stays there, like any term.
class TPendingResult {
public:
    explicit TPendingResult(TFuzzySet* Set)
        : FSet(Set), FOwner(Set->TCollectionItem::GetCollection() != nullptr ? nullptr : Set) {}
    TFuzzySet* operator->() const { return FSet; }
    /// Hands the finished result to the caller.
    TFuzzySet* Release() {
        FOwner.release();
        return FSet;
    }

private:
    TFuzzySet* FSet;
    std::unique_ptr<TFuzzySet> FOwner;
};

} // namespace walk

// The walk reports, in ascending X, every breakpoint of either set (with the other set's
// membership there) and every crossing of the two curves, a crossing before the breakpoint
// that closes its segment. Between two neighbouring breakpoints each curve is one straight
// piece (a segment, or its flat continuation beyond an end point), so a crossing there is
// where the two pieces change sides: it lies on both curves and between the breakpoints.
//
// Vertical lines that both sets have at one X are paired point by point in list order;
// the longer line goes on against the other's last point there, which is that curve
// beside the line on the right. When both lines have several points, the pair of their
// highest points follows the first pair, so the result's line reaches the combination of
// the two memberships at that very X.
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
    TMembershipCursor cursor1;
    TMembershipCursor cursor2;
    // The other curve at X, where one curve has a breakpoint: its last point passed when
    // that stands on the same vertical line, else its membership.
    auto beside = [](const TFuzzySet& Set, int Next, TFzyFloat X, TMembershipCursor& Cursor) {
        const TFuzzySetValues& values = *Set.FValues;
        if (Next > 0 && FloatEquals(values[Next - 1]->GetX(), X))
            return values[Next - 1]->GetY();
        return Set.DegreeOfMembership(X, Cursor);
    };
    int i = 0;
    int j = 0;
    bool started = false;
    TFzyFloat lastX = 0;
    while (i < count1 || j < count2) {
        const bool both = i < count1 && j < count2;
        const bool paired = both && FloatEquals(first[i]->GetX(), second[j]->GetX());
        const bool firstOnly = !paired && (j >= count2 || (both && second[j]->GetX() > first[i]->GetX()));
        const TFzyFloat x = paired || firstOnly ? first[i]->GetX() : second[j]->GetX();

        walk::TPoint crossing{};
        if (started && walk::Crossing(walk::TPiece::Ahead(first, i), walk::TPiece::Ahead(second, j),
                                      lastX, x, crossing) &&
            Callback(crossing.X, crossing.Y, crossing.X, crossing.Y))
            return true;

        if (paired) {
            const walk::TPoint a = walk::PointOf(first[i]);
            const walk::TPoint b = walk::PointOf(second[j]);
            if (Callback(a.X, a.Y, b.X, b.Y))
                return true;
            if (walk::StartsVerticalLine(first, i) && walk::StartsVerticalLine(second, j) &&
                Callback(a.X, first[GetMaxYValueOfX(i, +1)]->GetY(), b.X,
                         second[Other.GetMaxYValueOfX(j, +1)]->GetY()))
                return true;
            ++i;
            ++j;
        } else if (firstOnly) {
            const walk::TPoint a = walk::PointOf(first[i]);
            if (Callback(a.X, a.Y, a.X, beside(Other, j, a.X, cursor2)))
                return true;
            ++i;
        } else {
            const walk::TPoint b = walk::PointOf(second[j]);
            if (Callback(b.X, beside(*this, i, b.X, cursor1), b.X, b.Y))
                return true;
            ++j;
        }
        started = true;
        lastX = x;
    }
    return false;
}

} // namespace fuzzy
