// One inference pass of the heater controller (every rule asserted on crisp inputs, the
// solution defuzzified): passes per second and heap allocations per pass, through the rule
// objects and written out by hand.

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <optional>
#include <utility>
#include <vector>

#include "examples/HeaterController.hpp"

namespace {

std::atomic<std::size_t> Allocations{0};

} // namespace

// Counting replacements of the global allocation functions. They serve the whole benchmark
// program; the array and no-throw forms reach them through the standard library's defaults.
// Kept out of line: inlined into a caller, malloc and free would meet there and g++ would
// take them for a mismatched new and free.
[[gnu::noinline]] void* operator new(std::size_t Size) {
    Allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* memory = std::malloc(Size == 0 ? 1 : Size))
        return memory;
    throw std::bad_alloc();
}

[[gnu::noinline]] void operator delete(void* Memory) noexcept {
    std::free(Memory);
}

[[gnu::noinline]] void operator delete(void* Memory, std::size_t) noexcept {
    std::free(Memory);
}

namespace {

using TInputs = std::vector<std::pair<double, double>>;

// Both input ranges in 15 steps each, ends included: one to four rules fire per pass.
TInputs InputGrid() {
    constexpr int Points = 15;
    TInputs inputs;
    for (int i = 0; i < Points; ++i)
        for (int j = 0; j < Points; ++j)
            inputs.emplace_back(-10 + 20.0 * i / (Points - 1), -2 + 4.0 * j / (Points - 1));
    return inputs;
}

using TPass = std::optional<double> (fuzzy::THeaterController::*)(double, double);

void Pass(benchmark::State& state, const TInputs& Inputs, TPass Evaluate) {
    fuzzy::THeaterController heater(
        fuzzy::THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    std::size_t next = 0;
    const std::size_t before = Allocations.load(std::memory_order_relaxed);
    for (auto _ : state) {
        const auto& [error, rate] = Inputs[next];
        benchmark::DoNotOptimize((heater.*Evaluate)(error, rate));
        next = next + 1 == Inputs.size() ? 0 : next + 1;
    }
    const std::size_t allocations = Allocations.load(std::memory_order_relaxed) - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_pass"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}

// The rule objects through TFuzzyRuleEvaluator, and the same pass written out by hand.
void HeaterPass(benchmark::State& state, const TInputs& Inputs) {
    Pass(state, Inputs, &fuzzy::THeaterController::Evaluate);
}
void HandWrittenPass(benchmark::State& state, const TInputs& Inputs) {
    Pass(state, Inputs, &fuzzy::THeaterController::EvaluateByHand);
}

BENCHMARK_CAPTURE(HeaterPass, InputGrid, InputGrid());
BENCHMARK_CAPTURE(HandWrittenPass, InputGrid, InputGrid());
// Error 2.5 K, rate -0.5 K/min: four rules fire, the most this rule base allows.
BENCHMARK_CAPTURE(HeaterPass, FourRules, TInputs{{2.5, -0.5}});
BENCHMARK_CAPTURE(HandWrittenPass, FourRules, TInputs{{2.5, -0.5}});

} // namespace
