// The writer of the definition language.

#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>
#include <system_error>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Format.hpp"
#include "platform/Indent.hpp"
#include "platform/Math.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {

namespace {

constexpr std::string_view LineBreak = "\r\n";
/// How close two numbers must be to count as equal when choosing the shorter call form.
constexpr TFzyFloat WriterTolerance = 0.0001;
/// Every shape generator makes at least three points; a shape-typed set with fewer has lost
/// its shape (and its P0, P1, P2), so its points are written instead.
constexpr int MinShapePoints = 3;

/// Characters that end an atom, or would be read as a token of their own, or escape the
/// next character.
constexpr std::string_view AtomBreakers = "()[]~&;<|\"\\";

/// Whether each character ends an atom: white space and control characters (code 32 or
/// below) and the atom breakers. A table, as every character of every atom written is
/// looked up.
constexpr std::array<bool, 256> AtomBreakerTable = [] {
    std::array<bool, 256> breaks{};
    for (std::size_t code = 0; code <= 32; ++code)
        breaks[code] = true;
    for (const char c : AtomBreakers)
        breaks[static_cast<unsigned char>(c)] = true;
    return breaks;
}();

bool BreaksAtom(char c) {
    return AtomBreakerTable[static_cast<unsigned char>(c)];
}

/// True when Text is exactly the shortest form of a number, the form in which the reader
/// gives a number token back as text ("12", "0.5"); any other spelling ("12.0", "1e5",
/// "+5") would come back changed.
bool IsShortestNumberText(std::string_view Text) {
    double value = 0;
    const char* end = Text.data() + Text.size();
    const auto parsed = std::from_chars(Text.data(), end, value);
    if (parsed.ec != std::errc() || parsed.ptr != end)
        return false;
    char shortest[32];
    const auto written = std::to_chars(shortest, shortest + sizeof shortest, value);
    return written.ec == std::errc() &&
           std::string_view(shortest, static_cast<std::size_t>(written.ptr - shortest)) == Text;
}

/// Whether units can be written bare: they must read back as one token whose text is the
/// units again. Quoting is always safe, so every doubtful case is quoted: white space and
/// control or non-ASCII characters, atom breakers and the escape character anywhere, a
/// leading "?" (a variable) or "=" (a token of its own), and any text that begins like a
/// number without being a number's shortest form. A lone sign or point stays an atom.
bool ReadsBackAsSameAtom(const std::string& Text) {
    if (Text.empty() || Text.front() == '?' || Text.front() == '=')
        return false;
    for (const char c : Text) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 127 || BreaksAtom(c))
            return false;
    }
    if (Text.size() == 1 && IsNumberSymbol(Text.front()))
        return true;
    return !IsNumberChar(Text.front()) || IsShortestNumberText(Text);
}

std::string WritePointList(const TFuzzySetValues& Points) {
    std::string text = "(";
    for (const TFuzzySetValue* point : Points) {
        // Appended piece by piece: a temporary built with "(" + ... trips a false
        // -Wrestrict of g++ 12 in optimised builds.
        text += '(';
        text += Format("%.4f %.4f", point->GetX(), point->GetY());
        text += ") ";
    }
    text += ')';
    return text;
}

/// The weight of a beta curve, recovered from its second point. A set with fewer than two
/// points, or whose second point makes the formula divide by zero (a zero inflection point,
/// Y = 0, or the point lying on the centre) or leave the finite numbers, has weight 1, so
/// that the weight is left out rather than written as a number the reader cannot use.
TFzyFloat BetaWeight(const TFuzzySet& FuzzySet, TFzyFloat Center) {
    const TFuzzySetValues& points = *FuzzySet.GetValues();
    const TFzyFloat inflectionPoint = FuzzySet.GetInflectionPoint();
    if (points.GetCount() < 2 || inflectionPoint == 0)
        return 1.0;
    const TFuzzySetValue* second = points[1];
    const TFzyFloat scaled = (second->GetX() - Center) / inflectionPoint;
    if (second->GetY() == 0 || scaled * scaled == 0)
        return 1.0;
    const TFzyFloat weight = (1 / second->GetY() - 1) / (scaled * scaled);
    return std::isfinite(weight) ? weight : 1.0;
}

/// A call of a built-in function: its name and its numbers.
struct TShapeCall {
    std::string Name;
    std::vector<TFzyFloat> Numbers;
};

std::string WriteCall(const TShapeCall& Call) {
    std::string text = "(" + Call.Name;
    for (const TFzyFloat number : Call.Numbers)
        text.append(" ").append(Format("%.4f", number));
    return text + ")";
}

TShapeCall BetaCall(const TFuzzySet& FuzzySet) {
    const TFzyFloat first = (*FuzzySet.GetValues())[0]->GetX();
    const TFzyFloat center = FuzzySet.MeanOfMaxima();
    const TFzyFloat inflectionPoint = FuzzySet.GetInflectionPoint();
    const TFzyFloat weight = BetaWeight(FuzzySet, center);
    TShapeCall call{"beta", {center - first, center}};
    // An inflection point halfway between the first X and the centre is the default of the
    // two-number form and is left out. A weight other than 1 needs the inflection point in
    // front of it, so then the inflection point is written even when it lies halfway.
    const bool writeWeight = !FloatEquals(weight, 1.0, WriterTolerance);
    if (writeWeight || !FloatEquals(inflectionPoint, first + (center - first) / 2, WriterTolerance))
        call.Numbers.push_back(inflectionPoint);
    if (writeWeight)
        call.Numbers.push_back(weight);
    return call;
}

