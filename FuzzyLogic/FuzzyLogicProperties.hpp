#pragma once
// Storing the component model: the published properties of points, sets, variables, the
// logic component and the parser component base, for the writer and reader of
// platform/ComponentText.hpp.

namespace fuzzy {

/// Registers TFuzzySetValue, TFuzzySet, TFuzzyVariable, TFuzzyLogic and
/// TCustomFuzzyLogicParser with their published properties in declared order. Call it once
/// before storing or reading these classes; calling it again is harmless.
void RegisterFuzzyLogicClasses();

} // namespace fuzzy
