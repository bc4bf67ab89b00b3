#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "platform/StringList.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

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
    Var->SetMinimum(5); // pushes the maximum of 1 up
    EXPECT_EQ(Var->GetMinimum(), 5);
    EXPECT_EQ(Var->GetMaximum(), 5);
    Var->SetMaximum(-2); // pushes the minimum down
    EXPECT_EQ(Var->GetMinimum(), -2);
    EXPECT_EQ(Var->GetMaximum(), -2);
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

TEST_F(Variable, CurrentTermFollowsAddsAndDeletes) {
    Terms.Add("a");
    Terms.Add("b");
    Terms.Add("c");
    EXPECT_EQ(Var->GetItemIndex(), 2);
    Terms.Delete(2);
    EXPECT_EQ(Var->GetItemIndex(), 1);
    Terms.Insert(0);
    EXPECT_EQ(Var->GetItemIndex(), 1); // inserting keeps the index
    EXPECT_RAISES(Var->SetItemIndex(3), EFzyException, "List index out of bounds (3)");
    EXPECT_EQ(Var->GetItemIndex(), 1);
    Var->SetItemIndex(-1);
    EXPECT_EQ(Var->GetItemIndex(), -1);
}

TEST_F(Variable, TermsByNameAndDefinedFlag) {
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
    EXPECT_EQ(Terms.GetCount(), 4); // the unnamed term stays
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
    EXPECT_EQ(PointsOf(*copy->GetValues()), PointsOf(*low->GetValues()));

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

TEST_F(Variable, RulesFireAtOrAboveTheThreshold) {
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
}

TEST_F(Variable, CorrelationStrengthOfPremisesIsTheirMinimum) {
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
    EXPECT_EQ(copy->GetName(), "speed");
    EXPECT_EQ(copy->GetMaximum(), 50);
    EXPECT_EQ(copy->GetUnits(), "km/h");
    EXPECT_EQ(copy->GetItemIndex(), 1);
    ASSERT_EQ(copy->GetItems()->GetCount(), 2);
    EXPECT_EQ(PointsOf(*copy->GetItems()->GetItem(1)->GetValues()),
              PointsOf(*Terms.GetItem(1)->GetValues()));

    TStringList names;
    names.Assign(Var.get());
    ASSERT_EQ(names.GetCount(), 2);
    EXPECT_EQ(names[0], "slow");
    EXPECT_EQ(names.GetObject(1), Terms.GetItem(1));
}

} // namespace
} // namespace fuzzy::test
