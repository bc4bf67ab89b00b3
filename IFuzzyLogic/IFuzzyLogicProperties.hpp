#pragma once
// Storing the interface model's logic component and reading it back, for the writer and
// reader of platform/ComponentText.hpp.

namespace fuzzy {

/// Registers TIFuzzyLogic with its published properties in declared order, after the
/// component model's classes, and the hash tables, whose stored properties ("LoadFactor",
/// "HashType", "Capacity") are read and discarded, never written. Its variables are stored as their
/// definition text (Strings), which the component parses once loading ends; the variable table
/// itself is not a published property. Call it once before storing or reading; calling it again is
/// harmless.
void RegisterIFuzzyLogicClasses();

} // namespace fuzzy
