#include <gtest/gtest.h>

#include <functional>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"
#include "support/CommaLocale.hpp"
#include "support/CoreFixtures.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

// Linear inside, flat beyond the ends; on a vertical line (at the ends too) its highest
// point. Within the tolerance a list may step back; there the first point at or right of X
// counts, where a bisection would have skipped over it.
TEST(Membership, InterpolatesInsideContinuesFlatOutsideAndTakesTheTopOfALine) {
    const auto check = [](const TPoints& Points, const TPoints& Expected) {
        const auto set = MakeSet(Points);
        for (const auto& [x, expected] : Expected)
            EXPECT_NEAR(set->DegreeOfMembership(x), expected, 1e-9) << "at X = " << x;
    };
    check({}, {{-1e300, 0}, {0, 0}, {3.5, 0}, {1e300, 0}});
    check({{0, 0}, {50, 1}, {100, 0}},
          {{25, 0.5}, {-10, 0}, {150, 0}, {50, 1}, {75, 0.5}, {0, 0}, {100, 0}});
    check({{10, 0.3}, {20, 0.8}}, {{-5, 0.3}, {99, 0.8}});
    check({{0, 0}, {10, 0}, {10, 1}, {20, 1}}, {{10, 1}, {9.99, 0}, {10.01, 1}});
    check({{0, 0.2}, {0, 0.9}, {0, 0.4}, {5, 0.3}, {5, 0.7}, {5, 0.1}},
          {{0, 0.9}, {5, 0.7}, {-1, 0.2}, {6, 0.1}});
    check({{0, 0}, {0.00015, 1}, {0.0001, 0.5}, {1, 0}}, {{0.00012, 0.8}, {0.50005, 0.25}});
    EXPECT_RAISES((void)MakeSet({{0, 0}})->DegreeOfMembership(std::nan("")),
                  EArgumentOutOfRangeException, "Invalid membership argument: X is not a number");
}

TEST(Geometry, InterpolationSlopesAndTheExtremesOfAVerticalLine) {
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

    // The extremes of a vertical line keep the first of equal points.
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
    const auto set = MakeSet({});
    EXPECT_EQ(set->GetDisplayName(), "TFuzzySet"); // the class name while unnamed
    set->SetName("tall");
    for (const std::string word : {"very", "and-product", "<=X", "or", "+", "not", "and"}) {
        EXPECT_RAISES(set->SetName(word), EFzyException,
                      "Invalid fuzzy set name, \"" + word + "\" is a reserved word");
        EXPECT_EQ(set->GetDisplayName(), "tall");
    }
    set->SetName("Very"); // the check is case-sensitive
    EXPECT_EQ(set->GetName(), "Very");
    set->SetName("sum"); // an operation name alone is no connective
    EXPECT_EQ(set->GetName(), "sum");
}

