#include "platform/ComponentText.hpp"

#include <bit>
#include <cmath>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Properties.hpp"
#include "support/Raises.hpp"
#include "support/ReadErrorCases.hpp"

namespace fuzzy {
namespace {

// A component with one property of each kind; its setters log the order they run in.
class TSample : public TComponent {
public:
    static inline std::vector<std::string> SetLog;

    static TSample* Create(TComponent* AOwner) {
        return FinishCreate(std::unique_ptr<TSample>(new TSample()), AOwner);
    }
    std::string ClassName() const override { return "TSample"; }

    std::string Caption;
    int Count = 0;
    double Ratio = 0;
    bool Flag = false;
    TStringList Lines;
    TComponent* Link = nullptr;
    TNotifyEvent OnPing;

    /// A setter that logs the property's name.
    template <class T>
    static auto Logged(const char* Name, T TSample::*Field) {
        return [Name, Field](TSample& S, const T& V) {
            SetLog.push_back(Name);
            S.*Field = V;
        };
    }
    static void Register() {
        GetClassRegistry()
            .RegisterComponent<TSample>("TSample")
            .Value<std::string>("Caption", &TSample::Caption, Logged("Caption", &TSample::Caption))
            .Value<int>("Count", &TSample::Count, Logged("Count", &TSample::Count), 0)
            .Value<double>("Ratio", &TSample::Ratio, Logged("Ratio", &TSample::Ratio))
            .Value<bool>("Flag", &TSample::Flag, Logged("Flag", &TSample::Flag), false)
            .Lines(
                "Lines", [](const TSample& S) { return &S.Lines; },
                [](TSample& S, const TStringList* V) { S.Lines.Assign(V); })
            .Link<TComponent>(
                "Link", [](const TSample& S) { return S.Link; },
                [](TSample& S, TComponent* V) { S.Link = V; }, "TComponent")
            .Event(
                "OnPing", [](const TSample& S) -> const TNotifyEvent& { return S.OnPing; },
                [](TSample& S, TNotifyEvent V) { S.OnPing = std::move(V); });
    }
};

class ComponentTextTest : public ::testing::Test {
protected:
    void SetUp() override {
        TSample::Register();
        TSample::SetLog.clear();
    }

