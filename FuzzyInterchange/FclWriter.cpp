// Writing FCL in the layout of IEC 61131-7.

#include <algorithm>
#include <array>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyInterchange/FclFormat.hpp"
#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"
#include "FuzzyInterchange/detail/RuleText.hpp"
#include "FuzzyInterchange/detail/WriterSupport.hpp"

namespace fuzzy {

namespace {

using namespace interchange;

constexpr std::string_view Fcl = "FCL";

/// The words that open or close FCL's blocks and statements: a name spelt like one would
/// end a block where it stands. "//" and ".." would split a name in two.
void CheckFclName(const std::string& Name) {
    constexpr std::array<std::string_view, 21> keywords{"FUNCTION_BLOCK",
                                                        "END_FUNCTION_BLOCK",
                                                        "VAR_INPUT",
                                                        "VAR_OUTPUT",
                                                        "END_VAR",
                                                        "FUZZIFY",
                                                        "END_FUZZIFY",
                                                        "DEFUZZIFY",
                                                        "END_DEFUZZIFY",
                                                        "RULEBLOCK",
                                                        "END_RULEBLOCK",
                                                        "TERM",
                                                        "RANGE",
                                                        "METHOD",
                                                        "ACCU",
                                                        "ACT",
                                                        "RULE",
                                                        "DEFAULT",
                                                        "NC",
                                                        "AND",
                                                        "OR"};
    if (std::any_of(keywords.begin(), keywords.end(),
                    [&](std::string_view keyword) { return SameWord(keyword, Name); }) ||
        Name.find("//") != std::string::npos || Name.find("..") != std::string::npos)
        throw EFzyInterchangeException(0, SIcUnwritableName, Name, std::string(Fcl));
}

std::string MethodLine(std::string_view Keyword, std::string_view Name) {
    return "  " + std::string(Keyword) + " : " + std::string(Name) + ";\n";
}

std::string ConnectiveName(TNameTable<std::string_view> Table, const std::string& Word) {
    return std::string(FormatName(Table, std::string_view(Word), "connective", Word, Fcl));
}

// One declaration block per run of variables of one role, so that reading back keeps the
// variables in their order.
std::string DeclarationsText(const TControllerDescription& Description) {
    std::string text;
    for (std::size_t v = 0; v < Description.Variables.size(); ++v) {
        const bool output = Description.Variables[v].Role == TVariableRole::vrOutput;
        if (v == 0 || Description.Variables[v - 1].Role != Description.Variables[v].Role)
            text += output ? "VAR_OUTPUT\n" : "VAR_INPUT\n";
        text += "  " + Description.Variables[v].Name + " : REAL;\n";
        if (v + 1 == Description.Variables.size() ||
            Description.Variables[v + 1].Role != Description.Variables[v].Role)
            text += "END_VAR\n\n";
    }
    return text;
}

std::string TermText(const TTermDescription& Term) {
    std::string body;
    if (Term.Shape == TTermShape::tsDiscrete) {
        for (std::size_t i = 0; i + 1 < Term.Parameters.size(); i += 2)
            body += (i > 0 ? " (" : "(") + WriteNumber(Term.Parameters[i]) + ", " +
                    WriteNumber(Term.Parameters[i + 1]) + ")";
    } else {
        body = ShapeText(Term);
    }
    return "  TERM " + Term.Name + " := " + body + ";\n";
}

std::string VariableText(const TControllerDescription& Description,
                         const TVariableDescription& Variable) {
    const bool output = Variable.Role == TVariableRole::vrOutput;
    std::string text = (output ? "DEFUZZIFY " : "FUZZIFY ") + Variable.Name + "\n";
    text += "  RANGE := (" + WriteNumber(Variable.Minimum) + " .. " +
            WriteNumber(Variable.Maximum) + ");\n";
    for (const TTermDescription& term : Variable.Terms)
        text += TermText(term);
    if (output) {
        text += MethodLine("METHOD",
                           FormatName(FclNames().Defuzzifications,
                                      Description.DefuzzificationMethod, "defuzzification method",
                                      GetEnumName(Description.DefuzzificationMethod), Fcl));
        if (Variable.DefaultValue)
            text += "  DEFAULT := " + WriteNumber(*Variable.DefaultValue) + ";\n";
    }
    return text + (output ? "END_DEFUZZIFY\n\n" : "END_FUZZIFY\n\n");
}

std::string RuleBlocksText(const TControllerDescription& Description) {
    const TFormatNames& names = FclNames();
    const std::string act(FormatName(names.Correlations, Description.CorrelationMethod,
                                     "correlation method",
                                     FuzzyCorrelationNames[Description.CorrelationMethod], Fcl));
    const std::string accu(FormatName(names.Inferences, Description.InferenceMethod,
                                      "inference method",
                                      FuzzyInferenceNames[Description.InferenceMethod], Fcl));
    std::string text;
    int block = 0;
    for (const TRuleGroup& group : GroupRules(Description.Rules)) {
        text += "RULEBLOCK rules" + std::to_string(++block) + "\n";
        if (!group.Connectives.And.empty())
            text += MethodLine("AND", ConnectiveName(names.Conjunctions, group.Connectives.And));
        if (!group.Connectives.Or.empty())
            text += MethodLine("OR", ConnectiveName(names.Disjunctions, group.Connectives.Or));
        text += MethodLine("ACT", act) + MethodLine("ACCU", accu);
        for (std::size_t i = group.First; i < group.First + group.Count; ++i)
            text += "  RULE " + std::to_string(i + 1) + " : " +
                    WriteRule(Description.Rules[i], true, Fcl) + ";\n";
        text += "END_RULEBLOCK\n\n";
    }
    return text;
}

} // namespace

std::string WriteFcl(const TControllerDescription& Description) {
    CheckWritable(Description, Fcl);
    if (Description.Threshold != 0)
        throw EFzyInterchangeException(0, SIcThresholdInFcl, WriteNumber(Description.Threshold));
    if (!Description.Name.empty()) {
        CheckWritableName(Description.Name, Fcl);
        CheckFclName(Description.Name);
    }
    for (const TVariableDescription& variable : Description.Variables) {
        CheckFclName(variable.Name);
        for (const TTermDescription& term : variable.Terms)
            CheckFclName(term.Name);
    }
    std::string text = "FUNCTION_BLOCK " + Description.Name + "\n\n";
    text += DeclarationsText(Description);
    for (const TVariableDescription& variable : Description.Variables)
        text += VariableText(Description, variable);
    return text + RuleBlocksText(Description) + "END_FUNCTION_BLOCK\n";
}

} // namespace fuzzy
