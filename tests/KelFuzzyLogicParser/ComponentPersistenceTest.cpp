#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "platform/ComponentText.hpp"
#include "platform/Properties.hpp"
#include "support/PointListHelpers.hpp"
#include "support/ReadErrorCases.hpp"

namespace fuzzy {
namespace {

using test::PointsOf;
using test::TPoints;

// A logic component that logs its Loaded and whether its parser link was there by then.
class TProbeLogic : public TFuzzyLogic {
public:
    static inline std::vector<std::string> Log;

    static TProbeLogic* Create(TComponent* AOwner) {
        return FinishCreate(std::unique_ptr<TProbeLogic>(new TProbeLogic()), AOwner);
    }
    std::string ClassName() const override { return "TProbeLogic"; }

protected:
    void Loaded() override {
        TFuzzyLogic::Loaded();
        Log.push_back(GetName() + (GetParser() != nullptr ? " linked" : " unlinked"));
    }
};

class ComponentPersistenceTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFuzzyLogicParserClasses();
        GetClassRegistry().RegisterComponent<TProbeLogic>("TProbeLogic", "TFuzzyLogic");
        TProbeLogic::Log.clear();
    }

    // Every event of the logic component and the parser, each logging its name.
    void AssignHandlers(TFuzzyLogic& Logic, TCustomFuzzyLogicParser& Parser) {
        const auto setEvent = [this](const std::string& Name) {
            return Handlers.Add<void(TObject*, TFuzzySet*)>(
                Name, [this, Name](TObject*, TFuzzySet*) { Events.push_back(Name); });
        };
        const auto variableEvent = [this](const std::string& Name) {
            return Handlers.Add<void(TObject*, TFuzzyVariable*)>(
                Name, [this, Name](TObject*, TFuzzyVariable*) { Events.push_back(Name); });
        };
        Logic.SetOnChange(Handlers.Add<void(TObject*)>(
            "LogicChange", [this](TObject*) { Events.push_back("LogicChange"); }));
        Logic.SetOnFuzzySetChange(setEvent("SetChange"));
        Logic.SetOnFuzzySetAdded(setEvent("SetAdded"));
        Logic.SetOnFuzzySetDeleted(setEvent("SetDeleted"));
        Logic.SetOnVariableChange(variableEvent("VariableChange"));
        Logic.SetOnVariableAdded(variableEvent("VariableAdded"));
        Logic.SetOnVariableDeleted(variableEvent("VariableDeleted"));
        Parser.SetOnParseFuzzySet(setEvent("SetParsed"));
    }

    // A form owning a logic component with terms of every shape, non-default settings and
    // every event assigned, and the parser linked to it.
    std::unique_ptr<TComponent> BuildForm() {
        std::unique_ptr<TComponent> form(TComponent::Create(nullptr));
        form->SetName("Form");
        TFuzzyLogic* logic = TFuzzyLogic::Create(form.get());
        logic->SetName("Logic");
        TKelFuzzyLogicParser* parser = TKelFuzzyLogicParser::Create(form.get());
        parser->SetName("Parser");
        parser->SetFuzzyLogic(logic);
        logic->SetParser(parser);
        logic->SetCorrelationMethod(TFuzzyCorrelationMethod::fcmProduct);
        logic->SetInferenceMethod(TFuzzyInferenceMethod::fimMean);
        logic->SetDefuzzificationMethod(TDefuzzificationMethod::dmMeanOfMaxima);
        logic->SetNumFunctionValues(9);
        logic->SetThreshold(0.05);
        logic->GetVariables()->Add("note=kept");

        TFuzzyVariable* temperature = logic->GetItems()->Add("temperature");
        temperature->SetMinimum(-10);
        temperature->SetMaximum(40);
        temperature->SetUnits("C");
        temperature->SetComment("room 'air'");
        logic->SetAutoTerms(false); // the automatic terms above stay, the next has none
        TFuzzySets& terms = *temperature->GetItems();
        terms.Add("cold")->CreateCurveValues(9, 0, 15, 7.5, false);
        terms.Add("warm")->CreateTriangleFunctionValues(10, 20, 30);
        terms.Add("hot")->CreateCurveValues(9, 20, 35, 27.5, true);
        terms.Add("mild")->CreatePIFunctionValues(9, 10, 30, 20);
        terms.Add("bell")->CreateBetaCurveFunctionValues(9, 10, 15, 5, 2);
        terms.Add("spot")->CreateCrispValue(12.5);
        TFuzzySet* drawn = terms.Add("drawn");
        drawn->GetValues()->Add(0.1, 0.3);
        drawn->GetValues()->Add(1.0 / 3, 1);
        drawn->SetComment("by hand\n");
        drawn->SetTag(-7);
        (void)parser->EvalFuzzyExpression(temperature, "very warm or cold");
        temperature->SetItemIndex(1);
        logic->GetItems()->Add("empty")->SetThreshold(0.5);

        AssignHandlers(*logic, *parser);
        return form;
    }

