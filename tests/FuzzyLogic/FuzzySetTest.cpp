#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/CommaLocale.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

TEST(Membership, EmptySetIsZeroEverywhere) {
    const auto set = MakeSet({});
    for (TFzyFloat x : {-1e300, -1.0, 0.0, 3.5, 1e300})
        EXPECT_EQ(set->DegreeOfMembership(x), 0);
}

TEST(Membership, InterpolatesInsideAndContinuesFlatOutside) {
    const auto set = MakeSet({{0, 0}, {50, 1}, {100, 0}});
    const std::vector<std::pair<TFzyFloat, TFzyFloat>> cases = {
        {25, 0.5}, {-10, 0}, {150, 0}, {50, 1}, {75, 0.5}, {0, 0}, {100, 0}};
    for (const auto& [x, expected] : cases)
        EXPECT_DOUBLE_EQ(set->DegreeOfMembership(x), expected) << "at X = " << x;

    const auto shoulder = MakeSet({{10, 0.3}, {20, 0.8}});
    EXPECT_EQ(shoulder->DegreeOfMembership(-5), 0.3);
    EXPECT_EQ(shoulder->DegreeOfMembership(99), 0.8);
}

TEST(Membership, AVerticalLineGivesItsHighestPointExactlyOnIt) {
    const auto step = MakeSet({{0, 0}, {10, 0}, {10, 1}, {20, 1}});
    EXPECT_EQ(step->DegreeOfMembership(10), 1);
    EXPECT_NEAR(step->DegreeOfMembership(9.99), 0, 1e-12);
    EXPECT_EQ(step->DegreeOfMembership(10.01), 1);

    // The highest point of a line at either end of the curve counts too.
    const auto ends = MakeSet({{0, 0.2}, {0, 0.9}, {0, 0.4}, {5, 0.3}, {5, 0.7}, {5, 0.1}});
    EXPECT_EQ(ends->DegreeOfMembership(0), 0.9);
    EXPECT_EQ(ends->DegreeOfMembership(5), 0.7);
    EXPECT_EQ(ends->DegreeOfMembership(-1), 0.2);
    EXPECT_EQ(ends->DegreeOfMembership(6), 0.1);
}

// Within the tolerance a list may step back; there the first point at or right of X
// counts, where a bisection would have skipped over it.
TEST(Membership, AListOrderedOnlyWithinTheToleranceIsWalked) {
    const auto set = MakeSet({{0, 0}, {0.00015, 1}, {0.0001, 0.5}, {1, 0}});
    ASSERT_EQ(PointsOf(*set->GetValues()), (TPoints{{0, 0}, {0.00015, 1}, {0.0001, 0.5}, {1, 0}}));
    EXPECT_NEAR(set->DegreeOfMembership(0.00012), 0.8, 1e-9);
    EXPECT_NEAR(set->DegreeOfMembership(0.50005), 0.25, 1e-9);
}

TEST(Membership, NaNRaises) {
    const auto set = MakeSet({{0, 0}, {1, 1}});
    EXPECT_RAISES((void)set->DegreeOfMembership(std::nan("")), EArgumentOutOfRangeException,
                  "Invalid membership argument: X is not a number");
}

TEST(Geometry, InterpolationAndSlopes) {
    EXPECT_EQ(TFuzzySet::InterpolateY(0, 0, 10, 1, 2.5), 0.25);
    EXPECT_EQ(TFuzzySet::InterpolateY(5, 0.2, 5, 0.7, 99), 0.7); // vertical: the second Y
    EXPECT_EQ(TFuzzySet::InterpolateX(0, 0, 10, 1, 0.25), 2.5);
    EXPECT_EQ(TFuzzySet::InterpolateX(0, 0.5, 10, 0.5, 0.5), 10); // flat: the second X

    // Free points: in a list, the last pair below would merge.
    std::unique_ptr<TFuzzySetValue> a(TFuzzySetValue::Create(nullptr));
    std::unique_ptr<TFuzzySetValue> b(TFuzzySetValue::Create(nullptr));
    b->SetValue(4, 1);
    EXPECT_EQ(TFuzzySet::GetSlope(a.get(), b.get()), 0.25);
    b->SetValue(0.00005, 0.5);
    EXPECT_EQ(TFuzzySet::GetSlope(a.get(), b.get()), 1);
    EXPECT_EQ(TFuzzySet::GetSlope(b.get(), a.get()), -1);
    b->SetValue(0.00005, 0);
    EXPECT_EQ(TFuzzySet::GetSlope(a.get(), b.get()), 0);
}

