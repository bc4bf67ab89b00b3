// Membership queries and bulk loading of point lists.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <numeric>
#include <random>
#include <vector>

#include "FuzzyLogic/FuzzyLogic.hpp"

namespace {

using fuzzy::TFuzzySet;

// A zigzag curve of Count points over [0, Count).
std::unique_ptr<TFuzzySet> Zigzag(int Count) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    fuzzy::TUpdateGuard guard(*set->GetValues());
    for (int i = 0; i < Count; ++i)
        set->GetValues()->Add(i, i % 2 == 0 ? 0.0 : 1.0);
    return set;
}

void DegreeOfMembership(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    const auto set = Zigzag(count);
    std::vector<double> probes(1024);
    std::mt19937 random(1);
    std::uniform_real_distribution<double> x(-1, count);
    for (double& probe : probes)
        probe = x(random);
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(set->DegreeOfMembership(probes[i]));
        i = (i + 1) % probes.size();
    }
}
BENCHMARK(DegreeOfMembership)->Arg(8)->Arg(64)->Arg(512);

// Loads Count points inside one update bracket; the order is ascending or shuffled.
void BulkLoad(benchmark::State& state, bool Shuffled) {
    const int count = static_cast<int>(state.range(0));
    std::vector<int> order(static_cast<std::size_t>(count));
    std::iota(order.begin(), order.end(), 0);
    if (Shuffled)
        std::shuffle(order.begin(), order.end(), std::mt19937(3));
    for (auto _ : state) {
        std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        {
            fuzzy::TUpdateGuard guard(*set->GetValues());
            for (int x : order)
                set->GetValues()->Add(x, (x % 10) / 10.0);
        }
        benchmark::DoNotOptimize(set->GetValues()->GetCount());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BulkLoad, Ascending, false)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BulkLoad, Shuffled, true)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
