// Evaluating rules through the library's rule path: the heater's hand-written loop bit for
// bit, the strengths each part of a rule defines, the explanation, and nothing left behind.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "examples/HeaterController.hpp"
#include "support/Raises.hpp"
#include "support/RuleFixture.hpp"

namespace fuzzy::test {
namespace {

class HeaterRules : public ::testing::Test {
protected:
    THeaterController Heater{
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy")};
};

// Same facts, same strengths, same AssertRule calls: the same doubles, to the last bit,
// inside the ranges, on their ends and beyond them (where clamping meets flat terms).
TEST_F(HeaterRules, EvaluationEqualsTheHandWrittenLoopBitForBit) {
    int fired = 0;
    for (int i = -4; i <= 44; ++i)
        for (int j = -4; j <= 36; ++j) {
            const double error = -10 + 20.0 * i / 40;
            const double rate = -2 + 4.0 * j / 32;
            const std::optional<double> expected = Heater.EvaluateByHand(error, rate);
            const std::optional<double> actual = Heater.Evaluate(error, rate);
            ASSERT_EQ(actual.has_value(), expected.has_value()) << error << " " << rate;
            if (expected) {
                ++fired;
                EXPECT_EQ(*actual, *expected) << error << " " << rate;
            }
        }
    EXPECT_GT(fired, 1500);
}

// The evaluator's own sets are free; AssertRule's solutions are terms of the output and go
// again. However many passes run, every variable has its terms, current term and text.
TEST_F(HeaterRules, NothingIsLeftBehindInAnyVariable) {
    TFuzzyRuleLogic& logic = *Heater.GetLogic();
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
    for (int pass = 0; pass < 500; ++pass)
        (void)Heater.Evaluate(-12 + 24.0 * (pass % 37) / 36, -3 + 6.0 * (pass % 23) / 22);
    EXPECT_GT(added, 500);
    EXPECT_EQ(deleted, added);
    EXPECT_EQ(state(), before);
}

/// The small controller of RuleTestVariables with one rule given as text.
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
    double StrengthOf(const std::string& Rule) {
        return Evaluate(Rule)->GetExplanation().Rules.front().Strength;
    }
    /// Membership at X of the term of x named Term with these hedges applied in order.
    double Hedged(const std::string& Term, std::vector<TFuzzyHedge> Hedges, double X) {
        const TFuzzySet* term =
            Logic->GetItems()->GetItemByName("x")->GetItems()->GetItemByName(Term);
        std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        set->Assign(term);
        for (const TFuzzyHedge hedge : Hedges)
            set->Hedge(hedge);
        return set->DegreeOfMembership(X);
    }
};

struct TConnectiveCase {
    const char* Connective;
    double Strength; // of "x is low" (0.8) joined with "y is high" (0.6)
};

void PrintTo(const TConnectiveCase& Case, std::ostream* Out) {
    *Out << Case.Connective;
}

class Connectives : public RuleEvaluation, public ::testing::WithParamInterface<TConnectiveCase> {};

TEST_P(Connectives, FoldThePremisesWithTheirFamilysFormula) {
    const std::string rule = std::string("(rule (if (") + GetParam().Connective +
                             " (is x low) (is y high))) (then (is out big)))";
    EXPECT_NEAR(StrengthOf(rule), GetParam().Strength, 1e-12);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Connectives,
    ::testing::Values(TConnectiveCase{"and", 0.6}, TConnectiveCase{"or", 0.8},
                      TConnectiveCase{"and-product", 0.48}, TConnectiveCase{"or-product", 0.92},
                      TConnectiveCase{"and-mean", 0.7},
                      TConnectiveCase{"or-mean", (2 * 0.6 + 4 * 0.8) / 6},
                      TConnectiveCase{"and-boundedsum", 0.4}, TConnectiveCase{"or-boundedsum", 1},
                      TConnectiveCase{"or-sum", 1.4}, TConnectiveCase{"and-meansqr", 0.49},
                      TConnectiveCase{"or-meansqrt", std::sqrt(0.7)}));

// The premises fold left to right, and the weight scales the strength.
TEST_F(RuleEvaluation, PremisesFoldLeftToRightAndTheWeightScalesTheStrength) {
    // mean(mean(0.8, 0.6), 0.2) = 0.45, whereas mean(0.8, mean(0.6, 0.2)) = 0.6
    EXPECT_NEAR(StrengthOf("(rule (if (and-mean (is x low) (is y high) (is x high))) (then (is "
                           "out big)))"),
                0.45, 1e-12);
    EXPECT_NEAR(StrengthOf("(rule (if (and (is x low) (is y high))) (then (is out big)) (weight "
                           "0.5))"),
                0.3, 1e-12);
    const auto none = Evaluate("(rule (if (is x low)) (then (is out big)) (weight 0))");
    EXPECT_EQ(none->GetExplanation().Rules.front().Strength, 0);
    EXPECT_FALSE(none->GetExplanation().Outputs.front().Fired);
}

// Hedges apply in written order, the negation after them.
TEST_F(RuleEvaluation, HedgesAndNegationShapeThePremise) {
    const double veryLow = Hedged("low", {TFuzzyHedge::fhVery}, 2);
    ASSERT_NE(veryLow, 0.8);
    EXPECT_NEAR(StrengthOf("(rule (if (is x very low)) (then (is out big)))"), veryLow, 1e-12);
    EXPECT_NEAR(StrengthOf("(rule (if (not (is x low))) (then (is out big)))"), 0.2, 1e-12);
    const double notVery = 1 - veryLow;
    ASSERT_NE(notVery, Hedged("low", {TFuzzyHedge::fhNot, TFuzzyHedge::fhVery}, 2));
    EXPECT_NEAR(StrengthOf("(rule (if (not (is x very low))) (then (is out big)))"), notVery,
                1e-12);
    const double ordered = Hedged("low", {TFuzzyHedge::fhSomewhat, TFuzzyHedge::fhExtremely}, 2);
    ASSERT_NE(ordered, Hedged("low", {TFuzzyHedge::fhExtremely, TFuzzyHedge::fhSomewhat}, 2));
    EXPECT_NEAR(StrengthOf("(rule (if (is x somewhat extremely low)) (then (is out big)))"),
                ordered, 1e-12);
    // The terms themselves are left as they were.
    EXPECT_EQ(Logic->GetItems()
                  ->GetItemByName("x")
                  ->GetItems()
                  ->GetItemByName("low")
                  ->GetValuesToString(),
              "((0.0000 1.0000) (10.0000 0.0000) )");
}

TEST_F(RuleEvaluation, TheExplanationTellsStrengthsFiringsAndTheSolution) {
    Logic->GetItems()->GetItemByName("out")->SetThreshold(0.5);
    const auto evaluator =
        Evaluate("(rule (if (is x high)) (then (is out small)))"
                 "(rule (if (and (is x low) (is y high))) (then (is out big) (is out small)))");
    const TFuzzyRuleExplanation& explanation = evaluator->GetExplanation();
    ASSERT_EQ(explanation.Rules.size(), 2u);
    EXPECT_EQ(explanation.Rules[1].PremiseStrengths, (std::vector<double>{0.8, 0.6}));
    const TFuzzyOutputReport& out = explanation.Outputs.front();
    ASSERT_EQ(out.Conclusions.size(), 3u);
    EXPECT_FALSE(out.Conclusions[0].Fired); // x is high: 0.2, below the threshold 0.5
    EXPECT_TRUE(out.Conclusions[1].Fired);
    EXPECT_EQ(out.Conclusions[2].Term, "small");
    EXPECT_TRUE(out.Fired);
    // big and small clipped at 0.6: two trapezoids symmetric about 50.
    EXPECT_NEAR(out.Value, 50, 1e-9);
    EXPECT_EQ(out.Value, evaluator->GetOutput("out"));
    EXPECT_EQ(out.Solution.front(), (TFuzzyPoint{0, 0}));
    EXPECT_EQ(out.Solution.back(), (TFuzzyPoint{100, 0}));
    EXPECT_NE(evaluator->Describe().find("fired: rule 1 (big 0.6000) rule 1 (small 0.6000)"),
              std::string::npos)
        << evaluator->Describe();
}

// Several outputs each fire against their own threshold; one that no rule fires has no
// value.
TEST_F(RuleEvaluation, OutputsFireOnTheirOwnThresholds) {
    Read("(deffuzzy fan (range 0 1) (values (term on ((0 0) (1 1)))))");
    Logic->GetItems()->GetItemByName("fan")->SetThreshold(0.7);
    const auto evaluator = Evaluate("(rule (if (is y high)) (then (is fan on) (is out big)))");
    EXPECT_EQ(evaluator->GetOutputNames(), (std::vector<std::string>{"fan", "out"}));
    const TFuzzyOutputReport& fan = evaluator->GetExplanation().Outputs[0];
    EXPECT_FALSE(fan.Fired);
    EXPECT_TRUE(std::isnan(fan.Value));
    EXPECT_TRUE(fan.Solution.empty());
    EXPECT_TRUE(std::isnan(evaluator->GetOutput("fan")));
    EXPECT_NEAR(evaluator->GetOutput("out"), 75, 1e-9);
    EXPECT_NE(evaluator->Describe().find("output fan: no rule fired"), std::string::npos);
}

TEST_F(RuleEvaluation, InputsOutsideTheRangeAreClampedAndSaySo) {
    const auto evaluator = Evaluate("(rule (if (and (is x high) (is y low))) (then (is out big)))");
    evaluator->SetInput("x", 25);
    evaluator->SetInput("y", -1e300);
    evaluator->Evaluate();
    const TFuzzyRuleExplanation& explanation = evaluator->GetExplanation();
    EXPECT_TRUE(explanation.Inputs[0].Clamped);
    EXPECT_EQ(explanation.Inputs[0].UsedValue, 10);
    EXPECT_EQ(explanation.Inputs[1].UsedValue, 0);
    EXPECT_EQ(explanation.Rules[0].PremiseStrengths, (std::vector<double>{1, 1}));
    evaluator->SetInput("x", 10);
    evaluator->Evaluate();
    EXPECT_FALSE(evaluator->GetExplanation().Inputs[0].Clamped);
    EXPECT_NE(evaluator->Describe().find("input y = "), std::string::npos);
}

TEST_F(RuleEvaluation, InputsThatAreNoNumbersChangeNothing) {
    const auto evaluator = Evaluate("(rule (if (is x low)) (then (is out big)))");
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
}

TEST_F(RuleEvaluation, APassNeedsEveryInputAndAnEvaluatorAPass) {
    Read("(rules (rule (if (and (is x low) (is y low))) (then (is out big))))");
    TFuzzyRuleEvaluator evaluator(*Logic);
    EXPECT_RAISES((void)evaluator.GetExplanation(), EFzyRuleException,
                  "The rules have not been evaluated yet");
    evaluator.SetInput("x", 1);
    EXPECT_RAISES(evaluator.Evaluate(), EFzyRuleException,
                  "No value given for the input variable \"y\"");
    EXPECT_THROW((void)evaluator.GetOutput("out"), EFzyRuleException);
}

using RuleReadme = RuleFixture;

// The README's example, as written there.
TEST_F(RuleReadme, TheExampleAnswersAsDocumented) {
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

struct TBadRule {
    std::vector<TFuzzyPremise> Premises;
    std::vector<TFuzzyConclusion> Conclusions;
    const char* Error;
};

class BadRules : public RuleFixture, public ::testing::WithParamInterface<TBadRule> {};

// Preparing refuses rules that cannot run, naming the rule; the good rule before it
// changes nothing either.
TEST_P(BadRules, ArRefusedWhenPrepared) {
    Read(RuleTestVariables);
    Rules().Add({{"x", "low", {}, false}}, {{"out", "big"}});
    Rules().Add(GetParam().Premises, GetParam().Conclusions);
    const int terms = Logic->GetItems()->GetItemByName("out")->GetItems()->GetCount();
    EXPECT_RAISES(TFuzzyRuleEvaluator{*Logic}, EFzyRuleException, GetParam().Error);
    EXPECT_EQ(Logic->GetItems()->GetItemByName("out")->GetItems()->GetCount(), terms);
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadRules,
    ::testing::Values(TBadRule{{}, {{"out", "big"}}, "Rule 1 has no premise"},
                      TBadRule{{{"x", "low", {}, false}}, {}, "Rule 1 has no conclusion"},
                      TBadRule{{{"z", "low", {}, false}},
                               {{"out", "big"}},
                               "Rule 1 names an unknown fuzzy variable: \"z\""},
                      TBadRule{{{"x", "warm", {}, false}},
                               {{"out", "big"}},
                               "Rule 1 names an unknown term of the fuzzy variable x: \"warm\""},
                      TBadRule{{{"x", "low", {}, false}},
                               {{"out", "huge"}},
                               "Rule 1 names an unknown term of the fuzzy variable out: \"huge\""},
                      TBadRule{{{"x", "low", {}, false}},
                               {{"speed", "big"}},
                               "Rule 1 names an unknown fuzzy variable: \"speed\""}));

} // namespace
} // namespace fuzzy::test
