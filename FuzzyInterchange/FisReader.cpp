// Reading FIS: "[Section]" headers, "Key=Value" lines, and rules as term indexes:
// "1 -2, 3 (0.5) : 1" is "if input1 is its term 1 and input2 is not its term 2 then
// output1 is its term 3 with weight 0.5" (": 2" joins with "or"; index 0 leaves the
// variable out).

#include <array>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "FuzzyInterchange/FisFormat.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyInterchange/detail/DescriptionChecks.hpp"
#include "FuzzyInterchange/detail/ReaderSupport.hpp"

namespace fuzzy {

namespace {

using namespace interchange;
using enum TTermShape;

/// A FIS membership function: its shape, and for each of the description's parameters the
/// position of the FIS parameter that gives it (empty: all, in order).
struct TFisShape {
    std::string_view Name;
    TTermShape Shape;
    std::vector<std::size_t> Order;
};

const std::array<TFisShape, 17>& FisShapes() {
    static const std::array<TFisShape, 17> shapes{{
        {"trimf", tsTriangle, {0, 1, 2}},
        {"trapmf", tsTrapezoid, {0, 1, 2, 3}},
        {"rectmf", tsRectangle, {0, 1}},
        {"rampmf", tsRamp, {0, 1}},
        {"discretemf", tsDiscrete, {}},
        {"gaussmf", tsGaussian, {1, 0}},
        {"gauss2mf", tsGaussianProduct, {1, 0, 3, 2}},
        {"gbellmf", tsBell, {2, 0, 1}},
        {"sigmf", tsSigmoid, {1, 0}},
        {"dsigmf", tsSigmoidDifference, {1, 0, 2, 3}},
        {"psigmf", tsSigmoidProduct, {1, 0, 2, 3}},
        {"cosinemf", tsCosine, {0, 1}},
        {"pimf", tsPiShape, {0, 1, 2, 3}},
        {"smf", tsSShape, {0, 1}},
        {"zmf", tsZShape, {0, 1}},
        {"concavemf", tsConcave, {0, 1}},
        {"spikemf", tsSpike, {0, 1}},
    }};
    return shapes;
}

struct TFisVariable {
    TVariableDescription Description;
    int Line = 0;
    std::map<int, std::pair<TTermDescription, int>> Terms;
    std::string DeclaredTerms;
    int DeclaredTermsLine = 0;
};

/// A cursor over one value, "'name':'trimf',[0 1 2]".
class TValueReader {
public:
    TValueReader(std::string_view Text, int Line) : FText(Text), FLine(Line) {}

    std::string Quoted() {
        Skip();
        if (FText.empty() || FText.front() != '\'')
            Fail("a quoted text");
        const std::size_t end = FText.find('\'', 1);
        if (end == std::string_view::npos)
            Fail("a closing quote");
        std::string text(FText.substr(1, end - 1));
        FText.remove_prefix(end + 1);
        return text;
    }
    void Expect(char C) {
        Skip();
        if (FText.empty() || FText.front() != C)
            Fail(std::string("\"") + C + "\"");
        FText.remove_prefix(1);
    }
    std::vector<TFzyFloat> Numbers() {
        Expect('[');
        const std::size_t end = FText.find(']');
        if (end == std::string_view::npos)
            Fail("\"]\"");
        std::vector<TFzyFloat> numbers;
        for (const TWord& word : SplitWords(FText.substr(0, end), FLine))
            numbers.push_back(ReadNumber(word.Text, FLine));
        FText.remove_prefix(end + 1);
        return numbers;
    }
    void End() {
        Skip();
        if (!FText.empty())
            Fail("the end of the line");
    }

private:
    void Skip() { FText = Trimmed(FText); }
    [[noreturn]] void Fail(std::string_view Expected) const {
        throw EFzyInterchangeException(FLine, SIcExpected, std::string(Expected),
                                       std::string(FText));
    }

