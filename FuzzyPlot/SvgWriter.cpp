#include "FuzzyPlot/SvgWriter.hpp"

#include <cmath>

#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"

namespace fuzzy {
namespace {

// Hundredths of a user unit are finer than any display shows.
constexpr int CoordinateDecimals = 2;

std::string Number(double Value) {
    if (!std::isfinite(Value))
        throw EArgumentOutOfRangeException("A drawing coordinate must be a finite number");
    return FormatFixed(Value, CoordinateDecimals);
}

constexpr const char* Replacement = "\xEF\xBF\xBD"; // U+FFFD

/// The length of the well-formed UTF-8 sequence at the start of Text that XML allows, or 0.
std::size_t Utf8SequenceLength(std::string_view Text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(Text[i]); };
    const unsigned char lead = byte(0);
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range allowed for the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0)
            low = 0xA0; // overlong below
        if (lead == 0xED)
            high = 0x9F; // surrogates above
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0)
            low = 0x90;
        if (lead == 0xF4)
            high = 0x8F; // beyond U+10FFFF above
    } else {
        return 0;
    }
    if (Text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    // U+FFFE and U+FFFF are not characters XML allows.
    if (length == 3 && lead == 0xEF && byte(1) == 0xBF && byte(2) >= 0xBE)
        return 0;
    return length;
}

const char* AnchorName(TSvgAnchor Anchor) {
    switch (Anchor) {
    case TSvgAnchor::saMiddle:
        return "middle";
    case TSvgAnchor::saEnd:
        return "end";
    case TSvgAnchor::saStart:
        break;
    }
    return "start";
}

} // namespace

std::string XmlEscape(std::string_view Text) {
    std::string escaped;
    escaped.reserve(Text.size());
    for (std::size_t i = 0; i < Text.size();) {
        const unsigned char c = static_cast<unsigned char>(Text[i]);
        if (c >= 0x80) {
            const std::size_t length = Utf8SequenceLength(Text.substr(i));
            escaped += length == 0 ? std::string(Replacement) : std::string(Text.substr(i, length));
            i += length == 0 ? 1 : length;
            continue;
        }
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        default:
            if (c >= 0x20 || c == '\t' || c == '\n' || c == '\r')
                escaped += static_cast<char>(c);
        }
        ++i;
    }
    return escaped;
}

TSvgWriter::TSvgWriter(double Width, double Height, std::string_view Title)
    : FWidth(Width), FHeight(Height), FTitle(Title) {
    if (!(std::isfinite(Width) && Width > 0 && std::isfinite(Height) && Height > 0))
        throw EArgumentOutOfRangeException("A drawing needs a finite, positive size");
    Rectangle({0, 0}, Width, Height, "white", TSvgStroke::None());
}

void TSvgWriter::Append(std::initializer_list<std::string_view> Parts) {
    for (const std::string_view part : Parts)
        FBody += part;
}

void TSvgWriter::StrokeAttributes(const TSvgStroke& Stroke) {
    if (Stroke.Colour.empty()) {
        Append({" stroke=\"none\""});
        return;
    }
    Append(
        {" stroke=\"", XmlEscape(Stroke.Colour), "\" stroke-width=\"", Number(Stroke.Width), "\""});
    if (!Stroke.Dashes.empty())
        Append({" stroke-dasharray=\"", XmlEscape(Stroke.Dashes), "\""});
}

void TSvgWriter::Points(std::span<const TSvgPoint> Points) {
    Append({" points=\""});
    for (std::size_t i = 0; i < Points.size(); ++i)
        Append({i == 0 ? "" : " ", Number(Points[i].X), ",", Number(Points[i].Y)});
    Append({"\""});
}

void TSvgWriter::Line(TSvgPoint From, TSvgPoint To, const TSvgStroke& Stroke) {
    Append({"<line x1=\"", Number(From.X), "\" y1=\"", Number(From.Y), "\" x2=\"", Number(To.X),
            "\" y2=\"", Number(To.Y), "\""});
    StrokeAttributes(Stroke);
    Append({"/>\n"});
}

void TSvgWriter::Polyline(std::span<const TSvgPoint> Points, const TSvgStroke& Stroke) {
    Append({"<polyline fill=\"none\" stroke-linejoin=\"round\""});
    StrokeAttributes(Stroke);
    this->Points(Points);
    Append({"/>\n"});
}

void TSvgWriter::Polygon(std::span<const TSvgPoint> Points, const std::string& Fill,
                         double FillOpacity, const TSvgStroke& Stroke) {
    Append({"<polygon fill=\"", XmlEscape(Fill), "\" fill-opacity=\"", Number(FillOpacity),
            "\" stroke-linejoin=\"round\""});
    StrokeAttributes(Stroke);
    this->Points(Points);
    Append({"/>\n"});
}

void TSvgWriter::Rectangle(TSvgPoint TopLeft, double Width, double Height, const std::string& Fill,
                           const TSvgStroke& Stroke) {
    Append({"<rect x=\"", Number(TopLeft.X), "\" y=\"", Number(TopLeft.Y), "\" width=\"",
            Number(Width), "\" height=\"", Number(Height), "\" fill=\"",
            Fill.empty() ? std::string("none") : XmlEscape(Fill), "\""});
    StrokeAttributes(Stroke);
    Append({"/>\n"});
}

void TSvgWriter::Text(TSvgPoint At, std::string_view Text, const TSvgTextStyle& Style) {
    Append({"<text x=\"", Number(At.X), "\" y=\"", Number(At.Y), "\" font-size=\"",
            Number(Style.Size), "\" text-anchor=\"", AnchorName(Style.Anchor), "\" fill=\"",
            XmlEscape(Style.Colour), "\""});
    if (Style.Bold)
        Append({" font-weight=\"bold\""});
    if (Style.Rotation != 0)
        Append({" transform=\"rotate(", Number(Style.Rotation), " ", Number(At.X), " ",
                Number(At.Y), ")\""});
    Append({">", XmlEscape(Text), "</text>\n"});
}

std::string TSvgWriter::ToString() const {
    const std::string width = Number(FWidth), height = Number(FHeight);
    return std::string("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
                       "<!DOCTYPE svg PUBLIC \"-//W3C//DTD SVG 1.1//EN\" "
                       "\"http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd\">\n"
                       "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"") +
           width + "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height +
           "\" font-family=\"sans-serif\">\n<title>" + XmlEscape(FTitle) + "</title>\n" + FBody +
           "</svg>\n";
}

} // namespace fuzzy
