#include "platform/Strings.hpp"

#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

struct TConversionCase {
    std::string Text;
    std::optional<double> Expected; // nullopt: the text must not convert
};

TEST(StringsTest, TryStrToFloatAcceptsOnlyWholeCNotationNumbers) {
    const std::vector<TConversionCase> cases = {
        {"0.5", 0.5},    {" 12 ", 12.0}, {"-1.5e3", -1500.0}, {"+2", 2.0}, {".25", 0.25},
        {"1E-3", 0.001}, {"1e400", {}},  {"nan", {}},         {"inf", {}}, {"1,5", {}},
        {"", {}},        {" ", {}},      {"-", {}},           {".", {}},   {"+-5", {}},
        {"0x10", {}},    {"1e", {}},     {"12abc", {}},
    };
    for (const auto& [text, expected] : cases) {
        double value = -99.0;
        EXPECT_EQ(TryStrToFloat(text, value), expected.has_value()) << "text: '" << text << "'";
        EXPECT_EQ(value, expected.value_or(-99.0)) << "text: '" << text << "'";
    }
}

TEST(StringsTest, TryStrToIntAcceptsOnlyWhole32BitNumbers) {
    const std::int32_t min = std::numeric_limits<std::int32_t>::min();
    const std::int32_t max = std::numeric_limits<std::int32_t>::max();
    const std::vector<std::pair<std::string, std::optional<std::int32_t>>> cases = {
        {"0", 0},
        {" 12 ", 12},
        {"+7", 7},
        {"-2147483648", min},
        {"2147483647", max},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"1.0", {}},
        {"", {}},
        {"+", {}},
        {"+-5", {}},
        {"1 2", {}},
        {"0x10", {}},
    };
    for (const auto& [text, expected] : cases) {
        std::int32_t value = -99;
        EXPECT_EQ(TryStrToInt(text, value), expected.has_value()) << "text: '" << text << "'";
        EXPECT_EQ(value, expected.value_or(-99)) << "text: '" << text << "'";
    }
}

TEST(StringsTest, StrToNumberNamesTheBadText) {
    EXPECT_RAISES((void)StrToInt("abc"), EConvertError, "'abc' is not a valid integer value");
    EXPECT_RAISES((void)StrToFloat("1,5"), EConvertError,
                  "'1,5' is not a valid floating point value");
}

TEST(StringsTest, TrimRemovesControlCharactersAndSpacesOnly) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim("\x01x\x20"), "x");
    EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9"); // bytes above 127 belong to the text
    EXPECT_EQ(Trim("   "), "");
}

TEST(StringsTest, PosIsOneBasedAndZeroWhenAbsent) {
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
}

TEST(StringsTest, NumberCharacterClasses) {
    for (char c : std::string("0123456789+-."))
        EXPECT_TRUE(IsNumberChar(c)) << c;
    for (char c : std::string("eE ,x"))
        EXPECT_FALSE(IsNumberChar(c)) << c;
    for (char c : std::string("+-."))
        EXPECT_TRUE(IsNumberSymbol(c)) << c;
    for (char c : std::string("05e"))
        EXPECT_FALSE(IsNumberSymbol(c)) << c;
}

} // namespace
} // namespace fuzzy
