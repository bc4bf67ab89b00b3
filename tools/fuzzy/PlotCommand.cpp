// fuzzy plot FILE -o OUT.svg: draws the terms of a definition's variables as SVG, and with
// --input values what the rules made of them.

#include <charconv>
#include <memory>
#include <optional>
#include <vector>

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "FuzzyPlot/VariablePlot.hpp"
#include "InputValues.hpp"
#include "OutputFile.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {
namespace {

/// A value as a chart label shows it: six significant digits, '.' whatever the locale.
std::string LabelNumber(double Value) {
    char text[32];
    const auto result =
        std::to_chars(text, text + sizeof text, Value, std::chars_format::general, 6);
    return {text, result.ptr};
}

/// Evaluates the definition's rules through the rule objects on the --input values, so
/// that a chart shows the library's own conclusions and solution sets.
std::unique_ptr<TFuzzyRuleEvaluator> Evaluated(TDefinitionFile& Definition,
                                               const TArguments& Args) {
    Definition.RequireRules();
    auto evaluator = std::make_unique<TFuzzyRuleEvaluator>(Definition.GetLogic());
    const std::vector<double> values = InputValues(Args, evaluator->GetInputNames());
    for (std::size_t i = 0; i < values.size(); ++i)
        evaluator->SetInput(evaluator->GetInputNames()[i], values[i]);
    evaluator->Evaluate();
    return evaluator;
}

/// A fired conclusion as the rule path asserts it: a copy of its term clipped at, or
/// scaled by, the rule's strength. The copy is a term of the variable while it exists,
/// so it is deleted as soon as its curve is taken.
void AddConclusion(TVariablePlot& Plot, TFuzzyVariable& Output,
                   const TFuzzyConclusionReport& Conclusion) {
    const std::unique_ptr<TFuzzySet> asserted(Output.AssertRule(
        Conclusion.Strength, Output.GetItems()->GetItemByName(Conclusion.Term), nullptr));
    if (asserted == nullptr)
        return;
    const bool scaled =
        Output.GetFuzzy()->GetCorrelationMethod() == TFuzzyCorrelationMethod::fcmProduct;
    Plot.AddCurve(*asserted, "rule " + std::to_string(Conclusion.Rule) + ": " + Conclusion.Term +
                                 (scaled ? " scaled by " : " clipped at ") +
                                 LabelNumber(Conclusion.Strength));
}

/// What the pass Explanation made of Variable: the value it took as an input, and as an
/// output the fired conclusions, the solution set and its value, or a note that no rule
/// fired (and no value is marked).
void AddInference(TVariablePlot& Plot, TFuzzyVariable& Variable,
                  const TFuzzyRuleExplanation& Explanation) {
    for (const TFuzzyInputReport& input : Explanation.Inputs)
        if (input.Variable == Variable.GetName())
            Plot.AddMarker(input.UsedValue,
                           input.Variable + " = " + LabelNumber(input.UsedValue) +
                               (input.Clamped ? ", clamped from " + LabelNumber(input.Value) : ""));
    for (const TFuzzyOutputReport& output : Explanation.Outputs) {
        if (output.Variable != Variable.GetName())
            continue;
        for (const TFuzzyConclusionReport& conclusion : output.Conclusions)
            if (conclusion.Fired)
                AddConclusion(Plot, Variable, conclusion);
        if (!output.Fired) {
            Plot.AddNote("no rule fired: " + output.Variable + " has no value");
            continue;
        }
        std::vector<TSvgPoint> solution;
        for (const TFuzzyPoint& point : output.Solution)
            solution.push_back({point.X, point.Y});
        Plot.AddArea(solution, "solution");
        Plot.AddMarker(output.Value, output.Variable + " = " + LabelNumber(output.Value));
    }
}

int RunPlot(const TArguments& Args) {
    if (!Args.Has("output"))
        throw EUsageError("missing --output OUT.svg");
    TDefinitionFile definition(Args.GetPositionals().front());
    std::vector<std::string> names;
    for (const std::string& name : Args.GetAll("variable"))
        names.push_back(definition.GetVariable(name).GetName());
    if (names.empty())
        for (const TFuzzyVariable* variable : definition.GetVariables())
            names.push_back(variable->GetName());
    std::unique_ptr<TFuzzyRuleEvaluator> evaluator;
    if (Args.Has("input"))
        evaluator = Evaluated(definition, Args);

    std::vector<TVariablePlot> plots;
    for (const std::string& name : names) {
        TFuzzyVariable& variable = *definition.GetLogic().GetItems()->GetItemByName(name);
        try {
            TVariablePlot plot(variable);
            plot.AddTerms(variable);
            if (evaluator != nullptr)
                AddInference(plot, variable, evaluator->GetExplanation());
            plots.push_back(std::move(plot));
        } catch (const Exception& error) {
            throw EInputError(definition.GetPath(), 0,
                              "cannot plot " + name + ": " + error.GetMessage());
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
        "the standard output. With --input values (one for each input variable, as fuzzy\n"
        "eval takes them) the rules are evaluated as the library's rule path does: inputs\n"
        "are marked at the value used (clamped into the range, and said so), and an\n"
        "output's chart adds each fired rule's conclusion as it was asserted (clipped or\n"
        "scaled), the solution set filled, and its value marked; an output on which no\n"
        "rule fired says so and marks no value.\n",
        {{{"variable", 0, "NAME", true, "draw only this variable (may be repeated)"},
          InputOption(),
          {"output", 'o', "OUT.svg", false, "the picture to write (required)"}},
         "FILE",
         1,
         1},
        &RunPlot};
    return command;
}

} // namespace fuzzy::tool
