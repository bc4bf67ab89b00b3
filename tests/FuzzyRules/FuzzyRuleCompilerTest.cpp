// Rules compiled into a controller answer as the rule objects do through the library's
// rule path: random rule bases with hedges, negations, every connective and weights, on
// random inputs, breakpoints, range ends and beyond.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/RandomRuleBase.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

/// Inputs to try on a variable: its range's ends and beyond, its terms' breakpoints, and
/// random values.
std::vector<double> Probes(std::mt19937& Random, const TFuzzyVariable& Variable) {
    const double low = Variable.GetMinimum();
    const double high = Variable.GetMaximum();
    std::vector<double> probes{low, high, low - 1, high + 1};
    for (const TFuzzySet* term : *Variable.GetItems())
        for (const TFuzzySetValue* point : *term->GetValues())
            probes.push_back(point->GetX());
    std::uniform_real_distribution<double> inside(low, high);
    for (int i = 0; i < 8; ++i)
        probes.push_back(inside(Random));
    return probes;
}

TEST(RuleCompiler, CompiledRulesAnswerAsTheRulePathInTheLibrarySemantics) {
    std::mt19937 random(13);
    int passes = 0;
    int fired = 0;
    for (int base = 0; base < 300; ++base) {
        TRandomRuleBase rules(random);
        TFuzzyRuleEvaluator evaluator(rules.Logic());
        const controller::TCompiledController compiled = CompileFuzzyRules(rules.Logic());
        controller::TControllerScratch scratch;
        const std::vector<std::string>& inputNames = evaluator.GetInputNames();
        std::vector<std::vector<double>> probes;
        for (const std::string& name : inputNames)
            probes.push_back(Probes(random, *rules.Logic().GetItems()->GetItemByName(name)));
        for (int pass = 0; pass < 30; ++pass) {
            std::vector<double> inputs;
            for (std::size_t i = 0; i < inputNames.size(); ++i) {
                const std::vector<double>& choices = probes[i];
                inputs.push_back(choices[static_cast<std::size_t>(pass) % choices.size()]);
                evaluator.SetInput(inputNames[i], inputs.back());
            }
            evaluator.Evaluate();
            compiled.Evaluate(inputs, scratch);
            ++passes;
            const TFuzzyRuleExplanation& expected = evaluator.GetExplanation();
            for (std::size_t o = 0; o < expected.Outputs.size(); ++o) {
                const TFuzzyOutputReport& output = expected.Outputs[o];
                const controller::TOutputResult& actual = scratch.GetResults()[o];
                ASSERT_EQ(actual.Fired, output.Fired) << "base " << base << " pass " << pass;
                if (!output.Fired)
                    continue;
                ++fired;
                const TFuzzyVariable& variable =
                    *rules.Logic().GetItems()->GetItemByName(output.Variable);
                EXPECT_NEAR(actual.Value, output.Value,
                            1e-12 * (variable.GetMaximum() - variable.GetMinimum()))
                    << "base " << base << " pass " << pass;
            }
            for (std::size_t r = 0; r < expected.Rules.size(); ++r)
                ASSERT_EQ(scratch.GetRuleStrengths()[r], expected.Rules[r].Strength);
        }
    }
    EXPECT_GT(fired, passes / 2);
}

} // namespace
} // namespace fuzzy::test
