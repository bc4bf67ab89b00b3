#pragma once
// Reading the sets that operations hand to their caller: the caller owns them, so each
// reader takes the set over and frees it once read.

#include <memory>
#include <string>
#include <utility>

#include "support/PointListHelpers.hpp"

namespace fuzzy::test {

/// The points of Result, a set the caller owns, which is freed.
inline TPoints PointsOfResult(TFuzzySet* Result) {
    const std::unique_ptr<TFuzzySet> owned(Result);
    return PointsOf(*owned->GetValues());
}

/// The name and the expression of Result, a set the caller owns, which is freed.
inline std::pair<std::string, std::string> NamesOfResult(TFuzzySet* Result) {
    const std::unique_ptr<TFuzzySet> owned(Result);
    return {owned->GetName(), owned->GetExpression()};
}

} // namespace fuzzy::test
