// Reading FLL: one "key: value" per line, sections started by "Engine:", "InputVariable:",
// "OutputVariable:" and "RuleBlock:", comments from '#' to the end of the line.

#include <string>
#include <vector>

#include "FuzzyInterchange/FllFormat.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyInterchange/detail/DescriptionChecks.hpp"
#include "FuzzyInterchange/detail/ReaderSupport.hpp"
#include "FuzzyInterchange/detail/RuleText.hpp"

namespace fuzzy {

namespace {

using namespace interchange;

enum class TSection { None, Engine, Variable, RuleBlock };

class TFllReader {
public:
    TControllerDescription Read(std::string_view Text) {
        ForEachLine(Text, [this](std::string_view Content, int Line) {
            Content = Trimmed(Content.substr(0, Content.find('#')));
            if (!Content.empty())
                ReadLine(Content, Line);
        });
        FinishVariable();
        FDescription.CorrelationMethod = FCorrelation.Or(TFuzzyCorrelationMethod::fcmMinimum);
        FDescription.InferenceMethod = FInference.Or(TFuzzyInferenceMethod::fimMinMax);
        FDescription.DefuzzificationMethod =
            FDefuzzification.Or(TDefuzzificationMethod::dmCenterOfGravity);
        FDescription.Threshold = FThreshold.Or(0);
        FinishDescription(FDescription, FLines);
        return std::move(FDescription);
    }

private:
    void ReadLine(std::string_view Content, int Line) {
        const std::size_t colon = Content.find(':');
        if (colon == std::string_view::npos)
            throw EFzyInterchangeException(Line, SIcExpected, "\"key: value\"",
                                           std::string(Content));
        const std::string key(Trimmed(Content.substr(0, colon)));
        const std::string value(Trimmed(Content.substr(colon + 1)));
        if (key == "Engine")
            StartEngine(value, Line);
        else if (key == "InputVariable" || key == "OutputVariable")
            StartVariable(value, key == "OutputVariable", Line);
        else if (key == "RuleBlock")
            StartRuleBlock(Line);
        else if (FSection == TSection::Variable)
            ReadVariableProperty(key, value, Line);
        else if (FSection == TSection::RuleBlock)
            ReadRuleBlockProperty(key, value, Line);
        else if (FSection == TSection::Engine && key == "description")
            FDescription.Comment = value;
        else
            throw EFzyInterchangeException(Line, SIcUnknownKey, "key", key);
    }

    void StartEngine(const std::string& Name, int Line) {
        if (FSection != TSection::None)
            throw EFzyInterchangeException(Line, SIcUnknownKey, "key", "Engine");
        FDescription.Name = Name;
        FSection = TSection::Engine;
    }

    void StartVariable(const std::string& Name, bool Output, int Line) {
        FinishVariable();
        TVariableDescription variable;
        variable.Name = Name;
        variable.Role = Output ? TVariableRole::vrOutput : TVariableRole::vrInput;
        FDescription.Variables.push_back(std::move(variable));
        FLines.Variables.push_back(Line);
        FLines.Terms.emplace_back();
        FSection = TSection::Variable;
        FRangeRead = false;
    }

    void StartRuleBlock(int) {
        FinishVariable();
        FBlock = {};
        FSection = TSection::RuleBlock;
    }

    void FinishVariable() {
        if (FSection == TSection::Variable && !FRangeRead)
            TakeRangeFromTerms(FDescription.Variables.back(), FLines.Variables.back());
    }

    /// Value must be "true" or "false"; only Wanted has a counterpart in the library.
    static void RequireFlag(const std::string& Key, const std::string& Value, bool Wanted,
                            int Line) {
        if (Value != "true" && Value != "false")
            throw EFzyInterchangeException(Line, SIcExpected, "true or false", Value);
        if ((Value == "true") != Wanted)
            throw EFzyInterchangeException(Line, SIcUnsupportedSetting, Key, Value);
    }

