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

TEST_F(RuleText, ReadsEveryPartOfARule) {
    Read(std::string(RuleTestVariables) + VariedRules);
    ASSERT_EQ(Rules().GetCount(), 4);
    const TFuzzyRule& second = *Rules()[1];
    EXPECT_EQ(second.GetConnective(), "or-sum");
    EXPECT_EQ(second.GetPremises(),
              (std::vector<TFuzzyPremise>{{"x", "high", {TFuzzyHedge::fhVery}, false},
                                          {"y", "low", {}, true}}));
    EXPECT_EQ(second.GetConclusions(),
              (std::vector<TFuzzyConclusion>{{"out", "big"}, {"out", "small"}}));
    EXPECT_EQ(second.GetWeight(), 0.25);
    EXPECT_EQ(Rules()[2]->GetPremises().front().Hedges,
              (std::vector<TFuzzyHedge>{TFuzzyHedge::fhSomewhat, TFuzzyHedge::fhVery}));
    EXPECT_TRUE(Rules()[2]->GetConclusions().empty());
    EXPECT_EQ(Rules()[3]->GetWeight(), 0);
}

// Written text reads back to the same rules and is written again unchanged; the forms a
// rule is written in are the shortest that keep it (a bare premise only for "and").
TEST_F(RuleText, WrittenRulesReadBackTheSame) {
    Read(VariedRules);
    const std::string written = PrettyPrintFuzzyRules(Rules());
    EXPECT_EQ(written, "(rules \r\n"
                       "  (rule (if (is x low)) (then (is out small)))\r\n"
                       "  (rule (if (or-sum (is x very high) (not (is y low)))) (then (is out big) "
                       "(is out small)) (weight 0.2500))\r\n"
                       "  (rule (if (not (is x somewhat very low))) (then))\r\n"
                       "  (rule (if (or (is y high))) (then (is out big)) (weight 0.0000))\r\n"
                       ")");
    TFuzzyRules first(nullptr);
    first.Assign(&Rules());
    Rules().Clear();
    Read(written);
    ASSERT_EQ(Rules().GetCount(), first.GetCount());
    for (int i = 0; i < first.GetCount(); ++i) {
        EXPECT_EQ(Rules()[i]->GetPremises(), first[i]->GetPremises());
        EXPECT_EQ(Rules()[i]->GetConclusions(), first[i]->GetConclusions());
        EXPECT_EQ(Rules()[i]->GetConnective(), first[i]->GetConnective());
        EXPECT_EQ(Rules()[i]->GetWeight(), first[i]->GetWeight());
    }
    EXPECT_EQ(PrettyPrintFuzzyRules(Rules()), written);
}

TEST_F(RuleText, NamesThatNeedEscapingReadBackWhole) {
    Rules().Add({{"room temp", "a;b", {}, false}}, {{"out(1)", "x\"y"}});
    const std::string written = PrettyPrintFuzzyRules(Rules());
    Rules().Clear();
    Read(written);
    ASSERT_EQ(Rules().GetCount(), 1);
    EXPECT_EQ(Rules()[0]->GetPremises().front().Variable, "room temp");
    EXPECT_EQ(Rules()[0]->GetPremises().front().Term, "a;b");
    EXPECT_EQ(Rules()[0]->GetConclusions().front(), (TFuzzyConclusion{"out(1)", "x\"y"}));
}

TEST_F(RuleText, RulesFormsAddToTheBlockAndMayComeBeforeTheirVariables) {
    Read("(rules (rule (if (is x low)) (then (is out big))))");
    Read(std::string(RuleTestVariables) + "(rules (rule (if (is y low)) (then (is out small))))");
    ASSERT_EQ(Rules().GetCount(), 2);
    EXPECT_EQ(Rules()[1]->GetPremises().front().Variable, "y");
    EXPECT_EQ(Logic->GetItems()->GetCount(), 3);
}

struct TBadRules {
    const char* Text;
    const char* Error;
};

void PrintTo(const TBadRules& Bad, std::ostream* Out) {
    *Out << '"' << Bad.Text << '"';
}

class RuleTextErrors : public RuleFixture, public ::testing::WithParamInterface<TBadRules> {};