TEST(Text, AxisWithoutAVariableAndPointsWithFourDecimals) {
    const auto set = MakeSet({{0, 0}, {50, 1}}, "low");
    EXPECT_EQ(set->GetXRange(0), 2147483647.0);
    EXPECT_EQ(set->GetXRange(1), -2147483647.0);
    EXPECT_EQ(set->GetXMaximum(), 2147483647.0);
    EXPECT_RAISES((void)set->GetXRange(2), EFzyException,
                  "Invalid index argument to GetXRange.  Index = 2");
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
    EXPECT_EQ(PointsOf(*target), (TPoints{{0, 0}, {5, 1}, {10, 0}}));
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

// Each generator's points, set type and inflection point; a generator's fewer than three
// points are raised to three, inverted arguments of a triangle are repaired.
TEST(Shapes, GeneratorsGiveTheirPointsTypeAndInflection) {
    const TPoints growth{{0, 0},    {100 / 6.0, 1 / 18.0},  {200 / 6.0, 4 / 18.0},
                         {50, 0.5}, {400 / 6.0, 14 / 18.0}, {500 / 6.0, 17 / 18.0},
                         {100, 1}};
    TPoints decline = growth;
    for (auto& point : decline)
        point.second = 1 - point.second;
    using enum TFuzzySetType;
    const auto check = [](const std::function<void(TFuzzySet&)>& Create, const TPoints& Expected,
                          TFuzzySetType Type, TFzyFloat Inflection = 0) {
        const std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
        Create(*set);
        ExpectPoints(PointsOf(*set), Expected);
        EXPECT_EQ(set->GetSetType(), Type);
        EXPECT_EQ(set->GetInflectionPoint(), Inflection);
    };
    check([](auto& S) { S.CreateTriangleFunctionValues(10, 5, 0); }, {{10, 0}, {10, 1}, {10, 0}},
          fstTriangle);
    check([](auto& S) { S.CreateTriangleFunctionValues(0, 150, 100); },
          {{0, 0}, {100, 1}, {100, 0}}, fstTriangle);
    check([](auto& S) { S.CreateCurveValues(7, 0, 100, 42, true); }, growth, fstGrowthCurve, 42);
    check([](auto& S) { S.CreateCurveValues(7, 0, 100, 50, false); }, decline, fstDeclineCurve, 50);
    check([](auto& S) { S.CreateCurveValues(1, 0, 10, 5, true); }, {{0, 0}, {5, 0.5}, {10, 1}},
          fstGrowthCurve, 5);
    check([](auto& S) { S.CreatePIFunctionValues(7, 0, 100, 50); },
          {{0, 0},
           {100 / 6.0, 4 / 18.0},
           {200 / 6.0, 14 / 18.0},
           {50, 1},
           {400 / 6.0, 14 / 18.0},
           {500 / 6.0, 4 / 18.0},
           {100, 0}},
          fstPICurve, 75);
    check([](auto& S) { S.CreatePIFunctionValues(8, 0, 100, 50); },
          {{0, 0},
           {12.5, 0.125},
           {25, 0.5},
           {37.5, 0.875},
           {62.5, 0.875},
           {75, 0.5},
           {87.5, 0.125},
           {100, 0}},
          fstPICurve, 75);
    // The Range/Center form over [40, 60]. Each half is raised to three points; the point
    // at index 1 then gives way, and the doubled apex merges: four distinct points.
    check([](auto& S) { S.CreatePIFunctionValues(3, 10, 50); },
          {{40, 0}, {50, 1}, {55, 0.5}, {60, 0}}, fstPICurve, 55);
    check([](auto& S) { S.CreateBetaCurveFunctionValues(5, 10, 50, 5); },
          {{40, 0.2}, {45, 0.5}, {50, 1}, {55, 0.5}, {60, 0.2}}, fstBetaCurve, 5);
    check([](auto& S) { S.CreateBetaCurveFunctionValues(3, 10, 50, 10, 3); }, // 1/4 there
          {{40, 0.25}, {50, 1}, {60, 0.25}}, fstBetaCurve, 10);
    check(
        [](auto& S) {
            S.CreateTriangleFunctionValues(0, 1, 2);
            S.SetDefuzzifyValue(5); // a crisp value: a spike with its value as expression
            EXPECT_EQ(S.GetExpression(), "5.0000");
        },
        {{5, 0}, {5, 1}, {5, 0}}, fstUserDefined, 0);
}

// Generators append; bad arguments raise and append nothing; a centre beyond the range
// moves into it.
TEST(Shapes, GeneratorsAppendAndCheckTheirArgumentsFirst) {
    auto set = MakeSet({});
    set->CreateTriangleFunctionValues(0, 1, 2);
    set->CreateTriangleFunctionValues(5, 6, 7);
    EXPECT_EQ(set->GetValues()->GetCount(), 6);
    EXPECT_RAISES(set->CreatePIFunctionValues(7, 100, 0, 50), EFzyException,
                  "Invalid range arguments.  Left (100.0000) is greater than right (0.0000)");
    EXPECT_THROW(set->CreateCurveValues(7, 5, 4, 0, true), EFzyException);
    EXPECT_RAISES(set->CreateBetaCurveFunctionValues(5, 10, 50, 0), EZeroDivide,
                  "Floating point division by zero");
    EXPECT_EQ(set->GetValues()->GetCount(), 6);
    EXPECT_EQ(set->GetValues()->GetUpdateCount(), 0);

    set->GetValues()->Clear();
    set->CreatePIFunctionValues(7, 0, 100, 150);
    EXPECT_EQ(PointsOf(*set).back(), (std::pair<TFzyFloat, TFzyFloat>{100, 1}));
    EXPECT_EQ(set->GetInflectionPoint(), 100);
}

TEST(SetType, DefaultShapesOverTheAxis) {
    auto set = MakeRangedSet(0, 90, {{1, 1}});
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    ASSERT_EQ(set->GetValues()->GetCount(), 7);
    EXPECT_DOUBLE_EQ(set->GetValues()->GetItem(0)->GetX(), 30);
    EXPECT_NEAR(set->GetValues()->GetItem(6)->GetX(), 60, 1e-9);
    EXPECT_DOUBLE_EQ(set->GetInflectionPoint(), 45);
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstGrowthCurve);

    set->SetSetType(TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*set), {{15, 0}, {45, 1}, {75, 0}});
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstTriangle);

    // Centred on the middle of an axis that does not start at 0.
    auto shifted = MakeRangedSet(100, 190, {});
    shifted->SetSetType(TFuzzySetType::fstTriangle);
    ExpectPoints(PointsOf(*shifted), {{115, 0}, {145, 1}, {175, 0}});
    shifted->Settings.NumFunctionValues = 9;
    shifted->SetSetType(TFuzzySetType::fstBetaCurve);
    EXPECT_EQ(shifted->GetValues()->GetCount(), 9);
    EXPECT_DOUBLE_EQ(shifted->GetInflectionPoint(), 90 / 12.0);
    shifted->SetSetType(TFuzzySetType::fstPICurve);
    EXPECT_EQ(shifted->GetValues()->GetCount(), 9);
    EXPECT_EQ(shifted->DegreeOfMembership(145), 1);
}

TEST(SetType, SameTypeOrUserDefinedKeepsThePoints) {
    auto set = MakeRangedSet(0, 90, {{1, 1}, {2, 0}});
    set->SetSetType(TFuzzySetType::fstUserDefined);
    EXPECT_EQ(PointsOf(*set), (TPoints{{1, 1}, {2, 0}}));
    set->SetSetType(TFuzzySetType::fstTriangle);
    set->GetValues()->GetItem(0)->SetY(0.5); // an edit makes it user-defined again
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
    set->SetSetType(TFuzzySetType::fstUserDefined);
    EXPECT_EQ(set->GetValues()->GetItem(0)->GetY(), 0.5);
    EXPECT_RAISES(set->SetSetType(static_cast<TFuzzySetType>(9)), EArgumentOutOfRangeException,
                  "Invalid set type 9");
    EXPECT_EQ(set->GetSetType(), TFuzzySetType::fstUserDefined);
    // Asking again for the current shape keeps its points, even when the settings moved on.
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    set->Settings.NumFunctionValues = 5;
    set->SetSetType(TFuzzySetType::fstGrowthCurve);
    EXPECT_EQ(set->GetValues()->GetCount(), 7);
}

} // namespace
} // namespace fuzzy::test
