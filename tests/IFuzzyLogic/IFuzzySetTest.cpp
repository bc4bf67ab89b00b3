// The interface model's sets and variables: what they answer, what they hold, what they
// free and when.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "IFuzzyLogic/IFuzzySet.hpp"
#include "IFuzzyLogic/IFuzzyVariable.hpp"
#include "support/CoreFixtures.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;
using VariablePtr = TInterfacePtr<IFuzzyVariable>;

SetPtr MakeSet(const std::string& Name, const test::TPoints& Points,
               const TInterfacePtr<IFuzzyVariable>& Variable = nullptr) {
    SetPtr set = TIFuzzySet::Create(Variable, Name);
    for (auto [x, y] : Points)
        set->Add(x, y);
    return set;
}

// A set answers only its own interfaces; point operations return the index before the
// list is put in order; Append clips the range to the source; the axis is the variable's.
TEST(IFuzzySetTest, InterfacesPointsAndAxis) {
    SetPtr set = MakeSet("low", {{0, 0}, {10, 1}});
    void* obj = &set;
    EXPECT_EQ(set->QueryInterface(IFuzzyVariable::IID, &obj), E_NOINTERFACE);
    EXPECT_EQ(obj, nullptr);
    EXPECT_TRUE(Supports<ICloneable>(set));
    auto variable = TIFuzzyVariable::Create("level");
    EXPECT_FALSE(Supports<IFuzzySet>(variable) || set->Equals(variable));

    EXPECT_EQ(set->Add(5, 0.5), 2);
    EXPECT_EQ(set->GetXValues(1), 5);
    EXPECT_EQ(set->Insert(0, 20, 0), 0);
    EXPECT_EQ(set->GetXValues(3), 20);
    EXPECT_THROW((void)set->GetXValues(9), EListError);
    SetPtr source = MakeSet("src", {{0, 0}, {1, 0.2}, {2, 0.4}, {3, 0.6}});
    SetPtr target = MakeSet("t", {});
    target->Append(source, -3, 2);
    EXPECT_EQ(test::PointsOf(*TIFuzzySet::CoreOf(target)), (test::TPoints{{0, 0}, {1, 0.2}}));
    target->Append(source, 10, 5);
    EXPECT_EQ(target->GetCount(), 3);
    EXPECT_EQ(target->GetXValues(2), 3);

    const SetPtr free = MakeSet("free", {});
    EXPECT_EQ(std::pair(free->GetXMinimum(), free->GetXMaximum()),
              std::pair(-2147483647.0, 2147483647.0));
    variable->SetMaximum(10);
    SetPtr high = MakeSet("high", {{-5, 0}, {20, 1}}, variable);
    EXPECT_EQ(high->GetXMaximum(), 10);
    EXPECT_EQ(high->GetXValues(1), 10) << "points are clamped into the variable's range";
    EXPECT_FALSE(variable->ContainsFuzzySet("high")) << "not stored until defined and added";
    high->SetDefined(true);
    variable->Add(high);
    EXPECT_EQ(variable->ContainsFuzzySet("high"), high);
    EXPECT_RAISES((void)TIFuzzySet::CoreOf(high)->GetXRange(2), EFzyException,
                  "Invalid index argument to GetXRange.  Index = 2");
}

