// Writing FLL.

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyInterchange/FllFormat.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"
#include "FuzzyInterchange/detail/RuleText.hpp"
#include "FuzzyInterchange/detail/WriterSupport.hpp"

namespace fuzzy {

namespace {

using namespace interchange;

constexpr std::string_view Fll = "FLL";

std::string Line(std::string_view Key, const std::string& Value, bool Indented = true) {
    return std::string(Indented ? "  " : "") + std::string(Key) + ": " + Value + "\n";
}

std::string ConnectiveName(TNameTable<std::string_view> Table, const std::string& Word) {
    if (Word.empty())
        return "none";
    return std::string(FormatName(Table, std::string_view(Word), "connective", Word, Fll));
}

std::string VariableText(const TControllerDescription& Description,
                         const TVariableDescription& Variable) {
    const TFormatNames& names = FllNames();
    const bool output = Variable.Role == TVariableRole::vrOutput;
    std::string text = Line(output ? "OutputVariable" : "InputVariable", Variable.Name, false);
    if (!Variable.Comment.empty())
        text += Line("description", Variable.Comment);
    text += Line("enabled", "true");
    text += Line("range", WriteNumber(Variable.Minimum) + " " + WriteNumber(Variable.Maximum));
    text += Line("lock-range", "false");
    if (output) {
        text += Line("aggregation",
                     std::string(FormatName(
                         names.Inferences, Description.InferenceMethod, "inference method",
                         FuzzyInferenceNames[Description.InferenceMethod], Fll)));
        text +=
            Line("defuzzifier",
                 std::string(FormatName(names.Defuzzifications, Description.DefuzzificationMethod,
                                        "defuzzification method",
                                        GetEnumName(Description.DefuzzificationMethod), Fll)));
        text +=
            Line("default", Variable.DefaultValue ? WriteNumber(*Variable.DefaultValue) : "nan");
        text += Line("lock-previous", "false");
    }
    for (const TTermDescription& term : Variable.Terms)
        text += Line("term", term.Name + " " + ShapeText(term));
    return text;
}

std::string RuleBlocksText(const TControllerDescription& Description) {
    const TFormatNames& names = FllNames();
    const std::string implication(
        FormatName(names.Correlations, Description.CorrelationMethod, "correlation method",
                   FuzzyCorrelationNames[Description.CorrelationMethod], Fll));
    const std::string activation = Description.Threshold == 0
                                       ? std::string("General")
                                       : "Threshold >= " + WriteNumber(Description.Threshold);
    std::string text;
    for (const TRuleGroup& group : GroupRules(Description.Rules)) {
        text += Line("RuleBlock", "", false);
        text += Line("enabled", "true");
        text += Line("conjunction", ConnectiveName(names.Conjunctions, group.Connectives.And));
        text += Line("disjunction", ConnectiveName(names.Disjunctions, group.Connectives.Or));
        text += Line("implication", implication);
        text += Line("activation", activation);
        for (std::size_t i = group.First; i < group.First + group.Count; ++i)
            text += Line("rule", WriteRule(Description.Rules[i], false, Fll));
    }
    return text;
}

} // namespace

std::string WriteFll(const TControllerDescription& Description) {
    CheckWritable(Description, Fll);
    std::string text = Line("Engine", Description.Name, false);
    if (!Description.Comment.empty())
        text += Line("description", Description.Comment, false);
    for (const TVariableDescription& variable : Description.Variables)
        text += VariableText(Description, variable);
    return text + RuleBlocksText(Description);
}

} // namespace fuzzy
