// fuzzy plot with --input: the chart of an output shows the conclusions, solution set and
// value of the library's rule path, placed where the explanation of the same pass puts them.

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyRules/FuzzyRules.hpp"
#include "ToolFixture.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

// A chart at the top of the picture maps its range onto x 64..544 and the degrees 0..1
// onto y 244..36 (the power's range is 0..100).
double PowerX(double Value) {
    return 64 + 480 * Value / 100;
}
double DegreeY(double Degree) {
    return 244 - 208 * Degree;
}

struct TDrawnPoint {
    double X, Y;
};

/// The points of the Index-th element named Element (from 0), as drawn.
std::vector<TDrawnPoint> DrawnPoints(const std::string& Svg, const std::string& Element,
                                     int Index) {
    std::size_t at = Svg.find("<" + Element);
    for (int i = 0; i < Index && at != std::string::npos; ++i)
        at = Svg.find("<" + Element, at + 1);
    std::vector<TDrawnPoint> points;
    if (at == std::string::npos)
        return points;
    at = Svg.find("points=\"", at) + 8;
    std::istringstream text(Svg.substr(at, Svg.find('"', at) - at));
    TDrawnPoint point{};
    char comma = 0;
    while (text >> point.X >> comma >> point.Y)
        points.push_back(point);
    return points;
}

/// The heater evaluated through the rule objects on the inputs the demo explains.
class HeaterPass : public TBasicParsedLogic<TFuzzyRuleLogic, TKelFuzzyRuleParser> {
public:
    HeaterPass() {
        Parser->SetReadRules(true);
        Read(ReadFile(Heater));
        FEvaluator = std::make_unique<TFuzzyRuleEvaluator>(*Logic);
        FEvaluator->SetInput("error", 2.5);
        FEvaluator->SetInput("rate", -1);
        FEvaluator->Evaluate();
    }
    const TFuzzyOutputReport& Power() const { return FEvaluator->GetExplanation().Outputs[0]; }

private:
    std::unique_ptr<TFuzzyRuleEvaluator> FEvaluator; // made once the rules are read
};

using PlotInferenceTest = FuzzyToolTest;

// The solution area is the explanation's solution, flat out to the range's ends and closed
// along the X axis, with its value marked; rule 0 (full) fires at 5/36 and rule 3 (medium)
// at 0.5, each conclusion drawn after the five terms clipped at its strength. The chart is
// well-formed and renders.
TEST_F(PlotInferenceTest, TheOutputsChartShowsTheRulePath) {
    const HeaterPass pass;
    ASSERT_TRUE(pass.Power().Fired);
    const TRun run =
        Run({"plot", Heater, "--variable", "power", "-i", "error=2.5", "-i", "rate=-1", "-o", "-"});
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_EQ(run.Err, "");
    const std::string& svg = run.Out;
    const std::vector<TDrawnPoint> area = DrawnPoints(svg, "polygon", 0);
    std::vector<TFuzzyPoint> expected = pass.Power().Solution;
    ASSERT_GT(expected.front().X, 0);
    ASSERT_LT(expected.back().X, 100);
    expected.insert(expected.begin(), {0, expected.front().Y});
    expected.insert(expected.end(), {{100, expected.back().Y}, {100, 0}, {0, 0}});
    ASSERT_EQ(area.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NEAR(area[i].X, PowerX(expected[i].X), 0.006) << "point " << i;
        EXPECT_NEAR(area[i].Y, DegreeY(expected[i].Y), 0.006) << "point " << i;
    }
    EXPECT_EQ(DrawnPoints(svg, "polygon", 1).size(), 0u) << "one area only";
    char marker[128];
    std::snprintf(marker, sizeof marker, "<line x1=\"%.2f\" y1=\"244.00\" x2=\"%.2f\" y2=\"36.00\"",
                  PowerX(pass.Power().Value), PowerX(pass.Power().Value));
    for (const std::string& part :
         {std::string(marker), std::string(">power = 55.9059</text>"),
          std::string(">solution</text>"), std::string(">rule 0: full clipped at 0.138889</text>"),
          std::string(">rule 3: medium clipped at 0.5</text>")})
        EXPECT_NE(svg.find(part), std::string::npos) << part;
    const std::pair<int, double> conclusions[] = {{5, 5.0 / 36}, {6, 0.5}};
    for (const auto& [polyline, strength] : conclusions) {
        const std::vector<TDrawnPoint> curve = DrawnPoints(svg, "polyline", polyline);
        ASSERT_FALSE(curve.empty());
        double top = 244;
        for (const TDrawnPoint& point : curve)
            top = std::min(top, point.Y);
        EXPECT_NEAR(top, DegreeY(strength), 0.006) << "polyline " << polyline;
    }
    EXPECT_TRUE(DrawnPoints(svg, "polyline", 7).empty()) << "two rules fired, no more curves";

    Write("solution.svg", svg);
    if (!HaveProgram("xmllint"))
        return SkipOrFailWithout("xmllint");
    EXPECT_EQ(RunQuietly("xmllint --noout --nonet " + Path("solution.svg")), 0);
    if (!HaveProgram("rsvg-convert"))
        return SkipOrFailWithout("rsvg-convert");
    ASSERT_EQ(RunQuietly("rsvg-convert -o " + Path("solution.png") + " " + Path("solution.svg")),
              0);
    EXPECT_GT(fs::file_size(Path("solution.png")), 1000u);
}

// Inputs are marked where they were used and clamping is said; an output without fired
// rules says so and marks no value.
TEST_F(PlotInferenceTest, InputsAreMarkedAndAnOutputWithoutFiredRulesSaysSo) {
    const TRun run = Run({"plot", Heater, "-i", "error=25", "-i", "rate=-1.5", "-o", "-"});
    ASSERT_EQ(run.ExitCode, 0);
    // error's chart is the first: 10, the top of its range, is at its right end.
    EXPECT_NE(run.Out.find("<line x1=\"544.00\" y1=\"244.00\" x2=\"544.00\" y2=\"36.00\""),
              std::string::npos);
    EXPECT_NE(run.Out.find(">error = 10, clamped from 25</text>"), std::string::npos);
    EXPECT_NE(run.Out.find(">rate = -1.5</text>"), std::string::npos);
    EXPECT_EQ(run.Out.find("rate = -1.5, clamped"), std::string::npos);

    Write("partial.fuzzy", "(deffuzzy a (range 0 10) (values (term t (tri 1 2 3))))\n"
                           "(deffuzzy b (range 0 10) (values (term u (tri 0 5 10))))\n"
                           "(rules (rule (if (is a t)) (then (is b u))))");
    const TRun partial = Run({"plot", Path("partial.fuzzy"), "-i", "a=8", "-o", "-"});
    ASSERT_EQ(partial.ExitCode, 0);
    EXPECT_NE(partial.Out.find(">no rule fired: b has no value</text>"), std::string::npos);
    EXPECT_NE(partial.Out.find(">a = 8</text>"), std::string::npos);
    EXPECT_EQ(partial.Out.find("<polygon"), std::string::npos);
    EXPECT_EQ(partial.Out.find("b = "), std::string::npos);
    EXPECT_EQ(partial.Out.find("stroke-dasharray=\"4 2\""),
              partial.Out.rfind("stroke-dasharray=\"4 2\""))
        << "the input's marker only";
}

} // namespace
} // namespace fuzzy::test