    static TFuzzyLogic* LogicOf(TComponent& Form) {
        return dynamic_cast<TFuzzyLogic*>(Form.GetComponent(0));
    }

    TEventHandlers Handlers;
    std::vector<std::string> Events;
};

// The text names every setting, term and link, so reading the same text back shows that
// each one was read; the links are checked by hand as well, as they are resolved last. The
// handlers hear nothing while loading and everything after.
TEST_F(ComponentPersistenceTest, ReadsBackEveryTermSettingAndLinkAndWritesTheSameText) {
    const std::string text = WriteComponent(*BuildForm());
    Events.clear();
    const std::unique_ptr<TComponent> back = ReadComponent(text, Handlers);
    EXPECT_TRUE(Events.empty()) << Events.front();
    EXPECT_EQ(WriteComponent(*back), text);
    TFuzzyLogic& logic = *LogicOf(*back);
    const auto* parser = dynamic_cast<TKelFuzzyLogicParser*>(back->GetComponent(1));
    ASSERT_NE(parser, nullptr);
    EXPECT_EQ(logic.GetParser(), parser);
    EXPECT_EQ(parser->GetFuzzyLogic(), &logic);
    EXPECT_EQ(*GetHandlerName(parser->GetOnParseFuzzySet()), "SetParsed");
    const TFuzzySet& drawn = *logic.GetItems()->GetItem(0)->GetItems()->GetItemByName("drawn");
    EXPECT_EQ(PointsOf(*drawn.GetValues()), (TPoints{{0.1, 0.3}, {1.0 / 3, 1}}));

    logic.GetItems()->GetItem(0)->GetItems()->GetItem(0)->SetComment("changed");
    logic.GetItems()->Add("more");
    EXPECT_EQ(Events, (std::vector<std::string>{"SetChange", "VariableAdded", "LogicChange",
                                                "VariableChange"}));
}

// Loaded runs once per component, bottom up, with the links resolved; definition text given
// in the stored text is parsed once loaded.
TEST_F(ComponentPersistenceTest, LoadedRunsOncePerComponentBottomUpAndParsesTheText) {
    const std::unique_ptr<TComponent> outer =
        ReadComponent("object Outer: TProbeLogic\n"
                      "  AutoTerms = False\n"
                      "  Threshold = 0.01\n"
                      "  Parser = P\n"
                      "  Strings = (\n"
                      "    '(deffuzzy speed (range 0 10)'\n"
                      "    '  (values (term slow ((0 1) (10 0)))))')\n"
                      "  object Inner: TProbeLogic\n"
                      "    Threshold = 0.01\n"
                      "    Parser = P\n"
                      "  end\n"
                      "  object P: TKelFuzzyLogicParser\n"
                      "    FuzzyLogic = Outer\n"
                      "  end\n"
                      "end\n");
    EXPECT_EQ(TProbeLogic::Log, (std::vector<std::string>{"Inner linked", "Outer linked"}));
    const TFuzzyVariable* speed =
        static_cast<TFuzzyLogic*>(outer.get())->GetItems()->GetItemByName("speed");
    EXPECT_EQ(PointsOf(*speed->GetItems()->GetItemByName("slow")->GetValues()),
              (TPoints{{0, 1}, {10, 0}}));
}

