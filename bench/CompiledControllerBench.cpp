// Generated controllers through the logic component's rule pass and compiled in either
// semantics: 1 input and 3 rules, 2 inputs and 25 rules, and the growth of a pass from 3 to
// 300 rules and from 7 to 700 points per term. Passes per second and heap allocations per
// pass.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "AllocationCounter.hpp"
#include "FuzzyController/FuzzyCompiledController.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"

namespace {

using namespace fuzzy;

/// Inputs on [0, 100], each with Terms bell-shaped terms of Points points evenly spread,
/// one output on [0, 100] with seven such terms, and a rule for every combination of one
/// term of each input ("and"), concluding on output term (sum of the term numbers) mod 7.
class TGridController {
public:
    TGridController(int Inputs, int Terms, int Points) {
        FLogic->SetAutoTerms(false);
        for (int i = 0; i < Inputs; ++i)
            FInputs.push_back(
                AddVariable(std::string("in").append(std::to_string(i)), Terms, Points));
        FOutput = AddVariable("out", 7, Points);
        std::vector<int> terms(static_cast<std::size_t>(Inputs), 0);
        do {
            TRule rule;
            int sum = 0;
            for (int i = 0; i < Inputs; ++i) {
                rule.Premises.push_back(FInputs[static_cast<std::size_t>(i)]->GetItems()->GetItem(
                    terms[static_cast<std::size_t>(i)]));
                sum += terms[static_cast<std::size_t>(i)];
            }
            rule.Conclusion = FOutput->GetItems()->GetItem(sum % 7);
            FRules.push_back(rule);
        } while (Next(terms, Terms));
        for (const TFuzzyVariable* input : FInputs) {
            (void)input;
            FFacts.emplace_back(TFuzzySet::Create(nullptr));
        }
    }

    /// The rule pass through the logic component, as a host writes it.
    std::optional<TFzyFloat> EvaluateLibrary(std::span<const TFzyFloat> Inputs) {
        std::vector<const TFuzzySet*> facts;
        for (std::size_t i = 0; i < FFacts.size(); ++i) {
            FFacts[i]->CreateCrispValue(Inputs[i]);
            facts.push_back(FFacts[i].get());
        }
        std::unique_ptr<TFuzzySet> solution;
        for (const TRule& rule : FRules)
            if (TFuzzySet* next =
                    FOutput->AssertRule(rule.Premises, facts, rule.Conclusion, solution.get()))
                solution.reset(next);
        if (solution == nullptr)
            return std::nullopt;
        return solution->Defuzzify();
    }

    controller::TPlan Plan() const {
        controller::TPlan plan;
        for (const TFuzzyVariable* input : FInputs)
            plan.Inputs.push_back({input->GetName(), input->GetMinimum(), input->GetMaximum()});
        plan.Outputs.push_back({FOutput->GetName(), FOutput->GetMinimum(), FOutput->GetMaximum(),
                                FOutput->GetThreshold()});
        const int terms = FInputs[0]->GetItems()->GetCount();
        for (const TFuzzyVariable* input : FInputs)
            for (const TFuzzySet* term : *input->GetItems())
                plan.PremiseTerms.push_back(Points(*term));
        for (const TRule& rule : FRules) {
            controller::TPlanRule planned;
            for (std::size_t i = 0; i < rule.Premises.size(); ++i)
                planned.Premises.push_back(
                    {i, i * static_cast<std::size_t>(terms) +
                            static_cast<std::size_t>(rule.Premises[i]->GetIndex())});
            planned.Conclusions.push_back({0, Points(*rule.Conclusion)});
            plan.Rules.push_back(std::move(planned));
        }
        return plan;
    }

    int PointsPerTerm() const { return FOutput->GetItems()->GetItem(0)->GetValues()->GetCount(); }
    std::size_t RuleCount() const { return FRules.size(); }

private:
    struct TRule {
        std::vector<const TFuzzySet*> Premises;
        const TFuzzySet* Conclusion;
    };

    static std::vector<controller::TPoint> Points(const TFuzzySet& Set) {
        const kernels::TPoints points = Set.GetValues()->GetCurve().Points;
        return {points.begin(), points.end()};
    }

