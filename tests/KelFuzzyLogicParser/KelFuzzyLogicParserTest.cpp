// Reading definition text into a logic component: variables, clauses, term bodies,
// callbacks and every parse error with its place and line.

#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "platform/Exceptions.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

using Reading = ParserFixture;

TEST_F(Reading, ClausesSetRangeUnitsCommentsAndTerms) {
    Read("(deffuzzy temperature \"room \\\"air\\\"\"\r\n"
         "  (range 0 10) (units \"deg C\") (range -5 40.5)\n"
         "  (values (term cold \"below comfort\" (z 10 18)))\n"
         "  (values (term warm (tri 15 21 27)) (term odd ((0 0) (5 1) (10 0)))))");
    const TFuzzyVariable* t = Variable("temperature");
    EXPECT_EQ(t->GetComment(), "room \"air\"");
    EXPECT_EQ(t->GetMinimum(), -5); // the later range wins
    EXPECT_EQ(t->GetMaximum(), 40.5);
    EXPECT_EQ(t->GetUnits(), "deg C");
    ASSERT_EQ(t->GetItems()->GetCount(), 3);
    EXPECT_EQ(Term("temperature", "cold")->GetComment(), "below comfort");
    EXPECT_EQ(Term("temperature", "cold")->GetSetType(), TFuzzySetType::fstDeclineCurve);
    EXPECT_EQ(Term("temperature", "warm")->GetSetType(), TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*Term("temperature", "odd")->GetValues()), {{0, 0}, {5, 1}, {10, 0}});
    for (const TFuzzySet* term : *t->GetItems())
        EXPECT_TRUE(term->GetDefined()) << term->GetName();
    EXPECT_EQ(Term("temperature", "odd")->GetExpression(), ""); // as the body left it
}

// A variable without clauses has the range [0, 1], no units, comment or terms.
TEST_F(Reading, EveryFormIsReadAlsoAtTheVeryEndOfTheText) {
    Read("(deffuzzy a)(deffuzzy a)");
    Read("(deffuzzy b)\r\n");
    EXPECT_EQ(Logic->GetItems()->GetCount(), 3); // two definitions of a make two variables
    EXPECT_EQ(Parser->PrettyPrint(Variable("b")),
              "(deffuzzy b \r\n  (range 0.0000 1.0000)\r\n  (values \r\n  )\r\n)");
}

TEST_F(Reading, UnitsTakeTheTextFormOfOneToken) {
    Read("(deffuzzy a (units kg)) (deffuzzy b (units 12)) (deffuzzy c (units 1.5e2))");
    EXPECT_EQ(Variable("a")->GetUnits(), "kg");
    EXPECT_EQ(Variable("b")->GetUnits(), "12");
    EXPECT_EQ(Variable("c")->GetUnits(), "150");
}

TEST_F(Reading, AutomaticTermsFillOnlyWhatTheTextLeavesOut) {
    Logic->SetAutoTerms(true);
    Read("(deffuzzy v (range 0 10) (values (term low ((0 1) (4 0)))))");
    const TFuzzySets& terms = *Variable("v")->GetItems();
    ASSERT_EQ(terms.GetCount(), 3);
    ExpectPoints(PointsOf(*terms.GetItemByName("low")->GetValues()), {{0, 1}, {4, 0}});
    ExpectPoints(PointsOf(*terms.GetItemByName("high")->GetValues()), {{0, 0}, {10, 1}});
}

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
    EXPECT_EQ(log, (std::vector<std::string>{"begin"})); // no end after a failure
}

// The text is the caller's: a callback may change it while it is read, and reading goes on
// with the text as it was given.
TEST_F(Reading, ACallbackMayChangeTheTextBeingRead) {
    // Longer than the reader's buffer, so that the second variable is read after the change.
    std::string text =
        "(deffuzzy a (values (term b (tri 0 1 2))))" + std::string(100000, ' ') + "(deffuzzy c)";
    Parser->SetOnParseFuzzyVariable(
        [&](TObject*, TFuzzyVariable*) { text.assign(text.size(), ')'); });
    Parser->ParseFuzzyLogic(text, nullptr);
    ASSERT_EQ(Logic->GetItems()->GetCount(), 2);
    EXPECT_EQ(Logic->GetItems()->GetItem(1)->GetName(), "c");
}

TEST_F(Reading, NothingIsReadWithoutALogicComponent) {
    Parser->SetFuzzyLogic(nullptr);
    bool begun = false;
    Parser->SetOnBeginParse([&](TObject*) { begun = true; });
    for (auto parse :
         {+[](TKelFuzzyLogicParser& p) { p.Parse("(deffuzzy a)", nullptr); },
          +[](TKelFuzzyLogicParser& p) { p.ParseFuzzyLogic("(deffuzzy a)", nullptr); },
          +[](TKelFuzzyLogicParser& p) { (void)p.ParseFuzzyVariable("(deffuzzy a)", nullptr); }}) {
        EXPECT_RAISES(parse(*Parser), EFzyParseException, SFuzzyLogicNotSet);
    }
    EXPECT_FALSE(begun);
}

TEST_F(Reading, TheLogicLinkGoesWithTheComponent) {
    Logic.reset();
    EXPECT_EQ(Parser->GetFuzzyLogic(), nullptr);
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
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ErrorOf(c.Text), c.Message) << c.Text;
    }
}

TEST_F(Reading, TheExceptionCarriesTheLineOfTheFailure) {
    const auto error =
        RaisedBy<EFzyParseException>([&] { Read("(deffuzzy a)\n\n(deffuzzy b\n (range 0 one))"); });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->GetLineNumber(), 4);
    EXPECT_EQ(Logic->GetItems()->GetCount(), 2); // what was read stays
}

TEST_F(Reading, ALongParsedTextIsShownByItsTwoEnds) {
    const std::string name(290, 'n');
    const std::string message = ErrorOf("(deffuzzy " + name + " (x))");
    const std::string parsed = " ( deffuzzy " + name + " ( x ";
    const std::string shown =
        parsed.substr(0, 128) + "... \r\n" + parsed.substr(parsed.size() - 128);
    EXPECT_EQ(message, "Parsing Error, Missing keyword.  Expected \"range, units, or values\" in "
                       "ParseFuzzyVariable at line 1: \"" +
                           shown + "\"");
}

TEST_F(Reading, SetterErrorsKeepTheirOwnMessages) {
    EXPECT_EQ(ErrorOf("(deffuzzy a (values (term very (tri 0 1 2))))"),
              "Invalid fuzzy set name, \"very\" is a reserved word");
    EXPECT_THROW(Read("(deffuzzy b (values (term t (beta 2 5 0))))"), EZeroDivide);
}

TEST_F(Reading, SingleTermsAndVariablesReadFromTheirOwnText) {
    TFuzzyVariable* v = Parser->ParseFuzzyVariable("(deffuzzy v (range 0 10)) junk", nullptr);
    EXPECT_EQ(v, Variable("v"));
    TFuzzySet* t = Parser->ParseFuzzySet(v, "(term t (s 2 8))", nullptr);
    EXPECT_EQ(t->GetName(), "t");
    EXPECT_EQ(t->GetVariable(), v);
    EXPECT_EQ(t->GetSetType(), TFuzzySetType::fstGrowthCurve);
}

TEST_F(Reading, TheComponentsStringsReadAndRegenerateThroughTheParser) {
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

} // namespace
} // namespace fuzzy::test
