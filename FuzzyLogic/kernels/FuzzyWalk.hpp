#pragma once
// The walk over two curves that combination, comparison, correlation and the compiled
// controller share.

#include <algorithm>

#include "FuzzyLogic/kernels/FuzzyMembership.hpp"

namespace fuzzy::kernels {

namespace walk {

/// A straight piece of one curve: a segment, or a flat continuation beyond an end point.
struct TPiece {
    TPoint From;
    TPoint To;
    bool Horizontal;

    TFzyFloat At(TFzyFloat X) const {
        return Horizontal ? From.Y : InterpolateY(From.X, From.Y, To.X, To.Y, X);
    }
};

/// One curve's place in the walk: the last point passed and the next one.
class TSide {
public:
    explicit TSide(TPoints Points)
        : FPoints(Points), FCount(static_cast<int>(Points.size())), FNext(Points[0]) {}

    bool Done() const { return FIndex >= FCount; }
    int Index() const { return FIndex; }
    const TPoint& Next() const { return FNext; }
    void Advance() {
        FPassed = FNext;
        if (++FIndex < FCount)
            FNext = FPoints[static_cast<std::size_t>(FIndex)];
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
               FloatEquals(FPoints[static_cast<std::size_t>(FIndex + 1)].X, FNext.X);
    }
    /// The highest point of the vertical line that starts at the next point.
    TFzyFloat HighestOfNextLine() const {
        return FPoints[static_cast<std::size_t>(HighestOnLine(FPoints, FIndex, +1))].Y;
    }

private:
    TPoints FPoints;
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

// The walk reports, in ascending X, every breakpoint of either curve (with the other
// curve's membership there) and every crossing of the two curves, a crossing before the
// breakpoint that closes its segment: Callback(X1, Y1, X2, Y2), (X1, Y1) on the first
// curve and (X2, Y2) on the second; returning true stops the walk. True when the callback
// stopped it, or both curves are empty. Between two neighbouring breakpoints each curve is
// one straight piece (a segment, or its flat continuation beyond an end point), so a
// crossing there is where the two pieces change sides: it lies on both curves and between
// the breakpoints.
//
// Vertical lines that both curves have at one X are paired point by point in list order;
// the longer line goes on against the other's last point there, which is that curve
// beside the line on the right. When both lines have several points, the pair of their
// highest points follows the first pair, so the result's line reaches the combination of
// the two memberships at that very X.
template <class Comparison>
bool Walk(const TCurve& First, const TCurve& Second, Comparison&& Callback) {
    const TPoints first = First.Points;
    const TPoints second = Second.Points;
    if (first.empty() || second.empty()) {
        if (first.empty() && second.empty())
            return true;
        for (const TPoint& point : first.empty() ? second : first)
            if (Callback(point.X, point.Y, point.X, point.Y))
                return true;
        return false;
    }
    TMembershipCursor cursor1;
    TMembershipCursor cursor2;
    // The other curve at X, where one curve has a breakpoint: its last point passed when
    // that stands on the same vertical line, else its membership.
    auto beside = [](const TCurve& Curve, const walk::TSide& Side, TFzyFloat X,
                     TMembershipCursor& Cursor) {
        TFzyFloat y = 0;
        return Side.PassedOnLine(X, y) ? y : Membership(Curve, X, Cursor);
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

        TPoint crossing{};
        if (started && walk::Crossing(a.Ahead(), b.Ahead(), lastX, x, crossing) &&
            Callback(crossing.X, crossing.Y, crossing.X, crossing.Y))
            return true;

        if (paired) {
            const TPoint p = a.Next();
            const TPoint q = b.Next();
            if (Callback(p.X, p.Y, q.X, q.Y))
                return true;
            if (a.NextStartsVerticalLine() && b.NextStartsVerticalLine() &&
                Callback(p.X, a.HighestOfNextLine(), q.X, b.HighestOfNextLine()))
                return true;
            a.Advance();
            b.Advance();
        } else if (firstOnly) {
            const TPoint p = a.Next();
            if (Callback(p.X, p.Y, p.X, beside(Second, b, p.X, cursor2)))
                return true;
            a.Advance();
        } else {
            const TPoint q = b.Next();
            if (Callback(q.X, beside(First, a, q.X, cursor1), q.X, q.Y))
                return true;
            b.Advance();
        }
        started = true;
        lastX = x;
    }
    return false;
}

/// One step of the correlation strength: the height so far against min(Y1, Y2).
inline TFzyFloat MaxOfMin(TFzyFloat Highest, TFzyFloat Y1, TFzyFloat Y2) {
    return std::max(Highest, std::min(Y1, Y2));
}

/// The height of the minimum of the two curves: the largest min(Y1, Y2) of the walk, 0
/// when the curves are empty.
inline TFzyFloat CorrelationStrength(const TCurve& First, const TCurve& Second) {
    TFzyFloat highest = 0;
    Walk(First, Second, [&highest](TFzyFloat, TFzyFloat Y1, TFzyFloat, TFzyFloat Y2) {
        highest = MaxOfMin(highest, Y1, Y2);
        return false;
    });
    return highest;
}

/// The part of Curve that a walk against a spike at X (a crisp value's fact) can tell from
/// the whole curve: from the last point left of X by more than a few tolerances to the
/// first point right of it by as much. Away from X the spike is flat at 0, so no event
/// there lifts the correlation strength, no crossing happens there, and the walk's state on
/// reaching X depends only on the points around it: the strength over the part is the
/// strength over the whole curve, to the bit.
inline TCurve AroundSpike(const TCurve& Curve, TFzyFloat X) {
    constexpr TFzyFloat Margin = 4 * FuzzyEpsilon; // the same in CrispStrength
    const TPoints points = Curve.Points;
    if (points.empty())
        return Curve;
    std::size_t first = 0;
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].X < X - Margin)
            first = i;
    std::size_t last = first;
    while (last + 1 < points.size() && !(points[last].X > X + Margin))
        ++last;
    return {points.subspan(first, last - first + 1), Curve.ExactlyOrdered};
}

/// The correlation strength of Curve with the fact of the crisp value X: the spike
/// (X, 0), (X, 1), (X, 0), as CreateCrispValue makes it on a free set. When no point of the
/// curve lies within a few tolerances of X, the walk meets the spike only at X itself, where
/// the curve's membership is the one value above 0 it can see: that is the strength then.
inline TFzyFloat CrispStrength(const TCurve& Curve, TFzyFloat X) {
    constexpr TFzyFloat Margin = 4 * FuzzyEpsilon;
    const TCurve around = AroundSpike(Curve, X);
    const bool clear =
        std::none_of(around.Points.begin(), around.Points.end(),
                     [X](const TPoint& P) { return P.X >= X - Margin && P.X <= X + Margin; });
    if (clear && !around.Points.empty())
        return MaxOfMin(0, Membership(around, X), 1);
    const TPoint spike[] = {{X, 0}, {X, 1}, {X, 0}};
    return CorrelationStrength(around, {spike, true});
}

} // namespace fuzzy::kernels
