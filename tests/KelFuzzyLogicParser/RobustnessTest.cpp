// Bad definition text: deep, huge or broken, a parse ends, fails only with the library's
// own exceptions, and leaves the component ready to read the next text. (Random text is the
// fuzz harness's part.)

#include <string>
#include <string_view>

#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

std::string Repeat(std::string_view Piece, int Count) {
    std::string text;
    text.reserve(Piece.size() * static_cast<std::size_t>(Count));
    for (int i = 0; i < Count; ++i)
        text += Piece;
    return text;
}

constexpr int Deep = 100000;
const std::string Heading = "(deffuzzy v (range 0 10) (values (term cold (z 2 8)) (term t ";

class Robustness : public ParserFixture {
protected:
    /// The message of the EFzyParseException that Text raises; any other outcome fails.
    std::string ParseErrorOf(const std::string& Text) {
        const std::string message = MessageOf<EFzyParseException>([&] { Read(Text); });
        EXPECT_NE(message, "") << "read without error: " << Text.substr(0, 200);
        return message;
    }

    /// A valid text read after whatever came before goes in as one more variable.
    void ExpectStillUsable() {
        const int before = Count();
        Read("(deffuzzy probe (range 0 10) (values (term low (z 2 8)) (term mid about low)))");
        ASSERT_EQ(Count(), before + 1);
        const TFuzzyVariable* probe = Logic->GetItems()->GetItem(before);
        EXPECT_EQ(probe->GetName(), "probe");
        EXPECT_DOUBLE_EQ(probe->GetItems()->GetItemByName("low")->DegreeOfMembership(5), 0.5);
    }

    int Count() const { return Logic->GetItems()->GetCount(); }
};

TEST_F(Robustness, DeepNestingFailsCleanlyOrReads) {
    const struct {
        const char* Where;
        std::string Text;
        std::string Message; // the start of the parse error; empty: the text reads
    } cases[] = {
        {"top level", Repeat("(", Deep), "Parsing Error, Expected \"( deffuzzy\""},
        {"expression", Heading + "cold " + Repeat("(", Deep),
         "Parsing Error, Groups nested more than 256 levels deep in ParseTokenList"},
        {"point list", Heading + "((0 0) " + Repeat("(", Deep),
         "Parsing Error, Expected number in ParseFuzzyValuePairs"},
        {"brackets", Heading + Repeat("[", Deep) + "cold" + Repeat("]", Deep) + ")))", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Where);
        if (c.Message.empty()) {
            Read(c.Text);
            const TFuzzySet* t =
                Logic->GetItems()->GetItem(Count() - 1)->GetItems()->GetItemByName("t");
            EXPECT_DOUBLE_EQ(t->DegreeOfMembership(5), 0.5); // the curve of cold
        } else {
            EXPECT_EQ(ParseErrorOf(c.Text).substr(0, c.Message.size()), c.Message);
        }
        ExpectStillUsable();
    }
}

// Out-of-range numbers (also underflowing ones), NaN and infinities are atoms, not numbers.
TEST_F(Robustness, NonFiniteAndOutOfRangeNumbersAreNoNumbers) {
    for (const std::string number : {"1e400", "-1e400", "nan", "NaN", "inf", "-inf", "1e-400"}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(ParseErrorOf("(deffuzzy a (range 0 " + number + "))"),
                  "Parsing Error, Expected number in ParseFuzzyVariable at line 1: \" ( deffuzzy a "
                  "( range 0 " +
                      number + " \"");
        EXPECT_EQ(ParseErrorOf("(deffuzzy b (values (term t ((0 0) (" + number + " 1)))))"),
                  "Parsing Error, Expected number in ParseFuzzyValuePairs at line 1: \" ( deffuzzy "
                  "b ( values ( term t ( ( 0 0 ) ( " +
                      number + " \"");
    }
    Read("(deffuzzy c (range 0 4.9e-324))"); // the smallest subnormal is still a number
    EXPECT_EQ(Variable("c")->GetMaximum(), 4.9e-324);
    ExpectStillUsable();
}

TEST_F(Robustness, BrokenEndsAndNulBytes) {
    // The lexer's error, with its line, passes through the parser unchanged.
    const auto open = RaisedBy<EFzyParseException>([&] { Read("(deffuzzy a \n\"open\\"); });
    ASSERT_TRUE(open);
    EXPECT_STREQ(open->what(), "Unbalanced string: the text ends inside a string");
    EXPECT_EQ(open->GetLineNumber(), 2);
    EXPECT_EQ(ParseErrorOf("(deffuzzy a)\\"),
              "Parsing Error, Unexpected token: \"\\\" in ParseFuzzyLogic at line 1: \"\\ \"");
    EXPECT_EQ(ParseErrorOf("(deffuzzy b \\"),
              "Parsing Error, Expected \"(\" in ParseFuzzyVariable at line 1: "
              "\" ( deffuzzy b \\ EOF \"");

    using namespace std::string_literals;
    Read("\0(deffuzzy\0c\0\"x\0y\"\0(range\0 0 10))\0"s); // NUL is white space, kept in strings
    EXPECT_EQ(Variable("c")->GetComment(), "x\0y"s);
    EXPECT_EQ(Variable("c")->GetMaximum(), 10);
    ExpectStillUsable();
}

} // namespace
} // namespace fuzzy::test
