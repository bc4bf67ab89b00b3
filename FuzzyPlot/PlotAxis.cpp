#include "FuzzyPlot/PlotAxis.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "platform/Exceptions.hpp"

namespace fuzzy {
namespace {

/// The smallest round step (1, 2 or 5 times a power of ten) that puts at most MaxTicks
/// ticks into a range of Width.
double TickStep(double Width) {
    const double rough = Width / (TPlotAxis::MaxTicks - 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    for (const double factor : {1.0, 2.0, 5.0, 10.0})
        if (factor * power >= rough)
            return factor * power;
    return 10 * power;
}

} // namespace

TPlotAxis::TPlotAxis(double From, double To, double Start, double End)
    : FFrom(From), FTo(To), FStart(Start), FEnd(End) {
    if (!(From < To && std::isfinite(To - From) && std::isfinite(Start) && std::isfinite(End)))
        throw EArgumentOutOfRangeException("An axis needs a finite range with From below To");
    const double step = TickStep(To - From);
    // Ticks are whole multiples of the step, so that zero is exactly zero. The count bounds
    // the loop too: far from zero, adding 1 to a huge multiple may not change it.
    for (double k = std::ceil(From / step); k * step <= To && FTicks.size() < MaxTicks; ++k)
        FTicks.push_back(k * step);
}

TPlotAxis TPlotAxis::Widened(double From, double To, double Start, double End) {
    if (!(std::isfinite(From) && std::isfinite(To)))
        throw EArgumentOutOfRangeException("An axis needs a finite range with From below To");
    if (From == To) {
        const double half = std::max(1.0, std::fabs(From) / 10);
        return TPlotAxis(From - half, To + half, Start, End);
    }
    return TPlotAxis(std::min(From, To), std::max(From, To), Start, End);
}

double TPlotAxis::Map(double Value) const {
    return FStart + (Value - FFrom) / (FTo - FFrom) * (FEnd - FStart);
}

std::string TPlotAxis::Label(double Value) {
    char text[32];
    const auto end = std::to_chars(text, text + sizeof text, Value, std::chars_format::general, 6);
    return std::string(text, end.ptr);
}

} // namespace fuzzy
