// Storing a logic component as text and reading it back: 1,000 variables of 7 terms each
// (triangles, S, Z, PI and beta curves, a point list and a crisp value).

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "platform/ComponentText.hpp"

namespace {

using namespace fuzzy;

std::unique_ptr<TFuzzyLogic> BuildLogic() {
    RegisterFuzzyLogicParserClasses();
    std::unique_ptr<TFuzzyLogic> logic(TFuzzyLogic::Create(nullptr));
    logic->SetName("Logic");
    logic->SetAutoTerms(false);
    for (int i = 0; i < 1000; ++i) {
        TFuzzyVariable* variable = logic->GetItems()->Add("speed" + std::to_string(i));
        variable->SetMaximum(100);
        variable->SetUnits("m/s");
        const double shift = i % 13;
        TFuzzySets& terms = *variable->GetItems();
        terms.Add("middle")->CreateTriangleFunctionValues(20 + shift, 50, 80 - shift);
        terms.Add("fast")->CreateCurveValues(7, 50 + shift, 90, 70, true);
        terms.Add("slow")->CreateCurveValues(7, 10, 50 - shift, 30, false);
        terms.Add("bell")->CreatePIFunctionValues(7, 10 + shift, 90, 50);
        terms.Add("peak")->CreateBetaCurveFunctionValues(7, 30, 50 + shift, 10, 2);
        TFuzzySet* drawn = terms.Add("drawn");
        drawn->GetValues()->Add(0, 0);
        drawn->GetValues()->Add(33.3 + shift, 1);
        drawn->GetValues()->Add(100, 0.25);
        terms.Add("exact")->CreateCrispValue(42.5 + shift);
    }
    return logic;
}

void BM_WriteComponent(benchmark::State& State) {
    const std::unique_ptr<TFuzzyLogic> logic = BuildLogic();
    std::size_t bytes = 0;
    for (auto _ : State) {
        const std::string text = WriteComponent(*logic);
        bytes += text.size();
        benchmark::DoNotOptimize(text.data());
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_WriteComponent)->Unit(benchmark::kMillisecond);

void BM_ReadComponent(benchmark::State& State) {
    const std::string text = WriteComponent(*BuildLogic());
    for (auto _ : State) {
        std::unique_ptr<TComponent> logic = ReadComponent(text);
        benchmark::DoNotOptimize(logic.get());
    }
    State.SetBytesProcessed(static_cast<std::int64_t>(State.iterations() * text.size()));
    State.counters["text_MB"] = static_cast<double>(text.size()) / 1e6;
}
BENCHMARK(BM_ReadComponent)->Unit(benchmark::kMillisecond);

} // namespace
