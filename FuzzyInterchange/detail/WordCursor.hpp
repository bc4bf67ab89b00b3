#pragma once
// Reading a list of words one after the other, as the FCL reader and the rule reader do.

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy::interchange {

class TWordCursor {
public:
    /// Inside names what an unexpected end ends ("a rule"); EmptyLine is the line reported
    /// when there are no words at all.
    TWordCursor(std::vector<TWord> Words, std::string Inside, int EmptyLine);

    [[nodiscard]] bool AtEnd() const { return FNext >= FWords.size(); }
    /// The next word is Keyword, compared without case.
    [[nodiscard]] bool NextIs(std::string_view Keyword) const;
    /// The next word; only when not AtEnd.
    [[nodiscard]] const TWord& Next() const { return FWords[FNext]; }
    /// The line of the next word, or of the last one at the end.
    [[nodiscard]] int Line() const;
    void Skip() { ++FNext; }
    [[nodiscard]] std::size_t Position() const { return FNext; }
    /// The words from First up to the next one.
    [[nodiscard]] std::span<const TWord> Since(std::size_t First) const;

    /// Raises EFzyInterchangeException: the text ends inside what it is in, or the next word
    /// is not what was Expected.
    [[noreturn]] void Fail(std::string_view Expected) const;
    /// Passes Keyword, or fails.
    void Expect(std::string_view Keyword);
    /// The next word, passed; fails at the end, expecting What.
    std::string Take(std::string_view What = "a word");

private:
    std::vector<TWord> FWords;
    std::string FInside;
    int FEmptyLine;
    std::size_t FNext = 0;
};

} // namespace fuzzy::interchange