class ComponentPersistenceErrorTest : public ComponentPersistenceTest,
                                      public ::testing::WithParamInterface<test::TBadText> {};

TEST_P(ComponentPersistenceErrorTest, NamesLineAndPropertyAndLeavesNothing) {
    test::ExpectReadError(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Model, ComponentPersistenceErrorTest,
    ::testing::Values(
        test::TBadText{"object L: TNope\nend", 1, "L", "Unknown class TNope"},
        test::TBadText{"object P: TCustomFuzzyLogicParser\nend", 1, "P",
                       "Class TCustomFuzzyLogicParser cannot be created"},
        test::TBadText{"object L: TFuzzyLogic\n  Colour = 1\nend", 2, "L.Colour",
                       "Unknown property"},
        test::TBadText{"object L: TFuzzyLogic\n  CorrelationMethod = fimMinMax\nend", 2,
                       "L.CorrelationMethod", "Invalid enumeration value: fimMinMax"},
        test::TBadText{"object L: TFuzzyLogic\n  Items = 5\nend", 2, "L.Items",
                       "Expected a list of items"},
        test::TBadText{
            "object L: TFuzzyLogic\n  Items = <\n    item\n      Items = <\n        item\n"
            "          Name = 'very'\n        end>\n    end>\nend",
            6, "L.Items[0].Items[0].Name", "Invalid fuzzy set name, \"very\" is a reserved word"},
        test::TBadText{"object L: TFuzzyLogic\n  AutoTerms = False\n  Items = <\n    item\n"
                       "      ItemIndex = 5\n    end>\nend",
                       5, "L.Items[0].ItemIndex", "List index out of bounds (5)"},
        test::TBadText{
            "object L: TFuzzyLogic\n  Items = <\n    item\n      Values = <\n        item\n"
            "          X = ",
            6, "L.Items[0].Values[0].X", "Unexpected end of text, expected a value"},
        test::TBadText{"object L: TFuzzyLogic\n  Parser = Nope\nend", 2, "L.Parser",
                       "Unknown component Nope"},
        test::TBadText{"object L: TFuzzyLogic\n  Parser = L\nend", 2, "L.Parser",
                       "L is a TFuzzyLogic, not a TCustomFuzzyLogicParser"},
        test::TBadText{"object L: TFuzzyLogic\n  OnChange = Gone\nend", 2, "L.OnChange",
                       "No event handler \"Gone\" fits this event"},
        test::TBadText{"object L: TFuzzyLogic\n  Strings = ('(deffuzzy a)')\nend", 1, "L",
                       "Parser not assigned.  Cannot parse"}));

// Every cut-short stored form raises, and one-bit changes of it either read or end in a
// library exception (anything else escapes and fails the test); nothing leaks either way.
TEST_F(ComponentPersistenceTest, DamagedTextReadsOrRaisesWithoutLeaking) {
    const std::string text = WriteComponent(*BuildForm());
    const auto readAndWrite = [this](const std::string& Damaged) {
        try {
            (void)WriteComponent(*ReadComponent(Damaged, Handlers));
        } catch (const Exception&) {
            return false;
        }
        return true;
    };
    EXPECT_TRUE(readAndWrite(text));
    const std::size_t lastEnd = text.rfind("end");
    for (std::size_t length = 0; length < lastEnd; length += 5)
        EXPECT_FALSE(readAndWrite(text.substr(0, length))) << length;
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> position(0, text.size() - 1);
    std::uniform_int_distribution<int> bit(0, 7);
    for (int i = 0; i < 1500; ++i) {
        std::string damaged = text;
        damaged[position(random)] ^= static_cast<char>(1 << bit(random));
        readAndWrite(damaged);
    }
}

} // namespace
} // namespace fuzzy
