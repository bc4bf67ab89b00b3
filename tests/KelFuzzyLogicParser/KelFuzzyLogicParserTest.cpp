// Reading definition text into a logic component: variables, clauses, term bodies,
// callbacks, every parse error with its place and line, and bad text (deep, huge or
// broken), which fails with the library's own exceptions and leaves no half-made term.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Exceptions.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

using Reading = ParserFixture;

std::vector<std::string> NamesOf(const TFuzzyVariable& Variable) {
    std::vector<std::string> names;
    for (const TFuzzySet* term : *Variable.GetItems())
        names.push_back(term->GetName());
    return names;
}

// The later range wins; units take the text form of one token; a variable without clauses
// has the range [0, 1] and no units, comment or terms; forms at the very end of the text
// are read, and two definitions of a name make two variables.
TEST_F(Reading, ClausesSetRangeUnitsCommentsAndTerms) {
    Read("(deffuzzy temperature \"room \\\"air\\\"\"\r\n"
         "  (range 0 10) (units \"deg C\") (range -5 40.5)\n"
         "  (values (term cold \"below comfort\" (z 10 18)))\n"
         "  (values (term warm (tri 15 21 27)) (term odd ((0 0) (5 1) (10 0)))))");
    const TFuzzyVariable* t = Variable("temperature");
    EXPECT_EQ(t->GetComment(), "room \"air\"");
    EXPECT_EQ(t->GetMinimum(), -5);
    EXPECT_EQ(t->GetMaximum(), 40.5);
    EXPECT_EQ(t->GetUnits(), "deg C");
    EXPECT_EQ(NamesOf(*t), (std::vector<std::string>{"cold", "warm", "odd"}));
    EXPECT_EQ(Term("temperature", "cold")->GetComment(), "below comfort");
    EXPECT_EQ(Term("temperature", "cold")->GetSetType(), TFuzzySetType::fstDeclineCurve);
    EXPECT_EQ(Term("temperature", "warm")->GetSetType(), TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*Term("temperature", "odd")->GetValues()), {{0, 0}, {5, 1}, {10, 0}});
    for (const TFuzzySet* term : *t->GetItems())
        EXPECT_TRUE(term->GetDefined()) << term->GetName();
    EXPECT_EQ(Term("temperature", "odd")->GetExpression(), ""); // as the body left it

    Read("(deffuzzy a (units kg)) (deffuzzy b (units 12)) (deffuzzy c (units 1.5e2))");
    EXPECT_EQ(Variable("a")->GetUnits(), "kg");
    EXPECT_EQ(Variable("b")->GetUnits(), "12");
    EXPECT_EQ(Variable("c")->GetUnits(), "150");
    Read("(deffuzzy a)(deffuzzy e)");
    Read("(deffuzzy f)\r\n");
    EXPECT_EQ(Logic->GetItems()->GetCount(), 7);
    EXPECT_EQ(Parser->PrettyPrint(Variable("f")),
              "(deffuzzy f \r\n  (range 0.0000 1.0000)\r\n  (values \r\n  )\r\n)");
}

TEST_F(Reading, AutomaticTermsFillOnlyWhatTheTextLeavesOut) {
    Logic->SetAutoTerms(true);
    Read("(deffuzzy v (range 0 10) (values (term low ((0 1) (4 0)))))");
    EXPECT_EQ(NamesOf(*Variable("v")).size(), 3u);
    ExpectPoints(PointsOf(*Term("v", "low")->GetValues()), {{0, 1}, {4, 0}});
    ExpectPoints(PointsOf(*Term("v", "high")->GetValues()), {{0, 0}, {10, 1}});
    // A term that fails at the end of the text leaves the automatic term its name.
    EXPECT_NE(ErrorOf("(deffuzzy w (range 0 10) (values (term low"), "");
    EXPECT_TRUE(Term("w", "low")->GetDefined());
    ExpectPoints(PointsOf(*Term("w", "low")->GetValues()), {{0, 1}, {10, 0}});
}

