#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyPlot/FuzzyPlot.hpp"
#include "support/CommaLocale.hpp"
#include "support/Raises.hpp"
#include "support/TextParts.hpp"

namespace fuzzy {
namespace {

// Character data XML accepts: markup escaped, control bytes dropped, and every byte that is
// not part of a well-formed UTF-8 character replaced by U+FFFD.
TEST(SvgWriterTest, XmlEscapeGivesCharacterDataXmlAccepts) {
    const std::string FFFD = "\xEF\xBF\xBD";
    const struct {
        const char* Name;
        std::string Text;
        std::string Escaped;
    } cases[] = {
        {"Plain", "warm K/min %", "warm K/min %"},
        {"Markup", "a<b & c>\"d\" 'e'", "a&lt;b &amp; c&gt;&quot;d&quot; &apos;e&apos;"},
        {"ControlBytesDropped", std::string("a\x01\x1F\0b", 5), "ab"},
        {"TabAndLineBreaksKept", "a\tb\nc\r", "a\tb\nc\r"},
        {"TwoThreeAndFourByteCharacters", "\u00B0C \u2014 \U0001F525", "\u00B0C \u2014 \U0001F525"},
        // In octal: a hex escape would take the letter after it along.
        {"Latin1Byte", "\260C", FFFD + "C"},
        {"LoneContinuationByte", "a\200b", "a" + FFFD + "b"},
        {"OverlongSlash", "\xC0\xAF", FFFD + FFFD},
        {"OverlongThreeBytes", "\xE0\x80\xAF", FFFD + FFFD + FFFD},
        {"Surrogate", "\xED\xA0\x80", FFFD + FFFD + FFFD},
        {"BeyondUnicode", "\xF4\x90\x80\x80", FFFD + FFFD + FFFD + FFFD},
        {"NotACharacterFFFF", "\xEF\xBF\xBF", FFFD + FFFD + FFFD},
        {"CutShortAtTheEnd", "a\xE2\x80", "a" + FFFD + FFFD},
    };
    for (const auto& row : cases)
        EXPECT_EQ(XmlEscape(row.Text), row.Escaped) << row.Name;
}

TEST(SvgWriterTest, WritesAnSvg11DocumentWithItsElements) {
    TSvgWriter svg(200, 100, "a & b");
    const std::vector<TSvgPoint> points{{0, 0}, {10.5, 20.25}};
    TSvgStroke dashed;
    dashed.Colour = "#ff0000";
    dashed.Dashes = "4 2";
    svg.Polyline(points, dashed);
    svg.Polygon(points, "blue", 0.3, TSvgStroke::None());
    TSvgTextStyle style;
    style.Anchor = TSvgAnchor::saEnd;
    style.Rotation = -90;
    svg.Text({5, 6}, "x<y", style);
    const std::string text = svg.ToString();

    EXPECT_TRUE(text.starts_with("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                                 "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\""));
    test::ExpectParts(
        text, {"<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"200.00\" "
               "height=\"100.00\" viewBox=\"0 0 200.00 100.00\"",
               "<title>a &amp; b</title>",
               "<polyline fill=\"none\" stroke-linejoin=\"round\" stroke=\"#ff0000\" "
               "stroke-width=\"1.00\" stroke-dasharray=\"4 2\" points=\"0.00,0.00 10.50,20.25\"/>",
               "<polygon fill=\"blue\" fill-opacity=\"0.30\" stroke-linejoin=\"round\" "
               "stroke=\"none\" points=\"0.00,0.00 10.50,20.25\"/>",
               "text-anchor=\"end\" fill=\"black\" transform=\"rotate(-90.00 5.00 "
               "6.00)\">x&lt;y</text>"});
    EXPECT_TRUE(text.ends_with("</svg>\n"));
}

TEST(SvgWriterTest, WritesPointsWhateverTheCLocale) {
    test::TCommaLocale locale;
    if (locale.Name() == nullptr)
        return test::SkipOrFailWithoutCommaLocale();
    TSvgWriter svg(10, 10, "");
    svg.Line({0.5, 1.25}, {2, 3}, {});
    EXPECT_NE(svg.ToString().find("x1=\"0.50\" y1=\"1.25\""), std::string::npos);
    EXPECT_EQ(TPlotAxis::Label(0.25), "0.25");
}

TEST(SvgWriterTest, RefusesWhatWouldNotRead) {
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    constexpr double infinity = std::numeric_limits<double>::infinity();
    const std::string size = "A drawing needs a finite, positive size";
    EXPECT_RAISES(TSvgWriter(0, 10, ""), EArgumentOutOfRangeException, size);
    EXPECT_RAISES(TSvgWriter(10, nan, ""), EArgumentOutOfRangeException, size);
    EXPECT_RAISES(TSvgWriter(infinity, 10, ""), EArgumentOutOfRangeException, size);

    TSvgWriter svg(10, 10, "");
    const std::string before = svg.ToString();
    EXPECT_RAISES(svg.Line({0, nan}, {1, 1}, {}), EArgumentOutOfRangeException,
                  "A drawing coordinate must be a finite number");
    EXPECT_RAISES(svg.Text({infinity, 0}, "x", {}), EArgumentOutOfRangeException,
                  "A drawing coordinate must be a finite number");
}

} // namespace
} // namespace fuzzy
