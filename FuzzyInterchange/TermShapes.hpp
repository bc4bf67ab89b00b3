#pragma once
// The membership shapes of the interchange formats and the points that stand for them.
// Triangles, trapezoids, rectangles, ramps and point lists are piecewise linear and become
// their points exactly. The curves (Gaussian, bell, sigmoid, cosine, S, Z, PI, ...) become
// polylines over the variable's range: as few points as keep every degree within
// PolylineTolerance of the curve, never two closer in X than the library's tolerance of
// 0.0001 (closer points would count as one X), at most MaxPolylinePoints of them. A curve
// that cannot be followed that closely is refused rather than drawn coarser.

#include <span>
#include <string_view>
#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy {

/// The largest difference in degree between a curve and its polyline, anywhere in the
/// variable's range.
inline constexpr TFzyFloat PolylineTolerance = 0.001;
/// The most points a curve's polyline may take.
inline constexpr int MaxPolylinePoints = 2000;

struct TTermShapeInfo {
    TTermShape Shape;
    /// The shape's name in FLL and in the FCL files that name shapes.
    std::string_view Name;
    /// How many parameters it takes; 0 for a point list (X Y pairs, at least one).
    int ParameterCount;
    bool PiecewiseLinear;
};

[[nodiscard]] const TTermShapeInfo& GetTermShapeInfo(TTermShape Shape);
/// The shape of that name (exact case), or nullptr.
[[nodiscard]] const TTermShapeInfo* FindTermShape(std::string_view Name);

/// The degree of the shape itself at X. Parameters must suit the shape (see ShapePoints).
[[nodiscard]] TFzyFloat ShapeMembership(TTermShape Shape, std::span<const TFzyFloat> Parameters,
                                        TFzyFloat X);

/// The points of the shape: exact for a piecewise-linear shape, the polyline over
/// [Minimum, Maximum] for a curve. Raises EFzyInterchangeException at Line for a wrong
/// number of parameters, parameters that make no such shape (a triangle whose corners are
/// out of order, a Gaussian of width 0, degrees outside [0, 1], ...) or a curve too steep
/// to follow.
[[nodiscard]] std::vector<TDescribedPoint> ShapePoints(TTermShape Shape,
                                                       std::span<const TFzyFloat> Parameters,
                                                       TFzyFloat Minimum, TFzyFloat Maximum,
                                                       int Line);

/// The degree of a point list at X as the library reads one: straight between points,
/// level beyond the ends, the highest point where several share X.
[[nodiscard]] TFzyFloat PolylineMembership(std::span<const TDescribedPoint> Points, TFzyFloat X);

} // namespace fuzzy
