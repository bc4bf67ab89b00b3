// Polylines that follow curves, and the degree of a point list.

#include "FuzzyInterchange/detail/TermPolyline.hpp"

#include <algorithm>
#include <cmath>

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"

namespace fuzzy {

namespace interchange {

namespace {

/// The narrowest interval that may still be halved: its halves stay wider than the
/// library's X tolerance, so no two points of a polyline count as one X.
constexpr TFzyFloat NarrowestSplit = 4 * FuzzyEpsilon;
constexpr int Probes = 7;

// Weighted means are written so that no difference of two huge bounds overflows.
TFzyFloat Between(TFzyFloat A, TFzyFloat B, TFzyFloat T) {
    return (1 - T) * A + T * B;
}

class TCurveFollower {
public:
    TCurveFollower(const std::function<TFzyFloat(TFzyFloat)>& Curve, const std::string& Shape,
                   int Line)
        : FCurve(Curve), FShape(Shape), FLine(Line) {}

    TDescribedPoint At(TFzyFloat X) const {
        const TFzyFloat y = FCurve(X);
        if (!(y >= 0 && y <= 1))
            throw EFzyInterchangeException(FLine, SIcCurveNotADegree, FShape);
        return {X, y};
    }

    /// Appends the points after From up to and including To.
    void Follow(TDescribedPoint From, TDescribedPoint To) {
        std::vector<TDescribedPoint> pending{To};
        while (!pending.empty()) {
            const TDescribedPoint right = pending.back();
            if (FitsChord(From, right)) {
                Emit(right);
                From = right;
                pending.pop_back();
                continue;
            }
            if (!(right.X / 2 - From.X / 2 >= NarrowestSplit / 2))
                throw EFzyInterchangeException(FLine, SIcCurveTooSteep, FShape);
            pending.push_back(At(Between(From.X, right.X, 0.5)));
        }
    }

    void Emit(TDescribedPoint Point) {
        if (static_cast<int>(FPoints.size()) >= MaxPolylinePoints)
            throw EFzyInterchangeException(FLine, SIcTooManyPolylinePoints, FShape,
                                           MaxPolylinePoints);
        FPoints.push_back(Point);
    }

    std::vector<TDescribedPoint> Take() { return std::move(FPoints); }

private:
    bool FitsChord(TDescribedPoint A, TDescribedPoint B) const {
        for (int k = 1; k <= Probes; ++k) {
            const TFzyFloat t = static_cast<TFzyFloat>(k) / (Probes + 1);
            const TFzyFloat chord = Between(A.Y, B.Y, t);
            if (std::abs(At(Between(A.X, B.X, t)).Y - chord) > PolylineTolerance / 2)
                return false;
        }
        return true;
    }

    const std::function<TFzyFloat(TFzyFloat)>& FCurve;
    const std::string& FShape;
    int FLine;
    std::vector<TDescribedPoint> FPoints;
};

} // namespace

std::vector<TDescribedPoint> FollowCurve(const std::function<TFzyFloat(TFzyFloat)>& Curve,
                                         std::vector<TFzyFloat> Features, TFzyFloat Minimum,
                                         TFzyFloat Maximum, const std::string& Shape, int Line) {
    // The stops: the range's ends and the features inside it, each far enough from the
    // last that their interval could be halved.
    std::erase_if(Features, [&](TFzyFloat x) { return !(x > Minimum && x < Maximum); });
    std::sort(Features.begin(), Features.end());
    std::vector<TFzyFloat> stops{Minimum};
    for (TFzyFloat x : Features)
        if (x / 2 - stops.back() / 2 >= NarrowestSplit / 2 &&
            Maximum / 2 - x / 2 >= NarrowestSplit / 2)
            stops.push_back(x);
    stops.push_back(Maximum);

    TCurveFollower follower(Curve, Shape, Line);
    TDescribedPoint from = follower.At(Minimum);
    follower.Emit(from);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        const TDescribedPoint to = follower.At(stops[i]);
        follower.Follow(from, to);
        from = to;
    }
    return follower.Take();
}

} // namespace interchange

TFzyFloat PolylineMembership(std::span<const TDescribedPoint> Points, TFzyFloat X) {
    if (Points.empty())
        return 0;
    if (X < Points.front().X)
        return Points.front().Y;
    if (X > Points.back().X)
        return Points.back().Y;
    TFzyFloat highestAtX = -1;
    for (std::size_t i = 0; i < Points.size(); ++i) {
        if (Points[i].X == X)
            highestAtX = std::max(highestAtX, Points[i].Y);
        else if (i > 0 && Points[i - 1].X < X && X < Points[i].X)
            return InterpolateY(Points[i - 1].X, Points[i - 1].Y, Points[i].X, Points[i].Y, X);
    }
    return highestAtX;
}

} // namespace fuzzy