    std::string_view FText;
    int FLine;
};

/// A count or an index: a whole number of at most nine digits.
int ReadIndex(const std::string& Text, int Line) {
    const TFzyFloat value = ReadNumber(Text, Line);
    if (value != std::trunc(value) || std::abs(value) > 999999999)
        throw EFzyInterchangeException(Line, SIcExpected, "a whole number", Text);
    return static_cast<int>(value);
}

/// A term's index in a rule; a fraction would be a hedge.
int ReadTermIndex(const std::string& Text, int Line) {
    const TFzyFloat value = ReadNumber(Text, Line);
    if (value != std::trunc(value))
        throw EFzyInterchangeException(Line, SIcRuleHedgeIndex, Text);
    return ReadIndex(Text, Line);
}

class TFisReader {
public:
    TControllerDescription Read(std::string_view Text) {
        ForEachLine(Text, [this](std::string_view Content, int Line) {
            Content = Trimmed(Content);
            if (!Content.empty() && Content.front() != '#' && Content.front() != '%')
                ReadLine(Content, Line);
        });
        return Finish();
    }

private:
    void ReadLine(std::string_view Content, int Line) {
        if (Content.front() == '[') {
            if (Content.back() != ']')
                throw EFzyInterchangeException(Line, SIcExpected, "\"]\"", std::string(Content));
            StartSection(std::string(Content.substr(1, Content.size() - 2)), Line);
        } else if (FSection == "Rules") {
            FRules.emplace_back(std::string(Content), Line);
        } else {
            const std::size_t equals = Content.find('=');
            if (equals == std::string_view::npos || FSection.empty())
                throw EFzyInterchangeException(Line, SIcExpected, "\"Key=Value\"",
                                               std::string(Content));
            const std::string key(Trimmed(Content.substr(0, equals)));
            const std::string_view value = Trimmed(Content.substr(equals + 1));
            if (FSection == "System")
                FSystem[key] = {std::string(value), Line};
            else
                ReadVariableKey(key, value, Line);
        }
    }

    void StartSection(const std::string& Name, int Line) {
        FSection = Name;
        FVariable = nullptr;
        for (const bool output : {false, true}) {
            const std::string prefix = output ? "Output" : "Input";
            if (Name.starts_with(prefix) && Name.size() > prefix.size()) {
                const int index = ReadIndex(Name.substr(prefix.size()), Line);
                auto& variables = output ? FOutputs : FInputs;
                if (variables.contains(index))
                    throw EFzyInterchangeException(Line, SIcDuplicate, "The section", Name);
                FVariable = &variables[index];
                FVariable->Line = Line;
                FVariable->Description.Role =
                    output ? TVariableRole::vrOutput : TVariableRole::vrInput;
                return;
            }
        }
        if (Name != "System" && Name != "Rules")
            throw EFzyInterchangeException(Line, SIcUnknownKey, "section", Name);
    }

    void ReadVariableKey(const std::string& Key, std::string_view Value, int Line) {
        TValueReader reader(Value, Line);
        if (Key == "Name") {
            FVariable->Description.Name = reader.Quoted();
        } else if (Key == "Range") {
            const std::vector<TFzyFloat> range = reader.Numbers();
            if (range.size() != 2)
                throw EFzyInterchangeException(Line, SIcExpected, "two numbers",
                                               std::string(Value));
            FVariable->Description.Minimum = range[0];
            FVariable->Description.Maximum = range[1];
        } else if (Key == "NumMFs") {
            FVariable->DeclaredTerms = Value;
            FVariable->DeclaredTermsLine = Line;
            return;
        } else if (Key.starts_with("MF") && Key.size() > 2) {
            const int index = ReadIndex(Key.substr(2), Line);
            if (FVariable->Terms.contains(index))
                throw EFzyInterchangeException(Line, SIcDuplicate, "The membership function", Key);
            FVariable->Terms[index] = {ReadTerm(reader, Line), Line};
        } else {
            throw EFzyInterchangeException(Line, SIcUnknownKey, "key", Key);
        }
        reader.End();
    }

    static TTermDescription ReadTerm(TValueReader& Reader, int Line) {
        TTermDescription term;
        term.Name = Reader.Quoted();
        Reader.Expect(':');
        const std::string type = Reader.Quoted();
        Reader.Expect(',');
        const std::vector<TFzyFloat> numbers = Reader.Numbers();
        const auto& shapes = FisShapes();
        const auto shape = std::find_if(shapes.begin(), shapes.end(),
                                        [&](const TFisShape& entry) { return entry.Name == type; });
        if (shape == shapes.end())
            throw EFzyInterchangeException(Line, SIcUnknownShape, type);
        term.Shape = shape->Shape;
        if (shape->Order.empty()) {
            term.Parameters = numbers;
        } else if (numbers.size() != shape->Order.size()) {
            throw EFzyInterchangeException(Line, SIcParameterCount, type,
                                           static_cast<int>(shape->Order.size()),
                                           static_cast<int>(numbers.size()));
        } else {
            for (std::size_t position : shape->Order)
                term.Parameters.push_back(numbers[position]);
        }
        return term;
    }

