#pragma once
// The words of an FCL text.

#include <string_view>
#include <vector>

#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy::interchange {

/// Splits FCL text into words, each with its line: the punctuation ":=", ":", ";", ",",
/// "(", ")" and ".." stand alone, everything else runs to white space or punctuation.
/// Comments "(* ... *)" and "// ..." are left out. Raises EFzyInterchangeException for a
/// comment that does not end.
[[nodiscard]] std::vector<TWord> SplitFclWords(std::string_view Text);

} // namespace fuzzy::interchange
