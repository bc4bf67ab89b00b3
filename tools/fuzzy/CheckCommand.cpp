// fuzzy check FILE...: reads every definition file and reports each one that does not read.

#include <iostream>

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

int RunCheck(const TArguments& Args) {
    const bool quiet = Args.Has("quiet");
    int result = ExitOk;
    for (const std::string& path : Args.GetPositionals()) {
        try {
            const TDefinitionFile definition(path);
            int terms = 0;
            for (const TFuzzyVariable* variable : definition.GetVariables())
                for (const TFuzzySet* term : *variable->GetItems())
                    terms += term->GetDefined();
            if (!quiet)
                std::cout << path << ": " << definition.GetVariables().size() << " variables, "
                          << terms << " terms, " << definition.GetLogic().GetRules()->GetCount()
                          << " rules\n";
        } catch (const EInputError& error) {
            std::cerr << DescribeInputError(error) << '\n';
            result = ExitInputError;
        }
    }
    return result;
}

} // namespace

const TCommand& CheckCommand() {
    static const TCommand command{
        "check",
        "read definition files and report every one that does not read",
        "Each file that reads is listed with its numbers of variables, terms and rules on the\n"
        "standard output; each one that does not is reported on the standard error as\n"
        "FILE:LINE: MESSAGE. The exit code is 1 when any file does not read.\n",
        {{{"quiet", 'q', "", false, "list nothing for the files that read"}}, "FILE...", 1, -1},
        &RunCheck};
    return command;
}

} // namespace fuzzy::tool
