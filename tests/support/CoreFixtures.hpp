#pragma once
// Short ways to read sets and variables in the tests of the component and interface models.

#include "support/PointListHelpers.hpp"

namespace fuzzy::test {

/// The points of Set.
inline TPoints PointsOf(const TFuzzySet& Set) {
    return PointsOf(*Set.GetValues());
}

} // namespace fuzzy::test