    static bool Next(std::vector<int>& Terms, int Count) {
        for (int& term : Terms) {
            if (++term < Count)
                return true;
            term = 0;
        }
        return false;
    }

    TFuzzyVariable* AddVariable(const std::string& Name, int Terms, int Points) {
        TFuzzyVariable* variable = FLogic->GetItems()->Add(Name);
        variable->SetMaximum(100);
        variable->SetMinimum(0);
        const double step = 100.0 / Terms;
        for (int t = 0; t < Terms; ++t) {
            // Appended, not "t" + number: g++ 12 warns falsely of overlapping copies there.
            std::string name = "t";
            name += std::to_string(t);
            TFuzzySet* term = variable->GetItems()->Add(name);
            const double center = step * (t + 0.5);
            term->CreatePIFunctionValues(Points, center - step, center + step, center);
        }
        return variable;
    }

    std::unique_ptr<TFuzzyLogic> FLogic{TFuzzyLogic::Create(nullptr)};
    std::vector<TFuzzyVariable*> FInputs;
    TFuzzyVariable* FOutput = nullptr;
    std::vector<TRule> FRules;
    std::vector<std::unique_ptr<TFuzzySet>> FFacts;
};

std::vector<std::vector<TFzyFloat>> RandomInputs(std::size_t Inputs) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> x(0, 100);
    std::vector<std::vector<TFzyFloat>> inputs(64);
    for (auto& values : inputs)
        for (std::size_t i = 0; i < Inputs; ++i)
            values.push_back(x(random));
    return inputs;
}

template <class Pass>
void Run(benchmark::State& state, const TGridController& Controller, std::size_t Inputs,
         Pass&& EvaluateOne) {
    const auto inputs = RandomInputs(Inputs);
    for (const auto& values : inputs) // buffers grow on the first passes
        EvaluateOne(values);
    std::size_t next = 0;
    const std::size_t before = fuzzy::bench::AllocationCount();
    for (auto _ : state) {
        EvaluateOne(inputs[next]);
        next = (next + 1) % inputs.size();
    }
    const std::size_t allocations = fuzzy::bench::AllocationCount() - before;
    state.SetItemsProcessed(state.iterations());
    state.counters["allocs_per_pass"] =
        static_cast<double>(allocations) / static_cast<double>(state.iterations());
    state.counters["rules"] = static_cast<double>(Controller.RuleCount());
    state.counters["points_per_term"] = Controller.PointsPerTerm();
}

// Arguments: inputs, terms per input, points per term.
void LibraryPath(benchmark::State& state) {
    const auto inputs = static_cast<std::size_t>(state.range(0));
    TGridController controller(static_cast<int>(inputs), static_cast<int>(state.range(1)),
                               static_cast<int>(state.range(2)));
    Run(state, controller, inputs, [&](const std::vector<TFzyFloat>& Values) {
        benchmark::DoNotOptimize(controller.EvaluateLibrary(Values));
    });
}

void Compiled(benchmark::State& state, controller::TSemantics Semantics) {
    const auto inputs = static_cast<std::size_t>(state.range(0));
    const TGridController controller(static_cast<int>(inputs), static_cast<int>(state.range(1)),
                                     static_cast<int>(state.range(2)));
    const auto compiled = controller::TCompiledController::Compile(controller.Plan(), Semantics);
    controller::TControllerScratch scratch;
    Run(state, controller, inputs, [&](const std::vector<TFzyFloat>& Values) {
        compiled.Evaluate(Values, scratch);
        benchmark::DoNotOptimize(scratch.GetResults()[0].Value);
    });
}

void Controllers(benchmark::internal::Benchmark* Bench) {
    Bench->Args({1, 3, 7})->Args({2, 5, 7});    // the two small controllers
    Bench->Args({1, 30, 7})->Args({1, 300, 7}); // rules: 3, 30, 300
    Bench->Args({1, 3, 70})->Args({1, 3, 700}); // points per term: 7, 70, 700
}

BENCHMARK(LibraryPath)->Apply(Controllers);
BENCHMARK_CAPTURE(Compiled, Library, controller::TSemantics::smLibrary)->Apply(Controllers);
BENCHMARK_CAPTURE(Compiled, Textbook, controller::TSemantics::smTextbook)->Apply(Controllers);

} // namespace
