#include "FuzzyLogic/kernels/FuzzyOperations.hpp"

namespace fuzzy::kernels {

namespace {

// The area under one segment of the curve and the X of its centroid.
struct TArea {
    TFzyFloat Area = 0;
    TFzyFloat Center = 0;
};

TArea SegmentArea(TFzyFloat x1, TFzyFloat y1, TFzyFloat x2, TFzyFloat y2) {
    const TFzyFloat dx = x2 - x1;
    if (FloatEquals(x2, x1)) // a vertical step encloses nothing
        return {};
    if (FloatEquals(0, y1) && FloatEquals(0, y2))
        return {};
    if (FloatEquals(y2, y1)) // rectangle
        return {dx * y1, (x1 + x2) * 0.5};
    if (FloatEquals(0, y1)) // rising triangle
        return {std::fabs(y2 - y1) * 0.5 * dx, x1 + TWO_THIRDS * dx};
    if (FloatEquals(0, y2)) // falling triangle
        return {std::fabs(y2 - y1) * 0.5 * dx, x1 + ONE_THIRD * dx};
    // trapezoid
    return {0.5 * dx * (y1 + y2), x1 + TWO_THIRDS * dx * (0.5 * y1 + y2) / (y1 + y2)};
}

} // namespace

TFzyFloat CenterOfGravity(TPoints Points, const TAxis& Axis) {
    if (Points.empty())
        return 0;
    const TFzyFloat minimum = Axis.Minimum;
    const TFzyFloat maximum = Axis.Maximum;
    const TPoint& first = Points.front();
    const TPoint& last = Points.back();
    if (Points.size() == 1 || FloatEquals(first.X, last.X))
        return minimum + (maximum - minimum) * 0.5;

    TFzyFloat area = 0;
    TFzyFloat moment = 0;
    auto add = [&](const TArea& piece) {
        moment += piece.Center * piece.Area;
        area += piece.Area;
    };
    if (first.Y > 0 && !FloatEquals(first.X, minimum))
        add({first.Y * (first.X - minimum), (first.X + minimum) * 0.5});
    for (std::size_t i = 1; i < Points.size(); ++i)
        add(SegmentArea(Points[i - 1].X, Points[i - 1].Y, Points[i].X, Points[i].Y));
    if (last.Y > 0 && !FloatEquals(last.X, maximum))
        add({last.Y * (maximum - last.X), (last.X + maximum) * 0.5});
    return area == 0 ? 0 : moment / area;
}

TFzyFloat MeanOfMaxima(TPoints Points) {
    if (Points.empty())
        return 0;
    TFzyFloat sum = Points[0].X;
    TFzyFloat height = Points[0].Y;
    int n = 1;
    for (std::size_t i = 1; i < Points.size(); ++i) {
        const TPoint& point = Points[i];
        if (height - FuzzyEpsilon < point.Y && height + FuzzyEpsilon > point.Y) {
            ++n;
            sum += point.X;
        } else if (point.Y > height) {
            sum = point.X;
            height = point.Y;
            n = 1;
        }
    }
    return sum / n;
}

} // namespace fuzzy::kernels
