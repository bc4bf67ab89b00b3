#include "FuzzyPlot/VariablePlot.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "FuzzyPlot/PlotAxis.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {
namespace {

// The plotting area inside a chart of TVariablePlot::Width x TVariablePlot::Height: room on
// the left for the degree labels, above for the title, below for the X labels.
constexpr double Left = 64, Right = 16, Top = 36, Bottom = 56;
constexpr double AreaWidth = TVariablePlot::Width - Left - Right;
constexpr double AreaHeight = TVariablePlot::Height - Top - Bottom;
constexpr double LegendRow = 20, LegendSample = 28;
// A rough width of a character of the legend's text, to size the legend without fonts.
constexpr double CharacterWidth = 7;
constexpr double AreaOpacity = 0.3;

// Colours that stay apart on screen and on paper; past them curves are dashed.
constexpr std::array<const char*, 10> Palette{"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728",
                                              "#9467bd", "#8c564b", "#e377c2", "#7f7f7f",
                                              "#bcbd22", "#17becf"};

TSvgStroke SeriesStroke(std::size_t Index) {
    TSvgStroke stroke;
    stroke.Colour = Palette[Index % Palette.size()];
    stroke.Width = 2;
    if (Index >= Palette.size())
        stroke.Dashes = "6 3";
    return stroke;
}

/// The number of characters of a UTF-8 text (its bytes that start a character).
std::size_t CharacterCount(const std::string& Text) {
    return static_cast<std::size_t>(std::count_if(Text.begin(), Text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

/// The degree at X of the curve through Points (in the order of X): straight between
/// them, flat beyond the first and the last.
double DegreeOnPolyline(std::span<const TSvgPoint> Points, double X) {
    if (Points.empty())
        return 0;
    if (X <= Points.front().X)
        return Points.front().Y;
    if (X >= Points.back().X)
        return Points.back().Y;
    const auto after = std::upper_bound(Points.begin(), Points.end(), X,
                                        [](double At, const TSvgPoint& P) { return At < P.X; });
    const TSvgPoint& a = *(after - 1);
    const TSvgPoint& b = *after;
    return a.Y + (b.Y - a.Y) * (X - a.X) / (b.X - a.X);
}

} // namespace

TVariablePlot::TVariablePlot(const TFuzzyVariable& Variable)
    : FTitle(Variable.GetComment().empty()
                 ? Variable.GetName()
                 : Variable.GetName() + " \u2014 " + Variable.GetComment()),
      FAxisLabel(Variable.GetUnits().empty()
                     ? Variable.GetName()
                     : Variable.GetName() + " (" + Variable.GetUnits() + ")") {
    // Checked here, once, so that adding and drawing never meet a range they cannot map.
    const TPlotAxis axis = TPlotAxis::Widened(Variable.GetMinimum(), Variable.GetMaximum(), 0, 1);
    FMinimum = axis.GetFrom();
    FMaximum = axis.GetTo();
}

template <class TDegreeAt>
std::vector<TSvgPoint> TVariablePlot::CurveOverRange(std::span<const TSvgPoint> Points,
                                                     TDegreeAt DegreeAt) const {
    std::vector<TSvgPoint> points;
    for (const TSvgPoint& point : Points)
        if (point.X >= FMinimum && point.X <= FMaximum)
            points.push_back(point);
    if (points.empty() || points.front().X > FMinimum)
        points.insert(points.begin(), {FMinimum, DegreeAt(FMinimum)});
    if (points.back().X < FMaximum)
        points.push_back({FMaximum, DegreeAt(FMaximum)});
    return points;
}

std::vector<TSvgPoint> TVariablePlot::CurveOfSet(const TFuzzySet& Set) const {
    std::vector<TSvgPoint> points;
    for (const TFuzzySetValue* value : *Set.GetValues())
        points.push_back({value->GetX(), value->GetY()});
    return CurveOverRange(points, [&](double X) { return Set.DegreeOfMembership(X); });
}

void TVariablePlot::AddTerms(const TFuzzyVariable& Variable) {
    const TFuzzySets& terms = *Variable.GetItems();
    for (int i = 0; i < terms.GetCount(); ++i)
        if (terms[i]->GetDefined())
            AddCurve(*terms[i], terms[i]->GetName());
}

void TVariablePlot::AddCurve(const TFuzzySet& Set, const std::string& Label) {
    FSeries.push_back({Label, CurveOfSet(Set), false});
}

void TVariablePlot::AddArea(const TFuzzySet& Set, const std::string& Label) {
    FSeries.push_back({Label, CurveOfSet(Set), true});
}

void TVariablePlot::AddArea(std::span<const TSvgPoint> Points, const std::string& Label) {
    FSeries.push_back(
        {Label, CurveOverRange(Points, [&](double X) { return DegreeOnPolyline(Points, X); }),
         true});
}

void TVariablePlot::AddMarker(TFzyFloat X, const std::string& Label) {
    if (!std::isfinite(X))
        throw EArgumentOutOfRangeException("A marker needs a finite value");
    FMarkers.push_back({X, Label});
}

void TVariablePlot::AddNote(const std::string& Text) {
    FNotes.push_back(Text);
}

double TVariablePlot::GetHeight() const {
    return std::max(Height, Top + LegendRow * static_cast<double>(FSeries.size() + 1));
}

double TVariablePlot::GetWidth() const {
    std::size_t widest = 0;
    for (const TSeries& series : FSeries)
        widest = std::max(widest, CharacterCount(series.Label));
    return Width + LegendSample + 16 + CharacterWidth * static_cast<double>(widest);
}

void TVariablePlot::DrawAxes(TSvgWriter& Svg, TSvgPoint Origin) const {
    const double left = Origin.X + Left, right = left + AreaWidth;
    const double top = Origin.Y + Top, bottom = top + AreaHeight;
    const TPlotAxis xAxis(FMinimum, FMaximum, left, right);
    const TPlotAxis yAxis(0, 1, bottom, top);
    TSvgStroke grid;
    grid.Colour = "#dddddd";
    TSvgTextStyle tickText;
    tickText.Size = 11;

    tickText.Anchor = TSvgAnchor::saMiddle;
    for (const double tick : xAxis.GetTicks()) {
        const double x = xAxis.Map(tick);
        Svg.Line({x, top}, {x, bottom}, grid);
        Svg.Line({x, bottom}, {x, bottom + 5}, {});
        Svg.Text({x, bottom + 18}, TPlotAxis::Label(tick), tickText);
    }
    tickText.Anchor = TSvgAnchor::saEnd;
    for (const double tick : yAxis.GetTicks()) {
        const double y = yAxis.Map(tick);
        Svg.Line({left, y}, {right, y}, grid);
        Svg.Line({left - 5, y}, {left, y}, {});
        Svg.Text({left - 8, y + 4}, TPlotAxis::Label(tick), tickText);
    }
    Svg.Line({left, top}, {left, bottom}, {});
    Svg.Line({left, bottom}, {right, bottom}, {});

    TSvgTextStyle label;
    label.Anchor = TSvgAnchor::saMiddle;
    Svg.Text({(left + right) / 2, bottom + 42}, FAxisLabel, label);
    label.Rotation = -90;
    Svg.Text({Origin.X + 18, (top + bottom) / 2}, "degree of membership", label);
    TSvgTextStyle title;
    title.Size = 14;
    title.Bold = true;
    Svg.Text({left, Origin.Y + 22}, FTitle, title);
}

void TVariablePlot::DrawLegend(TSvgWriter& Svg, TSvgPoint Origin) const {
    const double x = Origin.X + Width;
    for (std::size_t i = 0; i < FSeries.size(); ++i) {
        const double y = Origin.Y + Top + LegendRow * static_cast<double>(i) + 10;
        if (FSeries[i].Filled)
            Svg.Rectangle({x, y - 6}, LegendSample - 6, 12, Palette[i % Palette.size()],
                          SeriesStroke(i));
        else
            Svg.Line({x, y}, {x + LegendSample - 6, y}, SeriesStroke(i));
        Svg.Text({x + LegendSample, y + 4}, FSeries[i].Label, {});
    }
}

void TVariablePlot::Draw(TSvgWriter& Svg, TSvgPoint Origin) const {
    DrawAxes(Svg, Origin);
    const TPlotAxis xAxis(FMinimum, FMaximum, Origin.X + Left, Origin.X + Left + AreaWidth);
    const TPlotAxis yAxis(0, 1, Origin.Y + Top + AreaHeight, Origin.Y + Top);
    const auto place = [&](TSvgPoint Point) {
        return TSvgPoint{xAxis.Map(Point.X), yAxis.Map(std::clamp(Point.Y, 0.0, 1.0))};
    };
    for (std::size_t i = 0; i < FSeries.size(); ++i) {
        std::vector<TSvgPoint> points;
        for (const TSvgPoint& point : FSeries[i].Points)
            points.push_back(place(point));
        if (FSeries[i].Filled) {
            // Closed along the X axis, so the area is the one under the curve.
            points.push_back(place({FMaximum, 0}));
            points.push_back(place({FMinimum, 0}));
            Svg.Polygon(points, Palette[i % Palette.size()], AreaOpacity, SeriesStroke(i));
        } else {
            Svg.Polyline(points, SeriesStroke(i));
        }
    }
    TSvgTextStyle noteText;
    noteText.Colour = "#b22222";
    for (std::size_t i = 0; i < FNotes.size(); ++i)
        Svg.Text({Origin.X + Left + 8, Origin.Y + Top + 16 + LegendRow * static_cast<double>(i)},
                 FNotes[i], noteText);
    TSvgStroke markerStroke;
    markerStroke.Width = 1.5;
    markerStroke.Dashes = "4 2";
    for (const TMarker& marker : FMarkers) {
        if (marker.X < FMinimum || marker.X > FMaximum)
            continue; // off the chart: nothing of it would be seen
        const TSvgPoint foot = place({marker.X, 0}), head = place({marker.X, 1});
        Svg.Line(foot, head, markerStroke);
        TSvgTextStyle text;
        const bool rightHalf = marker.X > (FMinimum + FMaximum) / 2;
        text.Anchor = rightHalf ? TSvgAnchor::saEnd : TSvgAnchor::saStart;
        Svg.Text({head.X + (rightHalf ? -4 : 4), head.Y + 14}, marker.Label, text);
    }
    DrawLegend(Svg, Origin);
}

std::string PlotsToSvg(std::span<const TVariablePlot> Plots, const std::string& Title) {
    double width = TVariablePlot::Width, height = 0;
    for (const TVariablePlot& plot : Plots) {
        width = std::max(width, plot.GetWidth());
        height += plot.GetHeight();
    }
    TSvgWriter svg(width, std::max(height, TVariablePlot::Height), Title);
    double top = 0;
    for (const TVariablePlot& plot : Plots) {
        plot.Draw(svg, {0, top});
        top += plot.GetHeight();
    }
    return svg.ToString();
}

} // namespace fuzzy
