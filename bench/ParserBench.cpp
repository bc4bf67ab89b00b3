// Reading and writing the definition language: about a megabyte of variables that use every
// term form, parsed into a fresh logic component, and every variable written back.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "support/DefinitionCorpus.hpp"

#include "AllocationCounter.hpp"

namespace {

using fuzzy::TFuzzyLogic;
using fuzzy::TKelFuzzyLogicParser;

/// A logic component linked with a parser both ways, as an application sets them up.
struct TParsingComponent {
    TParsingComponent() {
        Logic->SetAutoTerms(false);
        Parser->SetFuzzyLogic(Logic.get());
        Logic->SetParser(Parser.get());
    }
    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};
    std::unique_ptr<TKelFuzzyLogicParser> Parser{TKelFuzzyLogicParser::Create(nullptr)};
};

const std::string& Megabyte() {
    static const std::string text = fuzzy::test::CorpusText(std::size_t{1} << 20);
    return text;
}

void BM_ParseDefinition(benchmark::State& state) {
    const std::string& text = Megabyte();
    std::size_t allocations = 0;
    int variables = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto component = std::make_unique<TParsingComponent>();
        const std::size_t before = fuzzy::bench::AllocationCount();
        state.ResumeTiming();
        component->Parser->ParseFuzzyLogic(text, nullptr);
        benchmark::DoNotOptimize(component->Logic->GetItems()->GetCount());
        state.PauseTiming(); // freeing the variables is not reading them
        allocations += fuzzy::bench::AllocationCount() - before;
        variables += component->Logic->GetItems()->GetCount();
        component.reset();
        // Nor is the bookkeeping that the heap defers after so many frees: some heaps do
        // it at the next request of a larger block, which is made here rather than by
        // the next parse.
        benchmark::DoNotOptimize(std::make_unique<char[]>(std::size_t{64} << 10).get());
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
    state.counters["allocs_per_variable"] =
        static_cast<double>(allocations) / static_cast<double>(std::max(variables, 1));
}
BENCHMARK(BM_ParseDefinition)->Unit(benchmark::kMillisecond);

void BM_WriteDefinition(benchmark::State& state) {
    TParsingComponent component;
    component.Parser->ParseFuzzyLogic(Megabyte(), nullptr);
    std::int64_t written = 0;
    for (auto _ : state) {
        for (const fuzzy::TFuzzyVariable* variable : *component.Logic->GetItems()) {
            const std::string text = component.Parser->PrettyPrint(variable);
            written += static_cast<std::int64_t>(text.size());
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetBytesProcessed(written);
}
BENCHMARK(BM_WriteDefinition)->Unit(benchmark::kMillisecond);

} // namespace
