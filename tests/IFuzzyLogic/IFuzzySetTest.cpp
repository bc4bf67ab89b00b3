#include "IFuzzyLogic/IFuzzySet.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "IFuzzyLogic/IFuzzyVariable.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using SetPtr = TInterfacePtr<IFuzzySet>;

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

} // namespace
} // namespace fuzzy
