// Splitting FCL text into words.

#include "FuzzyInterchange/detail/FclTokens.hpp"

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"

namespace fuzzy::interchange {

namespace {

constexpr std::string_view Punctuation = "():;,";

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= ' ';
}

} // namespace

std::vector<TWord> SplitFclWords(std::string_view Text) {
    std::vector<TWord> words;
    int line = 1;
    std::size_t i = 0;
    auto startsWith = [&](std::string_view Prefix) {
        return Text.substr(i, Prefix.size()) == Prefix;
    };
    while (i < Text.size()) {
        const char c = Text[i];
        if (IsBlank(c)) {
            line += c == '\n';
            ++i;
        } else if (startsWith("(*")) {
            const int start = line;
            const std::size_t end = Text.find("*)", i + 2);
            if (end == std::string_view::npos)
                throw EFzyInterchangeException(start, SIcUnexpectedEnd, "a comment");
            for (std::size_t k = i; k < end; ++k)
                line += Text[k] == '\n';
            i = end + 2;
        } else if (startsWith("//")) {
            i = std::min(Text.size(), Text.find('\n', i));
        } else if (startsWith(":=") || startsWith("..")) {
            words.push_back({std::string(Text.substr(i, 2)), line});
            i += 2;
        } else if (Punctuation.find(c) != std::string_view::npos) {
            words.push_back({std::string(1, c), line});
            ++i;
        } else {
            const std::size_t start = i;
            while (i < Text.size() && !IsBlank(Text[i]) &&
                   Punctuation.find(Text[i]) == std::string_view::npos && !startsWith(".."))
                ++i;
            words.push_back({std::string(Text.substr(start, i - start)), line});
        }
    }
    return words;
}

} // namespace fuzzy::interchange
