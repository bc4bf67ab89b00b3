#pragma once
// The text of the tokens a lexer handed out, kept for error messages.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace fuzzy {

/// Text written piece by piece, where a number may be written as its value: it is said in
/// its shortest exact form ("12", "0.25", "1e+20") only when the text is asked for. Most
/// forms are read without an error and their text is never asked for, while saying a
/// number costs more than everything else recorded for its token.
class TRecordedText {
public:
    void Clear() noexcept {
        FText.clear();
        FNumbers.clear();
    }
    void Append(std::string_view Text) { FText.append(Text); }
    void Append(char C) { FText.push_back(C); }
    void AppendNumber(double Value) { FNumbers.push_back({FText.size(), Value}); }

    /// The text, numbers said.
    [[nodiscard]] std::string GetText() const;
    /// When the text ends with Tail and one space, cuts them off together with the white
    /// space before them, and ends what is left with one space.
    void CutTail(std::string_view Tail);

private:
    // A number written when the text had Offset characters (numbers before it not counted).
    struct TNumber {
        std::size_t Offset;
        double Value;
    };
    /// Says, in place, the numbers written at Offset or later.
    void SayNumbersFrom(std::size_t Offset);

    std::string FText; // without the numbers still kept as values
    std::vector<TNumber> FNumbers;
};

} // namespace fuzzy
