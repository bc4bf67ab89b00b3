// Builds fuzzy sets from point lists and prints their degrees of membership over a grid of
// X values.
//
// Usage: fuzzy_demo [terms-file] [from] [to] [step]
// The terms file holds one term per line: a name followed by X Y pairs ('#' starts a
// comment line). Without arguments the bundled examples/temperature.txt is read over 0..40.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Platform.hpp"

#ifndef FUZZY_DEMO_DEFAULT_INPUT
#define FUZZY_DEMO_DEFAULT_INPUT "examples/temperature.txt"
#endif

namespace {

using fuzzy::TFuzzySet;

std::vector<std::unique_ptr<TFuzzySet>> ReadTerms(std::istream& input) {
    std::vector<std::unique_ptr<TFuzzySet>> terms;
    std::string line;
    int lineNumber = 0;
    while (std::getline(input, line)) {
        ++lineNumber;
        std::istringstream words(line);
        std::string name;
        if (!(words >> name) || name.front() == '#')
            continue;
        std::unique_ptr<TFuzzySet> term(TFuzzySet::Create(nullptr));
        term->SetName(name);
        // One bracket: the points sort and clean themselves once, at its end.
        fuzzy::TUpdateGuard guard(*term->GetValues());
        for (std::string x, y; words >> x;) {
            if (!(words >> y))
                throw fuzzy::EConvertError("line %d: X value %s has no Y value", lineNumber, x);
            term->GetValues()->Add(fuzzy::StrToFloat(x), fuzzy::StrToFloat(y));
        }
        terms.push_back(std::move(term));
    }
    return terms;
}

double Argument(char** argv, int argc, int index, double fallback) {
    return index < argc ? fuzzy::StrToFloat(argv[index]) : fallback;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::string path = argc > 1 ? argv[1] : FUZZY_DEMO_DEFAULT_INPUT;
        std::ifstream input(path);
        if (!input) {
            std::cerr << "fuzzy_demo: cannot open " << path << "\n";
            return 1;
        }
        const auto terms = ReadTerms(input);
        const double from = Argument(argv, argc, 2, 0);
        const double to = Argument(argv, argc, 3, 40);
        const double step = Argument(argv, argc, 4, 2);
        if (!(step > 0) || (to - from) / step > 1e6)
            throw fuzzy::EArgumentOutOfRangeException("step must be positive and the grid small");

        for (const auto& term : terms)
            std::cout << term->ToString() << "\n";
        std::cout << "\n" << fuzzy::Format("%8s", "X");
        for (const auto& term : terms)
            std::cout << fuzzy::Format("%10s", term->GetName());
        std::cout << "\n";
        for (int i = 0; from + i * step <= to + 1e-9; ++i) {
            const double x = from + i * step;
            std::cout << fuzzy::Format("%8s", fuzzy::FormatFixed(x, 2));
            for (const auto& term : terms)
                std::cout << fuzzy::Format("%10s", fuzzy::FormatFixed(term->DegreeOfMembership(x), 4));
            std::cout << "\n";
        }
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "fuzzy_demo: " << error.what() << "\n";
        return 1;
    }
}
