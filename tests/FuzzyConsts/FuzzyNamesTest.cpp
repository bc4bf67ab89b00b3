#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "FuzzyConsts/FuzzyConsts.hpp"

namespace fuzzy {
namespace {

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

TEST(RecogniserTest, HedgeWordsAreExactWholeAndCaseSensitive) {
    for (const char* word : {"Very", " very", "very ", "", "veryvery"}) {
        TFuzzyHedge hedge = TFuzzyHedge::fhAbout;
        EXPECT_FALSE(IsFuzzyHedge(word, hedge)) << word;
        EXPECT_FALSE(IsFuzzyHedge(word)) << word;
        EXPECT_EQ(hedge, TFuzzyHedge::fhAbout);
    }
    EXPECT_TRUE(IsFuzzyHedge("neighboring"));
}

TEST(RecogniserTest, HedgeOperatorsMatchPlainOrXFormOnly) {
    EXPECT_TRUE(IsFuzzyHedgeOperator("<X")); // each symbol's two forms: FuzzyKeywordsTest
    for (const char* text : {"X", "", "+x", "+XX", "X+", "=", "<=XX", " +"}) {
        TBaseFuzzyHedge hedge = TBaseFuzzyHedge::bfhPower;
        bool modifyY = true;
        EXPECT_FALSE(IsFuzzyHedgeOperator(text, hedge, modifyY)) << text;
        EXPECT_FALSE(IsFuzzyHedgeOperator(text)) << text;
        EXPECT_EQ(hedge, TBaseFuzzyHedge::bfhPower);
        EXPECT_TRUE(modifyY);
    }
}

TEST(RecogniserTest, MethodAndOperationWordsLeaveOutputUnchangedOnFailure) {
    TFuzzyOperation operation = TFuzzyOperation::foMean;
    EXPECT_FALSE(IsFuzzyOperation("and", operation));
    EXPECT_FALSE(IsFuzzyOperation("Sum", operation));
    EXPECT_EQ(operation, TFuzzyOperation::foMean);

    TFuzzyInferenceMethod inference = TFuzzyInferenceMethod::fimMean;
    EXPECT_FALSE(IsFuzzyInference("minmax", inference));
    EXPECT_EQ(inference, TFuzzyInferenceMethod::fimMean);

    TFuzzyCorrelationMethod correlation = TFuzzyCorrelationMethod::fcmProduct;
    EXPECT_FALSE(IsFuzzyCorrelation("min-max", correlation));
    EXPECT_EQ(correlation, TFuzzyCorrelationMethod::fcmProduct);
}

TEST(RecogniserTest, KeywordFailureSetsUnionButKeepsOperation) {
    for (const char* text : {"sum", "zadeh", "AND", "and-", "or-mean ", ""}) {
        bool isUnion = false;
        TFuzzyOperation operation = TFuzzyOperation::foMeanSqrt;
        EXPECT_FALSE(IsFuzzyKeyword(text, isUnion, operation)) << text;
        EXPECT_TRUE(isUnion);
        EXPECT_EQ(operation, TFuzzyOperation::foMeanSqrt);
    }
}

} // namespace
} // namespace fuzzy
