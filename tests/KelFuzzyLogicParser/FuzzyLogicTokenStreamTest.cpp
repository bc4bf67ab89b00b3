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

// A token as "kind:text"; numbers show their value and, should they have one, "!" and a text.
std::string Describe(const IFuzzyStreamToken& Token) {
    const auto type = static_cast<TFuzzyStreamTokenType>(Token.GetDataType());
    const std::string& text = Token.GetText();
    switch (type) {
    case fstInteger:
    case fstFloat:
        return (type == fstInteger ? "int:" : "float:") + Token.ToString() +
               (text.empty() ? "" : "!" + text);
    case fstNone:
        return "none:" + text;
    case fstAtom:
        return "atom:" + text;
    case fstString:
        return "str:" + text;
    case fstVariable:
        return "var:" + text;
    default:
        return text.size() == 1 && Token.GetDataType() == static_cast<unsigned char>(text.front())
                   ? text
                   : "bad punctuation";
    }
}

// Every token up to the end-of-text token, which is left out.
std::vector<std::string> Lex(const std::string& Text) {
    TLexer lexer(Text);
    std::vector<std::string> tokens;
    for (auto token = lexer.Tokens.NextToken(); !IsEnd(token); token = lexer.Tokens.NextToken())
        tokens.push_back(Describe(*token));
    return tokens;
}

struct TLexCase {
    std::string Text;
    std::vector<std::string> Tokens;
};

TEST(FuzzyLogicTokenStreamTest, ClassifiesTokens) {
    const std::vector<TLexCase> cases = {
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
    };
    for (const auto& [text, tokens] : cases)
        EXPECT_EQ(Lex(text), tokens) << "text: " << text;
}

