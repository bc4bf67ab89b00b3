#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Format.hpp"
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
    // The log without the many change events, to see additions and removals in order.
    std::vector<std::string> Membership() const {
        std::vector<std::string> entries;
        std::copy_if(
            Log.begin(), Log.end(), std::back_inserter(entries),
            [](const std::string& entry) { return entry.find("changed") == std::string::npos; });
        return entries;
    }

    std::unique_ptr<TFuzzyLogic> Logic{TFuzzyLogic::Create(nullptr)};
    std::vector<std::string> Log;
};

TEST_F(Component, AddingAVariableSetsItsThresholdThenAddsTheAutomaticTerms) {
    TFuzzyVariable* variable = Logic->GetItems()->Add();
    EXPECT_EQ(Membership(),
              (std::vector<std::string>{"variable added, threshold 0.0100", "set added #0",
                                        "set added #1", "set added #2"}));
    // Each term reports its changes right after it is added, before the next is added.
    const auto second = std::find(Log.begin(), Log.end(), "set added #1");
    EXPECT_NE(std::find(Log.begin(), second, "set changed low"), second);
    EXPECT_EQ(variable->GetItemIndex(), 2);
    TFuzzySets& terms = *variable->GetItems();
    EXPECT_EQ(terms[0]->GetName(), "low");
    EXPECT_EQ(PointsOf(*terms[0]->GetValues()), (TPoints{{0, 1}, {1, 0}}));
    EXPECT_EQ(PointsOf(*terms[1]->GetValues()), (TPoints{{0, 0}, {0.5, 1}, {1, 0}}));
    EXPECT_EQ(PointsOf(*terms[2]->GetValues()), (TPoints{{0, 0}, {1, 1}}));
    EXPECT_EQ(terms[0]->GetExpression(), "low");
    EXPECT_EQ(terms[1]->GetExpression(), "medium");
    EXPECT_EQ(terms[2]->GetExpression(), "high");
    EXPECT_TRUE(terms[2]->GetDefined());
}

TEST_F(Component, AutomaticTermsFollowTheRangeAtTheTimeTheyAreAdded) {
    std::unique_ptr<TFuzzyVariable> variable(TFuzzyVariable::Create(nullptr));
    variable->SetMinimum(10);
    variable->SetMaximum(20);
    variable->GetItems()->Add("low"); // an existing term is kept
    Logic->AddAutoTerms(variable.get());
    ASSERT_EQ(variable->GetItems()->GetCount(), 3);
    EXPECT_EQ(PointsOf(*variable->GetItems()->GetItemByName("medium")->GetValues()),
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

TEST_F(Component, SetsMadeWhileDesigningAreDefined) {
    Logic->SetAutoTerms(false);
    TFuzzyVariable* variable = Logic->GetItems()->Add("v");
    EXPECT_FALSE(variable->GetItems()->Insert(0)->GetDefined());
    Logic->SetDesigning(true);
    EXPECT_TRUE(variable->GetItems()->Insert(0)->GetDefined());
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

TEST_F(Component, VariablesByName) {
    TFuzzyVariable* speed = Logic->GetItems()->Add("speed");
    EXPECT_EQ(std::as_const(*Logic->GetItems()).GetItemByName("speed"), speed);
    EXPECT_RAISES((void)Logic->GetItems()->GetItemByName("Speed"), EFzyException,
                  "Unknown Fuzzy Variable name: \"Speed\"");
    EXPECT_EQ(speed->GetFuzzy(), Logic.get());
}

} // namespace
} // namespace fuzzy::test
