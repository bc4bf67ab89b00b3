#pragma once
// One axis of a chart: a range of values laid along a length of the drawing, with ticks at
// round values.

#include <string>
#include <vector>

namespace fuzzy {

/// Maps the values From..To onto the drawing coordinates Start..End (End may lie below
/// Start, as on a vertical axis whose values grow upwards) and chooses the ticks: multiples
/// of 1, 2 or 5 times a power of ten, at most MaxTicks of them inside the range.
class TPlotAxis {
public:
    static constexpr int MaxTicks = 11;

    /// Raises EArgumentOutOfRangeException unless From < To and their distance is finite;
    /// TPlotAxis::Widened makes such a range from any pair of finite values.
    TPlotAxis(double From, double To, double Start, double End);

    /// From..To itself when it is a finite, non-empty range; an empty one (From == To)
    /// widened around its value, so that a variable of a single point still has an axis.
    /// Raises EArgumentOutOfRangeException when the values or their distance are not finite.
    static TPlotAxis Widened(double From, double To, double Start, double End);

    double GetFrom() const { return FFrom; }
    double GetTo() const { return FTo; }
    /// The drawing coordinate of Value (values outside the range map outside Start..End).
    double Map(double Value) const;
    /// The tick values, ascending, all inside From..To.
    const std::vector<double>& GetTicks() const { return FTicks; }
    /// A tick value as a label: at most six significant digits, no trailing zeros, with a
    /// '.' whatever the C locale ("0.25", "-10", "1e+300").
    static std::string Label(double Value);

private:
    double FFrom, FTo, FStart, FEnd;
    std::vector<double> FTicks;
};

} // namespace fuzzy
