#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyRules/FuzzyRuleParser.hpp"
#include "examples/IHeaterController.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;
using VariablePtr = TInterfacePtr<IFuzzyVariable>;

void SetText(TCustomFuzzyLogic& Logic, const std::string& Text) {
    TStringList strings;
    strings.SetText(Text);
    Logic.SetStrings(&strings);
}

std::string ErrorOf(TCustomFuzzyLogic& Logic, const std::string& Text) {
    return test::MessageOf([&] { SetText(Logic, Text); });
}

// An interface logic component linked with a parser (both ways, as the parser reads into
// the component it is linked to), recording its events.
struct LogicTest : ::testing::Test {
    LogicTest() {
        logic->SetParser(parser.get());
        parser->SetFuzzyLogic(logic.get());
        logic->SetOnVariableAdded(
            [this](const VariablePtr& V) { log.push_back("+" + V->GetName()); });
        logic->SetOnVariableDeleted(
            [this](const VariablePtr& V) { log.push_back("-" + V->GetName()); });
        logic->SetOnFuzzySetChange([this](const VariablePtr& V, const SetPtr& S) {
            log.push_back("change " + V->GetName() + "." + S->GetName());
        });
    }
    VariablePtr Variable(const std::string& Name) const {
        return logic->GetItems().ContainsVariable(Name);
    }
    std::unique_ptr<TKelFuzzyRuleParser> parser{TKelFuzzyRuleParser::Create(nullptr)};
    std::unique_ptr<TIFuzzyLogic> logic{TIFuzzyLogic::Create(nullptr)};
    std::vector<std::string> log;
};

// The heater controller on the interface model gives the component model's answers.
TEST(IHeaterControllerTest, AnswersLikeTheComponentModelOverTheWholeGrid) {
    const std::string definition =
        THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy");
    THeaterController component(definition);
    TIHeaterController shared(definition);
    int fired = 0;
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 16; ++j) {
            const double error = -12 + 24.0 * i / 20;
            const double rate = -2.5 + 5.0 * j / 16;
            const auto expected = component.Evaluate(error, rate);
            const auto actual = shared.Evaluate(error, rate);
            ASSERT_EQ(actual.has_value(), expected.has_value()) << error << " " << rate;
            if (expected) {
                ++fired;
                EXPECT_NEAR(*actual, *expected, 1e-9) << error << " " << rate;
            }
        }
    EXPECT_GT(fired, 300);
    EXPECT_THROW((void)shared.Evaluate(0, std::nan("")), EArgumentOutOfRangeException);
}

// Parsing keeps what was read before an error (the error is the component model's, as the
// model comparison shows) and deletes nothing.
TEST_F(LogicTest, ParsingKeepsWhatWasReadAndDeletesNothing) {
    EXPECT_NE(ErrorOf(*logic, "(deffuzzy a (range 0 1))\n(deffuzzy b\n (range 0 x))"), "");
    EXPECT_TRUE(Variable("a"));
    EXPECT_FALSE(Variable("b")) << "a variable enters the table only once read whole";
    EXPECT_EQ(log, (std::vector<std::string>{"+a"}));

    std::unique_ptr<TIFuzzyLogic> unlinked(TIFuzzyLogic::Create(nullptr));
    EXPECT_EQ(ErrorOf(*unlinked, "(deffuzzy a)"), "Parser not assigned.  Cannot parse");
    EXPECT_EQ(unlinked->GetItems().GetCount(), 0);

    // A variable defined twice is replaced without a deletion.
    log.clear();
    SetText(*logic, "(deffuzzy a (range 0 1))(deffuzzy a (range 0 5))");
    EXPECT_EQ(logic->GetItems().GetCount(), 1);
    EXPECT_EQ(Variable("a")->GetMaximum(), 5);
    EXPECT_EQ(log, (std::vector<std::string>{"+a", "+a"}));
    log.clear();
    SetText(*logic, "(deffuzzy b)");
    EXPECT_EQ(log, (std::vector<std::string>{"+b"})) << "parsing deletes nothing";
}

