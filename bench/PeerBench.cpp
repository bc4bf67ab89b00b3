// The heater controller in a peer fuzzy library (built only when its development package is
// installed) beside the library's own paths, in one run: the peer evaluates the same terms
// (the library's own curves, given point by point) and rules, with minimum implication,
// maximum aggregation and its centroid at its default resolution.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <fl/Headers.h>

#include "HeaterInputs.hpp"
#include "examples/HeaterController.hpp"

namespace {

using TInputs = fuzzy::bench::THeaterInputs;
using fuzzy::bench::HeaterInputGrid;

// The heater's variables and rules in the peer's text format, terms as point lists.
std::string PeerText(const fuzzy::THeaterController& Heater) {
    std::string text = "Engine: heater\n";
    for (const fuzzy::TFuzzyVariable* variable : *Heater.GetLogic()->GetItems()) {
        const bool output = variable->GetName() == "power";
        text += std::string(output ? "OutputVariable: " : "InputVariable: ") + variable->GetName() +
                "\n  enabled: true\n  range: " + fl::Op::str(variable->GetMinimum()) + ' ' +
                fl::Op::str(variable->GetMaximum()) + "\n  lock-range: true\n";
        if (output)
            text += "  aggregation: Maximum\n  defuzzifier: Centroid\n  default: nan\n"
                    "  lock-previous: false\n";
        for (const fuzzy::TFuzzySet* term : *variable->GetItems()) {
            text += "  term: " + term->GetName() + " Discrete";
            for (const fuzzy::TFuzzySetValue* point : *term->GetValues())
                text += ' ' + fl::Op::str(point->GetX()) + ' ' + fl::Op::str(point->GetY());
            text += '\n';
        }
    }
    text += "RuleBlock: rules\n  enabled: true\n  conjunction: Minimum\n  disjunction: Maximum\n"
            "  implication: Minimum\n  activation: General\n";
    for (const auto& [error, rate, power] : fuzzy::HeaterRuleTerms)
        text += std::string("  rule: if error is ") + error + " and rate is " + rate +
                " then power is " + power + '\n';
    return text;
}

void PeerHeaterPass(benchmark::State& state) {
    const fuzzy::THeaterController heater(
        fuzzy::THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    const std::unique_ptr<fl::Engine> engine(fl::FllImporter().fromString(PeerText(heater)));
    fl::InputVariable* error = engine->getInputVariable("error");
    fl::InputVariable* rate = engine->getInputVariable("rate");
    fl::OutputVariable* power = engine->getOutputVariable("power");
    const TInputs inputs = HeaterInputGrid();
    std::size_t next = 0;
    for (auto _ : state) {
        error->setValue(inputs[next].first);
        rate->setValue(inputs[next].second);
        engine->process();
        benchmark::DoNotOptimize(power->getValue());
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(PeerHeaterPass);

template <auto Evaluate>
void LibraryHeaterPass(benchmark::State& state) {
    fuzzy::THeaterController heater(
        fuzzy::THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    const TInputs inputs = HeaterInputGrid();
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize((heater.*Evaluate)(inputs[next].first, inputs[next].second));
        next = next + 1 == inputs.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(LibraryHeaterPass<&fuzzy::THeaterController::Evaluate>)->Name("RuleObjectsHeaterPass");
BENCHMARK(LibraryHeaterPass<&fuzzy::THeaterController::EvaluateCompiled>)
    ->Name("CompiledHeaterPass");

} // namespace
