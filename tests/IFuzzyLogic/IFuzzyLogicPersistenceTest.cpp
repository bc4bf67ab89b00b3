// The interface model's logic component stored as text and read back.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "IFuzzyLogic/IFuzzyLogicProperties.hpp"
#include "IFuzzyLogic/KelHashTable.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "platform/ComponentText.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {
namespace {

using VariablePtr = TInterfacePtr<IFuzzyVariable>;
using TVariableHandler = void(const VariablePtr&);

TEST(IFuzzyLogicPersistence, ReadsBackVariablesSettingsLinksAndHandlersOnceAndWritesTheSameText) {
    RegisterFuzzyLogicParserClasses();
    RegisterIFuzzyLogicClasses();
    TEventHandlers handlers;
    std::vector<std::string> events;
    const auto logged = [&](const std::string& Name) {
        return handlers.Add<TVariableHandler>(Name, [&events, Name](const VariablePtr& Variable) {
            events.push_back(Name + " " + Variable->GetName());
        });
    };

    std::unique_ptr<TComponent> form(TComponent::Create(nullptr));
    form->SetName("Form");
    TIFuzzyLogic* logic = TIFuzzyLogic::Create(form.get());
    logic->SetName("Logic");
    TKelFuzzyLogicParser* parser = TKelFuzzyLogicParser::Create(form.get());
    parser->SetName("Parser");
    parser->SetFuzzyLogic(logic);
    logic->SetParser(parser);
    logic->SetAutoTerms(false);
    logic->SetCorrelationMethod(TFuzzyCorrelationMethod::fcmProduct);
    logic->SetInferenceMethod(TFuzzyInferenceMethod::fimMean);
    logic->SetNumFunctionValues(9);
    logic->SetThreshold(0.05);
    TStringList definition;
    definition.SetText("(deffuzzy t \"room 'air'\" (range -10 40) (units C)\n"
                       " (values (term cold (z 0 15)) (term warm (tri 10 20 30))\n"
                       "  (term mild not cold and not warm)))\n"
                       "(deffuzzy h (range 0 1) (values (term dry ((0 1) (0.3 0)))))");
    logic->SetStrings(&definition);
    logic->SetOnVariableAdded(logged("added"));
    parser->SetOnParseFuzzyVariableIntf(logged("parsed"));

    ASSERT_EQ(logic->GetItems().GetCount(), 2);
    const std::string text = WriteComponent(*form);
    const std::unique_ptr<TComponent> back = ReadComponent(text, handlers);
    EXPECT_EQ(WriteComponent(*back), text); // the settings too, none at its default

    auto& read = dynamic_cast<TIFuzzyLogic&>(*back->GetComponent(0));
    ASSERT_EQ(read.GetItems().GetCount(), 2);
    for (const char* name : {"t", "h"}) {
        const VariablePtr variable = read.GetItems().ContainsVariable(name);
        ASSERT_TRUE(variable) << name;
        EXPECT_EQ(variable->ToString(), logic->GetItems().ContainsVariable(name)->ToString());
        EXPECT_EQ(variable->GetParser(), Supports<IFuzzyParser>(dynamic_cast<TKelFuzzyLogicParser*>(
                                             back->GetComponent(1))));
    }
    // Loading parses the text once, with the handlers read.
    std::ranges::sort(events);
    EXPECT_EQ(events, (std::vector<std::string>{"added h", "added t", "parsed h", "parsed t"}));
}

// A host component that publishes a table it owns, as a host may.
class TTableHost : public TComponent {
public:
    static TTableHost* Create(TComponent* AOwner) {
        return FinishCreate(std::unique_ptr<TTableHost>(new TTableHost()), AOwner);
    }
    std::string ClassName() const override { return "TTableHost"; }
    const TKelStringHashTable<int>* GetTable() const { return FTable.get(); }
    TKelStringHashTable<int>* GetTable() { return FTable.get(); }

private:
    TTableHost() { FTable->Add("kept", 1); }
    std::unique_ptr<TKelStringHashTable<int>> FTable = std::make_unique<TKelStringHashTable<int>>();
};

struct TTableCase {
    const char* Properties;
    const char* Error; // the property named by the read error, or "" when it reads
    int Line = 2;
    friend void PrintTo(const TTableCase& Case, std::ostream* Out) { *Out << Case.Properties; }
};

class StoredTable : public ::testing::TestWithParam<TTableCase> {
protected:
    void SetUp() override {
        RegisterIFuzzyLogicClasses();
        GetClassRegistry()
            .RegisterComponent<TTableHost>("TTableHost")
            .Object("Table", [](auto& Host) { return Host.GetTable(); });
    }
};

// The sizing an older writer stored is read and dropped; anything else is refused.
TEST_P(StoredTable, SizingIsReadAndDiscardedAndNeverWritten) {
    const std::string text =
        std::string("object Host: TTableHost\n") + GetParam().Properties + "end\n";
    std::unique_ptr<TComponent> host;
    try {
        host = ReadComponent(text);
    } catch (const EReadError& error) {
        EXPECT_EQ(error.GetProperty(), GetParam().Error) << error.what();
        EXPECT_EQ(error.GetLine(), GetParam().Line);
        return;
    }
    ASSERT_STREQ(GetParam().Error, "") << "read: " << text;
    const auto& table = *dynamic_cast<TTableHost&>(*host).GetTable();
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_EQ(WriteComponent(*host), "object Host: TTableHost\nend\n");
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredTable,
    ::testing::Values(
        TTableCase{"  Table.LoadFactor = 0.75\n  Table.HashType = 1\n  Table.Capacity = 64\n", ""},
        TTableCase{"  Table.Capacity = 64\n", ""},
        TTableCase{"  Table.Capacity = many\n", "Host.Table.Capacity"},
        TTableCase{"  Table.LoadFactor = 'x'\n", "Host.Table.LoadFactor"},
        TTableCase{"  Table.Count = 3\n", "Host.Table.Count"},
        TTableCase{"  Table = 3\n", "Host.Table"},
        TTableCase{"  Table.Capacity = 1\n  Table.Capacity = 2\n", "Host.Table.Capacity", 3}));

} // namespace
} // namespace fuzzy
