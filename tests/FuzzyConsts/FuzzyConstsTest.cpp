#include <gtest/gtest.h>

#include <string>
#include <utility>

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
    EXPECT_EQ(GetEnumName(TFuzzyOperation::foSum), "foSum");
    EXPECT_EQ(GetEnumName(TBaseFuzzyHedge::bfgCutLessEq), "bfgCutLessEq");
    EXPECT_EQ(GetEnumName(TFuzzySetType::fstGrowthCurve), "fstGrowthCurve");
    EXPECT_EQ(GetEnumName(TFuzzyStreamTokenType::fstIFuzzySet), "fstIFuzzySet");
    EXPECT_EQ(GetEnumName(TDefuzzificationMethod::dmMeanOfMaxima), "dmMeanOfMaxima");
    EXPECT_EQ(GetEnumName(TFuzzyInferenceMethod::fimBoundedSum), "fimBoundedSum");
    EXPECT_EQ(GetEnumName(TXYUpdateType::utY), "utY");
    EXPECT_EQ(GetEnumName(static_cast<TFuzzyCorrelationMethod>(7)), "7");
}

// Sets a name setting for one test and restores it, so other tests see the defaults.
class TSettingGuard {
public:
    TSettingGuard(std::string& setting, std::string value)
        : FSetting(setting), FSaved(std::exchange(setting, std::move(value))) {}
    ~TSettingGuard() { FSetting = FSaved; }

private:
    std::string& FSetting;
    std::string FSaved;
};

TEST(CreateFuzzyNameTest, OperandsAreBracketedOnlyWhenTheyHoldASpace) {
    const std::pair<std::string, const char*> cases[] = {
        {CreateFuzzyName(TFuzzyHedge::fhVery, "tall"), "very tall"},
        {CreateFuzzyName(TFuzzyHedge::fhVery, "quite tall"), "very [quite tall]"},
        {CreateFuzzyName(TFuzzyHedge::fhNot, "a\tb"), "not a\tb"},
        {CreateFuzzyName(TFuzzyHedge::fhVery, ""), "very "},
        {CreateFuzzyName(TBaseFuzzyHedge::bfgCutLessEq, true, "big set"), "<= [big set]"},
        {CreateFuzzyName(TBaseFuzzyHedge::bfhAdd, false, "a"), "+X a"},
        {CreateFuzzyName("cold", "hot", "or"), "cold or hot"},
        {CreateFuzzyName("a b", "c", "and"), "[a b] and c"},
        {CreateFuzzyName("a", "c d", "and mean"), "a and mean [c d]"},
        {CreateFuzzyName("tall", "+", 0.5), "tall + 0.5000"},
        {CreateFuzzyName("big set", "+X", 2), "[big set] +X 2.0000"},
        {CreateFuzzyName("t", "*", -0.25), "t * -0.2500"},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected);
}

TEST(CreateFuzzyNameTest, NumberFormatAndBracketsAreTheCurrentSettings) {
    {
        TSettingGuard format(FuzzyFormatStr, "%.1f");
        EXPECT_EQ(CreateFuzzyName("tall", "+", 0.25), "tall + 0.3"); // a half rounds up
        TSettingGuard badFormat(FuzzyFormatStr, "%s");
        EXPECT_THROW((void)CreateFuzzyName("tall", "+", 0.25), EConvertError);
    }
    EXPECT_EQ(CreateFuzzyName("tall", "+", 0.5), "tall + 0.5000");
    TSettingGuard left(LeftFuzzyParentheses, "(");
    TSettingGuard right(RightFuzzyParentheses, ")");
    EXPECT_EQ(CreateFuzzyName(TFuzzyHedge::fhVery, "quite tall"), "very (quite tall)");
}

