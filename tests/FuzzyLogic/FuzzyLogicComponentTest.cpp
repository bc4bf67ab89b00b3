#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Format.hpp"
#include "platform/StringList.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

// A parser that writes "(name)" for a variable and counts how often it is asked.
class TCountingParser : public TCustomFuzzyLogicParser {
public:
    static TCountingParser* Create(TComponent* AOwner) {
        return FinishCreate(std::unique_ptr<TCountingParser>(new TCountingParser()), AOwner);
    }
    using TCustomFuzzyLogicParser::EvalFuzzyExpression;
    using TCustomFuzzyLogicParser::ParseFuzzySet;
    using TCustomFuzzyLogicParser::PrettyPrint;

    void ParseFuzzyLogic(const std::string& Text, const TEncoding*) override {
        Parsed.push_back(Text);
    }
    TFuzzyVariable* ParseFuzzyVariable(const std::string&, const TEncoding*) override {
        return nullptr;
    }
    TFuzzySet* ParseFuzzySet(TFuzzyVariable*, const std::string&, const TEncoding*) override {
        return nullptr;
    }
    TFuzzySet* EvalFuzzyExpression(TFuzzyVariable*, const std::string&) override { return nullptr; }
    TFzyFloat EvalFuzzyExpression(TFuzzyVariable*, const std::string&, TFuzzySet*&) override {
        return 0;
    }
    std::string PrettyPrint(const TFuzzySet* FuzzySet, bool) const override {
        return "set " + FuzzySet->GetName();
    }
    std::string PrettyPrint(const TFuzzyVariable* Variable) const override {
        ++Writes;
        return "(" + Variable->GetName() + ")";
    }
    std::vector<std::string> Parsed;
    mutable int Writes = 0; // counts the writes of a const parser

private:
    TCountingParser() = default;
};

// A component whose every event is logged in order.
class Component : public ::testing::Test {
protected:
    void SetUp() override {
        Logic->SetOnVariableAdded([this](TObject* sender, TFuzzyVariable* variable) {
            EXPECT_EQ(sender, Logic.get());
            Log.push_back("variable added, threshold " + Format("%.4f", variable->GetThreshold()));
        });
        Logic->SetOnVariableDeleted([this](TObject*, TFuzzyVariable* variable) {
            Log.push_back("variable deleted " + variable->GetName());
        });
        Logic->SetOnVariableChange([this](TObject*, TFuzzyVariable* variable) {
            Log.push_back("variable changed " + variable->GetName());
        });
        Logic->SetOnFuzzySetAdded([this](TObject*, TFuzzySet* set) {
            Log.push_back(Format("set added #%d", set->GetIndex()));
        });
        Logic->SetOnFuzzySetDeleted(
            [this](TObject*, TFuzzySet* set) { Log.push_back("set deleted " + set->GetName()); });
        Logic->SetOnFuzzySetChange(
            [this](TObject*, TFuzzySet* set) { Log.push_back("set changed " + set->GetName()); });
        Logic->SetOnChange([this](TObject*) { Log.push_back("changed"); });
    }
    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};
    std::vector<std::string> Log;
};

TEST_F(Component, AddingAVariableSetsItsThresholdThenAddsTheAutomaticTerms) {
    TFuzzyVariable* variable = Logic->GetItems()->Add();
    // Each term reports its changes right after it is added, before the next is added.
    std::erase_if(Log, [](const std::string& Entry) {
        return Entry == "changed" || Entry.starts_with("variable changed");
    });
    Log.erase(std::unique(Log.begin(), Log.end()), Log.end());
    EXPECT_EQ(Log, (std::vector<std::string>{
                       "variable added, threshold 0.0100", "set added #0", "set changed low",
                       "set added #1", "set changed medium", "set added #2", "set changed high"}));
    EXPECT_EQ(variable->GetItemIndex(), 2);
    TFuzzySets& terms = *variable->GetItems();
    EXPECT_EQ(terms[0]->GetName(), "low");
    EXPECT_EQ(PointsOf(*terms[0]), (TPoints{{0, 1}, {1, 0}}));
    EXPECT_EQ(PointsOf(*terms[1]), (TPoints{{0, 0}, {0.5, 1}, {1, 0}}));
    EXPECT_EQ(PointsOf(*terms[2]), (TPoints{{0, 0}, {1, 1}}));
    for (const TFuzzySet* term : terms)
        EXPECT_TRUE(term->GetDefined() && term->GetExpression() == term->GetName());
}

