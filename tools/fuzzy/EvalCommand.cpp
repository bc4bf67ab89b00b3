// fuzzy eval FILE: evaluates a definition's rules, compiled, on inputs from the command line
// or on every row of a CSV file, writing the outputs as CSV.

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.hpp"
#include "DefinitionFile.hpp"
#include "InputValues.hpp"
#include "ToolErrors.hpp"
#include "platform/Strings.hpp"

namespace fuzzy::tool {
namespace {

using controller::TSemantics;

std::vector<std::string> SplitCsvLine(const std::string& Line) {
    std::vector<std::string> cells(1);
    for (const char c : Line) {
        if (c == ',')
            cells.emplace_back();
        else if (c != '\r' && c != '"')
            cells.back() += c;
    }
    for (std::string& cell : cells)
        cell = Trim(cell);
    return cells;
}

/// The controller compiled from a definition's rules, with the names of its inputs and
/// outputs in its order, evaluating one row at a time.
class TEvaluation {
public:
    TEvaluation(const TDefinitionFile& Definition, TSemantics Semantics, bool Explain)
        : FPlan(PlanOf(Definition)),
          FController(controller::TCompiledController::Compile(FPlan, Semantics)),
          FExplain(Explain) {
        for (const controller::TPlanInput& input : FPlan.Inputs)
            FInputNames.push_back(input.Name);
    }

    const std::vector<std::string>& InputNames() const { return FInputNames; }

    void WriteHeader() const {
        std::string line;
        for (const controller::TPlanOutput& output : FPlan.Outputs)
            line += (line.empty() ? "" : ",") + output.Name;
        std::cout << line << '\n';
    }

    /// Evaluates Inputs (in InputNames' order) and writes the outputs' row; a cell is
    /// empty where no rule fired for its output.
    void WriteRow(const std::vector<double>& Inputs) {
        FController.Evaluate(Inputs, FScratch);
        std::string line;
        for (std::size_t o = 0; o < FScratch.GetResults().size(); ++o) {
            const controller::TOutputResult& result = FScratch.GetResults()[o];
            line += o > 0 ? "," : "";
            if (result.Fired)
                line += NumberText(result.Value);
        }
        std::cout << line << '\n';
        if (FExplain)
            WriteExplanation();
    }

private:
    static controller::TPlan PlanOf(const TDefinitionFile& Definition) {
        Definition.RequireRules();
        return MakeControllerPlan(Definition.GetLogic(), *Definition.GetLogic().GetRules());
    }

    // As comment lines, so that the output still reads as CSV.
    void WriteExplanation() const {
        for (std::size_t i = 0; i < FInputNames.size(); ++i)
            if (FScratch.WasClamped(i))
                std::cout << "# input " << FInputNames[i] << " clamped to "
                          << NumberText(FScratch.GetInputs()[i]) << '\n';
        for (std::size_t r = 0; r < FPlan.Rules.size(); ++r)
            if (FScratch.RuleFired(r))
                std::cout << "# rule " << r << " fired at strength "
                          << NumberText(FScratch.GetRuleStrengths()[r]) << '\n';
    }

    controller::TPlan FPlan;
    controller::TCompiledController FController;
    controller::TControllerScratch FScratch;
    std::vector<std::string> FInputNames;
    bool FExplain;
};

void EvaluateArguments(const TArguments& Args, TEvaluation& Evaluation) {
    const std::vector<double> inputs = InputValues(Args, Evaluation.InputNames());
    Evaluation.WriteHeader();
    Evaluation.WriteRow(inputs);
}

// Streams the file: one row in, one row out, so that its size does not matter.
void EvaluateCsv(const std::string& Path, TEvaluation& Evaluation) {
    std::ifstream file(Path, std::ios::binary);
    if (!file)
        throw EInputError(Path, 0, "cannot open");
    std::string line;
    if (!std::getline(file, line))
        throw EInputError(Path, 1, "no header naming the inputs");
    const std::vector<std::string> header = SplitCsvLine(line);
    std::vector<std::size_t> columns;
    for (const std::string& name : Evaluation.InputNames()) {
        std::size_t column = 0;
        while (column < header.size() && header[column] != name)
            ++column;
        if (column == header.size())
            throw EInputError(Path, 1, "no column for the input " + name);
        columns.push_back(column);
    }
    const bool progress = isatty(fileno(stderr)) != 0;
    Evaluation.WriteHeader();
    std::vector<double> inputs(columns.size());
    for (int number = 2; std::getline(file, line); ++number) {
        if (line.empty() || line == "\r")
            continue;
        const std::vector<std::string> cells = SplitCsvLine(line);
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] >= cells.size())
                throw EInputError(Path, number,
                                  "the row has no cell for " + Evaluation.InputNames()[i]);
            inputs[i] = InputNumber(cells[columns[i]], Path, number, Evaluation.InputNames()[i]);
        }
        Evaluation.WriteRow(inputs);
        if (progress && number % 100000 == 0)
            std::cerr << '\r' << number - 1 << " rows" << std::flush;
    }
    if (progress)
        std::cerr << '\r';
}

int RunEval(const TArguments& Args) {
    const std::string semantics = Args.Get("semantics", "library");
    if (semantics != "library" && semantics != "textbook")
        throw EUsageError("--semantics must be library or textbook, not '" + semantics + "'");
    if (Args.Has("csv") == Args.Has("input"))
        throw EUsageError("give the inputs either with --input or with --csv");
    const TDefinitionFile definition(Args.GetPositionals().front());
    TEvaluation evaluation(definition,
                           semantics == "library" ? TSemantics::smLibrary : TSemantics::smTextbook,
                           Args.Has("explain"));
    if (Args.Has("csv"))
        EvaluateCsv(Args.Get("csv"), evaluation);
    else
        EvaluateArguments(Args, evaluation);
    return ExitOk;
}

} // namespace

const TCommand& EvalCommand() {
    static const TCommand command{
        "eval",
        "evaluate a definition's rules on inputs, writing the outputs as CSV",
        "The rules are compiled once. Inputs come from --input NAME=VALUE, one for each\n"
        "input variable, or from a CSV file whose header names them (other columns are\n"
        "ignored); each row gives one row of outputs, with an empty cell where no rule\n"
        "fired for that output. Inputs outside a variable's range are clamped to it.\n"
        "--explain adds comment lines (#) with clamped inputs and the rules that fired.\n"
        "--semantics library (the default) answers as the library's rule path does;\n"
        "textbook clips terms exactly and integrates the exact maximum.\n",
        {{InputOption(),
          {"csv", 0, "IN.csv", false, "evaluate every row of IN.csv"},
          {"explain", 0, "", false, "tell which rules fired, and how strongly"},
          {"semantics", 0, "library|textbook", false, "how rules are evaluated"}},
         "FILE",
         1,
         1},
        &RunEval};
    return command;
}

} // namespace fuzzy::tool
