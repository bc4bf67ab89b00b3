#include <gtest/gtest.h>

#include <string>

#include "FuzzyConsts/FuzzyConsts.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

TEST(EnumArrayTest, IndexesByEnumerationAndRejectsValuesOutsideIt) {
    TEnumArray<TXYUpdateType, int, 2> counts;
    counts[TXYUpdateType::utY] = 5;
    EXPECT_EQ(counts[TXYUpdateType::utX], 0);
    EXPECT_EQ(counts[TXYUpdateType::utY], 5);
    EXPECT_EQ(counts.end() - counts.begin(), 2);
    EXPECT_RAISES((void)counts[static_cast<TXYUpdateType>(2)], EListError,
                  "List index out of bounds (2)");
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

// Every hedge in declaration order, with its word and the constant it works with.
const std::pair<const char*, TFzyFloat> HedgeRows[] = {
    {"not", 0.0},        {"somewhat", 1.0 / 3.0}, {"moreorless", 0.5}, {"greatly", 0.7},
    {"plus", 1.25},      {"very", 2.0},           {"extremely", 3.0},  {"above", 0.0},
    {"below", 0.0},      {"slightly", 0.0},       {"normalize", 0.0},  {"about", 2.0},
    {"vicinity", 4.0},   {"close", 1.2},          {"near", 1.2},       {"neighboring", 1.2},
    {"positively", 2.0}, {"absolutely", 2.0},     {"definitely", 2.0}, {"generally", 0.5},
};

TEST(FuzzyKeywordsTest, EachHedgeWordAndModifierRoundTrips) {
    ASSERT_EQ(std::size(HedgeRows), HedgeNames.size());
    for (int h = 0; h < static_cast<int>(std::size(HedgeRows)); ++h) {
        const auto hedge = static_cast<TFuzzyHedge>(h);
        const auto& [word, modifier] = HedgeRows[h];
        EXPECT_EQ(HedgeNames[hedge], word);
        EXPECT_EQ(HedgeModifiers[hedge], modifier) << word;
        TFuzzyHedge found = h == 0 ? TFuzzyHedge::fhGenerally : TFuzzyHedge::fhNot;
        EXPECT_TRUE(IsFuzzyHedge(word, found) && found == hedge) << word;
    }
}

TEST(FuzzyKeywordsTest, EachBaseHedgeSymbolRoundTripsInBothForms) {
    const char* symbols[] = {"+", "-", "*", "/", "^", "<", "<=", ">", ">="};
    ASSERT_EQ(std::size(symbols), BaseHedgeNames.size());
    for (int i = 0; i < static_cast<int>(std::size(symbols)); ++i) {
        const auto hedge = static_cast<TBaseFuzzyHedge>(i);
        EXPECT_EQ(BaseHedgeNames[hedge], std::string(symbols[i]));
        for (const bool modifyY : {true, false}) {
            TBaseFuzzyHedge found = i == 0 ? TBaseFuzzyHedge::bfhPower : TBaseFuzzyHedge::bfhAdd;
            bool foundY = !modifyY;
            EXPECT_TRUE(
                IsFuzzyHedgeOperator(symbols[i] + std::string(modifyY ? "" : "X"), found, foundY));
            EXPECT_EQ(found, hedge) << symbols[i];
            EXPECT_EQ(foundY, modifyY) << symbols[i];
        }
    }
}

TEST(FuzzyKeywordsTest, EachOperationNameAndConnectiveRoundTrips) {
    const struct {
        const char* Name;
        const char* Intersection;
        const char* Union;
    } rows[] = {
        {"zadeh", "and", "or"},
        {"mean", "and-mean", "or-mean"},
        {"mean-sqr", "and-meansqr", "or-meansqr"},
        {"mean-sqrt", "and-meansqrt", "or-meansqrt"},
        {"product", "and-product", "or-product"},
        {"bounded-sum", "and-boundedsum", "or-boundedsum"},
        {"sum", "and-sum", "or-sum"},
    };
    ASSERT_EQ(std::size(rows), FuzzyOperationNames.size());
    for (int i = 0; i < static_cast<int>(std::size(rows)); ++i) {
        const auto operation = static_cast<TFuzzyOperation>(i);
        const auto other = i == 0 ? TFuzzyOperation::foSum : TFuzzyOperation::foZadeh;
        TFuzzyOperation found = other;
        EXPECT_TRUE(IsFuzzyOperation(rows[i].Name, found) && found == operation) << rows[i].Name;
        for (const bool isUnion : {false, true}) {
            const char* word = isUnion ? rows[i].Union : rows[i].Intersection;
            bool foundUnion = !isUnion;
            found = other;
            EXPECT_TRUE(IsFuzzyKeyword(word, foundUnion, found)) << word;
            EXPECT_EQ(foundUnion, isUnion) << word;
            EXPECT_EQ(found, operation) << word;
        }
    }
}

TEST(FuzzyKeywordsTest, MethodNamesRoundTrip) {
    const char* inference[] = {"min-max", "sum", "mean", "product", "bounded-sum"};
    for (int i = 0; i < static_cast<int>(std::size(inference)); ++i) {
        TFuzzyInferenceMethod found =
            i == 4 ? TFuzzyInferenceMethod::fimMinMax : TFuzzyInferenceMethod::fimBoundedSum;
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
