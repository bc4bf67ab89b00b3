// Reading words one after the other.

#include "FuzzyInterchange/detail/WordCursor.hpp"

#include <algorithm>

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"

namespace fuzzy::interchange {

TWordCursor::TWordCursor(std::vector<TWord> Words, std::string Inside, int EmptyLine)
    : FWords(std::move(Words)), FInside(std::move(Inside)), FEmptyLine(EmptyLine) {}

bool TWordCursor::NextIs(std::string_view Keyword) const {
    return !AtEnd() && SameWord(FWords[FNext].Text, Keyword);
}

int TWordCursor::Line() const {
    return FWords.empty() ? FEmptyLine : FWords[std::min(FNext, FWords.size() - 1)].Line;
}

std::span<const TWord> TWordCursor::Since(std::size_t First) const {
    return std::span<const TWord>(FWords).subspan(First, FNext - First);
}

void TWordCursor::Fail(std::string_view Expected) const {
    if (AtEnd())
        throw EFzyInterchangeException(Line(), SIcUnexpectedEnd, FInside);
    throw EFzyInterchangeException(Line(), SIcExpected, std::string(Expected), FWords[FNext].Text);
}

void TWordCursor::Expect(std::string_view Keyword) {
    if (!NextIs(Keyword))
        Fail("\"" + std::string(Keyword) + "\"");
    ++FNext;
}

std::string TWordCursor::Take(std::string_view What) {
    if (AtEnd())
        Fail(What);
    return FWords[FNext++].Text;
}

} // namespace fuzzy::interchange
