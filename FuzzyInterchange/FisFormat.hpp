#pragma once
// The FIS files of MATLAB and Octave ([System], [Input1], [Output1], [Rules]), read into a
// controller description. Import only.

#include <string_view>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy {

/// Reads a FIS text of a Mamdani system. The membership functions' parameters are put in
/// the order the description keeps (docs/interchange.md). Raises EFzyInterchangeException,
/// with the line counted from 1 in Text, for text that does not read, counts that do not
/// match what follows, and every construct the library cannot express (Sugeno systems,
/// hedges in rules, methods it does not have, ...).
[[nodiscard]] TControllerDescription ReadFis(std::string_view Text);

} // namespace fuzzy
