// Reads the heater controller's variables and terms from a definition file, then runs it
// over a grid of its two inputs and prints the heater power for every pair: one row per
// error value, one column per rate value.
//
// Usage: fuzzy_demo [definition-file [sweep-file]]
// Without arguments the bundled examples/heater.fuzzy and examples/heater_sweep.txt are
// read. The sweep file gives each input its first value, last value and number of points, one
// input per line ('#' starts a comment line):
//   error -10 10 9
//   rate   -2  2 5
// A cell shows "-" where no rule fires.

#include <cmath>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

#include "HeaterController.hpp"
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

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string definition = argc > 1 ? argv[1] : FUZZY_DEMO_EXAMPLES "/heater.fuzzy";
        const std::string sweepPath = argc > 2 ? argv[2] : FUZZY_DEMO_EXAMPLES "/heater_sweep.txt";
        fuzzy::THeaterController heater(fuzzy::THeaterController::ReadDefinitionFile(definition));
        std::ifstream input(sweepPath);
        if (!input) {
            std::cerr << "fuzzy_demo: cannot open " << sweepPath << "\n";
            return 1;
        }
        const auto sweeps = ReadSweeps(input);
        const TSweep& errors = sweeps.at("error");
        const TSweep& rates = sweeps.at("rate");

        std::cout << "Controller read from " << definition << ":\n";
        for (const fuzzy::TFuzzyVariable* variable : *heater.GetLogic()->GetItems()) {
            std::cout << "  " << variable->GetName() << " (" << variable->GetUnits() << "):";
            for (const fuzzy::TFuzzySet* term : *variable->GetItems())
                std::cout << " " << term->GetName();
            std::cout << "\n";
        }
        std::cout << "\nHeater power in % (rows: error in K, columns: rate in K/min)\n\n"
                  << fuzzy::Format("%9s", "error");
        for (int j = 0; j < rates.Points; ++j)
            std::cout << fuzzy::Format("%9s", fuzzy::FormatFixed(rates.At(j), 2));
        std::cout << "\n";
        for (int i = 0; i < errors.Points; ++i) {
            std::cout << fuzzy::Format("%9s", fuzzy::FormatFixed(errors.At(i), 2));
            for (int j = 0; j < rates.Points; ++j) {
                const auto power = heater.Evaluate(errors.At(i), rates.At(j));
                std::cout << fuzzy::Format("%9s", power ? fuzzy::FormatFixed(*power, 2) : "-");
            }
            std::cout << "\n";
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "fuzzy_demo: " << error.what() << "\n";
        return 1;
    }
}
