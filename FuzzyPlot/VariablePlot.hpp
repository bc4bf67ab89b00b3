#pragma once
// Charts of linguistic variables as SVG: the degree of membership (0..1) over the
// variable's range, one curve per term, with labelled axes, the units and a legend.

#include <span>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyPlot/SvgWriter.hpp"

namespace fuzzy {

class TFuzzySet;
class TFuzzyVariable;

/// One chart over a variable's range. It copies what it draws (the curves' points, the
/// names), so the variable and its sets may change or go once they are added. Besides the
/// terms it draws what an inference shows: further curves (conclusions cut or scaled by
/// their rules), a filled area (the solution set) and labelled vertical markers (a
/// defuzzified value). Curves take the colours of a fixed palette in the order they are
/// added; the legend lists the curves and areas in that order.
class TVariablePlot {
public:
    static constexpr double Width = 560;  // the plotting area with its axes, legend aside
    static constexpr double Height = 300; // a chart with a short legend

    /// An empty chart of Variable: its name and comment as the title, its units on the
    /// X axis, its range as the X axis. Raises EArgumentOutOfRangeException when the range's
    /// ends or their distance are not finite.
    explicit TVariablePlot(const TFuzzyVariable& Variable);

    /// Adds every defined term of the variable, in order, named as the variable names it.
    void AddTerms(const TFuzzyVariable& Variable);
    /// Adds Set's membership curve over the range, named Label in the legend.
    void AddCurve(const TFuzzySet& Set, const std::string& Label);
    /// Adds Set's membership curve as a filled area, named Label in the legend.
    void AddArea(const TFuzzySet& Set, const std::string& Label);
    /// Adds the curve through Points, (X, degree) in the variable's values in the order of
    /// X, as a filled area named Label: a set known only by its points, as an explanation
    /// of an inference reports it. Beyond its first and last point the curve runs on flat.
    void AddArea(std::span<const TSvgPoint> Points, const std::string& Label);
    /// Adds a vertical line across the chart at X, labelled at its top. Raises
    /// EArgumentOutOfRangeException when X is not finite.
    void AddMarker(TFzyFloat X, const std::string& Label);
    /// Adds a line of text inside the chart, below the notes added before: what the curves
    /// cannot show, such as an output that got no value.
    void AddNote(const std::string& Text);

    /// The height the chart needs: more than Height when the legend is long.
    double GetHeight() const;
    /// The width the chart needs: the plotting area and the widest legend entry.
    double GetWidth() const;
    /// Draws the chart with its top left corner at Origin.
    void Draw(TSvgWriter& Svg, TSvgPoint Origin) const;

private:
    struct TSeries {
        std::string Label;
        std::vector<TSvgPoint> Points; // (X, degree) in the variable's values
        bool Filled;
    };
    struct TMarker {
        TFzyFloat X;
        std::string Label;
    };

    /// A curve over the range: its points inside the range, and DegreeAt the range's ends
    /// wherever the curve goes on beyond them.
    template <class TDegreeAt>
    std::vector<TSvgPoint> CurveOverRange(std::span<const TSvgPoint> Points,
                                          TDegreeAt DegreeAt) const;
    std::vector<TSvgPoint> CurveOfSet(const TFuzzySet& Set) const;
    void DrawAxes(TSvgWriter& Svg, TSvgPoint Origin) const;
    void DrawLegend(TSvgWriter& Svg, TSvgPoint Origin) const;

    std::string FTitle;
    std::string FAxisLabel;
    TFzyFloat FMinimum, FMaximum;
    std::vector<TSeries> FSeries;
    std::vector<TMarker> FMarkers;
    std::vector<std::string> FNotes;
};

/// One SVG document with the charts one below the other, titled Title.
std::string PlotsToSvg(std::span<const TVariablePlot> Plots, const std::string& Title);

} // namespace fuzzy
