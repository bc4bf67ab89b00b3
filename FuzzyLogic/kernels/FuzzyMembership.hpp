#pragma once
// The membership function of a curve: flat beyond its ends, straight between its points,
// and the highest point of a vertical line exactly on it.

#include <cmath>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/kernels/FuzzyPoints.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy::kernels {

/// Index of the highest (Highest) or lowest point on the vertical line of the point at
/// Index, walking by Direction (+1 or -1); ties keep the first met.
inline int ExtremeOnLine(TPoints Points, int Index, int Direction, bool Highest) {
    const TFzyFloat x = Points[static_cast<std::size_t>(Index)].X;
    int best = Index;
    for (int i = Index + Direction; i >= 0 && i < static_cast<int>(Points.size()); i += Direction) {
        const TPoint& point = Points[static_cast<std::size_t>(i)];
        if (!FloatEquals(point.X, x))
            break;
        const TFzyFloat bestY = Points[static_cast<std::size_t>(best)].Y;
        if (Highest ? point.Y > bestY : point.Y < bestY)
            best = i;
    }
    return best;
}

inline int HighestOnLine(TPoints Points, int Index, int Direction) {
    return ExtremeOnLine(Points, Index, Direction, true);
}

/// The first index from 1 on whose X is at or right of X. The points are ordered only
/// within the tolerance, so bisection is used only when the curve is ordered exactly;
/// otherwise the walk gives the answer, as it does by definition.
inline int FirstAtOrRightOf(const TCurve& Curve, TFzyFloat X) {
    const TPoints points = Curve.Points;
    const int count = static_cast<int>(points.size());
    if (Curve.ExactlyOrdered) {
        int low = 1;
        int high = count - 1;
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (points[static_cast<std::size_t>(middle)].X < X)
                low = middle + 1;
            else
                high = middle;
        }
        return low;
    }
    for (int i = 1; i < count; ++i)
        if (points[static_cast<std::size_t>(i)].X >= X)
            return i;
    return count - 1;
}

/// The membership at X, FindIndex giving FirstAtOrRightOf. Raises
/// EArgumentOutOfRangeException for NaN.
template <class FindIndex>
TFzyFloat MembershipAt(TPoints Points, TFzyFloat X, FindIndex&& FirstAtOrRight) {
    if (std::isnan(X))
        throw EArgumentOutOfRangeException(SMembershipNotANumber);
    const int count = static_cast<int>(Points.size());
    if (count == 0)
        return 0;
    const TPoint& first = Points.front();
    const TPoint& last = Points.back();
    if (X < first.X)
        return first.Y;
    if (X == first.X)
        return Points[static_cast<std::size_t>(HighestOnLine(Points, 0, +1))].Y;
    if (X > last.X)
        return last.Y;
    if (X == last.X)
        return Points[static_cast<std::size_t>(HighestOnLine(Points, count - 1, -1))].Y;
    const int i = FirstAtOrRight(X);
    const TPoint& point = Points[static_cast<std::size_t>(i)];
    if (point.X == X)
        return Points[static_cast<std::size_t>(HighestOnLine(Points, i, +1))].Y;
    const TPoint& previous = Points[static_cast<std::size_t>(i - 1)];
    return InterpolateY(previous.X, previous.Y, point.X, point.Y, X);
}

inline TFzyFloat Membership(const TCurve& Curve, TFzyFloat X) {
    return MembershipAt(Curve.Points, X,
                        [&Curve](TFzyFloat Value) { return FirstAtOrRightOf(Curve, Value); });
}

/// Remembers where the last membership query ended, so that a walk asking for ascending X
/// values moves forward instead of searching afresh.
struct TMembershipCursor {
    int Index = 1;
    TFzyFloat LastX = 0;
    bool Started = false;
};

/// On an exactly ordered curve the first index at or right of X only moves forward while X
/// grows, so a walk over ascending X values finds each in amortised constant time.
inline TFzyFloat Membership(const TCurve& Curve, TFzyFloat X, TMembershipCursor& Cursor) {
    if (!Curve.ExactlyOrdered)
        return Membership(Curve, X);
    if (!Cursor.Started || X < Cursor.LastX)
        Cursor.Index = 1;
    Cursor.Started = true;
    Cursor.LastX = X;
    return MembershipAt(Curve.Points, X, [&Curve, &Cursor](TFzyFloat Value) {
        const int last = static_cast<int>(Curve.Points.size()) - 1;
        while (Cursor.Index < last &&
               Curve.Points[static_cast<std::size_t>(Cursor.Index)].X < Value)
            ++Cursor.Index;
        return Cursor.Index;
    });
}

} // namespace fuzzy::kernels
