// Rules and the rule block as objects of the component model (events, refused values, the
// definition text, storing as component text) and the text form of rules: read and written
// with the rest of the definition, the reader's errors word for word, and the parser
// unchanged while rule reading is off.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/ComponentText.hpp"
#include "support/Raises.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

const std::vector<TFuzzyPremise> XLowAndYHigh{{"x", "low", {}, false}, {"y", "high", {}, false}};
const std::vector<TFuzzyConclusion> OutBig{{"out", "big"}};

class RuleModel : public RuleFixture {
protected:
    RuleModel() {
        Logic->SetOnRuleAdded([this](TObject* sender, TFuzzyRule* rule) {
            EXPECT_EQ(sender, Logic.get());
            Log.push_back("added " + std::to_string(rule->GetIndex()) + " with " +
                          std::to_string(rule->GetPremises().size()) + " premises");
        });
        Logic->SetOnRuleDeleted([this](TObject*, TFuzzyRule* rule) {
            Log.push_back("deleted " + rule->GetConnective());
        });
        Logic->SetOnRuleChange([this](TObject*, TFuzzyRule* rule) {
            Log.push_back("changed " + std::to_string(rule->GetIndex()));
        });
        Logic->SetOnChange([this](TObject*) { Log.push_back("block changed"); });
    }
    std::vector<std::string> Log;
};

TEST_F(RuleModel, AddingChangingAndRemovingRulesRaiseTheirEventsInOrder) {
    TFuzzyRule* rule = Rules().Add(XLowAndYHigh, OutBig, "or-sum", 0.5);
    EXPECT_EQ(Log, (std::vector<std::string>{"added 0 with 2 premises", "block changed"}));
    Log.clear();
    rule->SetWeight(0.25);
    rule->SetWeight(0.25); // no change, no event
    rule->SetConnective("and-product");
    rule->AddPremise({"x", "high", {TFuzzyHedge::fhVery}, true});
    rule->AddConclusion({"out", "small"});
    EXPECT_EQ(Log, std::vector<std::string>(4, "changed 0"));
    Log.clear();
    Rules().Add();
    Rules().Delete(0);
    EXPECT_EQ(Log, (std::vector<std::string>{"added 1 with 0 premises", "block changed",
                                             "deleted and-product", "block changed"}));
    EXPECT_EQ(Rules().GetItem(0)->GetIndex(), 0);
    // Destroying the component reports nothing.
    Log.clear();
    Logic.reset();
    EXPECT_TRUE(Log.empty());
}

// A refused value raises the rule's own exception, word for word, and changes nothing:
// neither the rule nor the block, and no event is raised.
TEST_F(RuleModel, RefusedWeightsAndConnectivesChangeNothing) {
    TFuzzyRule* rule = Rules().Add(XLowAndYHigh, OutBig, "or", 0.5);
    Log.clear();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_RAISES(rule->SetWeight(1.5), EFzyRuleException,
                  "Invalid rule weight 1.5000: expected a number from 0 to 1");
    EXPECT_RAISES(rule->SetWeight(-0.0001), EFzyRuleException,
                  "Invalid rule weight -0.0001: expected a number from 0 to 1");
    EXPECT_RAISES(rule->SetWeight(nan), EFzyRuleException,
                  "Invalid rule weight NAN: expected a number from 0 to 1");
    for (const char* word : {"and-sum", "xor", "", "very", "AND"})
        EXPECT_RAISES(rule->SetConnective(word), EFzyRuleException,
                      std::string("Invalid rule connective: \"") + word +
                          "\".  Expected an and or an or word of the operation families");
    EXPECT_EQ(rule->GetWeight(), 0.5);
    EXPECT_EQ(rule->GetConnective(), "or");
    EXPECT_TRUE(rule->GetConnectiveFamily().IsUnion);
    EXPECT_THROW(Rules().Add(XLowAndYHigh, OutBig, "and", 2), EFzyRuleException);
    EXPECT_THROW(Rules().Add(XLowAndYHigh, OutBig, "nand"), EFzyRuleException);
    EXPECT_EQ(Rules().GetCount(), 1);
    EXPECT_TRUE(Log.empty());
}

// A stale text without a parser to write it is refused once, not on every read after.
TEST_F(RuleModel, WithoutAParserTheStaleTextIsRefusedOnce) {
    Logic->SetParser(nullptr);
    Rules().Add(XLowAndYHigh, OutBig);
    EXPECT_RAISES((void)Logic->GetStrings(), EFzyException, "Parser not assigned.  Cannot parse");
    EXPECT_NO_THROW((void)Logic->GetStrings());
}

TEST_F(RuleModel, AssignedBlocksCopyEveryRule) {
    Rules().Add(XLowAndYHigh, OutBig, "and-mean", 0.75);
    Rules().Add({{"x", "high", {TFuzzyHedge::fhSomewhat}, true}}, {{"out", "small"}});
    TFuzzyRules copy(nullptr);
    copy.Assign(&Rules());
    ASSERT_EQ(copy.GetCount(), 2);
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(std::as_const(copy)[i]->ToString(), Rules()[i]->ToString());
        EXPECT_EQ(copy[i]->GetPremises(), Rules()[i]->GetPremises());
    }
}

