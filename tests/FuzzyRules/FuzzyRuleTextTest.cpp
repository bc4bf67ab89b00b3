// The text form of rules: read and written with the rest of the definition, the reader's
// errors word for word, and the parser unchanged while rule reading is off.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/Raises.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

using RuleText = RuleFixture;

constexpr const char* VariedRules =
    "(rules\n"
    "  (rule (if (is x low)) (then (is out small)))\n"
    "  (rule (if (or-sum (is x very high) (not (is y low))))\n"
    "        (then (is out big) (is out small)) (weight 0.25))\n"
    "  (rule (if (and (not (is x somewhat very low)))) (then))\n"
    "  (rule (if (or (is y high))) (then (is out big)) (weight 0)))";

// Every part of a rule is read, and written in the shortest form that keeps it (a bare
// premise only for "and"); the written text reads back to the same rules.
TEST_F(RuleText, ReadsAndWritesEveryPartOfARule) {
    Read(VariedRules);
    const std::string written = PrettyPrintFuzzyRules(Rules());
    EXPECT_EQ(written, "(rules \r\n"
                       "  (rule (if (is x low)) (then (is out small)))\r\n"
                       "  (rule (if (or-sum (is x very high) (not (is y low)))) (then (is out big) "
                       "(is out small)) (weight 0.2500))\r\n"
                       "  (rule (if (not (is x somewhat very low))) (then))\r\n"
                       "  (rule (if (or (is y high))) (then (is out big)) (weight 0.0000))\r\n"
                       ")");
    Rules().Clear();
    Read(written);
    EXPECT_EQ(PrettyPrintFuzzyRules(Rules()), written);
    // Names that need escaping read back whole.
    Rules().Clear();
    Rules().Add({{"room temp", "a;b", {}, false}}, {{"out(1)", "x\"y"}});
    Read(PrettyPrintFuzzyRules(Rules()));
    ASSERT_EQ(Rules().GetCount(), 2);
    EXPECT_EQ(Rules()[1]->GetPremises().front(), (TFuzzyPremise{"room temp", "a;b", {}, false}));
    EXPECT_EQ(Rules()[1]->GetConclusions().front(), (TFuzzyConclusion{"out(1)", "x\"y"}));
}

TEST_F(RuleText, RulesFormsAddToTheBlockAndMayComeBeforeTheirVariables) {
    Read("(rules (rule (if (is x low)) (then (is out big))))");
    Read(std::string(RuleTestVariables) + "(rules (rule (if (is y low)) (then (is out small))))");
    ASSERT_EQ(Rules().GetCount(), 2);
    EXPECT_EQ(Rules()[1]->GetPremises().front().Variable, "y");
    EXPECT_EQ(Logic->GetItems()->GetCount(), 3);
}

