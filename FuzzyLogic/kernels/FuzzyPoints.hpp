#pragma once
// Curves as plain arrays of points: the form in which every algorithm on membership functions
// runs, whether the points come from a set's point list or from a compiled controller's
// buffers. The axis and the settings reach the algorithms once per call.

#include <cmath>
#include <span>
#include <vector>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy::kernels {

struct TPoint {
    TFzyFloat X;
    TFzyFloat Y;

    friend bool operator==(const TPoint&, const TPoint&) = default;
};

using TPoints = std::span<const TPoint>;

/// The X axis of a curve: where its points may lie, and how far it runs flat for the
/// centre of gravity.
struct TAxis {
    TFzyFloat Minimum;
    TFzyFloat Maximum;
};

/// A curve's points and whether their X values never decrease when compared exactly:
/// membership queries search an exactly ordered curve by bisection and walk any other.
struct TCurve {
    TPoints Points;
    bool ExactlyOrdered = true;
};

inline bool IsExactlyOrdered(TPoints Points) {
    for (std::size_t i = 1; i < Points.size(); ++i)
        if (Points[i].X < Points[i - 1].X)
            return false;
    return true;
}

/// True when both coordinates agree within the tolerance.
inline bool SamePoint(const TPoint& A, const TPoint& B) {
    return FloatEquals(A.X, B.X) && FloatEquals(A.Y, B.Y);
}

/// The X a point of a set's list keeps when set to X: clamped into the set's axis.
/// Raises EArgumentOutOfRangeException for NaN.
inline TFzyFloat StoredX(TFzyFloat X, const TAxis& Axis) {
    if (std::isnan(X))
        throw EArgumentOutOfRangeException(SPointNotANumber, "X");
    if (Axis.Minimum > X)
        return Axis.Minimum;
    if (Axis.Maximum < X)
        return Axis.Maximum;
    return X;
}

/// The Y a point of a set's list keeps when set to Y: never negative, and 0 is always +0.
/// Raises EArgumentOutOfRangeException for NaN.
inline TFzyFloat StoredY(TFzyFloat Y) {
    if (std::isnan(Y))
        throw EArgumentOutOfRangeException(SPointNotANumber, "Y");
    return Y > 0 ? Y : 0.0;
}

/// True when a point at X between neighbours at PreviousX and NextX leaves the list
/// ordered within the tolerance.
inline bool StaysInOrder(TFzyFloat PreviousX, TFzyFloat X, TFzyFloat NextX) {
    return PreviousX - FuzzyEpsilon <= X && NextX + FuzzyEpsilon >= X;
}

/// Points appended one by one as a set's list takes them inside an update bracket: each
/// stored by StoredX and StoredY, and the list remembering whether every point kept the
/// order with the point before it (its clean-up sorts only when one did not).
class TPointAppender {
public:
    TPointAppender(std::vector<TPoint>& Points, const TAxis& Axis) : FPoints(Points), FAxis(Axis) {
        FPoints.clear();
    }

    void Append(TFzyFloat X, TFzyFloat Y) {
        const TFzyFloat x = StoredX(X, FAxis);
        if (!FPoints.empty() && FSorted)
            FSorted = StaysInOrder(FPoints.back().X, x, x);
        FPoints.push_back({x, StoredY(Y)});
    }
    bool Sorted() const { return FSorted; }

private:
    std::vector<TPoint>& FPoints;
    TAxis FAxis;
    bool FSorted = true;
};

} // namespace fuzzy::kernels
