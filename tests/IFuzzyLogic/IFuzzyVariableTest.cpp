#include "IFuzzyLogic/IFuzzyVariable.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;
using VariablePtr = TInterfacePtr<IFuzzyVariable>;

// Sets and variables that count how many of them are alive, to prove what is freed.
class TCountedSet : public TIFuzzySet {
public:
    static SetPtr Create(const VariablePtr& Variable, const std::string& Name) {
        return Initialize(new TCountedSet(), Variable, Name);
    }
    ~TCountedSet() override { --Alive; }
    static inline int Alive = 0;

protected:
    TCountedSet() { ++Alive; }
    TIFuzzySetClass GetClassType() const override { return &TCountedSet::Create; }
};

class TCountedVariable : public TIFuzzyVariable {
public:
    static VariablePtr Create(const std::string& Name) {
        auto* variable = new TCountedVariable(Name);
        variable->SetFuzzySetClass(&TCountedSet::Create);
        return Initialize(variable);
    }
    ~TCountedVariable() override { --Alive; }
    static inline int Alive = 0;

protected:
    TIFuzzyVariableClass GetClassType() const override { return &TCountedVariable::Create; }

private:
    explicit TCountedVariable(const std::string& Name) : TIFuzzyVariable(Name) { ++Alive; }
};

// A variable with two stored terms whose events are recorded; releasing the last outside
// reference at the end frees the variable and every set, whatever the test held.
struct VariableTest : ::testing::Test {
    VariableTest() {
        variable = TCountedVariable::Create("speed");
        variable->SetOnFuzzySetAdded([this](const VariablePtr&, const SetPtr& Set) {
            log.push_back("added " + Set->GetName() + " #" + std::to_string(Set->GetIndex()));
        });
        variable->SetOnFuzzySetDeleted([this](const VariablePtr&, const SetPtr& Set) {
            log.push_back("deleted " + Set->GetName());
        });
        variable->SetOnChange([this](TObject*) { log.push_back("changed"); });
        variable->SetMaximum(10);
        SetPtr slow = variable->Add("slow");
        slow->Add(0, 1);
        slow->Add(10, 0);
        SetPtr fast = variable->Add("fast");
        fast->Add(0, 0);
        fast->Add(10, 1);
        log.clear();
    }
    ~VariableTest() override {
        variable.Reset();
        EXPECT_EQ(TCountedVariable::Alive, 0);
        EXPECT_EQ(TCountedSet::Alive, 0);
    }
    VariablePtr variable;
    std::vector<std::string> log;
};

// Clearing keeps the held sets usable and restarts the numbering; a held set keeps its
// variable alive after the last outside reference to the variable goes.
TEST_F(VariableTest, HeldSetsOutliveClearingAndKeepTheirVariable) {
    SetPtr fast = variable->GetFuzzySetByName("fast");
    SetPtr result = fast->Union(variable->GetFuzzySetByName("slow"));
    variable->Clear();
    EXPECT_EQ(variable->GetCount(), 0);
    SetPtr next = variable->Add("next");
    EXPECT_EQ(next->GetIndex(), 0);
    EXPECT_EQ(fast->GetVariable(), variable);
    EXPECT_DOUBLE_EQ(result->DegreeOfMembership(0), 1);
    fast.Reset();
    result.Reset();
    variable.Reset();
    EXPECT_EQ(TCountedSet::Alive, 1) << "the unheld sets went with the cleared table";
    ASSERT_TRUE(next->GetVariable());
    EXPECT_EQ(next->GetXMaximum(), 10);
    EXPECT_EQ(next->GetVariable()->GetCount(), 0);
}

// The table's keys are the exact names: a rename moves the entry (a refused name keeps it),
// the empty name is not stored.
TEST_F(VariableTest, TableKeysFollowTheExactNames) {
    SetPtr slow = variable->GetFuzzySetByName("slow");
    slow->SetName("crawl");
    EXPECT_FALSE(variable->ContainsFuzzySet("slow"));
    EXPECT_EQ(log,
              (std::vector<std::string>{"deleted slow", "changed", "added crawl #2", "changed"}));
    EXPECT_THROW(slow->SetName("and"), EFzyException);
    EXPECT_EQ(variable->ContainsFuzzySet("crawl"), slow);
    slow->Hedge(TFuzzyHedge::fhVery);
    EXPECT_EQ(variable->ContainsFuzzySet("very crawl"), slow);

    variable->Add("Slow");
    EXPECT_EQ(variable->GetCount(), 3);
    SetPtr empty = variable->Add("__Empty");
    EXPECT_EQ(empty->GetVariable(), variable);
    EXPECT_FALSE(variable->ContainsFuzzySet("__Empty"));
    EXPECT_THROW((void)variable->GetFuzzySetByName("none"), EListError);
    EXPECT_THROW((void)variable->GetFuzzySet(3), EListError);
}