// Parsing waits until loading ends; the automatic terms fill what is missing over the
// range, and the threshold reaches every variable.
TEST_F(LogicTest, AutomaticTermsAndTheThresholdReachTheVariablesReadAfterLoading) {
    logic->BeginLoading();
    SetText(*logic,
            "(deffuzzy t (range 10 20) (values (term low ((10 0.5) (20 0.5)))))(deffuzzy b)");
    EXPECT_EQ(logic->GetItems().GetCount(), 0);
    logic->EndLoading();
    const VariablePtr t = Variable("t");
    ASSERT_EQ(t->GetCount(), 3);
    EXPECT_EQ(t->GetFuzzySetByName("low")->GetValuesToString(),
              "((10.0000 0.5000) (20.0000 0.5000) )");
    EXPECT_EQ(t->GetFuzzySetByName("medium")->GetIndex(), 1);
    EXPECT_EQ(t->GetFuzzySetByName("high")->GetIndex(), 2);
    EXPECT_EQ(t->GetFuzzySetByName("medium")->GetValuesToString(),
              "((10.0000 0.0000) (15.0000 1.0000) (20.0000 0.0000) )");
    EXPECT_EQ(t->GetFuzzySetByName("high")->GetExpression(), "high");
    logic->SetThreshold(2);
    EXPECT_EQ(logic->GetThreshold(), 1);
    EXPECT_EQ(t->GetThreshold(), 1);
    EXPECT_EQ(Variable("b")->GetThreshold(), 1);
}

TEST_F(LogicTest, ARemovedVariableNoLongerReportsItsSets) {
    SetText(*logic, "(deffuzzy a)(deffuzzy b)");
    const VariablePtr a = Variable("a");
    a->GetFuzzySetByName("low")->Add(0.5, 0.5);
    EXPECT_EQ(log.back(), "change a.low");
    logic->GetItems().Remove(a);
    EXPECT_EQ(log.back(), "-a");
    a->GetFuzzySetByName("low")->Add(0.7, 0.5);
    EXPECT_EQ(log.back(), "-a");
    EXPECT_TRUE(logic->GetStrings()->GetCount() == 1);
}

// Variables and sets held by the caller outlive the component and the parser safely.
TEST_F(LogicTest, HeldObjectsOutliveTheComponent) {
    SetText(*logic, "(deffuzzy a (range 0 10))(deffuzzy b)");
    const VariablePtr a = Variable("a");
    const SetPtr bLow = Variable("b")->GetFuzzySetByName("low");
    SetText(*logic, "(deffuzzy c)");
    a->GetFuzzySetByName("low")->Add(5, 0.5);
    EXPECT_EQ(log.back(), "change a.low") << "a dropped variable stays wired";
    logic.reset();
    a->GetFuzzySetByName("low")->Add(6, 0.5);
    bLow->Add(0.5, 0.2);
    EXPECT_EQ(a->ToString().rfind("(deffuzzy a", 0), 0u) << "the parser is still there";
    parser.reset();
    EXPECT_THROW((void)a->ToString(), EFzyException) << "the parser's face is detached";
    EXPECT_EQ(bLow->GetVariable()->GetName(), "b");
}

TEST_F(LogicTest, VariableStringsTellTheComponentWhatTheyCarry) {
    TFuzzyVariableStrings strings(logic.get());
    const VariablePtr a = TIFuzzyVariable::Create("a");
    const VariablePtr b = TIFuzzyVariable::Create("b");
    strings.Add("first");
    strings.Add("second", TIFuzzySet::Create(nullptr, "not a variable"));
    strings.PutData(0, a);
    strings.PutData(0, b);
    EXPECT_EQ(log, (std::vector<std::string>{"+a", "-a", "+b"}));
    EXPECT_EQ(a->GetCount(), 3) << "the component gave it its automatic terms";
    EXPECT_EQ(strings.GetData(0), b);
    EXPECT_EQ(strings.IndexOfData(b), 0);
    EXPECT_EQ(strings.IndexOfData(a), -1);
    EXPECT_THROW((void)strings.GetData(1), EIntfCastError);
    EXPECT_THROW((void)strings.GetData(2), EListError);
    strings.Delete(0);
    EXPECT_EQ(strings.IndexOf("second"), 0);
}

} // namespace
} // namespace fuzzy
