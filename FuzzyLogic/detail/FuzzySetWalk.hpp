#pragma once
// The walk over two curves that combination, comparison and correlation share. Internal to
// the FuzzyLogic module: included by the files that define the set's operations.

#include <algorithm>
#include <memory>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace walk {

/// The other set of a two-set operation, which must be given.
inline const TFuzzySet& Required(const TFuzzySet* Set) {
    if (Set == nullptr)
        throw EArgumentOutOfRangeException(SNoSetToCombine);
    return *Set;
}

struct TPoint {
    TFzyFloat X;
    TFzyFloat Y;
};

inline TPoint PointOf(const TFuzzySetValue* Value) {
    return {Value->GetX(), Value->GetY()};
}

// True when every Y equals the first within the tolerance.
inline bool IsFlat(const TFuzzySetValues& Values) {
    return Values.SkipY(0, Values[0]->GetY(), +1) == -1;
}

/// A straight piece of one curve: a segment, or a flat continuation beyond an end point.
struct TPiece {
    TPoint From;
    TPoint To;
    bool Horizontal;

    TFzyFloat At(TFzyFloat X) const {
        return Horizontal ? From.Y : InterpolateY(From.X, From.Y, To.X, To.Y, X);
    }
};

/// One set's place in the walk: the last point passed and the next one, each read once.
class TSide {
public:
    explicit TSide(const TFuzzySetValues& Values)
        : FValues(Values), FCount(Values.GetCount()), FNext(PointOf(Values[0])) {}

    bool Done() const { return FIndex >= FCount; }
    int Index() const { return FIndex; }
    const TPoint& Next() const { return FNext; }
    void Advance() {
        FPassed = FNext;
        if (++FIndex < FCount)
            FNext = PointOf(FValues[FIndex]);
    }
    /// The piece of the curve ahead: the segment into the next point, or the flat
    /// continuation before the first point or after the last.
    TPiece Ahead() const {
        if (FIndex == 0)
            return {FNext, FNext, true};
        if (Done())
            return {FPassed, FPassed, true};
        return {FPassed, FNext, FPassed.Y == FNext.Y};
    }
    /// The last point passed, when it stands on the vertical line at X.
    bool PassedOnLine(TFzyFloat X, TFzyFloat& Y) const {
        if (FIndex == 0 || !FloatEquals(FPassed.X, X))
            return false;
        Y = FPassed.Y;
        return true;
    }
    /// True when the next point is the first of a vertical line of at least two points.
    bool NextStartsVerticalLine() const {
        return (FIndex == 0 || !FloatEquals(FPassed.X, FNext.X)) && FIndex + 1 < FCount &&
               FloatEquals(FValues[FIndex + 1]->GetX(), FNext.X);
    }

private:
    const TFuzzySetValues& FValues;
    int FCount;
    int FIndex = 0;
    TPoint FPassed{};
    TPoint FNext;
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
    auto beside = [](const TFuzzySet& Set, const walk::TSide& Side, TFzyFloat X,
                     TMembershipCursor& Cursor) {
        TFzyFloat y = 0;
        return Side.PassedOnLine(X, y) ? y : Set.DegreeOfMembership(X, Cursor);
    };
    walk::TSide a(first);
    walk::TSide b(second);
    bool started = false;
    TFzyFloat lastX = 0;
    while (!a.Done() || !b.Done()) {
        const bool both = !a.Done() && !b.Done();
        const bool paired = both && FloatEquals(a.Next().X, b.Next().X);
        const bool firstOnly = !paired && (b.Done() || (both && b.Next().X > a.Next().X));
        const TFzyFloat x = paired || firstOnly ? a.Next().X : b.Next().X;

        walk::TPoint crossing{};
        if (started && walk::Crossing(a.Ahead(), b.Ahead(), lastX, x, crossing) &&
            Callback(crossing.X, crossing.Y, crossing.X, crossing.Y))
            return true;

        if (paired) {
            const walk::TPoint p = a.Next();
            const walk::TPoint q = b.Next();
            if (Callback(p.X, p.Y, q.X, q.Y))
                return true;
            if (a.NextStartsVerticalLine() && b.NextStartsVerticalLine() &&
                Callback(p.X, first[GetMaxYValueOfX(a.Index(), +1)]->GetY(), q.X,
                         second[Other.GetMaxYValueOfX(b.Index(), +1)]->GetY()))
                return true;
            a.Advance();
            b.Advance();
        } else if (firstOnly) {
            const walk::TPoint p = a.Next();
            if (Callback(p.X, p.Y, p.X, beside(Other, b, p.X, cursor2)))
                return true;
            a.Advance();
        } else {
            const walk::TPoint q = b.Next();
            if (Callback(q.X, beside(*this, a, q.X, cursor1), q.X, q.Y))
                return true;
            b.Advance();
        }
        started = true;
        lastX = x;
    }
    return false;
}

} // namespace fuzzy
