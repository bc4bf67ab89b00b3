#pragma once
// Exact operations on piecewise-linear functions for the textbook semantics: no tolerance
// anywhere. A function here is a point list over its whole axis, from a point at the
// minimum to a point at the maximum, X never decreasing; two points at one X are a jump
// (the value just left of it, then just right of it).

#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/kernels/FuzzyPoints.hpp"

namespace fuzzy::controller::exact {

using kernels::TAxis;
using kernels::TPoint;
using kernels::TPoints;

/// A term's curve as a function over Axis: flat from its ends to the axis bounds, each
/// vertical line reduced to its first and last points (what lies between them is the value
/// at a single X, which neither an area nor a plateau sees).
void AsFunction(TPoints Term, const TAxis& Axis, std::vector<TPoint>& Function);

/// Function clipped at Level: every value above it lowered, the points where a segment
/// crosses the level inserted.
void Clip(TPoints Function, TFzyFloat Level, std::vector<TPoint>& Result);

/// Function scaled by Factor.
void Scale(TPoints Function, TFzyFloat Factor, std::vector<TPoint>& Result);

/// The pointwise union of two functions over one axis by the inference method's formula,
/// evaluated on both sides of every breakpoint of either. The crossings that make the
/// maximum and the union mean bend, and the points where a bounded sum reaches 1, are
/// inserted, so those results are exact; the sum is linear anyway. The product's union
/// A + B - AB is curved between breakpoints: its chords are taken there.
void Unite(TFuzzyInferenceMethod Method, TPoints A, TPoints B, std::vector<TPoint>& Result);

/// The X of the centroid of the area under the function; the middle of the axis when
/// there is no area.
TFzyFloat CenterOfGravity(TPoints Function);

/// The middle of the set where the function is highest: the centroid of its plateaus at
/// the maximum, or the mean of the single X values where it peaks when it has none.
TFzyFloat MeanOfMaxima(TPoints Function);

} // namespace fuzzy::controller::exact
