#include "KelFuzzyLogicParser/detail/RecordedText.hpp"

#include <array>
#include <charconv>

namespace fuzzy {

namespace {

/// Value in its shortest exact form, as a token says its number, written into Buffer.
std::string_view Shortest(double Value, std::array<char, 32>& Buffer) {
    const auto result = std::to_chars(Buffer.data(), Buffer.data() + Buffer.size(), Value);
    return {Buffer.data(), static_cast<std::size_t>(result.ptr - Buffer.data())};
}

} // namespace

std::string TRecordedText::GetText() const {
    std::string text;
    std::array<char, 32> digits;
    std::size_t start = 0;
    for (const TNumber& number : FNumbers) {
        text.append(FText, start, number.Offset - start);
        text.append(Shortest(number.Value, digits));
        start = number.Offset;
    }
    text.append(FText, start);
    return text;
}

void TRecordedText::CutTail(std::string_view Tail) {
    // The numbers that the end looked at could reach are said first. Those before it stay
    // values: no number is white space, so the trimming below stops at the last of them.
    const std::size_t reach = Tail.size() + 1;
    SayNumbersFrom(FText.size() > reach ? FText.size() - reach : 0);
    const std::string_view text = FText;
    if (!text.ends_with(' ') || !text.substr(0, text.size() - 1).ends_with(Tail))
        return;
    // Trimmed of the white space before the tail (a line break, the text of an atom ending
    // in an escaped space).
    const std::size_t floor = FNumbers.empty() ? 0 : FNumbers.back().Offset;
    std::size_t cut = text.size() - reach;
    while (cut > floor && static_cast<unsigned char>(text[cut - 1]) <= ' ')
        --cut;
    FText.resize(cut);
    FText.push_back(' ');
}

void TRecordedText::SayNumbersFrom(std::size_t Offset) {
    // The last first: saying a number moves only the text after it.
    std::array<char, 32> digits;
    while (!FNumbers.empty() && FNumbers.back().Offset >= Offset) {
        const TNumber number = FNumbers.back();
        FNumbers.pop_back();
        FText.insert(number.Offset, Shortest(number.Value, digits));
    }
}

} // namespace fuzzy
