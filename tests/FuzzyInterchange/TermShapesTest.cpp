// Terms as points: piecewise-linear shapes exactly, curves within the stated tolerance.

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "tests/FuzzyInterchange/InterchangeTestSupport.hpp"

namespace fuzzy::test {
namespace {

using enum TTermShape;

// Sampled a hundred times finer than the narrowest step the polyline may take.
TEST(TermShapesTest, CurvesStayWithinTheToleranceEverywhereInTheRange) {
    const struct {
        TTermShape Shape;
        std::vector<TFzyFloat> Parameters;
        TFzyFloat Minimum;
        TFzyFloat Maximum;
    } cases[] = {
        {tsGaussian, {3, 0.2}, 0, 6.5},
        {tsGaussian, {1.15, 0.02}, 1, 1.3},
        {tsGaussian, {500, 0.5}, 0, 1000},
        {tsGaussianProduct, {3.5, 0.1, 3.3, 0.3}, 0, 6.5},
        {tsBell, {4, 0.25, 3}, 0, 6.5},
        {tsBell, {0, 2, 0.5}, -10, 10},
        {tsSigmoid, {0.5, -20}, 0, 6.5},
        {tsSigmoid, {6, 200}, 0, 6.5},
        {tsSigmoidDifference, {4.75, 10, 30, 5.25}, 0, 6.5},
        {tsSigmoidProduct, {5.25, 20, -10, 5.75}, 0, 6.5},
        {tsCosine, {3.25, 0.65}, 0, 6.5},
        {tsPiShape, {4, 4.5, 4.5, 5}, 0, 6.5},
        {tsSShape, {5.5, 6.5}, 0, 6.5},
        {tsZShape, {0, 1}, 0, 6.5},
        {tsConcave, {0.85, 0.25}, 0, 6.5},
        {tsConcave, {5.65, 6.25}, 0, 6.5},
        {tsSpike, {3.64, 1.04}, 0, 6.5},
    };
    for (const auto& curve : cases) {
        SCOPED_TRACE(GetTermShapeInfo(curve.Shape).Name);
        const std::vector<TDescribedPoint> points =
            ShapePoints(curve.Shape, curve.Parameters, curve.Minimum, curve.Maximum, 0);
        ASSERT_LE(points.size(), static_cast<std::size_t>(MaxPolylinePoints));
        EXPECT_EQ(points.front().X, curve.Minimum);
        EXPECT_EQ(points.back().X, curve.Maximum);
        for (std::size_t i = 1; i < points.size(); ++i)
            EXPECT_GT(points[i].X - points[i - 1].X, 0.0001);
        const int samples = 400000;
        TFzyFloat worst = 0;
        for (int i = 0; i <= samples; ++i) {
            const TFzyFloat x = curve.Minimum + (curve.Maximum - curve.Minimum) * i / samples;
            worst = std::max(worst, std::abs(PolylineMembership(points, x) -
                                             ShapeMembership(curve.Shape, curve.Parameters, x)));
        }
        EXPECT_LE(worst, PolylineTolerance) << points.size() << " points";
    }
}

TEST(TermShapesTest, PiecewiseLinearShapesAreTheirCornersWithVerticalEdgesKept) {
    EXPECT_EQ(ShapePoints(tsTriangle, std::vector<TFzyFloat>{0, 0, 2.5}, 0, 10, 0),
              (std::vector<TDescribedPoint>{{0, 0}, {0, 1}, {2.5, 0}}));
    EXPECT_EQ(ShapePoints(tsTrapezoid, std::vector<TFzyFloat>{1, 1.25, 1.75, 2}, 0, 10, 0),
              (std::vector<TDescribedPoint>{{1, 0}, {1.25, 1}, {1.75, 1}, {2, 0}}));
    EXPECT_EQ(ShapePoints(tsRectangle, std::vector<TFzyFloat>{1.75, 2.25}, 0, 10, 0),
              (std::vector<TDescribedPoint>{{1.75, 0}, {1.75, 1}, {2.25, 1}, {2.25, 0}}));
    EXPECT_EQ(ShapePoints(tsRamp, std::vector<TFzyFloat>{5.5, 6.5}, 0, 10, 0),
              (std::vector<TDescribedPoint>{{5.5, 0}, {6.5, 1}}));
    // A vertical edge reads as its top: the rectangle is 1 at its ends, 0 outside.
    const std::vector<TFzyFloat> rectangle{1.75, 2.25};
    EXPECT_EQ(ShapeMembership(tsRectangle, rectangle, 1.75), 1);
    EXPECT_EQ(ShapeMembership(tsRectangle, rectangle, 1.7), 0);
}

// Numbers that make no shape, and curves too steep for the library's resolution (a bell of
// slope below 1/2 has a cusp at its centre), are refused at the line given.
TEST(TermShapesTest, ShapesTheLibraryCannotFollowAreRefused) {
    const std::string tooSteep =
        " curve is too steep to follow within 0.001 at the library's X tolerance of 0.0001";
    const struct {
        TTermShape Shape;
        std::vector<TFzyFloat> Parameters;
        TFzyFloat Minimum;
        int Line;
        std::string Detail;
    } cases[] = {
        {tsGaussian, {1, 0}, 0, 4, "The numbers of this Gaussian make no such shape"},
        {tsDiscrete, {1, 0, 2}, 0, 5, "Discrete takes X Y pairs, at least one"},
        {tsSigmoid, {0.5, 1e6}, 0, 9, "The Sigmoid" + tooSteep},
        {tsBell, {0, 1, 0.05}, -1, 3, "The Bell" + tooSteep},
    };
    for (const auto& row : cases)
        EXPECT_TRUE(RaisesAtLine(
            [&] {
                static_cast<void>(ShapePoints(row.Shape, row.Parameters, row.Minimum, 1, row.Line));
            },
            row.Line, row.Detail));
    EXPECT_TRUE(RaisesAtLine(
        [] {
            static_cast<void>(ShapeMembership(tsBell, std::vector<TFzyFloat>{1, 2}, 0));
        },
        0, "Bell takes 3 numbers, not 2"));
}

} // namespace
} // namespace fuzzy::test