TEST_F(Component, AutomaticTermsFollowTheRangeAtTheTimeTheyAreAdded) {
    std::unique_ptr<TFuzzyVariable> variable(TFuzzyVariable::Create(nullptr));
    variable->SetMinimum(10);
    variable->SetMaximum(20);
    variable->GetItems()->Add("low"); // an existing term is kept
    Logic->AddAutoTerms(variable.get());
    ASSERT_EQ(variable->GetItems()->GetCount(), 3);
    EXPECT_EQ(PointsOf(*variable->GetItems()->GetItemByName("medium")),
              (TPoints{{10, 0}, {15, 1}, {20, 0}}));
    EXPECT_EQ(variable->GetItems()->GetItemByName("low")->GetValues()->GetCount(), 0);

    Logic->SetAutoTerms(false);
    EXPECT_EQ(Logic->GetItems()->Add("bare")->GetItems()->GetCount(), 0);
}

TEST_F(Component, DeletingAVariableReportsItsTermsThenTheVariableButDestroyingReportsNothing) {
    Logic->GetItems()->Add("speed");
    Logic->GetItems()->Add("kept");
    Log.clear();
    Logic->GetItems()->Delete(0);
    EXPECT_EQ(Log,
              (std::vector<std::string>{"set deleted high", "set deleted medium", "set deleted low",
                                        "variable deleted speed", "changed"}));
    Log.clear();
    Logic.reset();
    EXPECT_TRUE(Log.empty());
}

TEST_F(Component, ThresholdIsClampedAndPassedToEveryVariable) {
    TFuzzyVariable* a = Logic->GetItems()->Add("a");
    TFuzzyVariable* b = Logic->GetItems()->Add("b");
    Logic->SetThreshold(2);
    EXPECT_EQ(Logic->GetThreshold(), 1);
    EXPECT_EQ(a->GetThreshold(), 1);
    EXPECT_EQ(b->GetThreshold(), 1);
    Log.clear();
    b->SetThreshold(0.5);
    EXPECT_TRUE(Log.empty()); // a rule setting, not a change of the definitions
    Logic->SetThreshold(1);   // unchanged: nothing is passed on
    EXPECT_EQ(b->GetThreshold(), 0.5);
}

TEST_F(Component, SetsTakeTheirSettingsFromTheComponent) {
    Logic->SetAutoTerms(false);
    TFuzzyVariable* variable = Logic->GetItems()->Add("v");
    variable->SetMaximum(90);
    TFuzzySet* term = variable->GetItems()->Add("t");
    Logic->SetNumFunctionValues(1); // a curve needs two points at least
    EXPECT_EQ(Logic->GetNumFunctionValues(), 2);
    Logic->SetNumFunctionValues(5);
    term->SetSetType(TFuzzySetType::fstGrowthCurve);
    EXPECT_EQ(term->GetValues()->GetCount(), 5);
    Logic->SetCorrelationMethod(TFuzzyCorrelationMethod::fcmProduct);
    term->Correlate(0.5);
    EXPECT_DOUBLE_EQ(term->GetValues()->GetMaxValue(), 0.5);
    Logic->SetDefuzzificationMethod(TDefuzzificationMethod::dmMeanOfMaxima);
    EXPECT_DOUBLE_EQ(term->Defuzzify(), 60);
}

TEST_F(Component, AnEditReportsTheSetStillWithTheShapeItHad) {
    TFuzzySet* term = Logic->GetItems()->Add("v")->GetItems()->GetItem(1);
    term->SetSetType(TFuzzySetType::fstTriangle);
    std::vector<TFuzzySetType> seen;
    Logic->SetOnFuzzySetChange(
        [&](TObject*, TFuzzySet* set) { seen.push_back(set->GetSetType()); });
    term->GetValues()->GetItem(0)->SetY(0.5);
    EXPECT_EQ(seen, std::vector{TFuzzySetType::fstTriangle});
    EXPECT_EQ(term->GetSetType(), TFuzzySetType::fstUserDefined);
}