// The text view holds the rules as one further entry, which every change renews (without
// rules there is no empty rules form); assigning it reads them back in place of the old.
TEST_F(RuleModel, TheDefinitionTextCarriesTheRulesBothWays) {
    Read(RuleTestVariables);
    const std::string before = Logic->GetStrings()->GetText();
    TFuzzyRule* rule = Rules().Add(XLowAndYHigh, OutBig, "and-product", 0.5);
    TStringList text;
    text.Assign(Logic->GetStrings());
    ASSERT_EQ(text.GetCount(), 4);
    EXPECT_EQ(text.Get(3), "(rules \r\n  (rule (if (and-product (is x low) (is y high))) "
                           "(then (is out big)) (weight 0.5000))\r\n)");
    rule->SetWeight(0.25);
    EXPECT_NE(Logic->GetStrings()->Get(3), text.Get(3));
    delete rule;
    EXPECT_EQ(Logic->GetStrings()->GetText(), before);
    Logic->SetStrings(&text);
    ASSERT_EQ(Rules().GetCount(), 1);
    EXPECT_EQ(Rules()[0]->GetPremises(), XLowAndYHigh);
    EXPECT_EQ(Logic->GetItems()->GetCount(), 3);
}

/// A logic component named Logic owning its parser, which reads rules, linked both ways.
std::unique_ptr<TFuzzyRuleLogic> LogicWithParser() {
    RegisterFuzzyRuleClasses();
    std::unique_ptr<TFuzzyRuleLogic> logic(TFuzzyRuleLogic::Create(nullptr));
    logic->SetName("Logic");
    TKelFuzzyRuleParser* parser = TKelFuzzyRuleParser::Create(logic.get());
    parser->SetName("Parser");
    parser->SetReadRules(true);
    parser->SetFuzzyLogic(logic.get());
    logic->SetParser(parser);
    return logic;
}

// Stored as component text, rules read back exactly: every part, names that need escaping
// both in the rule text and in the stored text's quotes, and weights with more digits than
// the rule text keeps (which writes a weight that rounds to 1 as none, so that it reads
// back to a text written the same).
TEST(RulePersistence, StoredRulesReadBackExactly) {
    const auto logic = LogicWithParser();
    TFuzzyRules& rules = *logic->GetRules();
    rules.Add({{"x", "low", {}, false}}, {{"out", "small"}}, "and", 0.99996);
    rules.Add({{"x", "high", {TFuzzyHedge::fhVery}, false}, {"y", "low", {}, true}},
              {{"out", "big"}, {"out", "small"}}, "or-sum", 0.123456789);
    rules.Add({{"room temp", "it's", {TFuzzyHedge::fhSomewhat}, true}}, {{"out(1)", "x\"y"}});
    EXPECT_EQ(PrettyPrintFuzzyRule(*rules[0]), "(rule (if (is x low)) (then (is out small)))");
    const std::string text = WriteComponent(*logic);
    EXPECT_NE(text.find("  Rules = <\n"
                        "    item\n"
                        "      Definition = '(rule (if (is x low)) (then (is out small)))'\n"
                        "      Weight = 0.99996\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("      Weight = 0.123456789\n"), std::string::npos) << text;
    EXPECT_NE(text.find("ReadRules = True"), std::string::npos) << text;
    const std::unique_ptr<TComponent> read = ReadComponent(text);
    const auto& copy = dynamic_cast<const TFuzzyRuleLogic&>(*read);
    ASSERT_EQ(copy.GetRules()->GetCount(), 3);
    EXPECT_EQ((*copy.GetRules())[2]->GetPremises(), rules[2]->GetPremises());
    EXPECT_EQ((*copy.GetRules())[1]->GetWeight(), 0.123456789);
    EXPECT_TRUE(dynamic_cast<const TKelFuzzyRuleParser&>(*copy.GetParser()).GetReadRules());
    EXPECT_EQ(WriteComponent(*read), text);
}

// A stored definition that is not one rule is refused at the property, whatever it smuggles
// in, and nothing of the text is kept.
TEST(RulePersistence, ADefinitionThatIsNotOneRuleIsRefused) {
    const auto logic = LogicWithParser();
    logic->GetRules()->Add({{"x", "low", {}, false}}, {{"out", "small"}});
    const std::string text = WriteComponent(*logic);
    const std::string stored = "'(rule (if (is x low)) (then (is out small)))'";
    ASSERT_NE(text.find(stored), std::string::npos);
    const struct {
        const char* Definition;
        const char* Message; // what follows the property's name
    } cases[] = {
        {"", "Not one rule: "},
        {"(rule (if (is x low)) (then)) (rule (if (is y low)) (then))",
         "Not one rule: (rule (if (is x low)) (then)) (rule (if (is y low)) (then))"},
        {"(rule (if (is x low)) (then))) (deffuzzy z (range 0 1)",
         "Not one rule: (rule (if (is x low)) (then))) (deffuzzy z (range 0 1)"},
        {"(rule (if (is x low)) (then) (weight 2))",
         "Invalid rule weight 2.0000: expected a number from 0 to 1"},
    };
    for (const auto& row : cases) {
        std::string bad = text;
        bad.replace(bad.find(stored), stored.size(), std::string("'") + row.Definition + "'");
        const auto error = RaisedBy<EReadError>([&] { (void)ReadComponent(bad); });
        ASSERT_TRUE(error.has_value()) << row.Definition;
        EXPECT_EQ(error->GetProperty(), "Logic.Rules[0].Definition");
        EXPECT_NE(std::string(error->what()).find(row.Message), std::string::npos) << error->what();
    }
}

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

} // namespace
} // namespace fuzzy::test
