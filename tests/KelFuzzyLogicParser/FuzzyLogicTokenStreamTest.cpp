#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/Encoding.hpp"
#include "platform/Stream.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using enum TFuzzyStreamTokenType;

// A lexer over a text it owns.
struct TLexer {
    explicit TLexer(const std::string& Text, const TEncoding* Encoding = nullptr)
        : Source(Text, Encoding), Tokens(&Source, Encoding) {}
    TKelStringStream Source;
    TFuzzyLogicTokenStream Tokens;
};

bool IsEnd(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return Token->GetDataType() == static_cast<int>(fstNone);
}

// A token as "kind:text"; numbers show their value and, should they have one, "!" and a
// text; punctuation is its own character.
std::string Describe(const IFuzzyStreamToken& Token) {
    static const char* const kinds[] = {"none:", "atom:", "str:", "int:", "float:", "var:"};
    const int type = Token.GetDataType();
    const std::string& text = Token.GetText();
    if (type == static_cast<int>(fstInteger) || type == static_cast<int>(fstFloat))
        return kinds[type] + Token.ToString() + (text.empty() ? "" : "!" + text);
    if (type <= static_cast<int>(fstVariable))
        return kinds[type] + text;
    return text.size() == 1 && type == static_cast<unsigned char>(text.front()) ? text
                                                                                : "bad punctuation";
}

// Every token up to the end-of-text token, which is left out.
std::vector<std::string> Lex(const std::string& Text, const TEncoding* Encoding = nullptr) {
    TLexer lexer(Text, Encoding);
    std::vector<std::string> tokens;
    for (auto token = lexer.Tokens.NextToken(); !IsEnd(token); token = lexer.Tokens.NextToken())
        tokens.push_back(Describe(*token));
    return tokens;
}

TEST(FuzzyLogicTokenStreamTest, ClassifiesTokens) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"(a b)", {"(", "atom:a", "atom:b", ")"}},
        {"[x]~y&z|w", {"[", "atom:x", "]", "~", "atom:y", "&", "atom:z", "|", "atom:w"}},
        {"x=y =y", {"atom:x=y", "=", "atom:y"}},
        {"a<b", {"atom:a", "atom:<b"}},
        {"a\"s t\"b", {"atom:a", "str:s t", "atom:b"}},
        {"?speed ?", {"var:speed", "var:"}},
        {"ab;cd\nef", {"atom:ab", "atom:ef"}},
        {"a\\ b a\\;b", {"atom:a b", "atom:a;b"}},
        {"\\x", {"atom:\\x"}},
        {"\"say \\\"hi\\\"\" \"a\\\\b\"", {"str:say \"hi\"", "str:a\\b"}},
        {"\"two\r\nlines\"", {"str:two\r\nlines"}},
        {"caf\xC3\xA9(", {"atom:caf\xC3\xA9", "("}},
        {"", {}},
        {"  ; only a comment", {}},
        {"tail\\", {"atom:tail"}},
        // Numbers have an empty text; what does not read whole as a number is an atom.
        {"12", {"int:12"}},
        {"-7 +3", {"int:-7", "int:3"}},
        {"1.5e2 .25", {"float:150", "float:0.25"}},
        {"2147483647 2147483648", {"int:2147483647", "float:2147483648"}},
        {"12abc 1e999 1,5", {"atom:12abc", "atom:1e999", "atom:1,5"}},
        {"- + . -- -x", {"atom:-", "atom:+", "atom:.", "atom:--", "atom:-x"}},
        {"x12", {"atom:x12"}},
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Lex(text), tokens) << "text: " << text;
    EXPECT_EQ(Lex("(term \"\xC3\xA9t\xC3\xA9\")", TEncoding::Unicode()),
              (std::vector<std::string>{"(", "atom:term", "str:\xC3\xA9t\xC3\xA9", ")"}));
}

TEST(FuzzyLogicTokenStreamTest, CountsLines) {
    const std::vector<std::pair<std::string, std::vector<int>>> cases = {
        {"a\nb\r\nc\rd", {1, 2, 3, 4, 4}},
        {"(a\r\n\r\n b)", {1, 1, 3, 3, 3}},
        {"\"x\r\ny\ny\" z", {3, 3, 3}},
        {"a ;one\n;two\r\n;three\rb", {1, 4, 4}},
        {"a\\\nb c", {2, 2, 2}},
        {"\"\\\r\n\" z", {2, 2, 2}},
        {"\"a\rb\" c", {2, 2, 2}},
        {"a\r", {1, 2}},
        {"a ;c\r", {1, 2}},
        {"a\\\r", {2, 2}},
    };
    for (const auto& [text, lines] : cases) {
        TLexer lexer(text);
        std::vector<int> seen;
        TInterfacePtr<IFuzzyStreamToken> token;
        do {
            token = lexer.Tokens.NextToken();
            seen.push_back(token->GetLineNumber());
        } while (!IsEnd(token));
        EXPECT_EQ(seen, lines) << "text: " << text;
    }
}