TEST_F(Component, RulesCorrelateAndAccumulateByTheComponentsMethods) {
    TFuzzyVariable* variable = Logic->GetItems()->Add("v");
    TFuzzySets& terms = *variable->GetItems();
    Logic->SetCorrelationMethod(TFuzzyCorrelationMethod::fcmProduct);
    Logic->SetInferenceMethod(TFuzzyInferenceMethod::fimAdditive);
    std::unique_ptr<TFuzzySet> first(variable->AssertRule(0.5, terms[0], nullptr));
    EXPECT_EQ(first->GetName(), "low * 0.5000");
    std::unique_ptr<TFuzzySet> solution(variable->AssertRule(0.5, terms[2], first.get()));
    EXPECT_EQ(solution->GetName(), "[low * 0.5000] or-sum [high * 0.5000]");
}

TEST_F(Component, StringsNeedAParserAndAreRegeneratedOnceAfterAChange) {
    EXPECT_RAISES(Logic->Parse(), EFzyException, "Parser not assigned.  Cannot parse");
    std::unique_ptr<TCountingParser> parser(TCountingParser::Create(nullptr));
    Logic->SetParser(parser.get());
    parser->SetFuzzyLogic(Logic.get());
    Logic->GetItems()->Add("speed");
    EXPECT_EQ(Logic->GetStrings()->GetText(), "(speed)\n");
    EXPECT_EQ(parser->Writes, 1);
    (void)Logic->GetStrings();
    EXPECT_EQ(parser->Writes, 1); // nothing changed in between
    Logic->GetItems()->GetItem(0)->SetUnits("km/h");
    (void)Logic->GetStrings();
    EXPECT_EQ(parser->Writes, 2);
    EXPECT_EQ(Logic->GetItems()->GetItem(0)->GetItems()->GetItem(0)->ToString(), "set low");

    TStringList text;
    text.SetText("(deffuzzy x)");
    Logic->SetStrings(&text);
    EXPECT_EQ(parser->Parsed, (std::vector<std::string>{"(deffuzzy x)\n"}));
    EXPECT_EQ(Logic->GetItems()->GetCount(), 0); // cleared before parsing
    EXPECT_EQ(parser->Writes, 2);                // and not written back from the empty list
    EXPECT_EQ(Logic->GetStrings()->GetText(), "(deffuzzy x)\n");
}

TEST_F(Component, LoadingDefersParsing) {
    Logic->BeginLoading();
    Logic->Parse(); // no parser, but nothing happens while loading
    Logic->UpdateStrings();
    Logic->EndLoading();
    Logic->GetItems()->Add("v");
    EXPECT_THROW((void)Logic->GetStrings(), EFzyException);
    EXPECT_NO_THROW((void)Logic->GetStrings()); // the missing parser is reported once
}

// Each side lets go of what goes first, in any order.
TEST_F(Component, TermsVariablesAndParserMayBeFreedInAnyOrder) {
    auto* parser = TCountingParser::Create(nullptr);
    Logic->SetParser(parser);
    TFuzzyVariable* variable = Logic->GetItems()->Add("v");
    TFuzzySet* term = variable->GetItems()->GetItem(1);
    delete variable->AssertRule(0.5, term, nullptr);
    delete term;
    EXPECT_EQ(variable->GetItems()->GetCount(), 2);
    delete variable;
    EXPECT_EQ(Logic->GetItems()->GetCount(), 0);
    delete parser;
    EXPECT_EQ(Logic->GetParser(), nullptr);
    EXPECT_THROW(Logic->Parse(), EFzyException);

    // The component going first leaves a parser that can be freed safely.
    auto* owner = TComponent::Create(nullptr);
    auto* logic = TFuzzyLogic::Create(owner);
    logic->SetParser(TCountingParser::Create(owner));
    delete logic;
    delete owner; // frees the parser
}

