// Rules compiled into a controller answer as the rule objects do through the library's
// rule path: random rule bases with hedges, negations, every connective and weights, on
// random inputs, breakpoints, range ends and beyond.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "support/Raises.hpp"
#include "support/RandomVariables.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

constexpr std::array Hedges{TFuzzyHedge::fhVery,      TFuzzyHedge::fhSomewhat,
                            TFuzzyHedge::fhAbove,     TFuzzyHedge::fhBelow,
                            TFuzzyHedge::fhExtremely, TFuzzyHedge::fhPositively};

/// A component of 1 to 4 inputs and 1 or 2 outputs with random terms and methods, and 1 to
/// 40 random rules over them.
class TRandomRuleBase {
public:
    explicit TRandomRuleBase(std::mt19937& Random) : FRandom(Random) {
        FLogic->SetAutoTerms(false);
        FLogic->SetCorrelationMethod(
            Pick({TFuzzyCorrelationMethod::fcmMinimum, TFuzzyCorrelationMethod::fcmProduct}));
        FLogic->SetInferenceMethod(static_cast<TFuzzyInferenceMethod>(
            Below(static_cast<int>(TFuzzyInferenceMethod::fimBoundedSum) + 1)));
        FLogic->SetDefuzzificationMethod(Pick(
            {TDefuzzificationMethod::dmCenterOfGravity, TDefuzzificationMethod::dmMeanOfMaxima}));
        for (int i = 1 + Below(4); i > 0; --i)
            FInputs.push_back(AddRandomVariable(FRandom, *FLogic, "in" + std::to_string(i)));
        for (int o = 1 + Below(2); o > 0; --o)
            FOutputs.push_back(AddRandomVariable(FRandom, *FLogic, "out" + std::to_string(o)));
        for (int r = 1 + Below(40); r > 0; --r)
            AddRule();
    }

    TFuzzyRuleLogic& Logic() { return *FLogic; }
    const std::vector<TFuzzyVariable*>& Inputs() const { return FInputs; }

private:
    int Below(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(FRandom); }
    template <class T>
    T Pick(std::initializer_list<T> Items) {
        return Items.begin()[Below(static_cast<int>(Items.size()))];
    }
    std::string TermOf(const TFuzzyVariable& Variable) {
        return Variable.GetItems()->GetItem(Below(Variable.GetItems()->GetCount()))->GetName();
    }

    void AddRule() {
        std::vector<TFuzzyPremise> premises;
        for (int p = 1 + Below(3); p > 0; --p) {
            const TFuzzyVariable& input =
                *FInputs[static_cast<std::size_t>(Below(static_cast<int>(FInputs.size())))];
            TFuzzyPremise& premise = premises.emplace_back();
            premise.Variable = input.GetName();
            premise.Term = TermOf(input);
            for (int h = Below(3) - 1; h > 0; --h)
                premise.Hedges.push_back(Hedges[static_cast<std::size_t>(Below(Hedges.size()))]);
            premise.Negated = Below(4) == 0;
        }
        std::vector<TFuzzyConclusion> conclusions;
        for (const TFuzzyVariable* output : FOutputs)
            if (conclusions.empty() || Below(2) == 0)
                conclusions.push_back({output->GetName(), TermOf(*output)});
        // Every connective word but "and-sum", which has no intersection.
        std::string connective;
        do {
            const auto family = static_cast<TFuzzyOperation>(Below(7));
            connective = std::string(Below(2) == 0 ? FuzzyIntersectionKeywords[family]
                                                   : FuzzyUnionKeywords[family]);
        } while (connective == "and-sum");
        const double weight = Below(3) == 0 ? Below(9) / 8.0 : 1.0;
        FLogic->GetRules()->Add(premises, conclusions, connective, weight);
    }

    std::mt19937& FRandom;
    std::unique_ptr<TFuzzyRuleLogic> FLogic{TFuzzyRuleLogic::Create(nullptr)};
    std::vector<TFuzzyVariable*> FInputs;
    std::vector<TFuzzyVariable*> FOutputs;
};

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
    for (int base = 0; base < 150; ++base) {
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
    std::cout << passes << " passes, " << fired << " outputs fired\n";
    EXPECT_GT(fired, passes / 2);
}

TEST_F(RuleFixture, CompilingRefusesWhatTheEvaluatorRefuses) {
    Read(RuleTestVariables);
    Rules().Add({{"x", "low", {}, false}}, {{"out", "huge"}});
    EXPECT_RAISES((void)CompileFuzzyRules(*Logic), EFzyRuleException,
                  "Rule 0 names an unknown term of the fuzzy variable out: \"huge\"");
    Rules().Clear();
    Rules().Add({{"z", "low", {}, false}}, {{"out", "small"}});
    EXPECT_THROW((void)CompileFuzzyRules(*Logic), EFzyRuleException);
}

} // namespace
} // namespace fuzzy::test