TEST_F(VariableTest, RangeAndThresholdSettersKeepTheirBounds) {
    variable->SetMaximum(1);
    log.clear();
    variable->SetMinimum(5);
    EXPECT_EQ(variable->GetMaximum(), 5);
    EXPECT_EQ(variable->GetMinimum(), 5);
    EXPECT_EQ(log, (std::vector<std::string>{"changed", "changed"}));
    for (auto [given, stored] : {std::pair(-0.2, 0.0), {1.7, 1.0}, {0.3, 0.3}}) {
        variable->SetThreshold(given);
        EXPECT_EQ(variable->GetThreshold(), stored);
    }
}

TEST_F(VariableTest, AssertRuleCorrelatesAndAccumulatesWithoutChangingItsArguments) {
    SetPtr slow = variable->GetFuzzySetByName("slow");
    SetPtr fast = variable->GetFuzzySetByName("fast");
    variable->SetThreshold(0.5);
    EXPECT_FALSE(variable->AssertRule(0.3, fast, nullptr));
    SetPtr first = variable->AssertRule(0.6, fast, nullptr);
    EXPECT_DOUBLE_EQ(first->DegreeOfMembership(10), 0.6);
    EXPECT_DOUBLE_EQ(fast->DegreeOfMembership(10), 1);
    SetPtr both = variable->AssertRule(slow, slow, slow, first);
    EXPECT_DOUBLE_EQ(both->DegreeOfMembership(0), 1);
    EXPECT_DOUBLE_EQ(both->DegreeOfMembership(10), 0.6);
    const SetPtr premises[] = {slow, fast};
    const SetPtr facts[] = {slow};
    EXPECT_RAISES((void)variable->GetCorrelationStrength(premises, facts),
                  EArgumentOutOfRangeException, "Fewer inputs than antecedents");
}

TEST_F(VariableTest, CopiesCompareByNamesRangesAndDefinedSets) {
    VariablePtr copy = Supports<IFuzzyVariable>(variable->Clone());
    EXPECT_EQ(TCountedVariable::Alive, 2) << "a copy is of the variable's own class";
    EXPECT_EQ(copy->GetCount(), 2);
    EXPECT_NE(copy->GetFuzzySetByName("slow"), variable->GetFuzzySetByName("slow"));
    EXPECT_TRUE(variable->Equals(copy));
    VariablePtr empty = TCountedVariable::Create("speed");
    empty->SetMaximum(10);
    EXPECT_TRUE(empty->Equals(variable)) << "an empty table equals any other by its sets";
    EXPECT_FALSE(variable->Equals(empty));
    copy->SetUnits("km/h");
    EXPECT_FALSE(variable->Equals(copy));
}

// Bad input ends in an exception, never in following an empty reference.
TEST_F(VariableTest, EmptyReferencesAreRefused) {
    const SetPtr slow = variable->GetFuzzySetByName("slow");
    const SetPtr none;
    const SetPtr premises[] = {none};
    const SetPtr facts[] = {slow};
    const std::function<void()> calls[] = {
        [&] { variable->Add(none); },
        [&] { variable->AssignFuzzySets(nullptr); },
        [&] { (void)variable->AssertRule(0.5, none, nullptr); },
        [&] { (void)variable->AssertRule(none, slow, slow, nullptr); },
        [&] { (void)variable->GetCorrelationStrength(premises, facts); },
        [&] { slow->Append(none); },
        [&] { slow->AssignValues(none); },
        [&] { (void)slow->Union(none); },
        [&] { (void)slow->GetCorrelationStrength(none); },
    };
    for (const auto& call : calls)
        EXPECT_THROW(call(), EArgumentOutOfRangeException);
    EXPECT_RAISES(slow->AssignValues(none), EArgumentOutOfRangeException, "No fuzzy set given");
    EXPECT_EQ(variable->GetCount(), 2);
}

} // namespace
} // namespace fuzzy