// Each failure names the reader, the line and the text read so far; a rules form that
// fails adds none of its rules, also those read before the failure.
TEST_F(RuleText, ErrorsGiveTheParsersMessageAndAddNothing) {
    const struct {
        const char* Text;
        const char* Error;
    } cases[] = {
        {"(rules (rule (if (is x low)) (then (is out big)))\n (rul",
         "Parsing Error, Missing keyword.  Expected \"rule\" in ParseFuzzyRule at line 2: "
         "\" ( rules ( rule ( if ( is x low ) ) ( then ( is out big ) ) ) ( rul \""},
        {"(rules x)", "Parsing Error, Missing keyword.  Expected \"rule\" in "
                      "ParseFuzzyRules at line 1: \" ( rules x \""},
        {"(rules (rule (when (is x low))))",
         "Parsing Error, Missing keyword.  Expected \"if\" in ParseFuzzyRule at line 1: "
         "\" ( rules ( rule ( when \""},
        {"(rules (rule (if (nand (is x low)))))",
         "Parsing Error, Missing keyword.  Expected \"is, not or a connective\" in "
         "ParseFuzzyRule at line 1: \" ( rules ( rule ( if ( nand \""},
        {"(rules (rule (if (and-sum (is x low)))))",
         "Parsing Error, Missing keyword.  Expected \"is, not or a connective\" in "
         "ParseFuzzyRule at line 1: \" ( rules ( rule ( if ( and-sum \""},
        {"(rules (rule (if (and (was x low)))))",
         "Parsing Error, Missing keyword.  Expected \"is or not\" in ParseFuzzyRule at "
         "line 1: \" ( rules ( rule ( if ( and ( was \""},
        {"(rules (rule (if (not (not (is x low))))))",
         "Parsing Error, Missing keyword.  Expected \"is\" in ParseFuzzyRule at line 1: "
         "\" ( rules ( rule ( if ( not ( not \""},
        {"(rules (rule (if (is x))))", "Parsing Error, Missing name in ParseFuzzyRule at "
                                       "line 1: \" ( rules ( rule ( if ( is x ) \""},
        {"(rules (rule (if (is x 5 low))))",
         "Parsing Error, Missing name in ParseFuzzyRule at line 1: "
         "\" ( rules ( rule ( if ( is x 5 \""},
        {"(rules (rule (if (is x really low))))",
         "Parsing Error, Unknown hedge: \"really\" in ParseFuzzyRule at line 1: "
         "\" ( rules ( rule ( if ( is x really low ) \""},
        {"(rules (rule (if (is x low)) (then (is out very big))))",
         "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
         "if ( is x low ) ) ( then ( is out very big ) \""},
        {"(rules (rule (if (is x low)) (then (out big))))",
         "Parsing Error, Missing keyword.  Expected \"is\" in ParseFuzzyRule at line 1: "
         "\" ( rules ( rule ( if ( is x low ) ) ( then ( out \""},
        {"(rules (rule (if (is x low)) (then (is out big))\n (weight 1.5)))",
         "Parsing Error, Invalid rule weight 1.5000: expected a number from 0 to 1 in "
         "ParseFuzzyRule at line 2: \" ( rules ( rule ( if ( is x low ) ) ( then ( is "
         "out big ) ) ( weight 1.5 \""},
        {"(rules (rule (if (is x low)) (then (is out big)) (weight w)))",
         "Parsing Error, Expected number in ParseFuzzyRule at line 1: \" ( rules ( rule "
         "( if ( is x low ) ) ( then ( is out big ) ) ( weight w \""},
        {"(rules (rule (if (is x low)) (then (is out big)) (priority 1)))",
         "Parsing Error, Missing keyword.  Expected \"weight\" in ParseFuzzyRule at line "
         "1: \" ( rules ( rule ( if ( is x low ) ) ( then ( is out big ) ) ( priority \""},
        {"(rules (rule (if (is x low)) (then (is out big)) (weight 1) x))",
         "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
         "if ( is x low ) ) ( then ( is out big ) ) ( weight 1 ) x \""},
        {"(rules (rule (if (is x low)) (then (is out big))",
         "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
         "if ( is x low ) ) ( then ( is out big ) ) EOF \""},
    };
    Rules().Add({{"x", "low", {}, false}}, {{"out", "big"}});
    for (const auto& row : cases) {
        EXPECT_EQ(ErrorOf(row.Text), row.Error);
        EXPECT_EQ(Rules().GetCount(), 1);
    }
}

// Deep nesting, a long run of rules and unclosed forms end in a parse error or read; the
// component stays usable.
TEST_F(RuleText, LargeAndBrokenInputEndsInAnError) {
    EXPECT_THROW(Read("(rules (rule (if " + std::string(100'000, '(') + ")))"), EFzyParseException);
    EXPECT_THROW(Read("(rules (rule (if (and" + std::string(100'000, ')')), EFzyParseException);
    EXPECT_THROW(Read("(rules (rule (if (is x \"low"), EFzyParseException);
    std::string many = "(rules";
    for (int i = 0; i < 5'000; ++i)
        many += " (rule (if (is x low)) (then (is out big)))";
    Read(many + ")");
    EXPECT_EQ(Rules().GetCount(), 5'000);
}

// Off by default: the rule parser reads and refuses exactly what the plain parser does.
TEST(RuleReadingSwitch, OffByDefaultTheParserIsThePlainOne) {
    for (const std::string& text :
         {std::string("(rules (rule (if (is x low)) (then (is out big))))"),
          std::string(RuleTestVariables) + "\n(rules)", std::string("(deffuzzy a (rang 0 1))"),
          std::string(RuleTestVariables), std::string("(deffuzzy a) x")}) {
        TParsedLogic plain;
        TBasicParsedLogic<TFuzzyRuleLogic, TKelFuzzyRuleParser> rules;
        ASSERT_FALSE(rules.Parser->GetReadRules());
        EXPECT_EQ(rules.ErrorOf(text), plain.ErrorOf(text)) << text;
        EXPECT_EQ(rules.Logic->GetStrings()->GetText(), plain.Logic->GetStrings()->GetText());
        EXPECT_EQ(rules.Logic->GetRules()->GetCount(), 0);
    }
}

// Switched on, a component without a rule block takes the variables and leaves the rules.
TEST(RuleReadingSwitch, AComponentWithoutRulesTakesTheVariablesOnly) {
    TBasicParsedLogic<TFuzzyLogic, TKelFuzzyRuleParser> parsed;
    parsed.Parser->SetReadRules(true);
    parsed.Read(std::string(RuleTestVariables) +
                "(rules (rule (if (is x low)) (then (is out big))))");
    EXPECT_EQ(parsed.Logic->GetItems()->GetCount(), 3);
    EXPECT_THROW(parsed.Read("(rules (rule (if (is x))))"), EFzyParseException);
}

} // namespace
} // namespace fuzzy::test