// The interface forms run the component algorithms: same points, names and expressions.
TEST(IFuzzySetTest, CombinationsMatchTheComponentModel) {
    const test::TPoints cold = {{0, 1}, {10, 0.5}, {20, 0}};
    const test::TPoints warm = {{0, 0}, {15, 1}, {20, 0.2}};
    const std::unique_ptr<TFuzzySet> a = test::MakeSet(cold, "cold");
    const std::unique_ptr<TFuzzySet> b = test::MakeSet(warm, "warm");
    SetPtr ia = MakeSet("cold", cold);
    SetPtr ib = MakeSet("warm", warm);
    for (int op = 0; op <= static_cast<int>(TFuzzyOperation::foSum); ++op) {
        const auto operation = static_cast<TFuzzyOperation>(op);
        std::unique_ptr<TFuzzySet> expected(a->Union(b.get(), operation));
        SetPtr actual = ia->Union(ib, operation);
        EXPECT_EQ(test::PointsOf(*TIFuzzySet::CoreOf(actual)->GetValues()),
                  test::PointsOf(*expected));
        EXPECT_EQ(actual->GetName(), expected->GetName());
        EXPECT_EQ(actual->GetExpression(), expected->GetExpression());
        if (operation == TFuzzyOperation::foSum) {
            EXPECT_THROW((void)ia->Intersection(ib, operation), EFzyException);
            continue;
        }
        expected.reset(a->Intersection(b.get(), operation));
        actual = ia->Intersection(ib, operation);
        EXPECT_EQ(test::PointsOf(*TIFuzzySet::CoreOf(actual)->GetValues()),
                  test::PointsOf(*expected));
    }
    EXPECT_DOUBLE_EQ(ia->GetCorrelationStrength(ib), a->GetCorrelationStrength(b.get()));
    EXPECT_DOUBLE_EQ(ia->Hedge(TFuzzyHedge::fhVery)->CenterOfGravity(),
                     a->Hedge(TFuzzyHedge::fhVery)->CenterOfGravity());
    EXPECT_EQ(ia->GetName(), a->GetName());
}

TEST(IFuzzySetTest, OperatorGivesTheCallerTheInterfaceResult) {
    SetPtr a = MakeSet("a", {{0, 0}, {10, 1}});
    SetPtr b = MakeSet("b", {{0, 1}, {10, 0}});
    SetPtr seen;
    SetPtr result =
        a->Operator(b, "with", [&](const SetPtr& Result, double X1, double Y1, double, double Y2) {
            seen = Result;
            Result->Add(X1, Y1 * Y2);
            return false;
        });
    EXPECT_EQ(seen, result);
    EXPECT_EQ(result->GetName(), "a with b");
    EXPECT_EQ(result->GetExpression(), "a with b");
    EXPECT_DOUBLE_EQ(result->DegreeOfMembership(5), 0.25);

    const SetPtr byOperator = a->Operator(b, "or", TIFuzzySet::FuzzyOperatorMax);
    const SetPtr byUnion = a->Union(b);
    for (double x : {0.0, 2.5, 5.0, 7.5, 10.0})
        EXPECT_DOUBLE_EQ(byOperator->DegreeOfMembership(x), byUnion->DegreeOfMembership(x)) << x;
    EXPECT_EQ(byOperator->GetName(), byUnion->GetName());
}

TEST(IFuzzySetTest, CutsAndClonesFollowTheirOwnRules) {
    auto variable = TIFuzzyVariable::Create("t");
    variable->SetMaximum(100);
    SetPtr set = MakeSet("warm", {{0, 0}, {50, 1}, {100, 0}}, variable);
    SetPtr alpha = set->AlphaCutoff(0.5, false);
    EXPECT_EQ(alpha->GetName(), "warm (alpha=0.5000)");
    EXPECT_EQ(alpha->GetVariable(), variable);
    EXPECT_FALSE(set->Cutoff(0.5, true)->GetVariable());

    set->SetExpression("very warm");
    auto other = TIFuzzyVariable::Create("u");
    SetPtr copy = set->Clone(other);
    EXPECT_EQ(copy->GetExpression(), "");
    EXPECT_EQ(copy->GetVariable(), other);
    EXPECT_EQ(copy->GetCount(), 3);
    SetPtr full = Supports<IFuzzySet>(set->Clone());
    EXPECT_EQ(full->GetExpression(), "very warm");
    EXPECT_EQ(full->GetVariable(), variable);
    EXPECT_TRUE(full->Equals(set));
}

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