    /// The value of a [System] key, or Default when it is missing.
    std::pair<std::string, int> System(const std::string& Key,
                                       const std::string& Default = "") const {
        const auto found = FSystem.find(Key);
        if (found == FSystem.end())
            return {Default, 0};
        return found->second;
    }

    static void CheckCount(const std::pair<std::string, int>& Declared, std::string_view What,
                           std::size_t Actual) {
        if (Declared.first.empty())
            return;
        const int declared = ReadIndex(Declared.first, Declared.second);
        if (declared != static_cast<int>(Actual))
            throw EFzyInterchangeException(Declared.second, SIcCountMismatch, std::string(What),
                                           declared, static_cast<int>(Actual));
    }

    /// The variables in index order, each with its terms; the indexes must run from 1.
    void AddVariables(std::map<int, TFisVariable>& Variables, std::string_view What) {
        int expected = 1;
        for (auto& [index, variable] : Variables) {
            if (index != expected++)
                throw EFzyInterchangeException(variable.Line, SIcUnknownKey, "section",
                                               std::string(What) + std::to_string(index));
            CheckCount({variable.DeclaredTerms, variable.DeclaredTermsLine}, "NumMFs",
                       variable.Terms.size());
            FLines.Variables.push_back(variable.Line);
            FLines.Terms.emplace_back();
            int expectedTerm = 1;
            for (auto& [termIndex, term] : variable.Terms) {
                if (termIndex != expectedTerm++)
                    throw EFzyInterchangeException(term.second, SIcUnknownKey, "key",
                                                   "MF" + std::to_string(termIndex));
                variable.Description.Terms.push_back(term.first);
                FLines.Terms.back().push_back(term.second);
            }
            FDescription.Variables.push_back(variable.Description);
        }
    }

    TControllerDescription Finish();
    TRuleDescription ReadRule(const std::string& Text, int Line) const;

