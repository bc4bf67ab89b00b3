#include <gtest/gtest.h>

#include <string>

#include "FuzzyConsts/FuzzyConsts.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

TEST(EnumArrayTest, IndexesByEnumerationAndRejectsValuesOutsideIt) {
    TEnumArray<TXYUpdateType, int, 2> counts;
    EXPECT_EQ(counts[TXYUpdateType::utY], 0);
    counts[TXYUpdateType::utY] = 5;
    EXPECT_EQ(counts[TXYUpdateType::utX], 0);
    EXPECT_EQ(counts[TXYUpdateType::utY], 5);
    EXPECT_EQ(counts.end() - counts.begin(), 2);
    EXPECT_RAISES((void)counts[static_cast<TXYUpdateType>(2)], EListError,
                  "List index out of bounds (2)");
}

TEST(FuzzyTypesTest, EnumerationsAreBytesNumberedInDeclarationOrder) {
    static_assert(sizeof(TFuzzyHedge) == 1 && sizeof(TFuzzyStreamTokenType) == 1);
    static_assert(sizeof(TXYUpdateTypes) == 1 && sizeof(TFuzzyInferenceMethods) == 1);
    EXPECT_EQ(static_cast<int>(TBaseFuzzyHedge::bfgCutLessEq), 6);
    EXPECT_EQ(static_cast<int>(TFuzzyHedge::fhGenerally), 19);
    EXPECT_EQ(static_cast<int>(TFuzzyStreamTokenType::fstFuzzySet), 10);
    EXPECT_EQ(TFuzzyStreamTokenTypes{TFuzzyStreamTokenType::fstFuzzySet}.Bits(), 1u << 10);
}

TEST(FuzzyTypesTest, GetEnumNameGivesDeclaredNames) {
    EXPECT_EQ(GetEnumName(TFuzzyOperation::foSum), "foSum");
    EXPECT_EQ(GetEnumName(TBaseFuzzyHedge::bfgCutLessEq), "bfgCutLessEq");
    EXPECT_EQ(GetEnumName(TFuzzySetType::fstGrowthCurve), "fstGrowthCurve");
    EXPECT_EQ(GetEnumName(TFuzzyStreamTokenType::fstIFuzzySet), "fstIFuzzySet");
    EXPECT_EQ(GetEnumName(TDefuzzificationMethod::dmMeanOfMaxima), "dmMeanOfMaxima");
    EXPECT_EQ(GetEnumName(TFuzzyInferenceMethod::fimBoundedSum), "fimBoundedSum");
    EXPECT_EQ(GetEnumName(TXYUpdateType::utY), "utY");
    EXPECT_EQ(GetEnumName(static_cast<TFuzzyCorrelationMethod>(7)), "7");
}

struct THedgeRow {
    TFuzzyHedge Hedge;
    const char* Word;
    TFzyFloat Modifier;
};

const THedgeRow HedgeRows[] = {
    {TFuzzyHedge::fhNot, "not", 0.0},
    {TFuzzyHedge::fhSomewhat, "somewhat", 1.0 / 3.0},
    {TFuzzyHedge::fhMoreOrLess, "moreorless", 0.5},
    {TFuzzyHedge::fhGreatly, "greatly", 0.7},
    {TFuzzyHedge::fhPlus, "plus", 1.25},
    {TFuzzyHedge::fhVery, "very", 2.0},
    {TFuzzyHedge::fhExtremely, "extremely", 3.0},
    {TFuzzyHedge::fhAbove, "above", 0.0},
    {TFuzzyHedge::fhBelow, "below", 0.0},
    {TFuzzyHedge::fhSlightly, "slightly", 0.0},
    {TFuzzyHedge::fhNormalize, "normalize", 0.0},
    {TFuzzyHedge::fhAbout, "about", 2.0},
    {TFuzzyHedge::fhVicinity, "vicinity", 4.0},
    {TFuzzyHedge::fhClose, "close", 1.2},
    {TFuzzyHedge::fhNear, "near", 1.2},
    {TFuzzyHedge::fhNeighboring, "neighboring", 1.2},
    {TFuzzyHedge::fhPositively, "positively", 2.0},
    {TFuzzyHedge::fhAbsolutely, "absolutely", 2.0},
    {TFuzzyHedge::fhDefinitely, "definitely", 2.0},
    {TFuzzyHedge::fhGenerally, "generally", 0.5},
};