TEST_F(Component, VariablesByNameAndSetsMadeWhileDesigning) {
    Logic->SetAutoTerms(false);
    TFuzzyVariable* speed = Logic->GetItems()->Add("speed");
    EXPECT_EQ(std::as_const(*Logic->GetItems()).GetItemByName("speed"), speed);
    EXPECT_RAISES((void)Logic->GetItems()->GetItemByName("Speed"), EFzyException,
                  "Unknown Fuzzy Variable name: \"Speed\"");
    EXPECT_EQ(speed->GetFuzzy(), Logic.get());
    EXPECT_FALSE(speed->GetItems()->Insert(0)->GetDefined());
    Logic->SetDesigning(true);
    EXPECT_TRUE(speed->GetItems()->Insert(0)->GetDefined());
}

class Variable : public ::testing::Test {
protected:
    std::unique_ptr<TFuzzyVariable> Var{TFuzzyVariable::Create(nullptr)};
    TFuzzySets& Terms = *Var->GetItems();
};

TEST_F(Variable, StartsWithNoCurrentTermAndKeepsItsBoundsInOrder) {
    EXPECT_EQ(Var->GetItemIndex(), -1);
    EXPECT_EQ(Var->GetFuzzy(), nullptr);
    EXPECT_EQ(Var->ToString(), "TFuzzyVariable");
    EXPECT_EQ(Var->GetDisplayName(), "TFuzzyVariable");
    const auto range = [&] { return std::pair(Var->GetMinimum(), Var->GetMaximum()); };
    Var->SetMinimum(5); // pushes the maximum of 1 up
    EXPECT_EQ(range(), std::pair(5.0, 5.0));
    Var->SetMaximum(-2); // pushes the minimum down
    EXPECT_EQ(range(), std::pair(-2.0, -2.0));
    Var->SetThreshold(1.5);
    EXPECT_EQ(Var->GetThreshold(), 1.0);
    Var->SetThreshold(-0.2);
    EXPECT_EQ(Var->GetThreshold(), 0);

    Var->SetMaximum(100); // the terms' axis
    TFuzzySet* term = Terms.Add("t");
    term->GetValues()->Add(150, 1);
    EXPECT_EQ(term->GetValues()->GetItem(0)->GetX(), 100);
    EXPECT_EQ(term->GetXRange(1), -2);
    EXPECT_EQ(term->GetVariable(), Var.get());
}

TEST_F(Variable, CurrentTermFollowsAddsAndDeletesAndTermsAreFoundByName) {
    for (const char* name : {"a", "b", "c"})
        Terms.Add(name);
    EXPECT_EQ(Var->GetItemIndex(), 2);
    Terms.Delete(2);
    EXPECT_EQ(Var->GetItemIndex(), 1);
    Terms.Insert(0);
    EXPECT_EQ(Var->GetItemIndex(), 1); // inserting keeps the index
    EXPECT_RAISES(Var->SetItemIndex(3), EFzyException, "List index out of bounds (3)");
    EXPECT_EQ(Var->GetItemIndex(), 1);
    Var->SetItemIndex(-1);
    EXPECT_EQ(Var->GetItemIndex(), -1);

    // Terms by name, and which terms count as defined.
    TFuzzySet* low = Terms.Add("low");
    EXPECT_TRUE(low->GetDefined());
    EXPECT_FALSE(Terms.Add("")->GetDefined());
    EXPECT_FALSE(Terms.Add("__Empty")->GetDefined());
    EXPECT_EQ(Terms.GetItemByName("low"), low);
    EXPECT_RAISES((void)Terms.GetItemByName("warm"), EFzyException,
                  "Unknown Fuzzy Set name: \"warm\"");
    auto source = MakeSet({{0, 1}, {1, 0}}, "other");
    Terms.SetItemByName("low", source.get());
    EXPECT_EQ(low->GetName(), "other");
    EXPECT_THROW(Terms.Add("very"), EFzyException);
    EXPECT_EQ(Terms.GetCount(), 7); // the unnamed term stays
}