TEST(Geometry, ExtremesOfAVerticalLineKeepTheFirstOfEqualPoints) {
    const auto set = MakeSet({{0, 0}, {5, 0.5}, {5, 0.9}, {5, 0.2}, {9, 0}});
    EXPECT_EQ(set->GetMaxYValueOfX(1, 1), 2);
    EXPECT_EQ(set->GetMaxYValueOfX(3, -1), 2);
    EXPECT_EQ(set->GetMinYValueOfX(1, 1), 3);
    EXPECT_EQ(set->GetMinYValueOfX(0, 1), 0);
    EXPECT_EQ(set->GetMaxYValueOfX(0, -1), 0);
    EXPECT_EQ(MakeSet({{0, 0}, {5, 0.2}, {5, 0.9}})->GetMaxYValueOfX(1, 1), 2); // to the end
    EXPECT_RAISES((void)set->GetMaxYValueOfX(1, 0), EArgumentOutOfRangeException,
                  "Invalid direction 0: expected 1 or -1");
}

TEST(Naming, ReservedWordsAreRejectedAndTheOldNameStays) {
    const auto set = MakeSet({}, "tall");
    for (const std::string word : {"very", "and-product", "<=X", "or", "+", "not", "and"}) {
        EXPECT_RAISES(set->SetName(word), EFzyException,
                      "Invalid fuzzy set name, \"" + word + "\" is a reserved word");
        EXPECT_EQ(set->GetName(), "tall");
    }
    set->SetName("Very"); // the check is case-sensitive
    EXPECT_EQ(set->GetName(), "Very");
    set->SetName("sum"); // an operation name alone is no connective
    EXPECT_EQ(set->GetName(), "sum");
}

TEST(Naming, DisplayNameFallsBackToTheClassName) {
    const auto set = MakeSet({});
    EXPECT_EQ(set->GetDisplayName(), "TFuzzySet");
    set->SetName("warm");
    EXPECT_EQ(set->GetDisplayName(), "warm");
}

TEST(Axis, DefaultRangeWithoutAVariable) {
    const auto set = MakeSet({});
    EXPECT_EQ(set->GetXRange(0), 2147483647.0);
    EXPECT_EQ(set->GetXRange(1), -2147483647.0);
    EXPECT_EQ(set->GetXMaximum(), 2147483647.0);
    EXPECT_RAISES((void)set->GetXRange(2), EFzyException,
                  "Invalid index argument to GetXRange.  Index = 2");
}

TEST(Text, PointsAndSetAreWrittenWithFourDecimals) {
    const auto set = MakeSet({{0, 0}, {50, 1}}, "low");
    EXPECT_EQ(set->GetValuesToString(), "((0.0000 0.0000) (50.0000 1.0000) )");
    EXPECT_EQ(set->ToString(), "(low (0.0000 0.0000) (50.0000 1.0000) )");
    EXPECT_EQ(set->GetAsString(), set->ToString());
    EXPECT_EQ(MakeSet({})->GetValuesToString(), "()");
    EXPECT_EQ(MakeSet({{-0.5, 0.123456}})->GetValuesToString(), "((-0.5000 0.1235) )");
}

// A set type can only come from the shape generators; a descendant can stand in for them.
class TShapedSet : public TFuzzySet {
public:
    static TShapedSet* Create() {
        return Initialize(std::unique_ptr<TShapedSet>(new TShapedSet()), nullptr);
    }
    void MarkAs(TFuzzySetType Type) { FSetType = Type; }

private:
    TShapedSet() = default;
};

