#pragma once
// Following a curve with a polyline within PolylineTolerance (see TermShapes.hpp).

#include <functional>
#include <string>
#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy::interchange {

/// The polyline of Curve over [Minimum, Maximum], through every feature X inside the range.
/// Intervals are halved until the curve stays within half the tolerance of the chord at
/// seven evenly spread X values inside; the other half is the margin for what lies between
/// them. Raises EFzyInterchangeException at Line, naming Shape, when a degree is not a
/// number in [0, 1], when an interval would have to shrink to the library's X tolerance,
/// or when more than MaxPolylinePoints points would be needed.
[[nodiscard]] std::vector<TDescribedPoint>
FollowCurve(const std::function<TFzyFloat(TFzyFloat)>& Curve, std::vector<TFzyFloat> Features,
            TFzyFloat Minimum, TFzyFloat Maximum, const std::string& Shape, int Line);

} // namespace fuzzy::interchange
