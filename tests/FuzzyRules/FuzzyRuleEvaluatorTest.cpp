// Evaluating rules through the library's rule path: the heater's hand-written loop bit for
// bit, the strengths each part of a rule defines, the explanation, what is refused, and
// compiled rules answering alike.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/Raises.hpp"
#include "support/RandomRuleBase.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

// Same facts, same strengths, same AssertRule calls: the same doubles, to the last bit,
// inside the ranges, on their ends and beyond them (where clamping meets flat terms). The
// solutions AssertRule leaves in the output go again: every variable keeps its terms, its
// current term and its text.
TEST(HeaterRules, EvaluationEqualsTheHandWrittenLoopAndLeavesNothingBehind) {
    THeaterController heater(
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    TFuzzyRuleLogic& logic = *heater.GetLogic();
    int added = 0;
    int deleted = 0;
    logic.SetOnFuzzySetAdded([&](TObject*, TFuzzySet*) { ++added; });
    logic.SetOnFuzzySetDeleted([&](TObject*, TFuzzySet*) { ++deleted; });
    const auto state = [&logic] {
        std::vector<std::string> variables;
        for (const TFuzzyVariable* variable : *logic.GetItems())
            variables.push_back(logic.GetParser()->PrettyPrint(variable) + "#" +
                                std::to_string(variable->GetItems()->GetCount()) + "#" +
                                std::to_string(variable->GetItemIndex()));
        return variables;
    };
    const std::vector<std::string> before = state();
    int fired = 0;
    for (int i = -4; i <= 44; ++i)
        for (int j = -4; j <= 36; ++j) {
            const double error = -10 + 20.0 * i / 40;
            const double rate = -2 + 4.0 * j / 32;
            const std::optional<double> expected = heater.EvaluateByHand(error, rate);
            const std::optional<double> actual = heater.Evaluate(error, rate);
            ASSERT_EQ(actual.has_value(), expected.has_value()) << error << " " << rate;
            if (expected) {
                ++fired;
                EXPECT_EQ(*actual, *expected) << error << " " << rate;
            }
        }
    EXPECT_GT(fired, 1500);
    EXPECT_GT(added, 1500);
    EXPECT_EQ(deleted, added);
    EXPECT_EQ(state(), before);
}

/// The small controller of RuleTestVariables with rules given as text.
class RuleEvaluation : public RuleFixture {
protected:
    RuleEvaluation() { Read(RuleTestVariables); }

    /// The evaluator of the rules Text in place of the component's, after a pass with
    /// x = 2 and y = 6: x is low 0.8, high 0.2; y is low 0.4, high 0.6.
    std::unique_ptr<TFuzzyRuleEvaluator> Evaluate(const std::string& Rules) {
        Logic->GetRules()->Clear();
        Read("(rules " + Rules + ")");
        auto evaluator = std::make_unique<TFuzzyRuleEvaluator>(*Logic);
        for (const std::string& input : evaluator->GetInputNames())
            evaluator->SetInput(input, input == "x" ? 2 : 6);
        evaluator->Evaluate();
        return evaluator;
    }
    double StrengthOf(const std::string& Premise, const std::string& Weight = "1") {
        return Evaluate("(rule (if " + Premise + ") (then (is out big)) (weight " + Weight + "))")
            ->GetExplanation()
            .Rules.front()
            .Strength;
    }
    /// Membership at 2 of the term low of x with these hedges applied in order.
    double HedgedLow(std::vector<TFuzzyHedge> Hedges) {
        std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        set->Assign(Term("x", "low"));
        for (const TFuzzyHedge hedge : Hedges)
            set->Hedge(hedge);
        return set->DegreeOfMembership(2);
    }
};

// Each connective folds the premises with its family's formula, left to right; hedges apply
// in written order, the negation after them; the weight scales the strength.
TEST_F(RuleEvaluation, StrengthsFollowConnectivesHedgesNegationAndWeight) {
    using enum TFuzzyHedge;
    const double veryLow = HedgedLow({fhVery});
    const double somewhatExtremely = HedgedLow({fhSomewhat, fhExtremely});
    // The cases below tell the orders apart only where these differ.
    ASSERT_NE(1 - veryLow, HedgedLow({fhNot, fhVery}));
    ASSERT_NE(somewhatExtremely, HedgedLow({fhExtremely, fhSomewhat}));
    // x is low (0.8) joined with y is high (0.6)
    const double orMean = (2 * 0.6 + 4 * 0.8) / 6;
    const double orMeanSqrt = std::sqrt(0.7);
    const struct {
        const char* Connective;
        double Strength;
    } connectives[] = {
        {"and", 0.6},      {"or", 0.8},           {"and-product", 0.48},      {"or-product", 0.92},
        {"and-mean", 0.7}, {"or-mean", orMean},   {"and-boundedsum", 0.4},    {"or-boundedsum", 1},
        {"or-sum", 1.4},   {"and-meansqr", 0.49}, {"or-meansqrt", orMeanSqrt}};
    for (const auto& [connective, strength] : connectives)
        EXPECT_NEAR(StrengthOf(std::string("(") + connective + " (is x low) (is y high))"),
                    strength, 1e-12)
            << connective;
    const struct {
        const char* Premise;
        double Strength;
        const char* Weight = "1";
    } cases[] = {
        // mean(mean(0.8, 0.6), 0.2); folded from the right it would be 0.6
        {"(and-mean (is x low) (is y high) (is x high))", 0.45},
        {"(and (is x low) (is y high))", 0.3, "0.5"},
        {"(is x low)", 0, "0"},
        {"(is x very low)", veryLow},
        {"(not (is x low))", 0.2},
        {"(not (is x very low))", 1 - veryLow},
        {"(is x somewhat extremely low)", somewhatExtremely},
    };
    for (const auto& row : cases)
        EXPECT_NEAR(StrengthOf(row.Premise, row.Weight), row.Strength, 1e-12) << row.Premise;
    // The terms themselves are left as they were.
    EXPECT_EQ(Term("x", "low")->GetValuesToString(), "((0.0000 1.0000) (10.0000 0.0000) )");
}

// Each output fires against its own threshold, a strength at the threshold included; one
// that no rule fires has no value.
TEST_F(RuleEvaluation, TheExplanationTellsStrengthsFiringsAndTheSolution) {
    Read("(deffuzzy fan (range 0 1) (values (term on ((0 0) (1 1)))))");
    Variable("out")->SetThreshold(0.6);
    Variable("fan")->SetThreshold(0.7);
    const auto evaluator = Evaluate(
        "(rule (if (is x high)) (then (is out small)))"
        "(rule (if (and (is x low) (is y high))) (then (is out big) (is out small) (is fan on)))");
    const TFuzzyRuleExplanation& explanation = evaluator->GetExplanation();
    EXPECT_EQ(evaluator->GetOutputNames(), (std::vector<std::string>{"out", "fan"}));
    ASSERT_EQ(explanation.Rules.size(), 2u);
    EXPECT_EQ(explanation.Rules[1].PremiseStrengths, (std::vector<double>{0.8, 0.6}));
    const TFuzzyOutputReport& out = explanation.Outputs[0];
    ASSERT_EQ(out.Conclusions.size(), 3u);
    EXPECT_FALSE(out.Conclusions[0].Fired); // x is high: 0.2, below the threshold
    EXPECT_TRUE(out.Conclusions[1].Fired);
    EXPECT_EQ(out.Conclusions[2].Term, "small");
    ASSERT_TRUE(out.Fired);
    // big and small clipped at 0.6: two trapezoids symmetric about 50.
    EXPECT_NEAR(out.Value, 50, 1e-9);
    EXPECT_EQ(out.Value, evaluator->GetOutput("out"));
    EXPECT_EQ(out.Solution.front(), (TFuzzyPoint{0, 0}));
    EXPECT_EQ(out.Solution.back(), (TFuzzyPoint{100, 0}));
    const TFuzzyOutputReport& fan = explanation.Outputs[1];
    EXPECT_FALSE(fan.Fired);
    EXPECT_TRUE(std::isnan(fan.Value));
    EXPECT_TRUE(fan.Solution.empty());
    EXPECT_TRUE(std::isnan(evaluator->GetOutput("fan")));
    const std::string described = evaluator->Describe();
    EXPECT_NE(described.find("fired: rule 1 (big 0.6000) rule 1 (small 0.6000)\n"
                             "output fan: no rule fired, fired:\n"),
              std::string::npos)
        << described;
}

// Inputs beyond the range are clamped and say so; inputs that are no numbers, names that
// are no input or output, and passes without every input are refused and change nothing.
TEST_F(RuleEvaluation, InputsAreClampedOrRefused) {
    const auto evaluator = Evaluate("(rule (if (and (is x high) (is y low))) (then (is out big)))");
    evaluator->SetInput("x", 25);
    evaluator->SetInput("y", -1e300);
    evaluator->Evaluate();
    const TFuzzyRuleExplanation& explanation = evaluator->GetExplanation();
    EXPECT_TRUE(explanation.Inputs[0].Clamped);
    EXPECT_EQ(explanation.Inputs[0].UsedValue, 10);
    EXPECT_EQ(explanation.Inputs[1].UsedValue, 0);
    EXPECT_EQ(explanation.Rules[0].PremiseStrengths, (std::vector<double>{1, 1}));
    EXPECT_TRUE(evaluator->Describe().starts_with("input x = 25.0000 (clamped to 10.0000)\n"));
    const double before = evaluator->GetOutput("out");
    for (const double bad :
         {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_RAISES(evaluator->SetInput("x", bad), EArgumentOutOfRangeException,
                      "Invalid input for the fuzzy variable \"x\": not a finite number");
    evaluator->Evaluate();
    EXPECT_EQ(evaluator->GetOutput("out"), before);
    EXPECT_RAISES(evaluator->SetInput("out", 1), EFzyRuleException,
                  "No rule has a premise on the fuzzy variable \"out\"");
    EXPECT_RAISES((void)evaluator->GetOutput("x"), EFzyRuleException,
                  "No rule has a conclusion on the fuzzy variable \"x\"");
    evaluator->SetInput("x", 10);
    evaluator->Evaluate();
    EXPECT_FALSE(evaluator->GetExplanation().Inputs[0].Clamped);
    // A pass needs every input, and the results a pass.
    TFuzzyRuleEvaluator fresh(*Logic);
    EXPECT_RAISES((void)fresh.GetExplanation(), EFzyRuleException,
                  "The rules have not been evaluated yet");
    EXPECT_THROW((void)fresh.GetOutput("out"), EFzyRuleException);
    fresh.SetInput("x", 1);
    EXPECT_RAISES(fresh.Evaluate(), EFzyRuleException,
                  "No value given for the input variable \"y\"");
}

// Preparing and compiling refuse rules that cannot run, naming the rule; the good rule
// before it changes nothing either.
TEST_F(RuleFixture, PreparingAndCompilingRefuseRulesThatCannotRun) {
    Read(RuleTestVariables);
    const TFuzzyPremise xLow{"x", "low", {}, false};
    const TFuzzyConclusion outBig{"out", "big"};
    const struct {
        std::vector<TFuzzyPremise> Premises;
        std::vector<TFuzzyConclusion> Conclusions;
        const char* Error;
    } cases[] = {
        {{}, {outBig}, "Rule 1 has no premise"},
        {{xLow}, {}, "Rule 1 has no conclusion"},
        {{{"z", "low", {}, false}}, {outBig}, "Rule 1 names an unknown fuzzy variable: \"z\""},
        {{{"x", "warm", {}, false}},
         {outBig},
         "Rule 1 names an unknown term of the fuzzy variable x: \"warm\""},
        {{xLow},
         {{"out", "huge"}},
         "Rule 1 names an unknown term of the fuzzy variable out: \"huge\""},
        {{xLow}, {{"speed", "big"}}, "Rule 1 names an unknown fuzzy variable: \"speed\""},
    };
    const int terms = Variable("out")->GetItems()->GetCount();
    for (const auto& row : cases) {
        SCOPED_TRACE(row.Error);
        Rules().Clear();
        Rules().Add({xLow}, {outBig});
        Rules().Add(row.Premises, row.Conclusions);
        EXPECT_RAISES(TFuzzyRuleEvaluator{*Logic}, EFzyRuleException, row.Error);
        EXPECT_RAISES((void)CompileFuzzyRules(*Logic), EFzyRuleException, row.Error);
        EXPECT_EQ(Variable("out")->GetItems()->GetCount(), terms);
    }
}

// The README's example, as written there.
TEST_F(RuleFixture, TheReadmeExampleAnswersAsDocumented) {
    const char* text = R"(
  (deffuzzy temperature (range 0 40) (values (term cold (z 10 18)) (term warm (s 15 25))))
  (deffuzzy heating (range 0 100) (values (term low (tri 0 25 50)) (term high (tri 50 75 100))))
  (rules
    (rule (if (is temperature very cold)) (then (is heating high)))
    (rule (if (or (is temperature warm) (not (is temperature cold)))) (then (is heating low))
          (weight 0.8))))";
    Logic->SetAutoTerms(true); // as a new component has it
    Read(text);
    TFuzzyRuleEvaluator evaluator(*Logic);
    evaluator.SetInput("temperature", 14);
    evaluator.Evaluate();
    // very cold 0.25 lowers high to a triangle of that height, not cold 0.5 times 0.8 lowers
    // low to one of 0.4: areas 6.25 and 10 about 75 and 25.
    EXPECT_NEAR(evaluator.GetOutput("heating"), (6.25 * 75 + 10 * 25) / 16.25, 1e-9)
        << evaluator.Describe();
}

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
