#include "platform/Format.hpp"

#include <clocale>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
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

} // namespace
} // namespace fuzzy
