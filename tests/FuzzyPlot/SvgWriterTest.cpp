// The drawing primitives: axes with round ticks and short labels, and SVG text that XML
// accepts whatever the names and the C locale.

#include <array>
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

// Round multiples inside the range, of a step that gives a handful of them.
TEST(PlotAxisTest, TicksAreRoundMultiplesInsideTheRange) {
    const struct {
        double From, To;
        std::vector<double> Ticks;
    } cases[] = {
        {-10, 10, {-10, -8, -6, -4, -2, 0, 2, 4, 6, 8, 10}},
        {0, 100, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
        {0.3, 2.9, {0.5, 1, 1.5, 2, 2.5}},
        {0, 41, {0, 5, 10, 15, 20, 25, 30, 35, 40}},
        {-7, -3, {-7, -6.5, -6, -5.5, -5, -4.5, -4, -3.5, -3}},
    };
    for (const auto& row : cases)
        EXPECT_EQ(TPlotAxis(row.From, row.To, 0, 100).GetTicks(), row.Ticks) << row.From;
}

// Huge and tiny ranges get their ticks; far from zero, where whole multiples of 0.1 near
// 1e16 differ by less than a double can tell apart, they stay bounded.
TEST(PlotAxisTest, ExtremeRangesGetBoundedTicks) {
    for (const auto& [from, to, step] :
         {std::array<double, 3>{0, 3e300, 5e299}, std::array<double, 3>{0, 1e-300, 1e-301}}) {
        const TPlotAxis axis(from, to, 0, 1);
        ASSERT_GE(axis.GetTicks().size(), 2u);
        EXPECT_EQ(axis.GetTicks().front(), 0);
        EXPECT_DOUBLE_EQ(axis.GetTicks()[1], step);
        EXPECT_LE(axis.GetTicks().back(), to);
    }
    const TPlotAxis far(1e15, 1e15 + 1, 0, 1);
    EXPECT_LE(far.GetTicks().size(), static_cast<std::size_t>(TPlotAxis::MaxTicks));
}

TEST(PlotAxisTest, WidensAnEmptyRangeAndRefusesAnUnboundedOne) {
    const TPlotAxis point = TPlotAxis::Widened(5, 5, 0, 1);
    EXPECT_EQ(point.GetFrom(), 4);
    EXPECT_EQ(point.GetTo(), 6);
    const TPlotAxis large = TPlotAxis::Widened(-300, -300, 0, 1);
    EXPECT_EQ(large.GetFrom(), -330);
    EXPECT_EQ(large.GetTo(), -270);
    const std::string message = "An axis needs a finite range with From below To";
    EXPECT_RAISES(TPlotAxis(1, 1, 0, 1), EArgumentOutOfRangeException, message);
    EXPECT_RAISES(TPlotAxis(-1e308, 1e308, 0, 1), EArgumentOutOfRangeException, message);
    EXPECT_RAISES(TPlotAxis::Widened(0, std::numeric_limits<double>::infinity(), 0, 1),
                  EArgumentOutOfRangeException, message);
}

TEST(PlotAxisTest, LabelsAreShortAndExact) {
    EXPECT_EQ(TPlotAxis::Label(-10), "-10");
    EXPECT_EQ(TPlotAxis::Label(3 * 0.1), "0.3");
    EXPECT_EQ(TPlotAxis::Label(1e300), "1e+300");
    EXPECT_EQ(TPlotAxis::Label(0), "0");
}

} // namespace
} // namespace fuzzy