// The number of a name is written as the whole format would write it, whether the format
// is one plain fixed-point directive or anything else; a refused format names itself
// whole in its message.
TEST(CreateFuzzyNameTest, NumberIsWrittenAsTheWholeFormatWritesIt) {
    const std::pair<const char*, const char*> cases[] = {
        {"%.0f", "t + 2"},       {"%.2f", "t + 2.46"},    {"%.12f", "t + 2.456000000000"},
        {"%6.1f", "t +    2.5"}, {"<%.1f>", "t + <2.5>"}, {"%.1f%%", "t + 2.5%"},
    };
    for (const auto& [format, expected] : cases) {
        TSettingGuard setting(FuzzyFormatStr, format);
        EXPECT_EQ(CreateFuzzyName("t", "+", 2.456), expected) << format;
    }
    TSettingGuard tooPrecise(FuzzyFormatStr, "%.1001f");
    EXPECT_RAISES((void)CreateFuzzyName("t", "+", 2.456), EConvertError,
                  "Format '%s %s %.1001f' invalid or incompatible with argument");
}

TEST(FormatFuzzyExpressionTest, BracketsUnlessAlreadyOneOperand) {
    const std::pair<const char*, const char*> cases[] = {
        {"tall", "tall"},         {"a b", "[a b]"},
        {"[a b]", "[a b]"},       {"[a] or [b]", "[[a] or [b]]"},
        {"[a] [b]", "[[a] [b]]"}, {"[a [b] c]", "[a [b] c]"},
        {"[[a] b]", "[[a] b]"},   {"[a", "[a"},
        {"  x  ", "x"},           {"\t[a b]\n", "[a b]"},
        {" a b ", "[ a b ]"},     {"a\tb", "a\tb"},
        {"[ ]", "[ ]"},           {"", ""},
    };
    for (const auto& [input, expected] : cases)
        EXPECT_EQ(FormatFuzzyExpression(input), expected) << '"' << input << '"';
}

// Every hedge in declaration order, with its word and the constant it works with.
const std::pair<const char*, TFzyFloat> HedgeRows[] = {
    {"not", 0.0},        {"somewhat", 1.0 / 3.0}, {"moreorless", 0.5}, {"greatly", 0.7},
    {"plus", 1.25},      {"very", 2.0},           {"extremely", 3.0},  {"above", 0.0},
    {"below", 0.0},      {"slightly", 0.0},       {"normalize", 0.0},  {"about", 2.0},
    {"vicinity", 4.0},   {"close", 1.2},          {"near", 1.2},       {"neighboring", 1.2},
    {"positively", 2.0}, {"absolutely", 2.0},     {"definitely", 2.0}, {"generally", 0.5},
};

// Each word is recognised whole and exactly (case included) as its own hedge; a word
// that is not one leaves the output alone.
TEST(RecogniserTest, HedgeWordsAndModifiersRoundTrip) {
    ASSERT_EQ(std::size(HedgeRows), HedgeNames.size());
    for (int h = 0; h < static_cast<int>(std::size(HedgeRows)); ++h) {
        const auto hedge = static_cast<TFuzzyHedge>(h);
        const auto& [word, modifier] = HedgeRows[h];
        EXPECT_EQ(HedgeNames[hedge], word);
        EXPECT_EQ(HedgeModifiers[hedge], modifier) << word;
        TFuzzyHedge found = h == 0 ? TFuzzyHedge::fhGenerally : TFuzzyHedge::fhNot;
        EXPECT_TRUE(IsFuzzyHedge(word, found) && found == hedge) << word;
    }
    for (const char* word : {"Very", " very", "very ", "", "veryvery"}) {
        TFuzzyHedge hedge = TFuzzyHedge::fhAbout;
        EXPECT_FALSE(IsFuzzyHedge(word, hedge) || IsFuzzyHedge(word)) << word;
        EXPECT_EQ(hedge, TFuzzyHedge::fhAbout);
    }
}

