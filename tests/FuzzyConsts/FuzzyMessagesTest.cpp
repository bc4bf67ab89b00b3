#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <utility>

#include "FuzzyConsts/FuzzyConsts.hpp"

namespace fuzzy {
namespace {

TEST(FuzzyMessagesTest, TextsAreWordForWord) {
    const std::pair<const char*, const char*> texts[] = {
        {SFuzzySetEmpty, "Invalid operation: \"%s\".  Fuzzy set is empty"},
        {SInvalidFuzzySetName, "Invalid fuzzy set name, \"%s\" is a reserved word"},
        {SInvalidFuzzyVarName, "Invalid fuzzy variable name, \"%s\""},
        {SMissingFuzzyVariable, "Missing fuzzy linguistic variable"},
        {SMax3XValues, "Invalid x value.  Maximum of 3 values with same X value: %.4f"},
        {SInvalidFuzzyOperation, "Invalid fuzzy operation: \"%s:"},
        {SInvalidXRangeIndex, "Invalid index argument to GetXRange.  Index = %d"},
        {SInvalidRangeArguments,
         "Invalid range arguments.  Left (%.4f) is greater than right (%.4f)"},
        {SParserUnassigned, "Parser not assigned.  Cannot parse"},
        {SFzyParseError, "Parsing Error, %s in %s at line %s: \"%s\""},
        {SFzyArgNumWrong, "Number of arguments for function, %s, incorrect.  Expected \"%s\""},
        {SFzyArgMinNumWrong,
         "Minimum number of arguments for function, %s, incorrect.  Expected %d or more"},
        {SFzyArgTypeWrong, "Data Types of arguments for function, %s, incorrect.  Expected %s"},
        {SPIArgsExpected, "\"Left Right Center\" or \"Range Center\""},
        {STriArgsExpected, "\"Left Middle Right\""},
        {SCurveArgsExpected, "\"Left Right Inflection_Point\""},
        {SBetaArgsExpected,
         "\"Range Center Inflection_Point\" or \"Range Center Inflection_Point Weight\""},
        {SFuzzyLogicNotSet, "Fuzzy Logic component must be specified to parse"},
        {SFuzzyLogicNotTFuzzyLogic,
         "FuzzyLogic property must be of type TFuzzyLogic or descendant"},
        {SFuzzyLogicNotTIFuzzyLogic,
         "FuzzyLogic property must be of type TIFuzzyLogic or descendant"},
        {SUnknownFuzzySetName, "Unknown Fuzzy Set name: \"%s\""},
        {SUnknownFuzzyVarName, "Unknown Fuzzy Variable name: \"%s\""},
        {SUnknownFunctionName, "Unknown function name: \"%s\""},
        {SLowFuzzyTerm, "low"},
        {SMediumFuzzyTerm, "medium"},
        {SHighFuzzyTerm, "high"},
    };
    for (const auto& [text, expected] : texts)
        EXPECT_STREQ(text, expected);
}

TEST(FuzzyExceptionsTest, FormatsItsMessageAndIsCaughtAsEveryBase) {
    try {
        throw EFzyException(SInvalidXRangeIndex, 2);
    } catch (const EKelException& e) {
        EXPECT_STREQ(e.what(), "Invalid index argument to GetXRange.  Index = 2");
    }
    try {
        throw EFzyException(SInvalidRangeArguments, 2.5, -1.0);
    } catch (const Exception& e) {
        EXPECT_EQ(e.GetMessage(),
                  "Invalid range arguments.  Left (2.5000) is greater than right (-1.0000)");
    }
    // Without arguments the text stands as given: no directive is expanded.
    EXPECT_STREQ(EFzyException(std::string(SFuzzySetEmpty)).what(), SFuzzySetEmpty);
    EXPECT_THROW(throw EFzyException(SParserUnassigned), std::exception);
}

TEST(FuzzyExceptionsTest, ParseExceptionCarriesItsLine) {
    try {
        throw EFzyParseException(TParseLine(12), SFzyArgNumWrong, "tri", STriArgsExpected);
    } catch (const EFzyException& e) {
        const auto* parse = dynamic_cast<const EFzyParseException*>(&e);
        ASSERT_NE(parse, nullptr);
        EXPECT_EQ(parse->GetLineNumber(), 12);
        EXPECT_STREQ(e.what(), "Number of arguments for function, tri, incorrect.  "
                               "Expected \"\"Left Middle Right\"\"");
    }
    const EFzyParseException lined(TParseLine(3), SFuzzyLogicNotSet);
    EXPECT_EQ(lined.GetLineNumber(), 3);
    EXPECT_STREQ(lined.what(), "Fuzzy Logic component must be specified to parse");

    const EFzyParseException unlined(SUnknownFunctionName, "gauss");
    EXPECT_EQ(unlined.GetLineNumber(), 0);
    EXPECT_STREQ(unlined.what(), "Unknown function name: \"gauss\"");
}

} // namespace
} // namespace fuzzy