// The text recorded after a script of steps: "n" takes the next token, "p" puts the last
// one taken back. A token put back takes what was recorded for it with it, and the text
// before it is left trimmed, with one space; a line break is recorded where the line grows,
// and each form is recorded afresh.
TEST(FuzzyLogicTokenStreamTest, RecordsTheTextReadAndForgetsWhatIsPutBack) {
    const struct {
        const char* Text;
        const char* Steps;
        const char* Recorded;
    } cases[] = {
        {"(a b)", "nn", "( a "},
        {"(a b)", "nnp", "( "},
        {"(a b)", "nnpnnn", "( a b ) "},
        {"(a b)", "np", " "},         // the first token: nothing before it
        {"(a\\  b)", "nnnp", "( a "}, // after the atom "a " (an escaped space)
        {"(a\n\n b\r\n c)", "nnn", "( a \r\nb "},
        {"(a\n\n b\r\n c)", "nnnp", "( a "}, // the line break goes with it
        {"(a\n\n b\r\n c)", "nnnpnnn", "( a b \r\nc ) "},
        {"(a\n)\n\nb", "nnnn", "\r\nb "},
    };
    for (const auto& c : cases) {
        TLexer lexer(c.Text);
        TInterfacePtr<IFuzzyStreamToken> last;
        for (const char* step = c.Steps; *step != '\0'; ++step) {
            if (*step == 'n') {
                last = lexer.Tokens.NextToken();
            } else {
                lexer.Tokens.PutBackToken(last);
                EXPECT_EQ(lexer.Tokens.GetCurrentToken(), last);
            }
        }
        EXPECT_EQ(lexer.Tokens.ToString(), c.Recorded) << c.Text << " after " << c.Steps;
    }
}

TEST(FuzzyLogicTokenStreamTest, HeadLooksWithoutConsuming) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"(term x)", "term"}, {"(= a b)", "="}, {"(12 a)", ""},
        {"(\"s\")", ""},      {"word (x)", ""}, {"", ""},
    };
    for (const auto& [text, head] : cases) {
        TLexer lexer(text);
        EXPECT_EQ(lexer.Tokens.Head(), head) << "text: " << text;
        EXPECT_EQ(lexer.Tokens.Head(), head) << "text: " << text;
        EXPECT_EQ(lexer.Tokens.ToString(), " "); // nothing, and the space of a put-back
        TLexer fresh(text);
        EXPECT_EQ(Describe(*lexer.Tokens.NextToken()), Describe(*fresh.Tokens.NextToken()));
    }
}

// A token keeps the white space before it; the stream reads one form ahead, takes its first
// current token on demand, and skips the rest of a form or everything read.
TEST(FuzzyLogicTokenStreamTest, WhiteSpaceLinesAndSkipping) {
    TLexer spaced("  a ;c\n b");
    EXPECT_EQ(spaced.Tokens.NextToken()->GetWhitespace(), "   "); // with the blank ending it
    EXPECT_EQ(spaced.Tokens.NextToken()->GetWhitespace(), ";c\r\n ");

    TLexer ahead("(a\n)\n\nb");
    ahead.Tokens.NextToken();
    EXPECT_EQ(ahead.Tokens.GetLineNumber(), 2); // up to the ")", not beyond
    for (int i = 0; i < 3; ++i)
        ahead.Tokens.NextToken();
    EXPECT_EQ(ahead.Tokens.GetLineNumber(), 4);

    TLexer lexer("(a (b c) d) (e) (f)");
    auto& tokens = lexer.Tokens;
    EXPECT_EQ(Describe(*tokens.GetCurrentToken()), "(");
    EXPECT_EQ(Describe(*tokens.NextToken()), "atom:a");
    tokens.MoveToNextConstruct();
    EXPECT_EQ(Describe(*tokens.NextToken()), "(");
    tokens.Clear();
    EXPECT_EQ(tokens.ToString(), "");
    EXPECT_EQ(Describe(*tokens.NextToken()), "(");
    EXPECT_EQ(Describe(*tokens.NextToken()), "atom:f");
}

// An open string fails at the last line; FinishToken knows its kinds and refuses others.
TEST(FuzzyLogicTokenStreamTest, ErrorsAndTokenKinds) {
    const std::pair<const char*, int> open[] = {{"(a \"bc", 1}, {"\"a\nb", 2}, {"\"ab\\", 1}};
    for (const auto& [text, line] : open) {
        TLexer lexer(text);
        const auto error = test::RaisedBy<EFzyParseException>([&] { lexer.Tokens.NextToken(); });
        ASSERT_TRUE(error) << text;
        EXPECT_STREQ(error->what(), "Unbalanced string: the text ends inside a string");
        EXPECT_EQ(error->GetLineNumber(), line) << "text: " << text;
    }
    TLexer lexer("");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(13, "ignored")), "atom:CRLF");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(-1, "")), "none:EOF");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(-1, "12")), "int:12");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(126, "~")), "~");
    for (const int kind : {7, 35, 60, -2})
        EXPECT_RAISES((void)lexer.Tokens.FinishToken(kind, "x"), EFzyParseException,
                      "Invalid token kind: " + std::to_string(kind));
}

TEST(FuzzyLogicTokenStreamTest, LargeInputNeedsNoDeepStack) {
    const std::size_t size = 1 << 20;
    EXPECT_EQ(Lex(std::string(size, 'x')).front().size(), size + 5);
    EXPECT_EQ(Lex("\"" + std::string(size, 's') + "\"").front().size(), size + 4);

    std::string comments;
    for (int i = 0; i < 100000; ++i)
        comments += ";\n";
    EXPECT_EQ(Lex(comments + "z"), std::vector<std::string>{"atom:z"});

    const std::size_t depth = 100000;
    TLexer nested(std::string(depth, '(') + std::string(depth, ')'));
    for (std::size_t i = 0; i < 2 * depth; ++i)
        nested.Tokens.NextToken();
    EXPECT_EQ(nested.Tokens.ToString().size(), 4 * depth);
    nested.Tokens.MoveToNextConstruct();
    EXPECT_TRUE(IsEnd(nested.Tokens.NextToken()));
}

} // namespace
} // namespace fuzzy
