// The recorded text keeps numbers as values until it is read or its end is cut: what it
// says must be what writing each number's shortest form at once would have said.

#include "KelFuzzyLogicParser/detail/RecordedText.hpp"

#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

namespace fuzzy {
namespace {

// A step: text written, a number written, or the end cut (the text in a struct of its own).
struct TCut {
    std::string Tail;
};
using TStep = std::variant<std::string, double, TCut>;

std::string Record(const std::vector<TStep>& Steps) {
    TRecordedText record;
    for (const TStep& step : Steps) {
        if (const auto* text = std::get_if<std::string>(&step))
            record.Append(*text);
        else if (const auto* number = std::get_if<double>(&step))
            record.AppendNumber(*number);
        else
            record.CutTail(std::get<TCut>(step).Tail);
    }
    return record.GetText();
}

TEST(RecordedNumberTest, SaysWhatWritingTheNumbersAtOnceWouldHaveSaid) {
    const std::vector<std::pair<std::vector<TStep>, std::string>> cases = {
        {{"( range ", 1e20, " ", 0.5, " ", -0.0, " "}, "( range 1e+20 0.5 -0 "},
        // The number cut is the one just written.
        {{"( tri ", 15.0, " ", TCut{"15"}}, "( tri "},
        // Trimming stops at a number: it is no white space.
        {{"( tri ", 15.0, " ", 27.0, " \r\n) ", TCut{")"}}, "( tri 15 27 "},
        {{"( ", 2.5, " ", TCut{")"}, "x "}, "( 2.5 x "},
        // The end compared reaches into a number, or stops short of one.
        {{"a ", 125.0, " ", TCut{"25"}}, "a 1 "},
        {{"a ", 125.0, " ", TCut{"a 125"}}, " "},
        {{"a ", 125.0, " b ", TCut{"b"}}, "a 125 "},
        {{"( ", TCut{"("}, 7.0, " ", TCut{"7"}, 8.0, " "}, " 8 "},
    };
    for (const auto& [steps, expected] : cases)
        EXPECT_EQ(Record(steps), expected) << expected;
}

} // namespace
} // namespace fuzzy