// Each failure names the reader, the line and the text read so far; a rules form that
// fails adds none of its rules, also those read before the failure.
TEST_P(RuleTextErrors, FailWithTheParsersMessageAndAddNothing) {
    Rules().Add({{"x", "low", {}, false}}, {{"out", "big"}});
    EXPECT_EQ(ErrorOf(GetParam().Text), GetParam().Error);
    EXPECT_EQ(Rules().GetCount(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RuleTextErrors,
    ::testing::Values(
        TBadRules{"(rules (rule (if (is x low)) (then (is out big)))\n (rul",
                  "Parsing Error, Missing keyword.  Expected \"rule\" in ParseFuzzyRule at line 2: "
                  "\" ( rules ( rule ( if ( is x low ) ) ( then ( is out big ) ) ) ( rul \""},
        TBadRules{"(rules x)", "Parsing Error, Missing keyword.  Expected \"rule\" in "
                               "ParseFuzzyRules at line 1: \" ( rules x \""},
        TBadRules{"(rules (rule (when (is x low))))",
                  "Parsing Error, Missing keyword.  Expected \"if\" in ParseFuzzyRule at line 1: "
                  "\" ( rules ( rule ( when \""},
        TBadRules{"(rules (rule (if (nand (is x low)))))",
                  "Parsing Error, Missing keyword.  Expected \"is, not or a connective\" in "
                  "ParseFuzzyRule at line 1: \" ( rules ( rule ( if ( nand \""},
        TBadRules{"(rules (rule (if (and-sum (is x low)))))",
                  "Parsing Error, Missing keyword.  Expected \"is, not or a connective\" in "
                  "ParseFuzzyRule at line 1: \" ( rules ( rule ( if ( and-sum \""},
        TBadRules{"(rules (rule (if (and (was x low)))))",
                  "Parsing Error, Missing keyword.  Expected \"is or not\" in ParseFuzzyRule at "
                  "line 1: \" ( rules ( rule ( if ( and ( was \""},
        TBadRules{"(rules (rule (if (not (not (is x low))))))",
                  "Parsing Error, Missing keyword.  Expected \"is\" in ParseFuzzyRule at line 1: "
                  "\" ( rules ( rule ( if ( not ( not \""},
        TBadRules{"(rules (rule (if (is x))))", "Parsing Error, Missing name in ParseFuzzyRule at "
                                                "line 1: \" ( rules ( rule ( if ( is x ) \""},
        TBadRules{"(rules (rule (if (is x 5 low))))",
                  "Parsing Error, Missing name in ParseFuzzyRule at line 1: "
                  "\" ( rules ( rule ( if ( is x 5 \""},
        TBadRules{"(rules (rule (if (is x really low))))",
                  "Parsing Error, Unknown hedge: \"really\" in ParseFuzzyRule at line 1: "
                  "\" ( rules ( rule ( if ( is x really low ) \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out very big))))",
                  "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
                  "if ( is x low ) ) ( then ( is out very big ) \""},
        TBadRules{"(rules (rule (if (is x low)) (then (out big))))",
                  "Parsing Error, Missing keyword.  Expected \"is\" in ParseFuzzyRule at line 1: "
                  "\" ( rules ( rule ( if ( is x low ) ) ( then ( out \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out big))\n (weight 1.5)))",
                  "Parsing Error, Invalid rule weight 1.5000: expected a number from 0 to 1 in "
                  "ParseFuzzyRule at line 2: \" ( rules ( rule ( if ( is x low ) ) ( then ( is "
                  "out big ) ) ( weight 1.5 \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out big)) (weight w)))",
                  "Parsing Error, Expected number in ParseFuzzyRule at line 1: \" ( rules ( rule "
                  "( if ( is x low ) ) ( then ( is out big ) ) ( weight w \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out big)) (priority 1)))",
                  "Parsing Error, Missing keyword.  Expected \"weight\" in ParseFuzzyRule at line "
                  "1: \" ( rules ( rule ( if ( is x low ) ) ( then ( is out big ) ) ( priority \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out big)) (weight 1) x))",
                  "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
                  "if ( is x low ) ) ( then ( is out big ) ) ( weight 1 ) x \""},
        TBadRules{"(rules (rule (if (is x low)) (then (is out big))",
                  "Parsing Error, Expected \")\" in ParseFuzzyRule at line 1: \" ( rules ( rule ( "
                  "if ( is x low ) ) ( then ( is out big ) ) EOF \""}));

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
        std::vector<std::string> results;
        auto run = [&](TKelFuzzyLogicParser& Parser, TFuzzyLogic& Logic) {
            Parser.SetFuzzyLogic(&Logic);
            Logic.SetParser(&Parser);
            try {
                Parser.ParseFuzzyLogic(text, nullptr);
                results.push_back(Logic.GetStrings()->GetText());
            } catch (const EFzyException& error) {
                results.push_back(error.what());
            }
        };
        std::unique_ptr<TFuzzyLogic> plainLogic(TFuzzyLogic::Create(nullptr));
        std::unique_ptr<TKelFuzzyLogicParser> plain(TKelFuzzyLogicParser::Create(nullptr));
        run(*plain, *plainLogic);
        std::unique_ptr<TFuzzyRuleLogic> ruleLogic(TFuzzyRuleLogic::Create(nullptr));
        std::unique_ptr<TKelFuzzyRuleParser> rules(TKelFuzzyRuleParser::Create(nullptr));
        ASSERT_FALSE(rules->GetReadRules());
        run(*rules, *ruleLogic);
        EXPECT_EQ(results[1], results[0]) << text;
        EXPECT_EQ(ruleLogic->GetRules()->GetCount(), 0);
    }
}

// Switched on, a component without a rule block takes the variables and leaves the rules.
TEST(RuleReadingSwitch, AComponentWithoutRulesTakesTheVariablesOnly) {
    std::unique_ptr<TFuzzyLogic> logic(TFuzzyLogic::Create(nullptr));
    std::unique_ptr<TKelFuzzyRuleParser> parser(TKelFuzzyRuleParser::Create(nullptr));
    logic->SetAutoTerms(false);
    parser->SetReadRules(true);
    parser->SetFuzzyLogic(logic.get());
    logic->SetParser(parser.get());
    parser->ParseFuzzyLogic(std::string(RuleTestVariables) +
                                "(rules (rule (if (is x low)) (then (is out big))))",
                            nullptr);
    EXPECT_EQ(logic->GetItems()->GetCount(), 3);
    EXPECT_THROW(parser->ParseFuzzyLogic("(rules (rule (if (is x))))", nullptr),
                 EFzyParseException);
}

} // namespace
} // namespace fuzzy::test
