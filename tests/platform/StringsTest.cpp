// Numbers and strings as text: Format's directives, the strict conversions and the helpers.

#include "platform/Format.hpp"

#include <clocale>
#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "platform/Strings.hpp"
#include "support/CommaLocale.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

TEST(FormatTest, DirectivesWriteTheExpectedText) {
    const double inf = std::numeric_limits<double>::infinity();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {Format("%s in %s", "x", std::string("y")), "x in y"},
        {Format("%d|%d", 42, -7), "42|-7"},
        {Format("%9.9d", 42), "000000042"},
        {Format("%9.9d", -42), "-000000042"},
        {Format("[%5d][%-5d]", 42, 42), "[   42][42   ]"},
        {Format("%.4f", 0.5), "0.5000"},
        {Format("%.4f", 2.0 / 3.0), "0.6667"},
        {Format("%.4f", 0.00005), "0.0001"}, // the double lies just above the half
        {Format("%.4f", -0.00004), "0.0000"},
        {Format("%.4f", -0.0), "0.0000"},
        {Format("%.4f", 2147483647.0), "2147483647.0000"},
        {Format("%.4f", 3), "3.0000"},
        {Format("%.4f", 0.03125), "0.0313"}, // an exact half rounds away from zero
        {Format("%.4f", -0.03125), "-0.0313"},
        {Format("%.2f", 2.675), "2.67"}, // the double lies just below the half
        {Format("%.1f", 9.96), "10.0"},
        {Format("%.0f", 0.5), "1"},
        {Format("%.4f|%.4f|%.4f", std::nan(""), inf, -inf), "NAN|INF|-INF"},
        {Format("100%%"), "100%"},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected);
}

TEST(FormatTest, HugeValuesAreWrittenInFull) {
    const std::string text = Format("%.4f", 1e308);
    EXPECT_EQ(text.size(), 309u + 5u);
    // Seventeen significant digits, as the value is known, then zeros.
    EXPECT_EQ(text.substr(0, 20), "10000000000000000000");
    EXPECT_EQ(text.substr(text.size() - 5), ".0000");
}

TEST(FormatTest, MismatchedOrMissingArgumentsRaiseConvertError) {
    const std::vector<std::pair<std::string, std::function<void()>>> cases = {
        {"%d", [] { (void)Format("%d", "x"); }},     {"%d", [] { (void)Format("%d", 1.5); }},
        {"%s", [] { (void)Format("%s", 5); }},       {"%.4f", [] { (void)Format("%.4f", "x"); }},
        {"%d %d", [] { (void)Format("%d %d", 1); }}, {"%x", [] { (void)Format("%x", 1); }},
        {"50%", [] { (void)Format("50%", 1); }},
    };
    for (const auto& formatCase : cases)
        EXPECT_RAISES(formatCase.second(), EConvertError,
                      "Format '" + formatCase.first + "' invalid or incompatible with argument");
    EXPECT_RAISES((void)FormatFixed(1, -1), EArgumentOutOfRangeException,
                  "Invalid number of decimals: -1");
}

TEST(FormatTest, NumbersIgnoreTheCLocale) {
    const test::TCommaLocale locale;
    if (locale.Name() == nullptr)
        return test::SkipOrFailWithoutCommaLocale();
    ASSERT_STREQ(std::localeconv()->decimal_point, ",") << locale.Name();
    EXPECT_EQ(Format("%.4f", 0.5), "0.5000");
    double value = 0;
    EXPECT_TRUE(TryStrToFloat("0.5", value));
    EXPECT_EQ(value, 0.5);
    EXPECT_FALSE(TryStrToFloat("0,5", value));
}

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

} // namespace
} // namespace fuzzy
