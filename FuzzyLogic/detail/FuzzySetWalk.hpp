#pragma once
// The walk over two sets' curves that combination, comparison and correlation share.
// Internal to the FuzzyLogic module: included by the files that define the set's operations.

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/kernels/FuzzyWalk.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace walk {

/// The other set of a two-set operation, which must be given.
inline const TFuzzySet& Required(const TFuzzySet* Set) {
    if (Set == nullptr)
        throw EArgumentOutOfRangeException(SNoSetToCombine);
    return *Set;
}

} // namespace walk

// The walk itself is the kernel's (kernels::Walk), over both point lists as arrays.
template <class Comparison>
bool TFuzzySet::Walk(const TFuzzySet& Other, Comparison&& Callback) const {
    return kernels::Walk(FValues->GetCurve(), Other.FValues->GetCurve(), Callback);
}

} // namespace fuzzy
