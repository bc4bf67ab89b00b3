// Text helpers of the interchange formats.

#include "FuzzyInterchange/detail/InterchangeText.hpp"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <system_error>

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "platform/Strings.hpp"

namespace fuzzy::interchange {

TFzyFloat ReadNumber(std::string_view Text, int Line) {
    std::string_view body = Text;
    if (body.size() > 1 && body.front() == '+')
        body.remove_prefix(1);
    double value = 0;
    if (!TryStrToFloat(body, value))
        throw EFzyInterchangeException(Line, SIcExpectedNumber, std::string(Text));
    return value;
}

std::string WriteNumber(TFzyFloat Value) {
    std::array<char, 32> buffer{};
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), Value);
    return ec == std::errc() ? std::string(buffer.data(), end) : std::string();
}

bool SameWord(std::string_view A, std::string_view B) {
    return std::equal(A.begin(), A.end(), B.begin(), B.end(), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) ==
               std::toupper(static_cast<unsigned char>(b));
    });
}

std::string UpperCase(std::string_view Text) {
    std::string result(Text);
    for (char& c : result)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return result;
}

std::string_view Trimmed(std::string_view Text) {
    while (!Text.empty() && static_cast<unsigned char>(Text.front()) <= ' ')
        Text.remove_prefix(1);
    while (!Text.empty() && static_cast<unsigned char>(Text.back()) <= ' ')
        Text.remove_suffix(1);
    return Text;
}

std::vector<TWord> SplitWords(std::string_view Text, int Line) {
    std::vector<TWord> words;
    std::size_t i = 0;
    while (i < Text.size()) {
        if (static_cast<unsigned char>(Text[i]) <= ' ') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < Text.size() && static_cast<unsigned char>(Text[end]) > ' ')
            ++end;
        words.push_back({std::string(Text.substr(i, end - i)), Line});
        i = end;
    }
    return words;
}

void CheckWritableName(const std::string& Name, std::string_view Format) {
    const bool writable = !Name.empty() && std::none_of(Name.begin(), Name.end(), [](char c) {
        return static_cast<unsigned char>(c) <= ' ' ||
               std::string_view("():;,#=[]'\"").find(c) != std::string_view::npos;
    });
    // A name spelt like a word of the rules would end a premise where it stands.
    constexpr std::array<std::string_view, 13> ruleWords{
        "if",   "then",     "is",  "and",       "or",     "not", "with",
        "very", "somewhat", "nan", "extremely", "seldom", "any"};
    const bool reserved = std::any_of(ruleWords.begin(), ruleWords.end(),
                                      [&](std::string_view word) { return SameWord(word, Name); });
    if (!writable || reserved)
        throw EFzyInterchangeException(0, SIcUnwritableName, Name, std::string(Format));
}

} // namespace fuzzy::interchange
