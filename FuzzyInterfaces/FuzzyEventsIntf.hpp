#pragma once
// The callback types that travel through the interface contracts: the variable's change
// notifications, the expression hook, and the per-segment operator and comparison that
// combine two sets. Every callback runs on the caller's thread; an empty std::function
// means "not assigned" and is never called.

#include <functional>
#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/Interface.hpp"

namespace fuzzy {

class IFuzzySet;
class IFuzzyVariable;

/// A set of Sender was added, deleted or changed its points.
using TIFuzzySetEvent = std::function<void(const TInterfacePtr<IFuzzyVariable>& Sender,
                                           const TInterfacePtr<IFuzzySet>& FuzzySet)>;

/// The variable itself changed (name, range, number of function values).
using TIFuzzyVariableEvent =
    std::function<void(const TInterfacePtr<IFuzzyVariable>& FuzzyVariable)>;

/// Carries an expression of Sender's terms to be evaluated; the handler stores the
/// resulting set in Result, or may replace the one already there.
using TIFuzzyExpressionEvent =
    std::function<void(const TInterfacePtr<IFuzzyVariable>& Sender, const std::string& Expression,
                       TInterfacePtr<IFuzzySet>& Result)>;

/// One step of IFuzzySet::Operator: (X1, Y1) on the first operand and (X2, Y2) on the
/// second at the same position; the operator adds its point to Result, the set being
/// built. Returning true stops the walk.
using TIFuzzyOperator = std::function<bool(const TInterfacePtr<IFuzzySet>& Result, TFzyFloat X1,
                                           TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2)>;

/// One step of IFuzzySet::Iterate, with the same two points as TIFuzzyOperator.
/// Returning true stops the walk.
using TIFuzzyComparison =
    std::function<bool(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2)>;

} // namespace fuzzy
