#include <array>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyPlot/FuzzyPlot.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

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

TEST(PlotAxisTest, MapsTheRangeOntoTheDrawingEitherWay) {
    const TPlotAxis across(-10, 10, 100, 300);
    EXPECT_EQ(across.Map(-10), 100);
    EXPECT_EQ(across.Map(0), 200);
    EXPECT_EQ(across.Map(10), 300);
    const TPlotAxis upwards(0, 1, 250, 50);
    EXPECT_EQ(upwards.Map(0), 250);
    EXPECT_EQ(upwards.Map(0.25), 200);
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
