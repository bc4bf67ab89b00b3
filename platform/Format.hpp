#pragma once
// Locale-independent formatting in the host framework's printf-like dialect. Only the
// directives the library uses are understood: %s, %d (with optional width and precision,
// as in "%9.9d"), %.Nf and %%. Numbers are written with std::to_chars, so no C locale can
// turn "%.4f" into "0,5000".

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

namespace fuzzy {

/// One argument of Format: a text, an integer or a floating value.
class TFormatArg {
public:
    TFormatArg(std::string_view value) : FValue(std::string(value)) {}
    TFormatArg(const std::string& value) : FValue(value) {}
    TFormatArg(const char* value) : FValue(std::string(value ? value : "")) {}
    TFormatArg(double value) : FValue(value) {}
    TFormatArg(float value) : FValue(static_cast<double>(value)) {}
    template <class I>
    requires(std::is_integral_v<I> && !std::is_same_v<I, bool> && !std::is_same_v<I, char>)
        TFormatArg(I value)
        : FValue(static_cast<std::int64_t>(value)) {}

    const std::variant<std::string, std::int64_t, double>& Get() const { return FValue; }

private:
    std::variant<std::string, std::int64_t, double> FValue;
};

/// Formats the text with its arguments. A directive that does not match its argument's
/// type, or a missing argument, raises EConvertError.
std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args);

template <class... Args>
std::string Format(std::string_view format, const Args&... args) {
    return FormatArgs(format, {TFormatArg(args)...});
}

/// The largest width or number of decimals a format may ask for.
inline constexpr int MaxDecimals = 1000;

/// Writes a floating value in fixed notation with the given number of decimals ("%.Nf").
/// The value is taken at its 17 significant digits and rounded half away from zero, so an
/// exact half such as 0.03125 is written "0.0313", as hosts of the object model expect.
/// Not-a-number and infinities are written "NAN", "INF" and "-INF"; a value that rounds
/// to zero is written without a minus sign. Decimals outside 0..MaxDecimals raise
/// EArgumentOutOfRangeException.
std::string FormatFixed(double value, int decimals);

} // namespace fuzzy