// Each symbol in its plain form (of Y) and its X form (of X), and nothing else.
TEST(RecogniserTest, BaseHedgeSymbolsRoundTripInBothForms) {
    const char* symbols[] = {"+", "-", "*", "/", "^", "<", "<=", ">", ">="};
    ASSERT_EQ(std::size(symbols), BaseHedgeNames.size());
    for (int i = 0; i < static_cast<int>(std::size(symbols)); ++i) {
        const auto hedge = static_cast<TBaseFuzzyHedge>(i);
        EXPECT_EQ(BaseHedgeNames[hedge], std::string(symbols[i]));
        for (const bool modifyY : {true, false}) {
            TBaseFuzzyHedge found = i == 0 ? TBaseFuzzyHedge::bfhPower : TBaseFuzzyHedge::bfhAdd;
            bool foundY = !modifyY;
            const std::string text = symbols[i] + std::string(modifyY ? "" : "X");
            EXPECT_TRUE(IsFuzzyHedgeOperator(text, found, foundY) && IsFuzzyHedgeOperator(text));
            EXPECT_TRUE(found == hedge && foundY == modifyY) << text;
        }
    }
    for (const char* text : {"X", "", "+x", "+XX", "X+", "=", "<=XX", " +"}) {
        TBaseFuzzyHedge hedge = TBaseFuzzyHedge::bfhPower;
        bool modifyY = true;
        EXPECT_FALSE(IsFuzzyHedgeOperator(text, hedge, modifyY) || IsFuzzyHedgeOperator(text));
        EXPECT_TRUE(hedge == TBaseFuzzyHedge::bfhPower && modifyY) << text;
    }
}

// A failed keyword says union but keeps the operation; other failed words keep the output.
TEST(RecogniserTest, OperationNamesConnectivesAndMethodsRoundTrip) {
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
            EXPECT_TRUE(foundUnion == isUnion && found == operation) << word;
        }
    }
    for (const char* text : {"sum", "zadeh", "AND", "and-", "or-mean ", ""}) {
        bool isUnion = false;
        TFuzzyOperation operation = TFuzzyOperation::foMeanSqrt;
        EXPECT_FALSE(IsFuzzyKeyword(text, isUnion, operation)) << text;
        EXPECT_TRUE(isUnion && operation == TFuzzyOperation::foMeanSqrt) << text;
    }
    TFuzzyOperation operation = TFuzzyOperation::foMean;
    EXPECT_FALSE(IsFuzzyOperation("and", operation) || IsFuzzyOperation("Sum", operation));
    EXPECT_EQ(operation, TFuzzyOperation::foMean);

    const char* inference[] = {"min-max", "sum", "mean", "product", "bounded-sum"};
    for (int i = 0; i < static_cast<int>(std::size(inference)); ++i) {
        TFuzzyInferenceMethod found =
            i == 4 ? TFuzzyInferenceMethod::fimMinMax : TFuzzyInferenceMethod::fimBoundedSum;
        EXPECT_TRUE(IsFuzzyInference(inference[i], found));
        EXPECT_EQ(found, static_cast<TFuzzyInferenceMethod>(i)) << inference[i];
    }
    TFuzzyInferenceMethod inferenceMethod = TFuzzyInferenceMethod::fimMean;
    EXPECT_FALSE(IsFuzzyInference("minmax", inferenceMethod));
    EXPECT_EQ(inferenceMethod, TFuzzyInferenceMethod::fimMean);
    TFuzzyCorrelationMethod correlation = TFuzzyCorrelationMethod::fcmMinimum;
    EXPECT_TRUE(IsFuzzyCorrelation("product", correlation));
    EXPECT_EQ(correlation, TFuzzyCorrelationMethod::fcmProduct);
    EXPECT_FALSE(IsFuzzyCorrelation("min-max", correlation));
    EXPECT_TRUE(IsFuzzyCorrelation("minimum", correlation));
    EXPECT_EQ(correlation, TFuzzyCorrelationMethod::fcmMinimum);
}

} // namespace
} // namespace fuzzy
