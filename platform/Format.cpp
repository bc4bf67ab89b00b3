#include "platform/Format.hpp"

#include <charconv>
#include <cmath>

#include "platform/Exceptions.hpp"
#include "platform/KelMessages.hpp"

namespace fuzzy {

namespace {

[[noreturn]] void RaiseInvalidFormat(std::string_view format) {
    // Built by hand: formatting this message through Format could recurse.
    const std::string_view message(SInvalidFormat);
    const std::size_t hole = message.find("%s");
    throw EConvertError(std::string(message.substr(0, hole)) + std::string(format) +
                        std::string(message.substr(hole + 2)));
}

// Reads an unsigned decimal number at pos, if any.
int ReadNumber(std::string_view text, std::size_t& pos) {
    int value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
        value = value * 10 + (text[pos] - '0');
        if (value > MaxDecimals) // no sensible width or precision is this large
            RaiseInvalidFormat(text);
        ++pos;
    }
    return value;
}

// Adds one to a string of decimal digits.
void IncrementDecimal(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

void AppendPadded(std::string& out, const std::string& text, int width, bool leftAlign) {
    const int padding = width - static_cast<int>(text.size());
    if (padding > 0 && !leftAlign)
        out.append(static_cast<std::size_t>(padding), ' ');
    out += text;
    if (padding > 0 && leftAlign)
        out.append(static_cast<std::size_t>(padding), ' ');
}

std::string FormatInteger(std::int64_t value, int precision) {
    char digits[32];
    const std::uint64_t magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    auto [end, ec] = std::to_chars(digits, digits + sizeof digits, magnitude);
    std::string text(digits, end);
    if (static_cast<int>(text.size()) < precision)
        text.insert(0, static_cast<std::size_t>(precision) - text.size(), '0');
    if (value < 0)
        text.insert(0, 1, '-');
    return text;
}

} // namespace

std::string FormatFixed(double value, int decimals) {
    if (decimals < 0 || decimals > MaxDecimals)
        throw EArgumentOutOfRangeException(SInvalidDecimals, decimals);
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value > 0 ? "INF" : "-INF";
    // The value's 17 significant digits, D0.D1...D16 times ten to the power exponent.
    char scientific[32];
    const auto written = std::to_chars(scientific, scientific + sizeof scientific, std::fabs(value),
                                       std::chars_format::scientific, 16);
    const std::string_view text(scientific, static_cast<std::size_t>(written.ptr - scientific));
    const std::size_t e = text.find('e');
    // The digits without the point, kept on the stack: seventeen are more than a short
    // string holds without the heap.
    char digitBuffer[sizeof scientific];
    digitBuffer[0] = text[0];
    text.copy(digitBuffer + 1, e - 2, 2);
    const std::string_view digits(digitBuffer, e - 1);
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);

    // Scale the 17-digit integer to the requested decimals, rounding half away from zero.
    const int shift = exponent - 16 + decimals;
    std::string rounded;
    if (shift >= 0) {
        rounded = digits;
        rounded.append(static_cast<std::size_t>(shift), '0');
    } else {
        const int keep = 17 + shift;
        if (keep < 0)
            rounded.assign(1, '0');
        else if (keep == 0)
            rounded.assign(1, digits[0] >= '5' ? '1' : '0');
        else {
            rounded.assign(digits.substr(0, static_cast<std::size_t>(keep)));
            if (digits[static_cast<std::size_t>(keep)] >= '5')
                IncrementDecimal(rounded);
        }
    }
    if (rounded.size() < static_cast<std::size_t>(decimals) + 1)
        rounded.insert(0, static_cast<std::size_t>(decimals) + 1 - rounded.size(), '0');
    if (decimals > 0)
        rounded.insert(rounded.size() - static_cast<std::size_t>(decimals), 1, '.');
    const bool isZero = rounded.find_first_not_of("0.") == std::string::npos;
    if (value < 0 && !isZero)
        rounded.insert(rounded.begin(), '-');
    return rounded;
}

std::string FormatArgs(std::string_view format, std::initializer_list<TFormatArg> args) {
    std::string out;
    out.reserve(format.size() + 16);
    auto next = args.begin();
    for (std::size_t pos = 0; pos < format.size();) {
        const char c = format[pos++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (pos < format.size() && format[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        const bool leftAlign = pos < format.size() && format[pos] == '-';
        if (leftAlign)
            ++pos;
        const int width = ReadNumber(format, pos);
        int precision = -1;
        if (pos < format.size() && format[pos] == '.') {
            ++pos;
            precision = ReadNumber(format, pos);
        }
        if (pos >= format.size() || next == args.end())
            RaiseInvalidFormat(format);
        const char directive = format[pos++];
        const auto& value = (next++)->Get();
        switch (directive) {
        case 's':
            if (const auto* text = std::get_if<std::string>(&value))
                AppendPadded(out, *text, width, leftAlign);
            else
                RaiseInvalidFormat(format);
            break;
        case 'd':
            if (const auto* number = std::get_if<std::int64_t>(&value))
                AppendPadded(out, FormatInteger(*number, precision), width, leftAlign);
            else
                RaiseInvalidFormat(format);
            break;
        case 'f':
            if (const auto* number = std::get_if<double>(&value))
                AppendPadded(out, FormatFixed(*number, precision < 0 ? 2 : precision), width,
                             leftAlign);
            else if (const auto* integer = std::get_if<std::int64_t>(&value))
                AppendPadded(
                    out, FormatFixed(static_cast<double>(*integer), precision < 0 ? 2 : precision),
                    width, leftAlign);
            else
                RaiseInvalidFormat(format);
            break;
        default:
            RaiseInvalidFormat(format);
        }
    }
    return out;
}

} // namespace fuzzy
