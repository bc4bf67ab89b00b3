// One inference pass of the heater controller (every rule asserted on crisp inputs, the
// solution defuzzified): passes per second and heap allocations per pass, through the rule
// objects, written out by hand, and compiled in either semantics.

#include <benchmark/benchmark.h>

#include <array>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

#include "AllocationCounter.hpp"
#include "HeaterInputs.hpp"
#include "examples/HeaterController.hpp"
#include "examples/HeaterPlan.hpp"

namespace {

using TInputs = fuzzy::bench::THeaterInputs;
using fuzzy::bench::HeaterInputGrid;

using TPass = std::optional<double> (fuzzy::THeaterController::*)(double, double);

void Pass(benchmark::State& state, const TInputs& Inputs, TPass Evaluate) {
    fuzzy::THeaterController heater(
        fuzzy::THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    std::size_t next = 0;
    const std::size_t before = fuzzy::bench::AllocationCount();
    for (auto _ : state) {
        const auto& [error, rate] = Inputs[next];
        benchmark::DoNotOptimize((heater.*Evaluate)(error, rate));
        next = next + 1 == Inputs.size() ? 0 : next + 1;
    }
    const std::size_t allocations = fuzzy::bench::AllocationCount() - before;
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

BENCHMARK_CAPTURE(HeaterPass, InputGrid, HeaterInputGrid());
BENCHMARK_CAPTURE(HandWrittenPass, InputGrid, HeaterInputGrid());
// Error 2.5 K, rate -0.5 K/min: four rules fire, the most this rule base allows.
BENCHMARK_CAPTURE(HeaterPass, FourRules, TInputs{{2.5, -0.5}});
BENCHMARK_CAPTURE(HandWrittenPass, FourRules, TInputs{{2.5, -0.5}});

void HeaterCompiled(benchmark::State& state, fuzzy::controller::TSemantics Semantics,
                    const TInputs& Inputs) {
    const fuzzy::THeaterController heater(
        fuzzy::THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    const auto compiled =
        fuzzy::controller::TCompiledController::Compile(fuzzy::HeaterPlan(heater), Semantics);
    fuzzy::controller::TControllerScratch scratch;
    // The scratch grows on the first passes; what is counted is the passes after.
    for (const auto& [error, rate] : Inputs)
        compiled.Evaluate(std::array{error, rate}, scratch);
    std::size_t next = 0;
    const std::size_t before = fuzzy::bench::AllocationCount();
    for (auto _ : state) {
        const auto& [error, rate] = Inputs[next];
        compiled.Evaluate(std::array{error, rate}, scratch);
        benchmark::DoNotOptimize(scratch.GetResults()[0].Value);
        next = next + 1 == Inputs.size() ? 0 : next + 1;
    }
    const std::size_t allocations = fuzzy::bench::AllocationCount() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_pass"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
}

BENCHMARK_CAPTURE(HeaterCompiled, LibraryInputGrid, fuzzy::controller::TSemantics::smLibrary,
                  HeaterInputGrid());
BENCHMARK_CAPTURE(HeaterCompiled, TextbookInputGrid, fuzzy::controller::TSemantics::smTextbook,
                  HeaterInputGrid());
BENCHMARK_CAPTURE(HeaterCompiled, LibraryFourRules, fuzzy::controller::TSemantics::smLibrary,
                  TInputs{{2.5, -0.5}});
BENCHMARK_CAPTURE(HeaterCompiled, TextbookFourRules, fuzzy::controller::TSemantics::smTextbook,
                  TInputs{{2.5, -0.5}});

} // namespace
