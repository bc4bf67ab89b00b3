#pragma once
// Storing the parser component with the component model (platform/ComponentText.hpp).

namespace fuzzy {

/// Registers TKelFuzzyLogicParser, and with it every class of the component model
/// (RegisterFuzzyLogicClasses). Calling it again is harmless.
void RegisterFuzzyLogicParserClasses();

} // namespace fuzzy