    void ReadVariableProperty(const std::string& Key, const std::string& Value, int Line) {
        TVariableDescription& variable = FDescription.Variables.back();
        const bool output = variable.Role == TVariableRole::vrOutput;
        const std::vector<TWord> words = SplitWords(Value, Line);
        if (Key == "description") {
            variable.Comment = Value;
        } else if (Key == "enabled") {
            RequireFlag(Key, Value, true, Line);
        } else if (Key == "lock-range") {
            // The library keeps inputs inside the range and its answers lie inside it, so
            // either value reads the same for inputs within the range.
            if (Value != "true" && Value != "false")
                throw EFzyInterchangeException(Line, SIcExpected, "true or false", Value);
        } else if (Key == "range") {
            if (words.size() != 2)
                throw EFzyInterchangeException(Line, SIcExpected, "two numbers", Value);
            variable.Minimum = ReadNumber(words[0].Text, Line);
            variable.Maximum = ReadNumber(words[1].Text, Line);
            FRangeRead = true;
        } else if (Key == "term") {
            variable.Terms.push_back(ReadTerm(words, Line));
            FLines.Terms.back().push_back(Line);
        } else if (output && Key == "aggregation") {
            FInference.Settle(FllNames().Inferences, Value, true, Line);
        } else if (output && Key == "defuzzifier") {
            // The centre of gravity is exact here, so a resolution has nothing to set; it
            // is checked to be a number all the same, once the defuzzifier is known to be
            // one of ours (a weighted average takes a word there, and is refused by name).
            if (words.empty() || words.size() > 2)
                throw EFzyInterchangeException(Line, SIcExpected, "a defuzzifier", Value);
            FDefuzzification.Settle(FllNames().Defuzzifications, words[0].Text, true, Line);
            if (words.size() == 2)
                static_cast<void>(ReadNumber(words[1].Text, Line));
        } else if (output && Key == "default") {
            if (Value != "nan")
                variable.DefaultValue = ReadNumber(Value, Line);
        } else if (output && Key == "lock-previous") {
            RequireFlag(Key, Value, false, Line);
        } else {
            throw EFzyInterchangeException(Line, SIcUnknownKey, "key", Key);
        }
    }

    static TTermDescription ReadTerm(const std::vector<TWord>& Words, int Line) {
        if (Words.size() < 2)
            throw EFzyInterchangeException(Line, SIcExpected, "a term name and shape",
                                           Words.empty() ? std::string() : Words[0].Text);
        const TTermShapeInfo* shape = FindTermShape(Words[1].Text);
        if (shape == nullptr)
            throw EFzyInterchangeException(Line, SIcUnknownShape, Words[1].Text);
        TTermDescription term;
        term.Name = Words[0].Text;
        term.Shape = shape->Shape;
        for (std::size_t i = 2; i < Words.size(); ++i)
            term.Parameters.push_back(ReadNumber(Words[i].Text, Line));
        // A last number past the shape's own is the term's height.
        if (shape->ParameterCount > 0 &&
            term.Parameters.size() == static_cast<std::size_t>(shape->ParameterCount) + 1) {
            if (term.Parameters.back() != 1)
                throw EFzyInterchangeException(Line, SIcTermHeight);
            term.Parameters.pop_back();
        }
        return term;
    }

    void ReadRuleBlockProperty(const std::string& Key, const std::string& Value, int Line) {
        const TFormatNames& names = FllNames();
        if (Key == "description") {
            // A rule block's comment has no place in the description; it only explains.
        } else if (Key == "enabled") {
            RequireFlag(Key, Value, true, Line);
        } else if (Key == "conjunction") {
            FBlock.And = BlockConnective(names.Conjunctions, Value, true, "conjunction", Line);
        } else if (Key == "disjunction") {
            FBlock.Or = BlockConnective(names.Disjunctions, Value, true, "disjunction", Line);
        } else if (Key == "implication") {
            FCorrelation.Settle(names.Correlations, Value, true, Line);
        } else if (Key == "activation") {
            ReadActivation(Value, Line);
        } else if (Key == "rule") {
            const std::vector<TWord> words = SplitWords(Value, Line);
            FDescription.Rules.push_back(ReadRule(words, FBlock));
            FLines.Rules.push_back(Line);
        } else {
            throw EFzyInterchangeException(Line, SIcUnknownKey, "key", Key);
        }
    }

    // "General" fires every rule: threshold 0. "Threshold >= t" fires the rules whose
    // strength reaches t, which is what the library's threshold does.
    void ReadActivation(const std::string& Value, int Line) {
        const std::vector<TWord> words = SplitWords(Value, Line);
        if (words.size() == 1 && words[0].Text == "General") {
            FThreshold.Record(0, Value, Line);
        } else if (words.size() == 3 && words[0].Text == "Threshold" && words[1].Text == ">=") {
            const TFzyFloat threshold = ReadNumber(words[2].Text, Line);
            if (!(threshold >= 0 && threshold <= 1))
                throw EFzyInterchangeException(Line, SIcInvalidThreshold, words[2].Text);
            FThreshold.Record(threshold, Value, Line);
        } else {
            throw EFzyInterchangeException(Line, SIcUnsupported, "activation", Value);
        }
    }

    TControllerDescription FDescription;
    TSourceLines FLines;
    TSection FSection = TSection::None;
    bool FRangeRead = false;
    TBlockConnectives FBlock;
    TSetting<TFuzzyCorrelationMethod> FCorrelation{"implication"};
    TSetting<TFuzzyInferenceMethod> FInference{"aggregation"};
    TSetting<TDefuzzificationMethod> FDefuzzification{"defuzzifier"};
    TSetting<TFzyFloat> FThreshold{"activation"};
};

} // namespace

TControllerDescription ReadFll(std::string_view Text) {
    return TFllReader().Read(Text);
}

} // namespace fuzzy
