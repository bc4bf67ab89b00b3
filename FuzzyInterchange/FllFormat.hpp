#pragma once
// FLL, the line-oriented controller language ("Engine:", "InputVariable:", "term: cold
// Triangle 0 5 10", "rule: if ... then ..."): read into a controller description and
// written from one. docs/interchange.md lists what maps to what.

#include <string>
#include <string_view>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy {

/// Reads an FLL text. Raises EFzyInterchangeException, with the line counted from 1 in
/// Text, for text that does not read and for every construct the library cannot express
/// (a method, shape or hedge it does not have, per-output methods that differ, a disabled
/// variable, ...); nothing is changed silently.
[[nodiscard]] TControllerDescription ReadFll(std::string_view Text);

/// Writes the description as FLL text that ReadFll reads back to the same description,
/// units aside (FLL has none). Raises EFzyInterchangeException for what FLL cannot hold: a
/// name that is not one word, a connective, hedge or method FLL has no name for.
[[nodiscard]] std::string WriteFll(const TControllerDescription& Description);

} // namespace fuzzy
