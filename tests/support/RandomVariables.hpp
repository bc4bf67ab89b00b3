#pragma once
// Random variables for the property tests of rule evaluation: a range of random position
// and width, and 2 to 7 terms that cover only part of it.

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "support/PointListHelpers.hpp"

namespace fuzzy::test {

inline TFuzzyVariable* AddRandomVariable(std::mt19937& Random, TFuzzyLogic& Logic,
                                         const std::string& Name) {
    std::uniform_real_distribution<double> unit(0, 1);
    TFuzzyVariable* variable = Logic.GetItems()->Add(Name);
    const double low = std::floor(200 * unit(Random)) - 100;
    const double width = 1 + std::floor(200 * unit(Random));
    variable->SetMaximum(low + width);
    variable->SetMinimum(low);
    std::uniform_int_distribution<int> terms(2, 7);
    for (int t = terms(Random); t > 0; --t) {
        TFuzzySet* term = variable->GetItems()->Add("t" + std::to_string(t));
        // Inside [low + 5 %, high - 5 %] of the range on a grid of 1/1000 of it, so that
        // two breakpoints are either one X or further apart than the tolerance, with
        // heights on a grid of 1/8. (X before Y, in this order on every compiler.)
        const int count = 2 + static_cast<int>(4 * unit(Random));
        TPoints points;
        for (int p = 0; p < count; ++p) {
            const double x = low + width * (0.05 + 0.9 * std::floor(1000 * unit(Random)) / 1000);
            const double y = std::floor(9 * unit(Random)) / 8;
            points.emplace_back(x, y);
        }
        std::sort(points.begin(), points.end());
        Load(*term->GetValues(), points);
    }
    return variable;
}

} // namespace fuzzy::test
