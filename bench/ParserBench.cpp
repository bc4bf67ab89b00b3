// Reading and writing the definition language: about a megabyte of variables that use every
// term form, parsed into a fresh logic component, and every variable written back.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"

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

/// One variable using every term form; Index shifts its numbers, so that no two variables
/// are alike. The calls: (pi half-width centre), (pi left right centre), (beta half-width
/// centre inflection [weight]).
std::string VariableText(int Index) {
    const double a = 5 + Index % 7;
    const double b = 40 + Index % 11 + 0.25;
    const double c = 70 + Index % 13 + 0.5;
    char text[2048];
    std::snprintf(text, sizeof text,
                  "; variable %d, written as a person would\n"
                  "(deffuzzy speed%d \"a \\\"measured\\\" speed, number %d\" (range 0 100)\n"
                  "  (units \"metres per second \\\"avg\\\"\")\n"
                  "  (values\n"
                  "    (term points \"hand-drawn\" ((0 0) (%g 0.25) (%g 1) (%g 0.5) (100 0)))\n"
                  "    (term middle (tri %g %g %g))\n"
                  "    (term bell (pi %g %g))\n"
                  "    (term wide (pi %g %g %g))\n"
                  "    (term fast (s %g %g))\n"
                  "    (term slow (z %g %g))\n"
                  "    (term peak (beta %g %g 2.5))\n"
                  "    (term sharp (beta 3 %g 1.5 2))\n"
                  "    (term fairly very middle or somewhat bell)\n"
                  "    (term mixed not slow and-product [fast or-sum peak])\n"
                  "    (term half middle * 0.5)\n"
                  "    (term shifted [extremely points and wide] +X 2.5)\n"
                  "    (term anything [bell or [fast and not sharp]] ^ 2)))\n",
                  Index, Index, Index, a, b, c, a, b, c, a, b, a, c, b, b, c, a, b, a, b, c);
    return text;
}

/// Variables up to about Size bytes.
std::string DefinitionText(std::size_t Size) {
    std::string text;
    for (int i = 0; text.size() < Size; ++i)
        text += VariableText(i);
    return text;
}

const std::string& Megabyte() {
    static const std::string text = DefinitionText(std::size_t{1} << 20);
    return text;
}

void BM_ParseDefinition(benchmark::State& state) {
    const std::string& text = Megabyte();
    for (auto _ : state) {
        state.PauseTiming();
        auto component = std::make_unique<TParsingComponent>();
        state.ResumeTiming();
        component->Parser->ParseFuzzyLogic(text, nullptr);
        benchmark::DoNotOptimize(component->Logic->GetItems()->GetCount());
        state.PauseTiming(); // freeing the variables is not reading them
        component.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(text.size()));
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
