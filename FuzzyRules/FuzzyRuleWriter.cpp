#include "FuzzyRules/FuzzyRuleWriter.hpp"

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyRules/FuzzyRuleBlock.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "platform/Format.hpp"
#include "platform/Indent.hpp"

namespace fuzzy {

namespace {

constexpr const char* LineBreak = "\r\n";

std::string WriteIs(const std::string& Variable, const std::vector<TFuzzyHedge>& Hedges,
                    const std::string& Term) {
    std::string text = "(is " + AsAtom(Variable);
    for (const TFuzzyHedge hedge : Hedges) {
        text += ' ';
        text += HedgeNames[hedge];
    }
    return text + " " + AsAtom(Term) + ")";
}

std::string WritePremise(const TFuzzyPremise& Premise) {
    const std::string is = WriteIs(Premise.Variable, Premise.Hedges, Premise.Term);
    return Premise.Negated ? "(not " + is + ")" : is;
}

std::string WriteCondition(const TFuzzyRule& Rule) {
    const auto& premises = Rule.GetPremises();
    if (premises.size() == 1 && Rule.GetConnective() == TFuzzyRule::DefaultConnective)
        return WritePremise(premises.front());
    std::string text = "(" + Rule.GetConnective();
    for (const TFuzzyPremise& premise : premises)
        text += " " + WritePremise(premise);
    return text + ")";
}

} // namespace

std::string PrettyPrintFuzzyRule(const TFuzzyRule& Rule) {
    std::string text = "(rule (if " + WriteCondition(Rule) + ") (then";
    for (const TFuzzyConclusion& conclusion : Rule.GetConclusions())
        text += " " + WriteIs(conclusion.Variable, {}, conclusion.Term);
    text += ")";
    if (Rule.GetWeight() != 1)
        text += " (weight " + Format("%.4f", Rule.GetWeight()) + ")";
    return text + ")";
}

std::string PrettyPrintFuzzyRules(const TFuzzyRules& Rules) {
    std::string text = "(rules ";
    text += LineBreak;
    for (const TFuzzyRule* rule : Rules)
        text += IndentString + PrettyPrintFuzzyRule(*rule) + LineBreak;
    return text + ")";
}

} // namespace fuzzy
