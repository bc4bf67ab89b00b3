#include "FuzzyRules/FuzzyRuleWriter.hpp"

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyRules/FuzzyRuleBlock.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "platform/Format.hpp"
#include "platform/Indent.hpp"

namespace fuzzy {

namespace {

constexpr const char* LineBreak = "\r\n";

// Texts are appended piece by piece: temporaries built with "(" + ... trip a false
// -Wrestrict of g++ 12 in optimised builds.

void WriteIs(std::string& Text, const std::string& Variable, const std::vector<TFuzzyHedge>& Hedges,
             const std::string& Term) {
    Text += "(is ";
    Text += AsAtom(Variable);
    for (const TFuzzyHedge hedge : Hedges) {
        Text += ' ';
        Text += HedgeNames[hedge];
    }
    Text += ' ';
    Text += AsAtom(Term);
    Text += ')';
}

void WritePremise(std::string& Text, const TFuzzyPremise& Premise) {
    if (Premise.Negated)
        Text += "(not ";
    WriteIs(Text, Premise.Variable, Premise.Hedges, Premise.Term);
    if (Premise.Negated)
        Text += ')';
}

void WriteCondition(std::string& Text, const TFuzzyRule& Rule) {
    const auto& premises = Rule.GetPremises();
    if (premises.size() == 1 && Rule.GetConnective() == TFuzzyRule::DefaultConnective) {
        WritePremise(Text, premises.front());
        return;
    }
    Text += '(';
    Text += Rule.GetConnective();
    for (const TFuzzyPremise& premise : premises) {
        Text += ' ';
        WritePremise(Text, premise);
    }
    Text += ')';
}

} // namespace

std::string PrettyPrintUnweightedFuzzyRule(const TFuzzyRule& Rule) {
    std::string text = "(rule (if ";
    WriteCondition(text, Rule);
    text += ") (then";
    for (const TFuzzyConclusion& conclusion : Rule.GetConclusions()) {
        text += ' ';
        WriteIs(text, conclusion.Variable, {}, conclusion.Term);
    }
    text += "))";
    return text;
}

std::string PrettyPrintFuzzyRule(const TFuzzyRule& Rule) {
    std::string text = PrettyPrintUnweightedFuzzyRule(Rule);
    // A weight that rounds to 1 is written as none, so that the text reads back to a text
    // that writes the same.
    const std::string weight = Format("%.4f", Rule.GetWeight());
    if (weight != "1.0000") {
        std::string clause = " (weight ";
        clause += weight;
        clause += ')';
        text.insert(text.size() - 1, clause);
    }
    return text;
}

std::string PrettyPrintFuzzyRules(const TFuzzyRules& Rules) {
    std::string text = "(rules ";
    text += LineBreak;
    for (const TFuzzyRule* rule : Rules) {
        text += IndentString;
        text += PrettyPrintFuzzyRule(*rule);
        text += LineBreak;
    }
    text += ')';
    return text;
}

} // namespace fuzzy