TShapeCall PICall(const TFuzzySet& FuzzySet) {
    const TFuzzySetValues& points = *FuzzySet.GetValues();
    const TFzyFloat left = points[0]->GetX();
    const TFzyFloat right = points[points.GetCount() - 1]->GetX();
    const TFzyFloat center = FuzzySet.MeanOfMaxima();
    // A curve symmetric about its peak is written by half-width and centre.
    if (FloatEquals(center - left, right - center, WriterTolerance))
        return {"pi", {center - left, center}};
    return {"pi", {left, right, center}};
}

/// The call that describes a shape-typed set by its points, or none for a user-defined set.
std::optional<TShapeCall> ShapeCallOf(const TFuzzySet& FuzzySet) {
    const TFuzzySetValues& points = *FuzzySet.GetValues();
    const int count = points.GetCount();
    if (count < MinShapePoints)
        return std::nullopt;
    const TFzyFloat first = points[0]->GetX();
    const TFzyFloat last = points[count - 1]->GetX();
    switch (FuzzySet.GetSetType()) {
    case TFuzzySetType::fstTriangle:
        return TShapeCall{"tri", {first, points[1]->GetX(), points[2]->GetX()}};
    case TFuzzySetType::fstDeclineCurve:
        return TShapeCall{"z", {first, last}};
    case TFuzzySetType::fstGrowthCurve:
        return TShapeCall{"s", {first, last}};
    case TFuzzySetType::fstPICurve:
        return PICall(FuzzySet);
    case TFuzzySetType::fstBetaCurve:
        return BetaCall(FuzzySet);
    default:
        return std::nullopt;
    }
}

/// A free set on another set's axis, on which a call is tried out.
class TAxisSet : public TFuzzySet {
public:
    static std::unique_ptr<TAxisSet> Create(const TFuzzySet& Model) {
        auto set = std::unique_ptr<TAxisSet>(new TAxisSet());
        set->FMinimum = Model.GetXRange(1);
        set->FMaximum = Model.GetXRange(0);
        return std::unique_ptr<TAxisSet>(Initialize(std::move(set), nullptr));
    }
    TFzyFloat GetXRange(int Index) const override {
        return Index == 1 ? FMinimum : (Index == 0 ? FMaximum : TFuzzySet::GetXRange(Index));
    }

private:
    TAxisSet() = default;
    TFzyFloat FMinimum = 0;
    TFzyFloat FMaximum = 0;
};

/// The number of points the set's logic component gives its curves (the default without).
int CurvePoints(const TFuzzySet& FuzzySet) {
    const TFuzzyVariable* variable = FuzzySet.GetVariable();
    const TFuzzyLogic* logic = variable != nullptr ? variable->GetFuzzy() : nullptr;
    return logic != nullptr ? logic->GetNumFunctionValues()
                            : TFuzzyLogicSettings{}.NumFunctionValues;
}

/// The number the reader gets back from the number's four-decimal text.
std::optional<TFzyFloat> ReadBack(TFzyFloat Number) {
    const std::string text = Format("%.4f", Number);
    TFzyFloat value = 0;
    const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size())
        return std::nullopt;
    return value;
}

/// True when the call, read back from its text, makes the set's points again (within the
/// tolerance) and is written as the same call again. A shape clamped by its axis, a PI
/// curve whose flat top moves its centre, or a curve too flat for its weight to survive
/// four decimals fail this, and are written as their points instead.
bool Regenerates(const TFuzzySet& FuzzySet, const TShapeCall& Call) {
    TShapeCall readBack{Call.Name, {}};
    for (const TFzyFloat number : Call.Numbers) {
        const auto value = ReadBack(number);
        if (!value)
            return false;
        readBack.Numbers.push_back(*value);
    }
    const auto trial = TAxisSet::Create(FuzzySet);
    try {
        if (!CreateShapeOfCall(*trial, readBack.Name, readBack.Numbers, CurvePoints(FuzzySet)))
            return false;
    } catch (const Exception&) {
        return false; // numbers the shape refuses: the points are written instead
    }
    const TFuzzySetValues& expected = *FuzzySet.GetValues();
    const TFuzzySetValues& made = *trial->GetValues();
    if (made.GetCount() != expected.GetCount())
        return false;
    for (int i = 0; i < made.GetCount(); ++i)
        if (!FloatEquals(made[i]->GetX(), expected[i]->GetX(), WriterTolerance) ||
            !FloatEquals(made[i]->GetY(), expected[i]->GetY(), WriterTolerance))
            return false;
    const auto again = ShapeCallOf(*trial);
    return again && WriteCall(*again) == WriteCall(Call);
}

