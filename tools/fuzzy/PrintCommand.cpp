// fuzzy print FILE: writes a definition back in the library's canonical text.

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "OutputFile.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

int RunPrint(const TArguments& Args) {
    const TDefinitionFile definition(Args.GetPositionals().front());
    std::string text;
    for (const TFuzzyVariable* variable : definition.GetVariables())
        text += definition.GetParser().PrettyPrint(variable) + "\r\n"; // its own line breaks
    if (definition.GetLogic().GetRules()->GetCount() > 0)
        text += PrettyPrintFuzzyRules(*definition.GetLogic().GetRules()) + "\r\n";
    WriteOutputFile(Args.Get("output", "-"), text);
    return ExitOk;
}

} // namespace

const TCommand& PrintCommand() {
    static const TCommand command{
        "print",
        "write a definition file back in the canonical text",
        "The text reads back to the same variables, terms and rules, with numbers written to four\n"
        "decimals and lines ending in CR LF, as the library writes it; it goes to the\n"
        "standard output unless --output names a file.\n",
        {{{"output", 'o', "OUT", false, "write to OUT instead of the standard output"}},
         "FILE",
         1,
         1},
        &RunPrint};
    return command;
}

} // namespace fuzzy::tool