// The callbacks come in reading order, with no end after a failure; a callback may change
// the text while it is read (it is the caller's), and reading goes on with the text as given.
TEST_F(Reading, CallbacksComeInReadingOrder) {
    std::vector<std::string> log;
    Parser->SetOnBeginParse([&](TObject*) { log.push_back("begin"); });
    Parser->SetOnEndParse([&](TObject*) { log.push_back("end"); });
    Parser->SetOnParseFuzzySet(
        [&](TObject*, TFuzzySet* set) { log.push_back("set " + set->GetName()); });
    Parser->SetOnParseFuzzyVariable(
        [&](TObject*, TFuzzyVariable* v) { log.push_back("variable " + v->GetName()); });
    Parser->Parse("(deffuzzy a (values (term b (tri 0 1 2)) (term c b)))", nullptr);
    EXPECT_EQ(log, (std::vector<std::string>{"begin", "set b", "set c", "variable a", "end"}));
    log.clear();
    EXPECT_THROW(Parser->Parse("(deffuzzy", nullptr), EFzyParseException);
    EXPECT_EQ(log, (std::vector<std::string>{"begin"}));

    // Longer than the reader's buffer, so that the second variable is read after the change.
    std::string text =
        "(deffuzzy x (values (term b (tri 0 1 2))))" + std::string(100000, ' ') + "(deffuzzy y)";
    Parser->SetOnParseFuzzyVariable(
        [&](TObject*, TFuzzyVariable*) { text.assign(text.size(), ')'); });
    Parser->ParseFuzzyLogic(text, nullptr);
    EXPECT_EQ(Logic->GetItems()->GetItem(2)->GetName(), "y");
}

// Nothing is read without a logic component, not even the begin callback; the link goes
// with the component.
TEST_F(Reading, NothingIsReadWithoutALogicComponent) {
    Logic.reset();
    EXPECT_EQ(Parser->GetFuzzyLogic(), nullptr);
    bool begun = false;
    Parser->SetOnBeginParse([&](TObject*) { begun = true; });
    for (auto parse :
         {+[](TKelFuzzyLogicParser& p) { p.Parse("(deffuzzy a)", nullptr); },
          +[](TKelFuzzyLogicParser& p) { p.ParseFuzzyLogic("(deffuzzy a)", nullptr); },
          +[](TKelFuzzyLogicParser& p) { (void)p.ParseFuzzyVariable("(deffuzzy a)", nullptr); }}) {
        EXPECT_RAISES(parse(*Parser), EFzyParseException,
                      "Fuzzy Logic component must be specified to parse");
    }
    EXPECT_FALSE(begun);
}

