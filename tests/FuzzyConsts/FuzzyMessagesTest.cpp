#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "FuzzyConsts/FuzzyConsts.hpp"

namespace fuzzy {
namespace {

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
