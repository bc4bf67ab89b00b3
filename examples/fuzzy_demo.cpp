// Reads the heater controller's variables, terms and rules from a definition file, then runs
// it over a grid of its two inputs and prints the heater power for every pair: one row per
// error value, one column per rate value. After the table it explains one answer, for an
// error of 2.5 K and a rate of -1 K/min: each rule's strength with its premises' strengths,
// and the rules that fired.
//
// Usage: fuzzy_demo [--library | --interface] [definition-file [sweep-file]]
// The table comes from the rules compiled into a controller; with --library from the rule
// objects evaluated through the variables (the same numbers, more slowly).
// With --interface the controller runs on the reference-counted model (shared sets and
// variables) instead of the component model; the table is the same, with no explanation
// (the rules run there are HeaterRuleTerms, not rule objects).
// Without file arguments the bundled examples/heater.fuzzy and examples/heater_sweep.txt are
// read. The sweep file gives each input its first value, last value and number of points, one
// input per line ('#' starts a comment line):
//   error -10 10 9
//   rate   -2  2 5
// A cell shows "-" where no rule fires.

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "HeaterController.hpp"
#include "IHeaterController.hpp"
#include "platform/Platform.hpp"

#ifndef FUZZY_DEMO_EXAMPLES
#define FUZZY_DEMO_EXAMPLES "examples"
#endif

namespace {

/// Points evenly spaced from From to To.
struct TSweep {
    double From = 0;
    double To = 0;
    int Points = 0;

    double At(int Index) const {
        return Index == Points - 1 ? To : From + (To - From) / (Points - 1) * Index;
    }
};

constexpr int MaxSweepPoints = 1000;

std::map<std::string, TSweep> ReadSweeps(std::istream& input) {
    std::map<std::string, TSweep> sweeps;
    std::string line;
    for (int lineNumber = 1; std::getline(input, line); ++lineNumber) {
        std::istringstream words(line);
        std::string name, from, to, points, extra;
        if (!(words >> name) || name.front() == '#')
            continue;
        if (name != "error" && name != "rate")
            throw fuzzy::EConvertError("line %d: unknown input %s", lineNumber, name);
        if (!(words >> from >> to >> points) || words >> extra)
            throw fuzzy::EConvertError("line %d: expected %s FROM TO POINTS", lineNumber, name);
        const TSweep sweep{fuzzy::StrToFloat(from), fuzzy::StrToFloat(to), fuzzy::StrToInt(points)};
        if (!std::isfinite(sweep.To - sweep.From))
            throw fuzzy::EArgumentOutOfRangeException("line %d: the range is too wide", lineNumber);
        if (sweep.Points < 2 || sweep.Points > MaxSweepPoints)
            throw fuzzy::EArgumentOutOfRangeException("line %d: points must be 2 to %d", lineNumber,
                                                      MaxSweepPoints);
        sweeps[name] = sweep;
    }
    for (const char* name : {"error", "rate"})
        if (!sweeps.contains(name))
            throw fuzzy::EConvertError("the sweep file sets no %s", name);
    return sweeps;
}

void ListTerms(const fuzzy::THeaterController& Heater) {
    for (const fuzzy::TFuzzyVariable* variable : *Heater.GetLogic()->GetItems()) {
        std::cout << "  " << variable->GetName() << " (" << variable->GetUnits() << "):";
        for (const fuzzy::TFuzzySet* term : *variable->GetItems())
            std::cout << " " << term->GetName();
        std::cout << "\n";
    }
}

// The table keeps variables and terms by name; they are listed in the order they were read.
void ListTerms(const fuzzy::TIHeaterController& Heater) {
    const fuzzy::TFuzzyVariableTable& variables = Heater.GetLogic()->GetItems();
    for (const char* name : {"error", "rate", "power"}) {
        const auto variable = variables.Get(name);
        std::cout << "  " << name << " (" << variable->GetUnits() << "):";
        std::vector<fuzzy::TInterfacePtr<fuzzy::IFuzzySet>> terms;
        for (int i = 0; i < variable->GetCount(); ++i)
            terms.push_back(variable->GetFuzzySet(i));
        std::ranges::sort(terms, {}, [](const auto& Term) { return Term->GetIndex(); });
        for (const auto& term : terms)
            std::cout << " " << term->GetName();
        std::cout << "\n";
    }
}

// The compiled rules, unless Library asks for the rule objects' own path (the same table).
std::optional<double> Evaluate(fuzzy::THeaterController& Heater, double Error, double Rate,
                               bool Library) {
    return Library ? Heater.Evaluate(Error, Rate) : Heater.EvaluateCompiled(Error, Rate);
}
std::optional<double> Evaluate(fuzzy::TIHeaterController& Heater, double Error, double Rate, bool) {
    return Heater.Evaluate(Error, Rate);
}

template <class Controller>
void PrintGrid(const std::string& Definition, const TSweep& Errors, const TSweep& Rates,
               bool Library) {
    Controller heater(fuzzy::THeaterController::ReadDefinitionFile(Definition));
    std::cout << "Controller read from " << Definition << ":\n";
    ListTerms(heater);
    std::cout << "\nHeater power in % (rows: error in K, columns: rate in K/min)\n\n"
              << fuzzy::Format("%9s", "error");
    for (int j = 0; j < Rates.Points; ++j)
        std::cout << fuzzy::Format("%9s", fuzzy::FormatFixed(Rates.At(j), 2));
    std::cout << "\n";
    for (int i = 0; i < Errors.Points; ++i) {
        std::cout << fuzzy::Format("%9s", fuzzy::FormatFixed(Errors.At(i), 2));
        for (int j = 0; j < Rates.Points; ++j) {
            const auto power = Evaluate(heater, Errors.At(i), Rates.At(j), Library);
            std::cout << fuzzy::Format("%9s", power ? fuzzy::FormatFixed(*power, 2) : "-");
        }
        std::cout << "\n";
    }
    if constexpr (std::is_same_v<Controller, fuzzy::THeaterController>) {
        constexpr double Error = 2.5;
        constexpr double Rate = -1;
        (void)heater.Evaluate(Error, Rate);
        std::cout << "\nWhy, for error " << fuzzy::FormatFixed(Error, 2) << " K and rate "
                  << fuzzy::FormatFixed(Rate, 2) << " K/min:\n"
                  << heater.GetEvaluator().Describe();
    }
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string option = argc > 1 ? argv[1] : "";
        const bool shared = option == "--interface";
        const bool library = option == "--library";
        const int first = shared || library ? 2 : 1;
        const std::string definition =
            argc > first ? argv[first] : FUZZY_DEMO_EXAMPLES "/heater.fuzzy";
        const std::string sweepPath =
            argc > first + 1 ? argv[first + 1] : FUZZY_DEMO_EXAMPLES "/heater_sweep.txt";
        std::ifstream input(sweepPath);
        if (!input) {
            std::cerr << "fuzzy_demo: cannot open " << sweepPath << "\n";
            return 1;
        }
        const auto sweeps = ReadSweeps(input);
        if (shared)
            PrintGrid<fuzzy::TIHeaterController>(definition, sweeps.at("error"), sweeps.at("rate"),
                                                 false);
        else
            PrintGrid<fuzzy::THeaterController>(definition, sweeps.at("error"), sweeps.at("rate"),
                                                library);
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "fuzzy_demo: " << error.what() << "\n";
        return 1;
    }
}