// Each text fails with the whole message: what, where, the line and the text read so far
// (which starts with the space left where the first "(" was taken and put back).
TEST_F(Reading, ErrorsNameThePlaceTheLineAndTheTextReadSoFar) {
    const struct {
        const char* Text;
        const char* Message;
    } cases[] = {
        {"x", "Parsing Error, Unexpected token: \"x\" in ParseFuzzyLogic at line 1: \"x \""},
        {"(foo a)",
         "Parsing Error, Expected \"( deffuzzy\" in ParseFuzzyVariable at line 1: \" ( foo \""},
        {"(deffuzzy 12)", "Parsing Error, Missing name in ParseFuzzyVariable at line 1: "
                          "\" ( deffuzzy 12 \""},
        {"(deffuzzy ?a)", "Parsing Error, Missing name in ParseFuzzyVariable at line 1: "
                          "\" ( deffuzzy a \""},
        {"(deffuzzy a\n (rang 0 1)\n)",
         "Parsing Error, Missing keyword.  Expected \"range, units, or values\" in "
         "ParseFuzzyVariable at line 2: \" ( deffuzzy a \r\n( rang \""},
        {"(12)",
         "Parsing Error, Expected \"( deffuzzy\" in ParseFuzzyVariable at line 1: \" ( 12 \""},
        {"(deffuzzy a (5 0 1))",
         "Parsing Error, Missing keyword.  Expected \"range, units, or values\" in "
         "ParseFuzzyVariable at line 1: \" ( deffuzzy a ( 5 \""},
        {"(deffuzzy a (range", "Parsing Error, Expected number in ParseFuzzyVariable at line 1: \" "
                               "( deffuzzy a ( range EOF \""},
        {"(deffuzzy a (range 0 x))",
         "Parsing Error, Expected number in ParseFuzzyVariable at line 1: "
         "\" ( deffuzzy a ( range 0 x \""},
        {"(deffuzzy a (range 0 1 2))",
         "Parsing Error, Expected \")\" in ParseFuzzyVariable at line 1: "
         "\" ( deffuzzy a ( range 0 1 2 \""},
        {"(deffuzzy a x)", "Parsing Error, Expected \"(\" in ParseFuzzyVariable at line 1: "
                           "\" ( deffuzzy a x ) \""},
        {"(deffuzzy a (values x))",
         "Parsing Error, Expected \"( term\" in ParseFuzzySet at line 1: "
         "\" ( deffuzzy a ( values x ) \""},
        {"(deffuzzy a (values (t b)))",
         "Parsing Error, Expected \"( term\" in ParseFuzzySet at line 1: "
         "\" ( deffuzzy a ( values ( t \""},
        {"(deffuzzy a (values (term b ((0 0) (1 x)))))",
         "Parsing Error, Expected number in ParseFuzzyValuePairs at line 1: "
         "\" ( deffuzzy a ( values ( term b ( ( 0 0 ) ( 1 x \""},
        {"(deffuzzy a (values (term b ((0 0) x))))",
         "Parsing Error, Expected \")\" in ParseFuzzyValuePairs at line 1: "
         "\" ( deffuzzy a ( values ( term b ( ( 0 0 ) x \""},
        {"(deffuzzy a (values (term b (12 0 1))))",
         "Parsing Error, Missing name in ParseFuzzyFunction at line 1: "
         "\" ( deffuzzy a ( values ( term b ( 12 \""},
        // The lexer's error passes through unchanged; setters keep their own messages.
        {"(deffuzzy a \n\"open\\", "Unbalanced string: the text ends inside a string"},
        {"(deffuzzy a)\\",
         "Parsing Error, Unexpected token: \"\\\" in ParseFuzzyLogic at line 1: \"\\ \""},
        {"(deffuzzy b \\", "Parsing Error, Expected \"(\" in ParseFuzzyVariable at line 1: "
                           "\" ( deffuzzy b \\ EOF \""},
        {"(deffuzzy a (values (term very (tri 0 1 2))))",
         "Invalid fuzzy set name, \"very\" is a reserved word"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.Text), c.Message) << c.Text;
    EXPECT_THROW(Read("(deffuzzy b (values (term t (beta 2 5 0))))"), EZeroDivide);
    EXPECT_RAISES((void)Parser->ParseFuzzySet(nullptr, "(term t ((0 0) (1 1)))", nullptr),
                  EFzyParseException,
                  "Parsing Error, fuzzy variable is not defined in ParseFuzzySet at line 1: "
                  "\"( term t \"");
}

