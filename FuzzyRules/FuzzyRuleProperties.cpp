#include "FuzzyRules/FuzzyRuleProperties.hpp"

#include <memory>

#include "FuzzyRules/FuzzyRuleLogic.hpp"
#include "FuzzyRules/FuzzyRuleMessages.hpp"
#include "FuzzyRules/FuzzyRuleParser.hpp"
#include "FuzzyRules/FuzzyRuleWriter.hpp"
#include "KelFuzzyLogicParser/ParserProperties.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

void ReadFuzzyRuleDefinition(const std::string& Text, TFuzzyRule& Rule) {
    // The rule is read as the only content of a rule block of a scratch component, by the
    // parser that reads rule texts; whatever else the text smuggles in (a second rule, a
    // variable after a closing parenthesis) shows there and is refused.
    const std::unique_ptr<TFuzzyRuleLogic> scratch(TFuzzyRuleLogic::Create(nullptr));
    const std::unique_ptr<TKelFuzzyRuleParser> parser(TKelFuzzyRuleParser::Create(nullptr));
    parser->SetReadRules(true);
    parser->SetFuzzyLogic(scratch.get());
    std::string block = "(rules ";
    block += Text;
    block += ')';
    parser->ParseFuzzyLogic(block, nullptr);
    if (scratch->GetRules()->GetCount() != 1 || scratch->GetItems()->GetCount() != 0)
        throw EFzyRuleException(SRuleNotOneRule, Text);
    Rule.Assign(scratch->GetRules()->GetItem(0));
}

void RegisterFuzzyRuleClasses() {
    RegisterFuzzyLogicParserClasses();
    TClassRegistry& registry = GetClassRegistry();

    // The definition comes before the weight, which it may give rounded.
    registry.RegisterClass<TFuzzyRule>("TFuzzyRule")
        .Value<std::string>(
            "Definition", &PrettyPrintUnweightedFuzzyRule,
            [](TFuzzyRule& Rule, const std::string& Text) { ReadFuzzyRuleDefinition(Text, Rule); })
        .Value<TFzyFloat>("Weight", &TFuzzyRule::GetWeight, &TFuzzyRule::SetWeight, 1);

    using L = TFuzzyRuleLogic;
    registry.RegisterComponent<L>("TFuzzyRuleLogic", "TFuzzyLogic")
        .Collection("Rules", [](auto& Logic) { return Logic.GetRules(); })
        .Event("OnRuleAdded", &L::GetOnRuleAdded, &L::SetOnRuleAdded)
        .Event("OnRuleDeleted", &L::GetOnRuleDeleted, &L::SetOnRuleDeleted)
        .Event("OnRuleChange", &L::GetOnRuleChange, &L::SetOnRuleChange);

    registry.RegisterComponent<TKelFuzzyRuleParser>("TKelFuzzyRuleParser", "TKelFuzzyLogicParser")
        .Value("ReadRules", &TKelFuzzyRuleParser::GetReadRules, &TKelFuzzyRuleParser::SetReadRules,
               false);
}

} // namespace fuzzy
