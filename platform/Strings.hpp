#pragma once
// Text helpers of the host framework and the common library: trimming, searching,
// locale-independent text-to-number conversion and the character classes of numbers.

#include <cstdint>
#include <string>
#include <string_view>

namespace fuzzy {

/// Removes leading and trailing characters of code 32 or below.
std::string Trim(std::string_view text);
/// The part of text that Trim keeps, without a copy.
std::string_view TrimView(std::string_view text);
/// 1-based position of the first occurrence of sub in text, 0 when there is none.
int Pos(std::string_view sub, std::string_view text);

/// Converts a whole text to a 32-bit integer. Leading and trailing characters of code 32
/// or below are allowed; anything else, or a value outside 32 bits, fails and leaves
/// value unchanged.
[[nodiscard]] bool TryStrToInt(std::string_view text, std::int32_t& value);
/// Converts a whole text in the C notation (optional sign, digits with '.', optional
/// exponent) to a double, whatever the C locale. Out-of-range magnitudes, "nan" and "inf"
/// fail and leave value unchanged.
[[nodiscard]] bool TryStrToFloat(std::string_view text, double& value);
/// As TryStrToInt / TryStrToFloat, raising EConvertError when the text does not convert.
std::int32_t StrToInt(std::string_view text);
double StrToFloat(std::string_view text);

/// C can begin a number: a digit, a sign or a decimal point.
bool IsNumberChar(char c);
/// C is sign-like: alone it is no number ('+', '-', '.').
bool IsNumberSymbol(char c);

} // namespace fuzzy