// The exception carries the line of the failure (what was read stays), and a long text
// read so far is shown by its two ends.
TEST_F(Reading, ErrorsCarryTheirLineAndShortenTheText) {
    const auto error =
        RaisedBy<EFzyParseException>([&] { Read("(deffuzzy a)\n\n(deffuzzy b\n (range 0 one))"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetLineNumber(), 4);
    EXPECT_EQ(Logic->GetItems()->GetCount(), 2);
    const auto open = RaisedBy<EFzyParseException>([&] { Read("(deffuzzy c \n\"open\\"); });
    ASSERT_TRUE(open);
    EXPECT_EQ(open->GetLineNumber(), 2);

    const std::string name(290, 'n');
    const std::string parsed = " ( deffuzzy " + name + " ( x ";
    EXPECT_EQ(ErrorOf("(deffuzzy " + name + " (x))"),
              "Parsing Error, Missing keyword.  Expected \"range, units, or values\" in "
              "ParseFuzzyVariable at line 1: \"" +
                  parsed.substr(0, 128) + "... \r\n" + parsed.substr(parsed.size() - 128) + "\"");
}

// Single terms and variables read from their own text, and the component's strings read
// and regenerate through the parser.
TEST_F(Reading, SingleFormsAndTheComponentsStrings) {
    TFuzzyVariable* v = Parser->ParseFuzzyVariable("(deffuzzy v (range 0 10)) junk", nullptr);
    EXPECT_EQ(v, Variable("v"));
    TFuzzySet* t = Parser->ParseFuzzySet(v, "(term t (s 2 8))", nullptr);
    EXPECT_EQ(t->GetName(), "t");
    EXPECT_EQ(t->GetVariable(), v);
    EXPECT_EQ(t->GetSetType(), TFuzzySetType::fstGrowthCurve);

    TStringList text;
    text.SetText("(deffuzzy speed (range 0 100) (values (term slow (z 0 50))))");
    Logic->SetStrings(&text);
    ASSERT_EQ(Logic->GetItems()->GetCount(), 1);
    Variable("speed")->SetUnits("km/h");
    EXPECT_EQ(Logic->GetStrings()->GetText(), "(deffuzzy speed \r\n"
                                              "  (range 0.0000 100.0000)\r\n"
                                              "  (units km/h)\r\n"
                                              "  (values \r\n"
                                              "    (term slow (z 0.0000 50.0000))\r\n"
                                              "  )\r\n"
                                              ")\n");
}

// A point list keeps every point it lists, as a term's body and as an operand (grouped, so
// that the body does not begin with a round bracket); it reports its reading once however
// many points it holds, and a number operand ends inside the axis.
TEST_F(Reading, PointListsKeepEveryPointTheyList) {
    const struct {
        std::string Body;
        TPoints Points;
    } cases[] = {
        {"((2 0) (2 1) (5 1) (5 0))", {{2, 0}, {2, 1}, {5, 1}, {5, 0}}},
        {"((0 0) (4 0) (4 1) (10 1))", {{0, 0}, {4, 0}, {4, 1}, {10, 1}}},
        {"((5 0) (1 1) (8 1))", {{1, 1}, {5, 0}, {8, 1}}}, // sorted once, at the end
    };
    for (const auto& c : cases) {
        TParsedLogic parsed;
        parsed.Read("(deffuzzy v (range 0 10) (values (term p " + c.Body + ") (term e [" + c.Body +
                    "])))");
        for (const char* term : {"p", "e"}) {
            SCOPED_TRACE(c.Body + " as " + term);
            ExpectPoints(PointsOf(*parsed.Term("v", term)->GetValues()), c.Points);
        }
    }
    int changes = 0;
    Logic->SetOnFuzzySetChange([&](TObject*, TFuzzySet*) { ++changes; });
    Read("(deffuzzy v (range 0 10) (values (term p ((2 0) (2 1) (5 1) (5 0) (7 0.5)))))");
    const int perPointList = changes;
    Read("(deffuzzy w (range 0 10) (values (term p ((2 0) (7 0.5)))))");
    EXPECT_EQ(changes, 2 * perPointList);
    Read("(deffuzzy u (range 0 1) (values (term n 2)))");
    for (const TFuzzySetValue* point : *Term("u", "n")->GetValues())
        EXPECT_EQ(point->GetX(), 1);
}

// Each text fails; no term of the failed read is left, under its name or another.
TEST_F(Reading, AFailedTermLeavesNoHalfMadeTerm) {
    for (const char* failing :
         {"(term t u or ((0 0) (1 x))))", "(term t u or (tri 0 1))))", "(term t (tri 1 2))))",
          "(term very ((0 0) (1 1))))", "(term t u", "(term t"}) {
        TParsedLogic parsed;
        EXPECT_NE(
            parsed.ErrorOf(std::string("(deffuzzy v (values (term u ((0 0) (1 1))) ") + failing),
            "")
            << failing;
        EXPECT_EQ(NamesOf(*parsed.Variable("v")), (std::vector<std::string>{"u"})) << failing;
    }
}

// An empty body names the placeholder; when the placeholder was made before, the term gets
// a copy of it, and a failed read leaves the placeholder as it was.
TEST_F(Reading, AnEmptyBodyDoesNotTakeAnOlderPlaceholder) {
    Read("(deffuzzy v)");
    TFuzzyVariable* v = Variable("v");
    const TFuzzySet* placeholder = Parser->EvalFuzzyExpression(v, "");
    EXPECT_THROW((void)Parser->ParseFuzzySet(v, "(term z", nullptr), EFzyParseException);
    EXPECT_NE(Parser->ParseFuzzySet(v, "(term b)", nullptr), placeholder);
    EXPECT_EQ(placeholder->GetName(), "__Empty");
    EXPECT_EQ(NamesOf(*v), (std::vector<std::string>{"__Empty", "b"}));
}

std::string Repeat(std::string_view Piece, int Count) {
    std::string text;
    for (int i = 0; i < Count; ++i)
        text += Piece;
    return text;
}

// Deep nesting fails cleanly or reads; non-finite and out-of-range numbers (also
// underflowing ones) are atoms, not numbers; NUL is white space, kept in strings. After each
// text the component reads the next.
TEST_F(Reading, BadTextFailsCleanlyAndLeavesTheComponentUsable) {
    constexpr int deep = 100000;
    const std::string heading = "(deffuzzy v (range 0 10) (values (term cold (z 2 8)) (term t ";
    std::vector<std::pair<std::string, std::string>> cases = {
        {Repeat("(", deep), "Parsing Error, Expected \"( deffuzzy\""},
        {heading + "cold " + Repeat("(", deep),
         "Parsing Error, Groups nested more than 256 levels deep in ParseTokenList"},
        {heading + "((0 0) " + Repeat("(", deep),
         "Parsing Error, Expected number in ParseFuzzyValuePairs"},
    };
    for (const std::string number : {"1e400", "-1e400", "nan", "NaN", "inf", "-inf", "1e-400"}) {
        cases.push_back({"(deffuzzy a (range 0 " + number + "))",
                         "Parsing Error, Expected number in ParseFuzzyVariable at line 1: \" ( "
                         "deffuzzy a ( range 0 " +
                             number + " \""});
        cases.push_back({"(deffuzzy b (values (term t ((0 0) (" + number + " 1)))))",
                         "Parsing Error, Expected number in ParseFuzzyValuePairs at line 1: \" ( "
                         "deffuzzy b ( values ( term t ( ( 0 0 ) ( " +
                             number + " \""});
    }
    using namespace std::string_literals;
    cases.push_back({"(deffuzzy c (range 0 4.9e-324))", ""}); // the smallest subnormal
    cases.push_back({"\0(deffuzzy\0d\0\"x\0y\"\0(range\0 0 10))\0"s, ""});
    for (const auto& [text, message] : cases) {
        SCOPED_TRACE(text.substr(0, 80));
        const std::string error = ErrorOf(text);
        EXPECT_EQ(error.substr(0, message.size()), message);
        EXPECT_TRUE(!message.empty() || error.empty()) << error;
        const int before = Logic->GetItems()->GetCount();
        Read("(deffuzzy probe (range 0 10) (values (term low (z 2 8)) (term mid about low)))");
        ASSERT_EQ(Logic->GetItems()->GetCount(), before + 1);
        const TFuzzySet* low = Logic->GetItems()->GetItem(before)->GetItems()->GetItemByName("low");
        EXPECT_DOUBLE_EQ(low->DegreeOfMembership(5), 0.5);
    }
    TParsedLogic brackets; // deep square brackets read, without recursion
    brackets.Read(heading + Repeat("[", deep) + "cold" + Repeat("]", deep) + ")))");
    EXPECT_DOUBLE_EQ(brackets.Term("v", "t")->DegreeOfMembership(5), 0.5); // the curve of cold
    EXPECT_EQ(Variable("c")->GetMaximum(), 4.9e-324);
    EXPECT_EQ(Variable("d")->GetComment(), "x\0y"s);
    EXPECT_EQ(Variable("d")->GetMaximum(), 10);
}

} // namespace
} // namespace fuzzy::test