std::string WriteBody(const TFuzzySet& FuzzySet) {
    const TFuzzySetValues& points = *FuzzySet.GetValues();
    if (FuzzySet.GetSetType() == TFuzzySetType::fstUserDefined) {
        // A term cannot refer to itself: the reader does not know it yet while reading its
        // body. Terms whose expression is their own name (the automatic terms, terms read
        // from point lists) are therefore written by their points.
        const std::string& expression = FuzzySet.GetExpression();
        if (!expression.empty() && expression != FuzzySet.GetName())
            return expression;
        // No points: an empty body, which reads back as an empty set ("()" would not).
        if (points.GetCount() == 0)
            return std::string();
    }
    const auto call = ShapeCallOf(FuzzySet);
    return call && Regenerates(FuzzySet, *call) ? WriteCall(*call) : WritePointList(points);
}

// Appends Text as the characters of an atom from its character From on: each breaking
// character there gets its backslash. The runs between them are appended whole.
void AppendAtomCharacters(std::string& Out, std::string_view Text, std::size_t From) {
    std::size_t run = 0;
    for (std::size_t i = From; i < Text.size(); ++i) {
        if (!BreaksAtom(Text[i]))
            continue;
        Out.append(Text, run, i - run);
        Out += '\\';
        run = i;
    }
    Out.append(Text, run);
}

void AppendExpressionTokens(std::string& Out, const IFuzzyStreamTokenList& Tokens) {
    for (int i = 0; i < Tokens.GetCount(); ++i) {
        if (i > 0)
            Out += ' ';
        const auto token = Tokens.Get(i);
        if (!token)
            continue;
        switch (static_cast<TFuzzyStreamTokenType>(token->GetDataType())) {
        case TFuzzyStreamTokenType::fstVariable:
            // The mark is the atom's first character, so the name's first one is escaped too.
            Out += '?';
            AppendAtomCharacters(Out, token->GetText(), 0);
            break;
        case TFuzzyStreamTokenType::fstAtom:
            AppendAtomCharacters(Out, token->GetText(), 1);
            break;
        case TFuzzyStreamTokenType::fstString:
            Out += QuotedString(token->GetText());
            break;
        case TFuzzyStreamTokenType::fstList: {
            // Groups nest only as deep as the reader allows, so the recursion is bounded.
            Out += '(';
            if (const auto list = token->GetList())
                AppendExpressionTokens(Out, *list);
            Out += ')';
            break;
        }
        default:
            Out += token->ToString();
        }
    }
}

} // namespace

// The reader takes an atom's first character as it is, so it is written as is.
std::string AsAtom(const std::string& Text) {
    std::string atom;
    atom.reserve(Text.size());
    AppendAtomCharacters(atom, Text, 1);
    return atom;
}

/// The text between double quotes, with each double quote and backslash escaped by a
/// backslash: the reader resolves backslash escapes in strings, so any comment or units
/// text reads back unchanged.
std::string QuotedString(const std::string& Text) {
    std::string quoted = "\"";
    for (const char c : Text) {
        if (c == '"' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::string WriteExpressionTokens(const IFuzzyStreamTokenList& Tokens) {
    std::string text;
    AppendExpressionTokens(text, Tokens);
    return text;
}

std::string PrettyPrintFuzzySet(const TFuzzySet& FuzzySet, bool AsTerm) {
    const std::string name = FuzzySet.GetName() == SEmptyFuzzy ? std::string() : FuzzySet.GetName();
    if (!AsTerm)
        return name.empty() ? FuzzySet.GetExpression() : name;
    std::string text;
    if (!name.empty())
        text = "(term " + AsAtom(name) + " ";
    const std::string body = WriteBody(FuzzySet);
    // A body that starts with a string would be read as the comment: an empty comment
    // goes in front of it then.
    if (!FuzzySet.GetComment().empty() || body.starts_with('"'))
        text += QuotedString(FuzzySet.GetComment()) + " ";
    text += body;
    return text + ")";
}

std::string PrettyPrintFuzzyVariable(const TFuzzyVariable& Variable) {
    const std::string indent = IndentString;
    std::string text = "(deffuzzy " + AsAtom(Variable.GetName()) + " ";
    if (!Variable.GetComment().empty())
        text += std::string(LineBreak) + indent + QuotedString(Variable.GetComment());
    text += LineBreak;
    text += indent + "(range " + Format("%.4f %.4f", Variable.GetMinimum(), Variable.GetMaximum()) +
            ")" + std::string(LineBreak);
    if (!Variable.GetUnits().empty()) {
        const std::string& units = Variable.GetUnits();
        text += indent + "(units " + (ReadsBackAsSameAtom(units) ? units : QuotedString(units)) +
                ")" + std::string(LineBreak);
    }
    text += indent + "(values " + std::string(LineBreak);
    // The term collection is kept in index order, so its own order is the written order.
    for (const TFuzzySet* term : *Variable.GetItems())
        if (term->GetDefined())
            text += indent + indent + PrettyPrintFuzzySet(*term, true) + std::string(LineBreak);
    text += indent + ")" + std::string(LineBreak) + ")";
    return text;
}

} // namespace fuzzy
