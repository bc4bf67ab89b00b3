// The string-keyed table against std::unordered_map on the same keys: lookup, insert and
// remove of 10, 1,000 and 100,000 keys.

#include <benchmark/benchmark.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "IFuzzyLogic/KelHashTable.hpp"

namespace {

using fuzzy::TKelStringHashTable;

std::vector<std::string> MakeKeys(std::int64_t Count) {
    std::vector<std::string> keys;
    keys.reserve(static_cast<std::size_t>(Count));
    for (std::int64_t i = 0; i < Count; ++i)
        keys.push_back("term " + std::to_string(i * 7919));
    return keys;
}

template <class Table>
void Fill(Table& table, const std::vector<std::string>& keys);

template <>
void Fill(TKelStringHashTable<int>& table, const std::vector<std::string>& keys) {
    int i = 0;
    for (const std::string& key : keys)
        table.Add(key, i++);
}

template <>
void Fill(std::unordered_map<std::string, int>& table, const std::vector<std::string>& keys) {
    int i = 0;
    for (const std::string& key : keys)
        table.emplace(key, i++);
}

int Find(const TKelStringHashTable<int>& table, const std::string& key) {
    int value = 0;
    table.TryGetValue(key, value);
    return value;
}

int Find(const std::unordered_map<std::string, int>& table, const std::string& key) {
    const auto found = table.find(key);
    return found == table.end() ? 0 : found->second;
}

void Erase(TKelStringHashTable<int>& table, const std::string& key) {
    table.Remove(key);
}
void Erase(std::unordered_map<std::string, int>& table, const std::string& key) {
    table.erase(key);
}

template <class Table>
void BM_Lookup(benchmark::State& state) {
    const auto keys = MakeKeys(state.range(0));
    Table table;
    Fill(table, keys);
    for (auto _ : state)
        for (const std::string& key : keys)
            benchmark::DoNotOptimize(Find(table, key));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

template <class Table>
void BM_Insert(benchmark::State& state) {
    const auto keys = MakeKeys(state.range(0));
    for (auto _ : state) {
        Table table;
        Fill(table, keys);
        benchmark::DoNotOptimize(&table);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Each pass fills a table outside the timing and empties it key by key.
template <class Table>
void BM_Remove(benchmark::State& state) {
    const auto keys = MakeKeys(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        Table table;
        Fill(table, keys);
        state.ResumeTiming();
        for (const std::string& key : keys)
            Erase(table, key);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

using KelTable = TKelStringHashTable<int>;
using StdTable = std::unordered_map<std::string, int>;

BENCHMARK(BM_Lookup<KelTable>)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Lookup<StdTable>)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Insert<KelTable>)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Insert<StdTable>)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Remove<KelTable>)->Arg(10)->Arg(1000)->Arg(100000);
BENCHMARK(BM_Remove<StdTable>)->Arg(10)->Arg(1000)->Arg(100000);

} // namespace
