// Combination, correlation, defuzzification and hedges of typical sets.

#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>

#include "FuzzyLogic/FuzzyLogic.hpp"

namespace {

using fuzzy::TFuzzySet;

// A free set of Count points over [0, 100] on a wavy curve. Two waves of different Phase and
// Shift (a fraction of the point spacing) cross many times and share no X value, so a
// combination meets every kind of event.
std::unique_ptr<TFuzzySet> Wave(int Count, double Phase, double Shift) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    fuzzy::TUpdateGuard guard(*set->GetValues());
    for (int i = 0; i < Count; ++i) {
        const double x = 100.0 * (i + Shift) / Count;
        set->GetValues()->Add(x, 0.5 + 0.5 * std::sin(x * 0.37 + Phase));
    }
    return set;
}

// Union of two free sets of Count points each; the result is the caller's to delete.
// PerPoint is the time per input point: flat from 512 to 32,768 points when the union's
// cost grows linearly with the points.
void Union(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto first = Wave(count, 0, 0);
    const auto second = Wave(count, 1.3, 0.5);
    int resultPoints = 0;
    for (auto _ : state) {
        const std::unique_ptr<TFuzzySet> result(first->Union(second.get()));
        resultPoints = result->GetValues()->GetCount();
        benchmark::DoNotOptimize(result.get());
    }
    state.counters["ResultPoints"] = resultPoints;
    state.counters["PerPoint"] = benchmark::Counter(
        2.0 * count, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.SetItemsProcessed(state.iterations() * 2 * count);
}
BENCHMARK(Union)->Arg(16)->Arg(256)->Arg(512)->Arg(4096)->Arg(32768);

// How strongly a crisp fact fires a seven-point term: the step of fuzzy rule evaluation.
void CorrelationStrengthOfCrispFact(benchmark::State& state) {
    std::unique_ptr<TFuzzySet> term(TFuzzySet::Create(nullptr));
    term->CreatePIFunctionValues(7, 0, 100, 50);
    std::unique_ptr<TFuzzySet> fact(TFuzzySet::Create(nullptr));
    fact->CreateCrispValue(37.5);
    for (auto _ : state)
        benchmark::DoNotOptimize(fact->GetCorrelationStrength(term.get()));
}
BENCHMARK(CorrelationStrengthOfCrispFact);

void CenterOfGravity(benchmark::State& state) {
    const auto set = Wave(50, 0, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(set->CenterOfGravity());
}
BENCHMARK(CenterOfGravity);

// Making a triangle (and deleting it) alone, and with the hedge 'very' applied: the
// difference is the hedge's cost, without the overhead of pausing the timer.
void TriangleCreate(benchmark::State& state) {
    for (auto _ : state) {
        const std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        set->CreateTriangleFunctionValues(0, 50, 100);
        benchmark::DoNotOptimize(set.get());
    }
}
BENCHMARK(TriangleCreate);

void TriangleCreateAndHedgeVery(benchmark::State& state) {
    for (auto _ : state) {
        const std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        set->CreateTriangleFunctionValues(0, 50, 100);
        benchmark::DoNotOptimize(set->Hedge(fuzzy::TFuzzyHedge::fhVery));
    }
}
BENCHMARK(TriangleCreateAndHedgeVery);

// The hedge alone, the triangle's making and deleting kept out of the timing (the pauses
// themselves add a fixed cost per iteration).
void HedgeVeryOnFreshTriangle(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        set->CreateTriangleFunctionValues(0, 50, 100);
        state.ResumeTiming();
        benchmark::DoNotOptimize(set->Hedge(fuzzy::TFuzzyHedge::fhVery));
        state.PauseTiming();
        set.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(HedgeVeryOnFreshTriangle);

} // namespace
