// fuzzy plot FILE -o OUT.svg: draws the terms of a definition's variables as SVG.

#include <vector>

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "FuzzyPlot/VariablePlot.hpp"
#include "OutputFile.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

int RunPlot(const TArguments& Args) {
    if (!Args.Has("output"))
        throw EUsageError("missing --output OUT.svg");
    const TDefinitionFile definition(Args.GetPositionals().front());
    std::vector<const TFuzzyVariable*> variables;
    for (const std::string& name : Args.GetAll("variable"))
        variables.push_back(&definition.GetVariable(name));
    if (variables.empty())
        variables = definition.GetVariables();

    std::vector<TVariablePlot> plots;
    for (const TFuzzyVariable* variable : variables) {
        try {
            TVariablePlot plot(*variable);
            plot.AddTerms(*variable);
            plots.push_back(std::move(plot));
        } catch (const Exception& error) {
            throw EInputError(definition.GetPath(), 0,
                              "cannot plot " + variable->GetName() + ": " + error.GetMessage());
        }
    }
    WriteOutputFile(Args.Get("output"), PlotsToSvg(plots, definition.GetPath()));
    return ExitOk;
}

} // namespace

const TCommand& PlotCommand() {
    static const TCommand command{
        "plot",
        "draw the terms of a definition's variables as an SVG picture",
        "One chart per variable, one below the other: the degree of membership of each\n"
        "term over the variable's range, with its units and a legend. OUT may be '-' for\n"
        "the standard output.\n",
        {{{"variable", 0, "NAME", true, "draw only this variable (may be repeated)"},
          {"output", 'o', "OUT.svg", false, "the picture to write (required)"}},
         "FILE",
         1,
         1},
        &RunPlot};
    return command;
}

} // namespace fuzzy::tool