TEST(FuzzyLogicTokenStreamTest, ReadsNumbersWithEmptyText) {
    const std::vector<TLexCase> cases = {
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
}

TEST(FuzzyLogicTokenStreamTest, CountsLines) {
    const std::vector<std::pair<std::string, std::vector<int>>> cases = {
        {"a\nb\r\nc\rd", {1, 2, 3, 4, 4}}, {"(a\r\n\r\n b)", {1, 1, 3, 3, 3}},
        {"\"x\r\ny\ny\" z", {3, 3, 3}},    {"a ;one\n;two\r\n;three\rb", {1, 4, 4}},
        {"a\\\nb c", {2, 2, 2}},           {"\"\\\r\n\" z", {2, 2, 2}},
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

TEST(FuzzyLogicTokenStreamTest, HandsTheEndOfTextOutAgainAndAgain) {
    TLexer lexer("abc");
    EXPECT_EQ(Describe(*lexer.Tokens.NextToken()), "atom:abc");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(Describe(*lexer.Tokens.NextToken()), "none:EOF");
}

TEST(FuzzyLogicTokenStreamTest, KeepsTheWhiteSpaceBeforeEachToken) {
    TLexer lexer("  a ;c\n b");
    EXPECT_EQ(lexer.Tokens.NextToken()->GetWhitespace(), "   "); // with the blank ending it
    EXPECT_EQ(lexer.Tokens.NextToken()->GetWhitespace(), ";c\r\n ");
}

TEST(FuzzyLogicTokenStreamTest, ReadsTheTextInItsEncoding) {
    TLexer lexer("(term \"\xC3\xA9t\xC3\xA9\")", TEncoding::Unicode());
    std::vector<std::string> tokens;
    for (auto token = lexer.Tokens.NextToken(); !IsEnd(token); token = lexer.Tokens.NextToken())
        tokens.push_back(Describe(*token));
    EXPECT_EQ(tokens, (std::vector<std::string>{"(", "atom:term", "str:\xC3\xA9t\xC3\xA9", ")"}));
}

// ---- Reading ahead, putting back and the recorded text ----

TEST(FuzzyLogicTokenStreamTest, PutBackTokenComesBackOnceInTheRecordedText) {
    TLexer lexer("(a b)");
    auto& tokens = lexer.Tokens;
    tokens.NextToken();
    const auto a = tokens.NextToken();
    EXPECT_EQ(tokens.ToString(), "( a ");
    tokens.PutBackToken(a);
    EXPECT_EQ(tokens.ToString(), "( ");
    EXPECT_EQ(tokens.GetCurrentToken(), a);
    EXPECT_EQ(tokens.NextToken(), a);
    tokens.NextToken();
    tokens.NextToken();
    EXPECT_EQ(tokens.ToString(), "( a b ) ");
}

// Putting a token back leaves what was recorded before it, trimmed of trailing white space,
// and one space.
TEST(FuzzyLogicTokenStreamTest, PutBackLeavesTheTrimmedTextAndOneSpace) {
    const struct {
        const char* Text;
        int Taken;
        const char* Recorded;
    } cases[] = {
        {"(a b)", 1, " "},       // the first token: nothing before it
        {"(a\\  b)", 3, "( a "}, // after the atom "a " (an escaped space)
    };
    for (const auto& c : cases) {
        TLexer lexer(c.Text);
        TInterfacePtr<IFuzzyStreamToken> last;
        for (int i = 0; i < c.Taken; ++i)
            last = lexer.Tokens.NextToken();
        lexer.Tokens.PutBackToken(last);
        EXPECT_EQ(lexer.Tokens.ToString(), c.Recorded) << c.Text;
    }
}

TEST(FuzzyLogicTokenStreamTest, RecordsALineBreakWhereTheLineGrows) {
    TLexer lexer("(a\n\n b\r\n c)");
    auto& tokens = lexer.Tokens;
    TInterfacePtr<IFuzzyStreamToken> b;
    for (int i = 0; i < 3; ++i)
        b = tokens.NextToken();
    EXPECT_EQ(tokens.ToString(), "( a \r\nb ");
    tokens.PutBackToken(b); // the line break goes with it
    EXPECT_EQ(tokens.ToString(), "( a ");
    tokens.NextToken();
    tokens.NextToken();
    tokens.NextToken();
    EXPECT_EQ(tokens.ToString(), "( a b \r\nc ) ");
}

TEST(FuzzyLogicTokenStreamTest, ReadsOneFormAheadAndRecordsEachFormAfresh) {
    TLexer lexer("(a\n)\n\nb");
    auto& tokens = lexer.Tokens;
    tokens.NextToken();
    EXPECT_EQ(tokens.GetLineNumber(), 2); // up to the ")", not beyond
    tokens.NextToken();
    tokens.NextToken();
    EXPECT_EQ(Describe(*tokens.NextToken()), "atom:b");
    EXPECT_EQ(tokens.GetLineNumber(), 4);
    EXPECT_EQ(tokens.ToString(), "\r\nb ");
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

TEST(FuzzyLogicTokenStreamTest, MoveToNextConstructAndClearSkipTheRestOfAForm) {
    TLexer lexer("(a (b c) d) (e) (f)");
    auto& tokens = lexer.Tokens;
    tokens.NextToken();
    tokens.NextToken();
    tokens.MoveToNextConstruct();
    EXPECT_EQ(Describe(*tokens.NextToken()), "(");
    tokens.Clear();
    EXPECT_EQ(tokens.ToString(), "");
    EXPECT_EQ(Describe(*tokens.NextToken()), "(");
    EXPECT_EQ(Describe(*tokens.NextToken()), "atom:f");
}

TEST(FuzzyLogicTokenStreamTest, FirstCurrentTokenIsTakenOnDemand) {
    TLexer lexer("x y");
    EXPECT_EQ(Describe(*lexer.Tokens.GetCurrentToken()), "atom:x");
    EXPECT_EQ(Describe(*lexer.Tokens.NextToken()), "atom:y");
}

// ---- Errors and large input ----

TEST(FuzzyLogicTokenStreamTest, AnOpenStringFailsAtTheLastLine) {
    const std::pair<std::string, int> cases[] = {{"(a \"bc", 1}, {"\"a\nb", 2}, {"\"ab\\", 1}};
    for (const auto& c : cases) {
        TLexer lexer(c.first);
        const auto error = test::RaisedBy<EFzyParseException>([&] { lexer.Tokens.NextToken(); });
        ASSERT_TRUE(error) << c.first;
        EXPECT_STREQ(error->what(), "Unbalanced string: the text ends inside a string");
        EXPECT_EQ(error->GetLineNumber(), c.second) << "text: " << c.first;
    }
}

TEST(FuzzyLogicTokenStreamTest, FinishTokenKnowsItsKinds) {
    TLexer lexer("");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(13, "ignored")), "atom:CRLF");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(-1, "")), "none:EOF");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(-1, "12")), "int:12");
    EXPECT_EQ(Describe(*lexer.Tokens.FinishToken(126, "~")), "~");
    for (const int kind : {7, 35, 60, -2}) {
        EXPECT_RAISES((void)lexer.Tokens.FinishToken(kind, "x"), EFzyParseException,
                      "Invalid token kind: " + std::to_string(kind));
    }
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