TEST(Copying, AssignCopiesPointsAndShapeButNotCommentTagOrDefined) {
    std::unique_ptr<TShapedSet> source(TShapedSet::Create());
    source->SetName("warm");
    Load(*source->GetValues(), {{0, 0}, {5, 1}, {10, 0}});
    source->MarkAs(TFuzzySetType::fstTriangle);
    source->SetExpression("[a] or [b]");
    source->SetInflectionPoint(0.25);
    source->SetComment("source comment");
    source->SetTag(7);
    source->SetDefined(true);

    const auto target = MakeSet({{3, 0.3}}, "cold");
    target->SetComment("kept");
    target->Assign(source.get());
    EXPECT_EQ(target->GetName(), "warm");
    EXPECT_EQ(PointsOf(*target->GetValues()), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
    EXPECT_EQ(target->GetSetType(), TFuzzySetType::fstTriangle);
    EXPECT_EQ(target->GetExpression(), "[a] or [b]");
    EXPECT_EQ(target->GetInflectionPoint(), 0.25);
    EXPECT_EQ(target->GetComment(), "kept");
    EXPECT_EQ(target->GetTag(), 0);
    EXPECT_FALSE(target->GetDefined());

    TFuzzySetValues notASet(nullptr);
    EXPECT_THROW(target->Assign(&notASet), EConvertError);
}

// Any change of a point reports to the set, which then forgets its shape and expression;
// a point assigned from itself changes nothing.
TEST(Copying, EditingPointsMakesTheSetUserDefinedAndClearsItsExpression) {
    std::unique_ptr<TFuzzySet> triangle(TFuzzySet::Create(nullptr));
    triangle->CreateTriangleFunctionValues(0, 5, 10);
    triangle->SetExpression("peak");
    triangle->GetValues()->GetItem(1)->Assign(triangle->GetValues()->GetItem(1));
    EXPECT_EQ(triangle->GetExpression(), "peak");
    EXPECT_EQ(triangle->GetSetType(), TFuzzySetType::fstTriangle);

    std::unique_ptr<TShapedSet> set(TShapedSet::Create());
    Load(*set->GetValues(), {{0, 0}, {5, 1}});
    set->MarkAs(TFuzzySetType::fstPICurve);
    set->SetExpression("very x");
    set->GetValues()->GetItem(1)->SetY(0.5);
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
    EXPECT_EQ(set->GetExpression(), "");
}

// A term collection that records its change hook, to see what a set reports upward.
class TRecordingTerms : public TGCollection {
public:
    TRecordingTerms() : TGCollection(nullptr, &TFuzzySet::CreateItem) {}
    std::vector<std::string> Log;

protected:
    void Update(TCollectionItem* Item) override {
        Log.push_back(Item ? "update " + static_cast<TFuzzySet*>(Item)->GetName() : "update all");
    }
};

TEST(ChangeHooks, PointEditsReachTheSetsCollection) {
    TRecordingTerms terms;
    auto* set = static_cast<TFuzzySet*>(terms.Add());
    set->SetName("warm");
    terms.Log.clear();
    set->GetValues()->Add(1, 1); // the point joining, its X and its Y: one report each
    EXPECT_EQ(terms.Log, (std::vector<std::string>(3, "update warm")));
    terms.Log.clear();
    Load(*set->GetValues(), {{2, 0}, {3, 1}, {4, 0}}); // one bracket: reports after it only
    EXPECT_FALSE(terms.Log.empty());
    for (const auto& entry : terms.Log)
        EXPECT_EQ(entry, "update warm");
    terms.Log.clear();
    set->SetComment("same");
    set->SetComment("same");
    EXPECT_EQ(terms.Log.size(), 1u);
    EXPECT_EQ(terms.IndexOf("warm"), 0);
    EXPECT_EQ(terms.IndexOf("Warm"), -1);
    delete set; // leaves the collection
    EXPECT_EQ(terms.GetCount(), 0);
}

TEST(Locale, TextIgnoresTheCLocale) {
    const TCommaLocale locale;
    if (locale.Name() == nullptr)
        return SkipOrFailWithoutCommaLocale();
    EXPECT_EQ(MakeSet({{0.5, 0.25}}, "x")->ToString(), "(x (0.5000 0.2500) )");
}

} // namespace
} // namespace fuzzy::test