TEST_F(Variable, CloneAndEquals) {
    Var->SetMaximum(10);
    Var->SetThreshold(0.3);
    TFuzzySet* low = Terms.Add("low");
    low->CreateTriangleFunctionValues(0, 2, 5);
    TFuzzySet* copy = low->Clone();
    EXPECT_EQ(copy->GetCollection(), &Terms);
    EXPECT_EQ(copy->GetName(), "low");
    EXPECT_EQ(copy->GetSetType(), TFuzzySetType::fstTriangle);
    EXPECT_EQ(PointsOf(*copy), PointsOf(*low));

    TFuzzySet* far = Terms.Add("far");
    far->CreateTriangleFunctionValues(4, 7, 10); // meets low only at 0.2, below 0.3
    EXPECT_FALSE(low->Equals(far));
    EXPECT_TRUE(low->Equals(copy));

    // A set without a variable: a free copy, compared at the default threshold 0.01.
    auto free = MakeSet({{0, 0}, {1, 0.02}, {2, 0}});
    std::unique_ptr<TFuzzySet> freeCopy(free->Clone());
    EXPECT_EQ(freeCopy->GetCollection(), nullptr);
    EXPECT_TRUE(free->Equals(freeCopy.get()));
    EXPECT_FALSE(MakeSet({{0, 0.005}, {1, 0.005}})->Equals(freeCopy.get()));
}

TEST_F(Variable, RulesFireAtOrAboveTheThresholdWithTheLeastStrengthOfTheirPremises) {
    Var->SetThreshold(0.5);
    TFuzzySet* term = Terms.Add("t");
    term->CreateTriangleFunctionValues(0, 0.5, 1);
    EXPECT_EQ(Var->AssertRule(0.3, term, nullptr), nullptr);
    EXPECT_EQ(Terms.GetCount(), 1);
    Var->SetThreshold(0.3);
    TFuzzySet* clipped = Var->AssertRule(0.3, term, nullptr);
    ASSERT_NE(clipped, nullptr);
    EXPECT_EQ(clipped->GetCollection(), &Terms);
    EXPECT_NEAR(clipped->GetValues()->GetMaxValue(), 0.3, 1e-12);
    EXPECT_EQ(clipped->GetName(), "t > 0.3000");

    // The strength of several premises is their least.
    EXPECT_EQ(Var->GetCorrelationStrength({}, {}), 1.0);
    auto a = MakeSet({{0, 0}, {10, 1}});
    auto b = MakeSet({{0, 1}, {10, 0}});
    auto fact = MakeSet({});
    fact->CreateCrispValue(3);
    const TFuzzySet* premises[] = {a.get(), b.get()};
    const TFuzzySet* facts[] = {fact.get(), fact.get()};
    EXPECT_NEAR(Var->GetCorrelationStrength(premises, facts), 0.3, 1e-12);
    EXPECT_RAISES((void)Var->GetCorrelationStrength(premises, std::span(facts, 1)),
                  EArgumentOutOfRangeException, "2 premises but only 1 facts");
    const TFuzzySet* missing[] = {nullptr};
    EXPECT_THROW((void)Var->GetCorrelationStrength(missing, facts), EArgumentOutOfRangeException);
    EXPECT_RAISES((void)Var->AssertRule(0.5, nullptr, nullptr), EArgumentOutOfRangeException,
                  "No fuzzy set given as consequent of the rule");
}

TEST_F(Variable, AssignCopiesEverythingAndListsTermNames) {
    Var->SetName("speed");
    Var->SetMaximum(50);
    Var->SetUnits("km/h");
    Terms.Add("slow")->CreateTriangleFunctionValues(0, 10, 20);
    Terms.Add("fast")->CreateTriangleFunctionValues(20, 40, 50);
    std::unique_ptr<TFuzzyVariable> copy(TFuzzyVariable::Create(nullptr));
    copy->Assign(Var.get());
    EXPECT_EQ(copy->GetName() + " " + copy->GetUnits(), "speed km/h");
    EXPECT_EQ(copy->GetMaximum(), 50);
    EXPECT_EQ(copy->GetItemIndex(), 1);
    ASSERT_EQ(copy->GetItems()->GetCount(), 2);
    EXPECT_EQ(PointsOf(*copy->GetItems()->GetItem(1)), PointsOf(*Terms.GetItem(1)));

    TStringList names;
    names.Assign(Var.get());
    ASSERT_EQ(names.GetCount(), 2);
    EXPECT_EQ(names[0], "slow");
    EXPECT_EQ(names.GetObject(1), Terms.GetItem(1));
}

} // namespace
} // namespace fuzzy::test
