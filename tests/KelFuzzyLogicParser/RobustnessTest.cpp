// Bad definition text: whatever it holds, a parse ends, fails only with the library's own
// exceptions, and leaves the component ready to read the next text.

#include <random>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

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

int Occurrences(const std::string& Text, const std::string& Word) {
    int count = 0;
    for (auto at = Text.find(Word); at != std::string::npos; at = Text.find(Word, at + 1))
        ++count;
    return count;
}

constexpr int Deep = 100000;
const std::string Heading = "(deffuzzy v (range 0 10) (values (term cold (z 2 8)) (term t ";

class Robustness : public ParserFixture {
protected:
    /// Parses Text; true when it reads. A failure must be a library exception: any other
    /// escapes and fails the test. Every variable the text added must still be writable.
    bool Survives(const std::string& Text) {
        const int before = Count();
        bool read = true;
        try {
            Read(Text);
        } catch (const Exception&) {
            read = false;
        }
        EXPECT_LE(Count() - before, Occurrences(Text, "deffuzzy")) << Text;
        for (int i = before; i < Count(); ++i)
            EXPECT_NO_THROW((void)Parser->PrettyPrint(Logic->GetItems()->GetItem(i))) << Text;
        return read;
    }

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

TEST_F(Robustness, RandomBytesAndTokenSoup) {
    // The token soup goes deeper than bytes: inside a term body, and as edits of valid text.
    std::vector<std::string> tokens = {"\"s p\"", ";c\n"};
    std::istringstream words(R"tok(( ) [ ] deffuzzy term values range units 0 -3.5 1e3 42 cold t
        very not about and or-sum * +X <= / ?x tri pi s z beta \ " ~ = "\"q\"")tok");
    for (std::string word; words >> word;)
        tokens.push_back(word);
    const std::string valid = "(deffuzzy v \"c\" (range 0 10) (units \"m s\") (values (term "
                              "a (tri 0 5 10)) (term b ((0 0) (5 1))) (term c very a or b * 2)))";
    std::mt19937 random(20240607);
    auto below = [&](std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
    };
    for (int i = 0; i < 600; ++i) {
        std::string text;
        if (i % 3 == 0) {
            text.resize(below(2001));
            for (char& c : text)
                c = static_cast<char>(below(256));
        } else {
            text = i % 3 == 1 ? Heading : valid;
            for (std::size_t n = below(100); n > 0; --n)
                text.insert(i % 3 == 1 ? text.size() : below(text.size() + 1),
                            " " + tokens[below(tokens.size())] + " ");
            if (i % 3 == 1)
                text += ")))";
        }
        Logic->SetAutoTerms(i % 2 == 1);
        (void)Survives(text);
        ExpectStillUsable();
    }
}

TEST_F(Robustness, EveryPrefixOfAValidText) {
    const std::vector<std::string> forms = {
        "(deffuzzy temperature \"comment\" (range 0 40) (units C)\n (values (term cold \"c\" (z "
        "10 18)) (term warm (tri 15 21 27)) (term hot (s 24 30))\n (term odd ((0 0) (5 1) (10 "
        "0))) (term p (pi 2 5)) (term q (pi 0 10 4))\n (term b (beta 2 5 4 2)) (term mix very "
        "warm or [cold and-product hot]) (term m warm * 0.5)))",
        "(deffuzzy speed \"a \\\"quoted\\\" one\" (units \"m / s\") (range -5 5) (values (term "
        "slow (z -4 0)) (term fast not slow)))",
        "(deffuzzy x)"};
    std::string text;
    std::vector<std::size_t> starts;
    std::vector<std::size_t> ends;
    for (const std::string& form : forms) {
        starts.push_back(text.size());
        text += form;
        ends.push_back(text.size());
        text += "\r\n; between forms (\r\n";
    }
    const std::size_t nameAt = std::string("(deffuzzy ").size() + 1; // one letter of the name
    for (std::size_t length = 0; length <= text.size(); ++length) {
        SCOPED_TRACE(text.substr(0, length));
        const std::string prefix = text.substr(0, length);
        std::size_t complete = 0;
        while (complete < ends.size() && ends[complete] <= length)
            ++complete;
        const bool inNextForm = complete < forms.size() && length > starts[complete];
        // The lexer reads a whole form ahead, so a cut inside a string fails before the
        // variable is made; elsewhere, a variable is made once its name is read.
        bool inString = false;
        for (std::size_t i = inNextForm ? starts[complete] : length; i < length; ++i) {
            if (inString && prefix[i] == '\\')
                ++i;
            else if (prefix[i] == '"')
                inString = !inString;
        }
        const bool named = inNextForm && !inString && length >= starts[complete] + nameAt;
        const int before = Count();
        EXPECT_EQ(Survives(prefix), !inNextForm);
        EXPECT_EQ(Count() - before, static_cast<int>(complete) + (named ? 1 : 0));
    }
    const int before = Count();
    Read(text);
    ASSERT_EQ(Count(), before + 3);
    const TFuzzySet* mix = Logic->GetItems()->GetItem(before)->GetItems()->GetItemByName("mix");
    EXPECT_EQ(mix->GetExpression(), "very warm or [ cold and-product hot ]");
    EXPECT_EQ(Logic->GetItems()->GetItem(before + 1)->GetComment(), "a \"quoted\" one");
}

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

// A chain of hedges costs time quadratic in its length (each step's set is named by the
// whole expression so far), so it is kept short here.
TEST_F(Robustness, AChainOfHedges) {
    Read(Heading + Repeat("very ", 1000) + "cold)))");
    const TFuzzySet* t = Logic->GetItems()->GetItem(0)->GetItems()->GetItemByName("t");
    EXPECT_EQ(t->DegreeOfMembership(2), 1);
    EXPECT_EQ(t->DegreeOfMembership(5), 0);
    ExpectStillUsable();
}

TEST_F(Robustness, TenMegabyteAtomsAndStrings) {
    const std::string big(10 << 20, 'n');
    EXPECT_EQ(ParseErrorOf(big).substr(0, 40), "Parsing Error, Unexpected token: \"nnnnnn");
    Read("(deffuzzy a (values (term " + big + " (tri 0 0.5 1))))");
    EXPECT_EQ(Logic->GetItems()->GetItem(0)->GetItems()->GetItem(0)->GetName().size(), big.size());
    Read("(deffuzzy b \"" + big + "\")");
    EXPECT_EQ(Logic->GetItems()->GetItem(1)->GetComment().size(), big.size());
    ExpectStillUsable();
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