    static std::unique_ptr<TSample> Read(const std::string& Text,
                                         const TEventHandlers& Handlers = {}) {
        std::unique_ptr<TComponent> root = ReadComponent(Text, Handlers);
        EXPECT_EQ(root->ClassName(), "TSample");
        return std::unique_ptr<TSample>(static_cast<TSample*>(root.release()));
    }
};

// Doubles read back as the same bits, strings whatever they hold.
TEST_F(ComponentTextTest, ValuesReadBackExactly) {
    for (const double value : {0.1, 1.0 / 3, -0.0, 5e-324, 1e300, 2147483647.0, -1.5e-7,
                               std::numeric_limits<double>::infinity()}) {
        const std::string text = PropertyValueToText(value);
        double back = 0;
        PropertyValueFromText({text, false}, back);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(back), std::bit_cast<std::uint64_t>(value)) << text;
    }
    EXPECT_EQ(PropertyValueToText(0.1), "0.1");
    for (const std::string& value :
         {std::string(), std::string("it's"), std::string("a\nb\r\n"), std::string("\t'#1'"),
          std::string("\xC3\xBC"), std::string(1, '\0')}) {
        TSample sample;
        sample.Caption = value;
        sample.Lines.Add(value);
        const std::unique_ptr<TSample> back = Read(WriteComponent(sample));
        EXPECT_EQ(back->Caption, value);
        EXPECT_EQ(back->Lines.GetText(), sample.Lines.GetText());
    }
}

// Written in the declared order leaving out defaults, and set in the declared order whatever
// the order of the text.
TEST_F(ComponentTextTest, PropertiesGoInDeclaredOrder) {
    TSample sample;
    sample.SetName("S");
    sample.Ratio = 0.25;
    sample.Flag = true;
    EXPECT_EQ(WriteComponent(sample), "object S: TSample\n"
                                      "  Caption = ''\n"
                                      "  Ratio = 0.25\n"
                                      "  Flag = True\n"
                                      "end\n");
    Read("object : TSample Flag = True Ratio = 2 Count = 3 Caption = 'x' end");
    EXPECT_EQ(TSample::SetLog, (std::vector<std::string>{"Caption", "Count", "Ratio", "Flag"}));
}

TEST_F(ComponentTextTest, LinksAndEventsReadBackByName) {
    TEventHandlers handlers;
    int pings = 0;
    TSample outer;
    outer.SetName("Outer");
    TSample* inner = TSample::Create(&outer);
    inner->SetName("Inner");
    outer.Link = inner;
    inner->Link = &outer;
    outer.OnPing = handlers.Add<void(TObject*)>("Ping", [&](TObject*) { ++pings; });

    const std::unique_ptr<TSample> back = Read(WriteComponent(outer), handlers);
    ASSERT_EQ(back->GetComponentCount(), 1);
    const auto* backInner = static_cast<TSample*>(back->GetComponent(0));
    EXPECT_EQ(back->Link, backInner);
    EXPECT_EQ(backInner->Link, back.get());
    back->OnPing(back.get());
    EXPECT_EQ(pings, 1);
    EXPECT_EQ(*GetHandlerName(back->OnPing), "Ping");
}

// Only registered classes are stored, and nothing that could not be read back.
TEST_F(ComponentTextTest, WriterRefusesWhatCannotBeReadBack) {
    struct TUnstored : TSample {
        std::string ClassName() const override { return "TUnstored"; }
    } unstored;
    EXPECT_RAISES((void)WriteComponent(unstored), EWriteError,
                  "Class TUnstored is not registered for storing");
    EXPECT_RAISES((void)GetClassRegistry().RegisterClass<TSample>("TOrphan", "TNoParent"),
                  EArgumentOutOfRangeException, "Class TNoParent is not registered");
    TSample sample;
    sample.OnPing = [](TObject*) {};
    EXPECT_RAISES((void)WriteComponent(sample), EWriteError,
                  "The handler of OnPing has no registered name");
    TSample other;
    sample.OnPing = nullptr;
    sample.Link = &other; // not in the stored tree
    EXPECT_RAISES((void)WriteComponent(sample), EWriteError,
                  "Link links to a component outside the stored tree or without a name");
}

class ComponentTextErrorTest : public ComponentTextTest,
                               public ::testing::WithParamInterface<test::TBadText> {};

TEST_P(ComponentTextErrorTest, NamesLineAndProperty) {
    test::ExpectReadError(GetParam());
}

INSTANTIATE_TEST_SUITE_P(
    Syntax, ComponentTextErrorTest,
    ::testing::Values(
        test::TBadText{"object S: TSample\n  Caption = 'abc\nend", 2, "S.Caption",
                       "Unterminated string"},
        test::TBadText{"object S: TSample\n  Caption = #300\nend", 2, "S.Caption",
                       "Invalid character code"},
        test::TBadText{"object S: TSample\n  Caption = ?\nend", 2, "S.Caption",
                       "Unexpected character #63"},
        test::TBadText{"object S: TSample\nend\nend", 3, "", "Unexpected text after the last end"},
        test::TBadText{"object S TSample\nend", 1, "", "Expected \":\", found \"TSample\""},
        test::TBadText{"object S: TSample\n  Lines = ( 'a'", 2, "S.Lines",
                       "Unexpected end of text, expected a string or \")\""},
        test::TBadText{"object S: TSample\n  Count = 'x'\nend", 2, "S.Count",
                       "Invalid integer value: 'x'"},
        test::TBadText{"object S: TSample\n  Count = 99999999999\nend", 2, "S.Count",
                       "Invalid integer value: 99999999999"},
        test::TBadText{"object S: TSample\n  Ratio = 1.5x\nend", 2, "S.Ratio",
                       "Invalid floating value: 1.5x"},
        test::TBadText{"object S: TSample\n  Flag = yes\nend", 2, "S.Flag",
                       "Invalid boolean value: yes"},
        test::TBadText{"object S: TSample\n  Caption = x\nend", 2, "S.Caption",
                       "Expected a string: x"},
        test::TBadText{"object S: TSample\n  Lines = 'x'\nend", 2, "S.Lines",
                       "Expected a list of strings"},
        test::TBadText{"object S: TSample\n  Count = 1\n  Count = 2\nend", 3, "S.Count",
                       "Property given twice"},
        test::TBadText{"object S: TSample\n  OnPing = Ping\nend", 2, "S.OnPing",
                       "No event handler \"Ping\" fits this event"},
        test::TBadText{"object S: TSample\n  Link = T\nend", 2, "S.Link", "Unknown component T"},
        test::TBadText{"object S: TSample\n object T: TSample\n end\n object T: TSample\n end\nend",
                       4, "S.T", "Duplicate component name T"}));

TEST_F(ComponentTextTest, DeepNestingEndsInAnError) {
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += "object : TSample\n";
    std::string path = "TSample"; // the unnamed objects go by their class
    for (int depth = 1; depth < 256; ++depth)
        path += ".TSample";
    EXPECT_RAISES((void)ReadComponent(text), EReadError,
                  "Line 257, " + path +
                      ": Objects and collections nested more than 256 levels deep");
}

} // namespace
} // namespace fuzzy