TEST(FuzzyKeywordsTest, EachHedgeWordAndModifierRoundTrips) {
    ASSERT_EQ(std::size(HedgeRows), HedgeNames.size());
    for (const THedgeRow& row : HedgeRows) {
        SCOPED_TRACE(row.Word);
        EXPECT_EQ(HedgeNames[row.Hedge], row.Word);
        EXPECT_EQ(HedgeModifiers[row.Hedge], row.Modifier);
        TFuzzyHedge found = TFuzzyHedge::fhGenerally;
        EXPECT_TRUE(IsFuzzyHedge(row.Word, found));
        EXPECT_EQ(found, row.Hedge);
    }
}

TEST(FuzzyKeywordsTest, EachBaseHedgeSymbolRoundTripsInBothForms) {
    const char* symbols[] = {"+", "-", "*", "/", "^", "<", "<=", ">", ">="};
    ASSERT_EQ(std::size(symbols), BaseHedgeNames.size());
    for (std::size_t i = 0; i < std::size(symbols); ++i) {
        const auto hedge = static_cast<TBaseFuzzyHedge>(i);
        SCOPED_TRACE(symbols[i]);
        EXPECT_EQ(BaseHedgeNames[hedge], symbols[i]);
        TBaseFuzzyHedge found = TBaseFuzzyHedge::bfhAdd;
        bool modifyY = false;
        EXPECT_TRUE(IsFuzzyHedgeOperator(symbols[i], found, modifyY));
        EXPECT_EQ(found, hedge);
        EXPECT_TRUE(modifyY);
        found = TBaseFuzzyHedge::bfhAdd;
        EXPECT_TRUE(IsFuzzyHedgeOperator(std::string(symbols[i]) + "X", found, modifyY));
        EXPECT_EQ(found, hedge);
        EXPECT_FALSE(modifyY);
    }
}

struct TOperationRow {
    TFuzzyOperation Operation;
    const char* Name;
    const char* Intersection;
    const char* Union;
};

const TOperationRow OperationRows[] = {
    {TFuzzyOperation::foZadeh, "zadeh", "and", "or"},
    {TFuzzyOperation::foMean, "mean", "and-mean", "or-mean"},
    {TFuzzyOperation::foMeanSqr, "mean-sqr", "and-meansqr", "or-meansqr"},
    {TFuzzyOperation::foMeanSqrt, "mean-sqrt", "and-meansqrt", "or-meansqrt"},
    {TFuzzyOperation::foProduct, "product", "and-product", "or-product"},
    {TFuzzyOperation::foBoundedSum, "bounded-sum", "and-boundedsum", "or-boundedsum"},
    {TFuzzyOperation::foSum, "sum", "and-sum", "or-sum"},
};

TEST(FuzzyKeywordsTest, EachOperationNameAndConnectiveRoundTrips) {
    ASSERT_EQ(std::size(OperationRows), FuzzyOperationNames.size());
    for (const TOperationRow& row : OperationRows) {
        SCOPED_TRACE(row.Name);
        TFuzzyOperation found = TFuzzyOperation::foZadeh;
        EXPECT_TRUE(IsFuzzyOperation(row.Name, found));
        EXPECT_EQ(found, row.Operation);

        bool isUnion = true;
        found = TFuzzyOperation::foZadeh;
        EXPECT_TRUE(IsFuzzyKeyword(row.Intersection, isUnion, found));
        EXPECT_FALSE(isUnion);
        EXPECT_EQ(found, row.Operation);

        isUnion = false;
        found = TFuzzyOperation::foZadeh;
        EXPECT_TRUE(IsFuzzyKeyword(row.Union, isUnion, found));
        EXPECT_TRUE(isUnion);
        EXPECT_EQ(found, row.Operation);
    }
}

TEST(FuzzyKeywordsTest, MethodNamesRoundTrip) {
    const char* inference[] = {"min-max", "sum", "mean", "product", "bounded-sum"};
    for (std::size_t i = 0; i < std::size(inference); ++i) {
        TFuzzyInferenceMethod found = TFuzzyInferenceMethod::fimBoundedSum;
        EXPECT_TRUE(IsFuzzyInference(inference[i], found));
        EXPECT_EQ(found, static_cast<TFuzzyInferenceMethod>(i)) << inference[i];
    }
    TFuzzyCorrelationMethod correlation = TFuzzyCorrelationMethod::fcmMinimum;
    EXPECT_TRUE(IsFuzzyCorrelation("product", correlation));
    EXPECT_EQ(correlation, TFuzzyCorrelationMethod::fcmProduct);
    EXPECT_TRUE(IsFuzzyCorrelation("minimum", correlation));
    EXPECT_EQ(correlation, TFuzzyCorrelationMethod::fcmMinimum);
}

} // namespace
} // namespace fuzzy