    std::string FSection;
    std::map<std::string, std::pair<std::string, int>> FSystem;
    std::map<int, TFisVariable> FInputs;
    std::map<int, TFisVariable> FOutputs;
    TFisVariable* FVariable = nullptr;
    std::vector<std::pair<std::string, int>> FRules;
    TControllerDescription FDescription;
    TSourceLines FLines;
    std::string FAnd;
    std::string FOr;
};

TControllerDescription TFisReader::Finish() {
    const TFormatNames& names = FisNames();
    auto quoted = [&](const std::string& Key, const std::string& Default) {
        const auto [value, line] = System(Key, "'" + Default + "'");
        TValueReader reader(value, line);
        std::string text = reader.Quoted();
        reader.End();
        return std::pair(text, line);
    };
    const auto type = quoted("Type", "mamdani");
    if (type.first != "mamdani")
        throw EFzyInterchangeException(type.second, SIcUnsupported, "system type", type.first);
    FDescription.Name = quoted("Name", "").first;
    const auto andMethod = quoted("AndMethod", "min");
    FAnd =
        BlockConnective(names.Conjunctions, andMethod.first, false, "AndMethod", andMethod.second);
    const auto orMethod = quoted("OrMethod", "max");
    FOr = BlockConnective(names.Disjunctions, orMethod.first, false, "OrMethod", orMethod.second);
    TSetting<TFuzzyCorrelationMethod> correlation("ImpMethod");
    const auto impMethod = quoted("ImpMethod", "min");
    correlation.Settle(names.Correlations, impMethod.first, false, impMethod.second);
    TSetting<TFuzzyInferenceMethod> inference("AggMethod");
    const auto aggMethod = quoted("AggMethod", "max");
    inference.Settle(names.Inferences, aggMethod.first, false, aggMethod.second);
    TSetting<TDefuzzificationMethod> defuzzification("DefuzzMethod");
    const auto defuzzMethod = quoted("DefuzzMethod", "centroid");
    defuzzification.Settle(names.Defuzzifications, defuzzMethod.first, false, defuzzMethod.second);
    FDescription.CorrelationMethod = correlation.Or(TFuzzyCorrelationMethod::fcmMinimum);
    FDescription.InferenceMethod = inference.Or(TFuzzyInferenceMethod::fimMinMax);
    FDescription.DefuzzificationMethod =
        defuzzification.Or(TDefuzzificationMethod::dmCenterOfGravity);

    CheckCount(System("NumInputs"), "NumInputs", FInputs.size());
    CheckCount(System("NumOutputs"), "NumOutputs", FOutputs.size());
    CheckCount(System("NumRules"), "NumRules", FRules.size());
    AddVariables(FInputs, "Input");
    AddVariables(FOutputs, "Output");
    for (const auto& [text, line] : FRules) {
        FDescription.Rules.push_back(ReadRule(text, line));
        FLines.Rules.push_back(line);
    }
    FinishDescription(FDescription, FLines);
    return std::move(FDescription);
}

TRuleDescription TFisReader::ReadRule(const std::string& Text, int Line) const {
    const std::size_t open = Text.find('(');
    const std::size_t close = Text.find(')', open == std::string::npos ? 0 : open);
    const std::size_t colon = Text.find(':', close == std::string::npos ? 0 : close);
    const std::size_t comma = Text.find(',');
    if (comma == std::string::npos || open == std::string::npos || comma > open ||
        close == std::string::npos || colon == std::string::npos)
        throw EFzyInterchangeException(Line, SIcExpected,
                                       "\"premises, conclusions (weight) : connection\"", Text);
    const std::vector<TWord> premises = SplitWords(std::string_view(Text).substr(0, comma), Line);
    const std::vector<TWord> conclusions =
        SplitWords(std::string_view(Text).substr(comma + 1, open - comma - 1), Line);
    const std::vector<TWord> weight =
        SplitWords(std::string_view(Text).substr(open + 1, close - open - 1), Line);
    const std::vector<TWord> connection =
        SplitWords(std::string_view(Text).substr(colon + 1), Line);
    if (premises.size() != FInputs.size() || conclusions.size() != FOutputs.size() ||
        weight.size() != 1 || connection.size() != 1)
        throw EFzyInterchangeException(Line, SIcExpected,
                                       "one index per variable, a weight and a connection", Text);

    TRuleDescription rule;
    auto termName = [&](const TVariableDescription& Variable, int Index) {
        if (Index > static_cast<int>(Variable.Terms.size()))
            throw EFzyInterchangeException(Line, SIcUnknownRuleTerm, std::to_string(Index),
                                           Variable.Name);
        return Variable.Terms[static_cast<std::size_t>(Index - 1)].Name;
    };
    for (std::size_t i = 0; i < premises.size(); ++i) {
        const int index = ReadTermIndex(premises[i].Text, Line);
        const TVariableDescription& variable = FDescription.Variables[i];
        if (index != 0)
            rule.Premises.push_back(
                {variable.Name, termName(variable, std::abs(index)), {}, index < 0});
    }
    for (std::size_t i = 0; i < conclusions.size(); ++i) {
        const int index = ReadTermIndex(conclusions[i].Text, Line);
        const TVariableDescription& variable = FDescription.Variables[FInputs.size() + i];
        if (index < 0)
            throw EFzyInterchangeException(Line, SIcUnsupported, "negated conclusion",
                                           conclusions[i].Text);
        if (index != 0)
            rule.Conclusions.push_back({variable.Name, termName(variable, index)});
    }
    rule.Weight = ReadNumber(weight[0].Text, Line);
    const int joiner = ReadIndex(connection[0].Text, Line);
    if (joiner != 1 && joiner != 2)
        throw EFzyInterchangeException(Line, SIcExpected, "connection 1 (and) or 2 (or)",
                                       connection[0].Text);
    if (rule.Premises.size() > 1)
        rule.Connective = joiner == 1 ? FAnd : FOr;
    return rule;
}

} // namespace

TControllerDescription ReadFis(std::string_view Text) {
    return TFisReader().Read(Text);
}

} // namespace fuzzy
