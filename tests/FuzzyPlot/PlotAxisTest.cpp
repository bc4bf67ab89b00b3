#include <array>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyPlot/FuzzyPlot.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

struct TAxisCase {
    const char* Name;
    double From, To;
    std::vector<double> Ticks;
};

void PrintTo(const TAxisCase& Case, std::ostream* Out) {
    *Out << Case.Name;
}

class PlotAxisTicksTest : public ::testing::TestWithParam<TAxisCase> {};

TEST_P(PlotAxisTicksTest, AreRoundMultiplesInsideTheRange) {
    const TPlotAxis axis(GetParam().From, GetParam().To, 0, 100);
    EXPECT_EQ(axis.GetTicks(), GetParam().Ticks);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, PlotAxisTicksTest,
    ::testing::Values(TAxisCase{"Heater", -10, 10, {-10, -8, -6, -4, -2, 0, 2, 4, 6, 8, 10}},
                      TAxisCase{"Percent", 0, 100, {0, 10, 20, 30, 40, 50, 60, 70, 80, 90, 100}},
                      TAxisCase{"OffRoundEnds", 0.3, 2.9, {0.5, 1, 1.5, 2, 2.5}},
                      TAxisCase{"StepOfFive", 0, 41, {0, 5, 10, 15, 20, 25, 30, 35, 40}},
                      TAxisCase{"Negative", -7, -3, {-7, -6.5, -6, -5.5, -5, -4.5, -4, -3.5, -3}}),
    [](const auto& Info) { return Info.param.Name; });

TEST(PlotAxisTest, MapsTheRangeOntoTheDrawingEitherWay) {
    const TPlotAxis across(-10, 10, 100, 300);
    EXPECT_EQ(across.Map(-10), 100);
    EXPECT_EQ(across.Map(0), 200);
    EXPECT_EQ(across.Map(10), 300);
    const TPlotAxis upwards(0, 1, 250, 50);
    EXPECT_EQ(upwards.Map(0), 250);
    EXPECT_EQ(upwards.Map(0.25), 200);
}

TEST(PlotAxisTest, HugeAndTinyRangesGetTheirTicks) {
    for (const auto& [from, to, step] :
         {std::array<double, 3>{0, 3e300, 5e299}, std::array<double, 3>{0, 1e-300, 1e-301}}) {
        const TPlotAxis axis(from, to, 0, 1);
        ASSERT_GE(axis.GetTicks().size(), 2u);
        EXPECT_EQ(axis.GetTicks().front(), 0);
        EXPECT_DOUBLE_EQ(axis.GetTicks()[1], step);
        EXPECT_LE(axis.GetTicks().back(), to);
    }
}

TEST(PlotAxisTest, FarFromZeroTheTicksStayBounded) {
    // Whole multiples of 0.1 near 1e16 differ by less than a double can tell apart.
    const TPlotAxis axis(1e15, 1e15 + 1, 0, 1);
    EXPECT_LE(axis.GetTicks().size(), static_cast<std::size_t>(TPlotAxis::MaxTicks));
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
