// Rules stored as component text: exact weights, every part of a rule, the parser's switch,
// and definitions that are not one rule refused with the property named.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FuzzyRules/FuzzyRules.hpp"
#include "platform/ComponentText.hpp"
#include "support/Raises.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

/// A logic component named Logic owning its parser, which reads rules, linked both ways.
std::unique_ptr<TFuzzyRuleLogic> LogicWithParser() {
    std::unique_ptr<TFuzzyRuleLogic> logic(TFuzzyRuleLogic::Create(nullptr));
    logic->SetName("Logic");
    TKelFuzzyRuleParser* parser = TKelFuzzyRuleParser::Create(logic.get());
    parser->SetName("Parser");
    parser->SetReadRules(true);
    parser->SetFuzzyLogic(logic.get());
    logic->SetParser(parser);
    return logic;
}

class RulePersistence : public ::testing::Test {
protected:
    void SetUp() override { RegisterFuzzyRuleClasses(); }
};

TEST_F(RulePersistence, StoredRulesReadBackExactly) {
    const auto logic = LogicWithParser();
    dynamic_cast<TKelFuzzyRuleParser&>(*logic->GetParser())
        .ParseFuzzyLogic(std::string(RuleTestVariables) +
                             "(rules (rule (if (is x low)) (then (is out small)))"
                             "  (rule (if (or-sum (is x very high) (not (is y low))))"
                             "        (then (is out big) (is out small))))",
                         nullptr);
    TFuzzyRules& rules = *logic->GetRules();
    // Names that need escaping both in the rule text and in the stored text's quotes.
    rules.Add({{"room temp", "it's", {TFuzzyHedge::fhSomewhat}, true}}, {{"out(1)", "x\"y"}});
    ASSERT_EQ(rules.GetCount(), 3);
    rules[1]->SetWeight(0.123456789); // more digits than the rule text keeps
    // The rule text writes a weight that rounds to 1 as none, so that it reads back to a
    // text written the same; the stored weight keeps it exact.
    rules[0]->SetWeight(0.99996);
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
    for (int i = 0; i < 3; ++i) {
        const TFuzzyRule& original = *rules[i];
        const TFuzzyRule& stored = *(*copy.GetRules())[i];
        EXPECT_EQ(stored.GetPremises(), original.GetPremises());
        EXPECT_EQ(stored.GetConclusions(), original.GetConclusions());
        EXPECT_EQ(stored.GetConnective(), original.GetConnective());
        EXPECT_EQ(stored.GetWeight(), original.GetWeight());
    }
    EXPECT_TRUE(dynamic_cast<const TKelFuzzyRuleParser&>(*copy.GetParser()).GetReadRules());
    EXPECT_EQ(WriteComponent(*read), text);
}

// A definition may smuggle in more than a rule; each case is refused at the property, and
// nothing of the text is kept.
TEST_F(RulePersistence, ADefinitionThatIsNotOneRuleIsRefused) {
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
        SCOPED_TRACE(row.Definition);
        std::string bad = text;
        bad.replace(bad.find(stored), stored.size(), std::string("'") + row.Definition + "'");
        const auto error = RaisedBy<EReadError>([&] { (void)ReadComponent(bad); });
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->GetProperty(), "Logic.Rules[0].Definition");
        EXPECT_NE(std::string(error->what()).find(row.Message), std::string::npos) << error->what();
    }
}

} // namespace
} // namespace fuzzy::test
