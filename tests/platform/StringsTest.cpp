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
    const std::pair<std::string, std::string> cases[] = {
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
        // Huge values in full: seventeen significant digits, as the value is known, then zeros.
        {Format("%.4f", 1e308), "10000000000000000" + std::string(292, '0') + ".0000"},
    };
    for (const auto& [actual, expected] : cases)
        EXPECT_EQ(actual, expected);
}

TEST(FormatTest, MismatchedOrMissingArgumentsRaiseConvertError) {
    const std::pair<std::string, std::function<void()>> cases[] = {
        {"%d", [] { (void)Format("%d", "x"); }},     {"%d", [] { (void)Format("%d", 1.5); }},
        {"%s", [] { (void)Format("%s", 5); }},       {"%.4f", [] { (void)Format("%.4f", "x"); }},
        {"%d %d", [] { (void)Format("%d %d", 1); }}, {"%x", [] { (void)Format("%x", 1); }},
        {"50%", [] { (void)Format("50%", 1); }},
    };
    for (const auto& c : cases)
        EXPECT_RAISES(c.second(), EConvertError,
                      "Format '" + c.first + "' invalid or incompatible with argument");
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

// Only whole numbers in C notation convert (integers within 32 bits); a text that does not
// leaves the value as it was, and the raising forms name it.
TEST(StringsTest, ConversionsAcceptOnlyWholeNumbers) {
    const std::pair<std::string, std::optional<double>> floats[] = {
        {"0.5", 0.5},    {" 12 ", 12.0}, {"-1.5e3", -1500.0}, {"+2", 2.0}, {".25", 0.25},
        {"1E-3", 0.001}, {"1e400", {}},  {"nan", {}},         {"inf", {}}, {"1,5", {}},
        {"", {}},        {" ", {}},      {"-", {}},           {".", {}},   {"+-5", {}},
        {"0x10", {}},    {"1e", {}},     {"12abc", {}},
    };
    for (const auto& [text, expected] : floats) {
        double value = -99.0;
        EXPECT_EQ(TryStrToFloat(text, value), expected.has_value()) << "text: '" << text << "'";
        EXPECT_EQ(value, expected.value_or(-99.0)) << "text: '" << text << "'";
    }
    const std::pair<std::string, std::optional<std::int32_t>> integers[] = {
        {"0", 0},
        {" 12 ", 12},
        {"+7", 7},
        {"-2147483648", INT32_MIN},
        {"2147483647", INT32_MAX},
        {"2147483648", {}},
        {"-2147483649", {}},
        {"1.0", {}},
        {"", {}},
        {"+", {}},
        {"+-5", {}},
        {"1 2", {}},
        {"0x10", {}},
    };
    for (const auto& [text, expected] : integers) {
        std::int32_t value = -99;
        EXPECT_EQ(TryStrToInt(text, value), expected.has_value()) << "text: '" << text << "'";
        EXPECT_EQ(value, expected.value_or(-99)) << "text: '" << text << "'";
    }
    EXPECT_RAISES((void)StrToInt("abc"), EConvertError, "'abc' is not a valid integer value");
    EXPECT_RAISES((void)StrToFloat("1,5"), EConvertError,
                  "'1,5' is not a valid floating point value");
}

// Trim removes control characters and spaces only; Pos is one-based and 0 when absent.
TEST(StringsTest, TrimAndPos) {
    EXPECT_EQ(Trim(" \t a b \r\n"), "a b");
    EXPECT_EQ(Trim("\x01x\x20"), "x");
    EXPECT_EQ(Trim("\xC3\xA9 "), "\xC3\xA9"); // bytes above 127 belong to the text
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(Pos("b", "abcb"), 2);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
}

} // namespace
} // namespace fuzzy
