#pragma once
// A small writer of SVG 1.1 documents: lines, polylines, filled polygons, rectangles and
// text, in user units with the origin at the top left. It knows nothing of fuzzy sets; the
// plots of FuzzyPlot draw with it.

#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace fuzzy {

/// A point of the drawing, in user units (y grows downwards).
struct TSvgPoint {
    double X = 0;
    double Y = 0;
};

/// How a line is drawn: a colour as SVG writes it ("#1f77b4", "black"), a width, and an
/// optional dash pattern ("6 3"); an empty colour draws no line.
struct TSvgStroke {
    std::string Colour = "black";
    double Width = 1;
    std::string Dashes;

    /// A stroke that draws nothing, for shapes that are only filled.
    static TSvgStroke None() {
        TSvgStroke none;
        none.Colour.clear();
        return none;
    }
};

/// Where a text stands relative to its point.
enum class TSvgAnchor : std::uint8_t { saStart, saMiddle, saEnd };

/// How a text is drawn; Rotation turns it clockwise about its point, in degrees.
struct TSvgTextStyle {
    double Size = 12;
    TSvgAnchor Anchor = TSvgAnchor::saStart;
    bool Bold = false;
    double Rotation = 0;
    std::string Colour = "black";
};

/// Collects the elements of one document and writes it whole. Numbers are written with a
/// '.' whatever the C locale, and texts are escaped (bytes that are not UTF-8 become U+FFFD),
/// so that any name a definition holds gives well-formed XML. Coordinates that are not
/// finite raise EArgumentOutOfRangeException instead of writing an unreadable document.
class TSvgWriter {
public:
    /// A document of Width x Height user units with a white background. Raises
    /// EArgumentOutOfRangeException unless both are finite and positive.
    TSvgWriter(double Width, double Height, std::string_view Title);

    void Line(TSvgPoint From, TSvgPoint To, const TSvgStroke& Stroke);
    void Polyline(std::span<const TSvgPoint> Points, const TSvgStroke& Stroke);
    /// A closed shape filled with Fill at FillOpacity (0..1), outlined with Stroke.
    void Polygon(std::span<const TSvgPoint> Points, const std::string& Fill, double FillOpacity,
                 const TSvgStroke& Stroke);
    void Rectangle(TSvgPoint TopLeft, double Width, double Height, const std::string& Fill,
                   const TSvgStroke& Stroke);
    void Text(TSvgPoint At, std::string_view Text, const TSvgTextStyle& Style);

    double GetWidth() const { return FWidth; }
    double GetHeight() const { return FHeight; }
    /// The whole document, from the XML declaration to the closing tag.
    std::string ToString() const;

private:
    /// Adds the parts to the body one after the other.
    void Append(std::initializer_list<std::string_view> Parts);
    void StrokeAttributes(const TSvgStroke& Stroke);
    void Points(std::span<const TSvgPoint> Points);

    double FWidth;
    double FHeight;
    std::string FTitle;
    std::string FBody;
};

/// Text as XML character data or attribute value: markup characters escaped, control
/// characters other than tab and line breaks dropped, bytes that are not UTF-8 replaced
/// by U+FFFD.
std::string XmlEscape(std::string_view Text);

} // namespace fuzzy
