#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyPlot/FuzzyPlot.hpp"
#include "FuzzyRules/FuzzyRuleParser.hpp"
#include "HeaterController.hpp"
#include "support/ParserFixture.hpp"
#include "support/Raises.hpp"
#include "support/SvgTools.hpp"
#include "support/TextParts.hpp"

namespace fuzzy {
namespace {

/// A logic component reading definitions with rules (the heater's file holds its rules),
/// whose variables the charts draw.
struct TRulesReadLogic : test::TBasicParsedLogic<TFuzzyLogic, TKelFuzzyRuleParser> {
    TRulesReadLogic() { Parser->SetReadRules(true); }
};

/// The number of times Part occurs in Text.
int Occurrences(const std::string& Text, const std::string& Part) {
    int count = 0;
    for (std::size_t at = Text.find(Part); at != std::string::npos; at = Text.find(Part, at + 1))
        ++count;
    return count;
}

// Points are in drawing units: the plotting area of a chart at the origin runs from x 64 to
// 544 and from y 244 (degree 0) up to 36 (degree 1).
class VariablePlotTest : public ::testing::Test, public TRulesReadLogic {};

TEST_F(VariablePlotTest, DrawsEachTermOverTheRangeWithTitleUnitsAndLegend) {
    Read(THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    TVariablePlot plot(*Variable("power"));
    plot.AddTerms(*Variable("power"));
    const std::string svg = PlotsToSvg({&plot, 1}, "test");
    EXPECT_EQ(Occurrences(svg, "<polyline"), 5);
    std::size_t at = 0;
    for (const char* term : {">off<", ">low<", ">medium<", ">high<", ">full<"}) {
        at = svg.find(term, at);
        EXPECT_NE(at, std::string::npos) << term << " missing or out of order";
    }
    test::ExpectParts(svg,
                      {">power \u2014 heater power</text>", ">power (%)</text>",
                       ">degree of membership</text>", ">0<", ">50<", ">100<", ">0.5<", ">1<"});
    // "low" is (tri 0 25 50): up from the range's start, down to 0 at 50, 0 to the end.
    EXPECT_NE(svg.find("points=\"64.00,244.00 184.00,36.00 304.00,244.00 544.00,244.00\""),
              std::string::npos);
}

// The parser keeps points inside the range; a narrower range set afterwards does not: the
// curves are cut at the range and run on flat to its ends. An area is closed along the X
// axis; one known by its points takes the curve's degree where it crosses an end and runs
// on flat beyond its first and last point.
TEST_F(VariablePlotTest, DrawsCurvesAreasMarkersAndNotesInsideTheRange) {
    Read("(deffuzzy v (range -5 15) (values"
         " (term wide ((-5 0) (5 1) (15 0)))"
         " (term late ((2 0) (4 1)))))");
    Variable("v")->SetMinimum(0);
    Variable("v")->SetMaximum(10);
    TVariablePlot plot(*Variable("v"));
    plot.AddTerms(*Variable("v"));
    plot.AddArea(*Term("v", "late"), "solution");
    const std::vector<TSvgPoint> crossing{{-5, 0}, {5, 1}, {8, 0.5}};
    plot.AddArea(crossing, "crossing");
    const std::vector<TSvgPoint> inside{{2, 0.25}, {4, 0.75}};
    plot.AddArea(inside, "inside");
    plot.AddMarker(5, "centroid 5");
    plot.AddMarker(11, "beyond the range");
    plot.AddNote("no rule fired: w has no value");
    const std::string svg = PlotsToSvg({&plot, 1}, "test");
    test::ExpectParts(
        svg, {"points=\"64.00,140.00 304.00,36.00 544.00,140.00\"",
              "points=\"64.00,244.00 160.00,244.00 256.00,36.00 544.00,36.00\"",
              "<polygon fill=\"#2ca02c\" fill-opacity=\"0.30\" stroke-linejoin=\"round\" "
              "stroke=\"#2ca02c\" stroke-width=\"2.00\" points=\"64.00,244.00 160.00,244.00 "
              "256.00,36.00 544.00,36.00 544.00,244.00 64.00,244.00\"/>",
              "points=\"64.00,140.00 304.00,36.00 448.00,140.00 544.00,140.00 544.00,244.00 "
              "64.00,244.00\"",
              "points=\"64.00,192.00 160.00,192.00 256.00,88.00 544.00,88.00 544.00,244.00 "
              "64.00,244.00\"",
              "<line x1=\"304.00\" y1=\"244.00\" x2=\"304.00\" y2=\"36.00\" stroke=\"black\" "
              "stroke-width=\"1.50\" stroke-dasharray=\"4 2\"/>",
              ">centroid 5</text>", ">solution</text>", ">no rule fired: w has no value</text>",
              ">v</text>"}); // without units the axis is the name alone
    EXPECT_EQ(svg.find("beyond the range"), std::string::npos);
    EXPECT_RAISES(plot.AddMarker(std::numeric_limits<double>::quiet_NaN(), "x"),
                  EArgumentOutOfRangeException, "A marker needs a finite value");
    Variable("v")->SetMinimum(-1e308);
    Variable("v")->SetMaximum(1e308);
    EXPECT_RAISES(TVariablePlot{*Variable("v")}, EArgumentOutOfRangeException,
                  "An axis needs a finite range with From below To");
}

TEST_F(VariablePlotTest, ALongLegendMakesTheChartTallerAndWider) {
    Read("(deffuzzy v (range 0 1) (values (term a (tri 0 0.5 1))))");
    TVariablePlot plot(*Variable("v"));
    const double width = plot.GetWidth();
    for (int i = 0; i < 20; ++i)
        plot.AddCurve(*Term("v", "a"), "a rather long name of a term");
    EXPECT_GT(plot.GetHeight(), TVariablePlot::Height);
    EXPECT_GT(plot.GetWidth(), width);
}

/// The heater's terms, and names with markup and bytes that are not UTF-8.
std::string SampleDocument() {
    TRulesReadLogic logic;
    logic.Read(THeaterController::ReadDefinitionFile(FUZZY_EXAMPLES_DIR "/heater.fuzzy"));
    logic.Read("(deffuzzy odd \"a <b> & \xB0 c\" (range 5 5) (units \"\x01\xFF\")"
               " (values (term xy (tri 4 5 6))))");
    std::vector<TVariablePlot> plots;
    for (const TFuzzyVariable* variable : *logic.Logic->GetItems()) {
        plots.emplace_back(*variable);
        plots.back().AddTerms(*variable);
    }
    return PlotsToSvg(plots, "heater & <odd>");
}

TEST(VariablePlotRenderingTest, IsWellFormedXml) {
    if (!test::HaveProgram("xmllint"))
        return test::SkipOrFailWithout("xmllint");
    const test::TScratchFile svg("well-formed.svg");
    svg.Write(SampleDocument());
    EXPECT_EQ(test::RunQuietly("xmllint --noout --nonet " + svg.Path()), 0);
}

TEST(VariablePlotRenderingTest, RendersToAPicture) {
    if (!test::HaveProgram("rsvg-convert"))
        return test::SkipOrFailWithout("rsvg-convert");
    const test::TScratchFile svg("rendered.svg"), png("rendered.png");
    svg.Write(SampleDocument());
    ASSERT_EQ(test::RunQuietly("rsvg-convert -o " + png.Path() + " " + svg.Path()), 0);
    EXPECT_GT(std::filesystem::file_size(png.Path()), 1000u);
}

} // namespace
} // namespace fuzzy
