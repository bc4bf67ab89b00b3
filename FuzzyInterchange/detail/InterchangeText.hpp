#pragma once
// Text helpers shared by the interchange readers and writers: numbers read and written
// exactly and whatever the C locale, words compared without case, names checked before
// they are written.

#include <string>
#include <string_view>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy::interchange {

/// A word of a text and the line it stands on.
struct TWord {
    std::string Text;
    int Line = 0;
};

/// Calls Visit(line, number) for each line of Text, without its line break, counting
/// from 1.
template <class F>
void ForEachLine(std::string_view Text, F&& Visit) {
    int number = 0;
    while (!Text.empty()) {
        const std::size_t end = Text.find('\n');
        const std::string_view line = Text.substr(0, end);
        Text.remove_prefix(end == std::string_view::npos ? Text.size() : end + 1);
        Visit(line, ++number);
    }
}

/// The finite number Text spells (a leading '+' allowed). Anything else, "nan" and "inf"
/// included, raises EFzyInterchangeException at Line naming the text.
[[nodiscard]] TFzyFloat ReadNumber(std::string_view Text, int Line);
/// The shortest text that reads back as Value exactly ("0.25", "1e-07").
[[nodiscard]] std::string WriteNumber(TFzyFloat Value);

[[nodiscard]] bool SameWord(std::string_view A, std::string_view B);
[[nodiscard]] std::string UpperCase(std::string_view Text);
/// Text without the characters of code 32 or below at either end.
[[nodiscard]] std::string_view Trimmed(std::string_view Text);
/// The words of Text between white space, all on Line.
[[nodiscard]] std::vector<TWord> SplitWords(std::string_view Text, int Line);

/// Raises EFzyInterchangeException unless Name can be written as one word of a format:
/// not empty, without white space and without the characters the formats use as
/// punctuation.
void CheckWritableName(const std::string& Name, std::string_view Format);

} // namespace fuzzy::interchange
