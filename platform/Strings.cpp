#include "platform/Strings.hpp"

#include <charconv>
#include <cmath>

#include "platform/Exceptions.hpp"
#include "platform/KelMessages.hpp"

namespace fuzzy {

namespace {

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The trimmed text with one leading '+' dropped, as from_chars reads a '-' but no '+'.
// A '+' followed by another sign gives an empty view, which no conversion accepts.
std::string_view NumberBody(std::string_view text) {
    std::string_view body = TrimView(text);
    if (!body.empty() && body.front() == '+') {
        body.remove_prefix(1);
        if (!body.empty() && (body.front() == '+' || body.front() == '-'))
            return {};
    }
    return body;
}

} // namespace

std::string_view TrimView(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && IsBlank(text[first]))
        ++first;
    std::size_t last = text.size();
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::string Trim(std::string_view text) {
    return std::string(TrimView(text));
}

int Pos(std::string_view sub, std::string_view text) {
    if (sub.empty())
        return 0;
    const auto found = text.find(sub);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

bool TryStrToInt(std::string_view text, std::int32_t& value) {
    const std::string_view body = NumberBody(text);
    if (body.empty())
        return false;
    std::int32_t result = 0;
    const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), result);
    if (ec != std::errc() || end != body.data() + body.size())
        return false;
    value = result;
    return true;
}

bool TryStrToFloat(std::string_view text, double& value) {
    const std::string_view body = NumberBody(text);
    // from_chars also reads "inf" and "nan"; numbers here start with a digit or a point.
    const std::size_t first = !body.empty() && body.front() == '-' ? 1 : 0;
    if (body.size() <= first ||
        !(std::isdigit(static_cast<unsigned char>(body[first])) || body[first] == '.'))
        return false;
    double result = 0;
    const auto [end, ec] =
        std::from_chars(body.data(), body.data() + body.size(), result, std::chars_format::general);
    if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(result))
        return false;
    value = result;
    return true;
}

std::int32_t StrToInt(std::string_view text) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(SInvalidIntegerText, text);
    return value;
}

double StrToFloat(std::string_view text) {
    double value = 0;
    if (!TryStrToFloat(text, value))
        throw EConvertError(SInvalidFloatText, text);
    return value;
}

bool IsNumberChar(char c) {
    return (c >= '0' && c <= '9') || IsNumberSymbol(c);
}

bool IsNumberSymbol(char c) {
    return c == '+' || c == '-' || c == '.';
}

} // namespace fuzzy
