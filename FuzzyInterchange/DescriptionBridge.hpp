#pragma once
// Between a controller description and a logic component: the variables with their ranges,
// units, comments and terms (as point lists), and the component's methods and threshold.
// Rules go to and come from a rule block through RuleBridge.hpp. A variable's default value
// has no place in the component.

#include <string>
#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy {

class TFuzzyLogic;

/// Replaces Logic's variables by the description's: each variable with its range, units
/// and comment, each term as the points of the description clipped to the variable's range
/// (the library keeps every point inside it) and marked Defined; then the correlation,
/// inference and defuzzification methods and the threshold. No automatic terms are added
/// meanwhile (the description says which terms there are); AutoTerms keeps its value.
/// Raises EFzyInterchangeException for a description that does not pass its checks,
/// before anything changes.
void FillFuzzyLogic(const TControllerDescription& Description, TFuzzyLogic& Logic);

/// The description of Logic: its name, its variables with their defined terms as point
/// lists (shape tsDiscrete), its methods and threshold; no rules (DescribeFuzzyRules adds
/// them). The variables named in
/// OutputNames are outputs, the others inputs. Raises EFzyInterchangeException for an
/// output name that is not a variable of Logic.
[[nodiscard]] TControllerDescription
DescribeFuzzyLogic(const TFuzzyLogic& Logic, const std::vector<std::string>& OutputNames);

/// The part of Points that lies over [Minimum, Maximum], with the degree at each end where
/// a segment crosses it, so that the library, which keeps points inside the range, reads
/// the same degrees there.
[[nodiscard]] std::vector<TDescribedPoint> ClipToRange(const std::vector<TDescribedPoint>& Points,
                                                       TFzyFloat Minimum, TFzyFloat Maximum);

} // namespace fuzzy
