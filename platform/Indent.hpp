#pragma once
// The indentation unit of written definition text.

namespace fuzzy {

/// One level of indentation: two spaces.
inline constexpr const char* IndentString = "  ";

} // namespace fuzzy
