#pragma once
// The inputs the heater benchmarks cycle through, the same in every benchmark binary.

#include <utility>
#include <vector>

namespace fuzzy::bench {

/// Pairs of error (K) and rate (K/min).
using THeaterInputs = std::vector<std::pair<double, double>>;

/// Both input ranges in 15 steps each, ends included: one to four rules fire per pass.
inline THeaterInputs HeaterInputGrid() {
    constexpr int Points = 15;
    THeaterInputs inputs;
    for (int i = 0; i < Points; ++i)
        for (int j = 0; j < Points; ++j)
            inputs.emplace_back(-10 + 20.0 * i / (Points - 1), -2 + 4.0 * j / (Points - 1));
    return inputs;
}

} // namespace fuzzy::bench
