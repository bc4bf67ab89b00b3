// fuzzy convert IN OUT: between the library's definition language, FLL and FCL; FIS files
// are read too. The formats come from the file extensions or from --from and --to.

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "FuzzyRules/detail/RuleResolution.hpp"
#include "InputValues.hpp"
#include "OutputFile.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

/// The format named by --from/--to, or else by the file's extension.
std::string FormatOf(const TArguments& Args, const std::string& Option, const std::string& Path,
                     bool Writing) {
    std::string format = Args.Get(Option);
    if (format.empty()) {
        format = std::filesystem::path(Path).extension().string();
        if (!format.empty())
            format.erase(0, 1);
    }
    const bool known =
        format == "fuzzy" || format == "fll" || format == "fcl" || (!Writing && format == "fis");
    if (!known)
        throw EUsageError("cannot " + std::string(Writing ? "write" : "read") + " '" + Path +
                          "': give --" + Option + " " +
                          (Writing ? "fuzzy, fll or fcl" : "fuzzy, fll, fcl or fis"));
    return format;
}

/// The controller of a definition file: its variables, terms, rules and methods; the
/// variables that rules conclude on are its outputs.
TControllerDescription DescribeDefinition(const TDefinitionFile& Definition) {
    const TFuzzyRules& rules = *Definition.GetLogic().GetRules();
    std::vector<std::string> outputs;
    for (const TFuzzyRule* rule : rules)
        for (const TFuzzyConclusion& conclusion : rule->GetConclusions())
            (void)rules::IndexOfName(outputs, conclusion.Variable);
    TControllerDescription description = DescribeFuzzyLogic(Definition.GetLogic(), outputs);
    DescribeFuzzyRules(rules, description);
    return description;
}

/// The description in the library's definition language: variables, then the rules.
std::string DefinitionText(const TControllerDescription& Description) {
    std::unique_ptr<TFuzzyRuleLogic> logic(TFuzzyRuleLogic::Create(nullptr));
    std::unique_ptr<TKelFuzzyRuleParser> parser(TKelFuzzyRuleParser::Create(nullptr));
    parser->SetFuzzyLogic(logic.get());
    logic->SetParser(parser.get());
    FillFuzzyLogic(Description, *logic);
    FillFuzzyRules(Description, *logic->GetRules());
    std::string text;
    for (const TFuzzyVariable* variable : *logic->GetItems())
        text += parser->PrettyPrint(variable) + "\r\n";
    if (logic->GetRules()->GetCount() > 0)
        text += PrettyPrintFuzzyRules(*logic->GetRules()) + "\r\n";
    return text;
}

/// What a definition file cannot keep of Description: its methods and firing threshold where
/// they differ from those a component reading the file starts with; empty when nothing is
/// lost.
std::string LostInDefinition(const TControllerDescription& Description) {
    const std::unique_ptr<TFuzzyRuleLogic> reader(TFuzzyRuleLogic::Create(nullptr));
    std::string lost;
    const auto note = [&lost](bool Differs, const std::string& What) {
        if (Differs)
            lost += (lost.empty() ? "" : ", ") + What;
    };
    note(Description.CorrelationMethod != reader->GetCorrelationMethod(),
         "correlation " + GetEnumName(Description.CorrelationMethod));
    note(Description.InferenceMethod != reader->GetInferenceMethod(),
         "inference " + GetEnumName(Description.InferenceMethod));
    note(Description.DefuzzificationMethod != reader->GetDefuzzificationMethod(),
         "defuzzification " + GetEnumName(Description.DefuzzificationMethod));
    note(Description.Threshold != reader->GetThreshold(),
         "firing threshold " + NumberText(Description.Threshold));
    return lost;
}

int RunConvert(const TArguments& Args) {
    const std::string& in = Args.GetPositionals()[0];
    const std::string& out = Args.GetPositionals()[1];
    const std::string from = FormatOf(Args, "from", in, false);
    const std::string to = FormatOf(Args, "to", out, true);
    TControllerDescription description;
    if (from == "fuzzy")
        description = DescribeDefinition(TDefinitionFile(in, ""));
    else
        description = ReadDescription(in, from);
    std::string text;
    try {
        if (to == "fll")
            text = WriteFll(description);
        else if (to == "fcl")
            text = WriteFcl(description);
        else
            text = DefinitionText(description);
    } catch (const Exception& error) {
        throw EInputError(in, 0, "cannot be written as " + to + ": " + error.GetMessage());
    }
    WriteOutputFile(out, text);
    // The methods belong to the component, not to its text: say what the file will not give.
    if (to == "fuzzy") {
        const std::string lost = LostInDefinition(description);
        if (!lost.empty())
            std::cerr << out << ": warning: a definition file keeps no methods; not kept: " << lost
                      << '\n';
    }
    return ExitOk;
}

} // namespace

const TCommand& ConvertCommand() {
    static const TCommand command{
        "convert",
        "convert a controller between the definition language, FLL and FCL (FIS read too)",
        "IN and OUT are in the formats their extensions name (.fuzzy, .fll, .fcl; .fis for\n"
        "IN only) unless --from and --to name them. Variables, terms (curves that are not\n"
        "piecewise linear become polylines within 0.001), rules and methods are converted;\n"
        "what the target cannot express is refused with the construct named, and no file is\n"
        "written then.\n",
        {{{"from", 0, "FORMAT", false, "the format of IN: fuzzy, fll, fcl or fis"},
          {"to", 0, "FORMAT", false, "the format of OUT: fuzzy, fll or fcl"}},
         "IN OUT",
         2,
         2},
        &RunConvert};
    return command;
}

} // namespace fuzzy::tool
