// Reading and writing the rule text of FLL and FCL.

#include "FuzzyInterchange/detail/RuleText.hpp"

#include <algorithm>
#include <array>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/detail/WordCursor.hpp"

namespace fuzzy::interchange {

namespace {

struct TNamedHedge {
    std::string_view Name;
    std::string_view Word;
};

/// The formats' hedges that the library has, with the library's word for each.
constexpr std::array<TNamedHedge, 2> KnownHedges{
    {{"very", HedgeNames[TFuzzyHedge::fhVery]},
     {"somewhat", HedgeNames[TFuzzyHedge::fhMoreOrLess]}}};
/// Hedges of the formats whose formulas the library does not have.
constexpr std::array<std::string_view, 3> ForeignHedges{"extremely", "seldom", "any"};

/// The words with every parenthesis a word of its own.
std::vector<TWord> SeparateParentheses(std::span<const TWord> Words) {
    std::vector<TWord> result;
    for (const TWord& word : Words) {
        std::string_view text = word.Text;
        while (!text.empty() && text.front() == '(') {
            result.push_back({"(", word.Line});
            text.remove_prefix(1);
        }
        std::size_t closing = 0;
        while (!text.empty() && text.back() == ')') {
            ++closing;
            text.remove_suffix(1);
        }
        if (!text.empty())
            result.push_back({std::string(text), word.Line});
        result.insert(result.end(), closing, TWord{")", word.Line});
    }
    return result;
}

class TRuleReader : private TWordCursor {
public:
    TRuleReader(std::vector<TWord> Words, const TBlockConnectives& Block)
        : TWordCursor(std::move(Words), "a rule", 0), FBlock(Block) {}

    TRuleDescription Read() {
        Expect("if");
        ReadPremises();
        ReadConclusions();
        if (!AtEnd())
            Fail("the end of the rule");
        return FRule;
    }

private:
    std::string Name(std::string_view What) {
        if (AtEnd() || Next().Text == "(" || Next().Text == ")")
            Fail(What);
        return Take(What);
    }

    void ReadPremises() {
        int depth = 0;
        std::string joiner;
        while (true) {
            for (; NextIs("("); Skip())
                ++depth;
            ReadPremise();
            for (; NextIs(")"); Skip())
                if (--depth < 0)
                    throw EFzyInterchangeException(Line(), SIcUnbalancedParentheses);
            if (NextIs("then"))
                break;
            if (!NextIs("and") && !NextIs("or"))
                Fail("\"and\", \"or\" or \"then\"");
            const std::string word = Next().Text;
            if (!joiner.empty() && !SameWord(joiner, word))
                throw EFzyInterchangeException(Line(), SIcMixedConnectives, joiner, word);
            joiner = word;
            Skip();
        }
        if (depth != 0)
            throw EFzyInterchangeException(Line(), SIcUnbalancedParentheses);
        Skip();
        if (!joiner.empty()) {
            const bool conjunction = SameWord(joiner, "and");
            FRule.Connective = conjunction ? FBlock.And : FBlock.Or;
            if (FRule.Connective.empty())
                throw EFzyInterchangeException(Line(), SIcNoConnectiveMethod,
                                               conjunction ? "and" : "or");
        }
    }

    void ReadPremise() {
        TPremiseDescription premise;
        premise.Variable = Name("a variable");
        Expect("is");
        if (NextIs("not")) {
            premise.Negated = true;
            Skip();
        }
        while (!AtEnd()) {
            const std::string& word = Next().Text;
            if (std::any_of(ForeignHedges.begin(), ForeignHedges.end(),
                            [&](std::string_view hedge) { return SameWord(hedge, word); }))
                throw EFzyInterchangeException(Line(), SIcUnsupportedHedge, word);
            const auto known =
                std::find_if(KnownHedges.begin(), KnownHedges.end(),
                             [&](const auto& hedge) { return SameWord(hedge.Name, word); });
            if (known == KnownHedges.end())
                break;
            premise.Hedges.emplace_back(known->Word);
            Skip();
        }
        premise.Term = Name("a term");
        FRule.Premises.push_back(std::move(premise));
    }

    void ReadConclusions() {
        while (true) {
            TConclusionDescription conclusion;
            conclusion.Variable = Name("a variable");
            Expect("is");
            conclusion.Term = Name("a term");
            FRule.Conclusions.push_back(std::move(conclusion));
            if (!NextIs("and"))
                break;
            Skip();
        }
        if (NextIs("with")) {
            Skip();
            if (AtEnd())
                Fail("a weight");
            FRule.Weight = ReadNumber(Next().Text, Line());
            if (!(FRule.Weight >= 0 && FRule.Weight <= 1))
                throw EFzyInterchangeException(Line(), SIcInvalidWeight, Next().Text);
            Skip();
        }
    }

    const TBlockConnectives& FBlock;
    TRuleDescription FRule;
};

bool IsConjunction(const std::string& Connective) {
    return std::find(FuzzyIntersectionKeywords.begin(), FuzzyIntersectionKeywords.end(),
                     Connective) != FuzzyIntersectionKeywords.end();
}

} // namespace

TRuleDescription ReadRule(std::span<const TWord> Words, const TBlockConnectives& Block) {
    return TRuleReader(SeparateParentheses(Words), Block).Read();
}

std::string WriteRule(const TRuleDescription& Rule, bool CapitalKeywords, std::string_view Format) {
    auto keyword = [&](std::string_view word) {
        return CapitalKeywords ? UpperCase(word) : std::string(word);
    };
    // Built by appending: g++ 12 at -O3 warns falsely about a literal put before a
    // temporary string.
    auto spaced = [&](std::string_view word) {
        std::string text(1, ' ');
        text += keyword(word);
        text += ' ';
        return text;
    };
    const std::string joiner = spaced(IsConjunction(Rule.Connective) ? "and" : "or");
    std::string text = keyword("if") + " ";
    for (std::size_t i = 0; i < Rule.Premises.size(); ++i) {
        const TPremiseDescription& premise = Rule.Premises[i];
        text += (i > 0 ? joiner : "") + premise.Variable + " " + keyword("is") + " ";
        if (premise.Negated)
            text += keyword("not") + " ";
        for (const std::string& hedge : premise.Hedges) {
            const auto known = std::find_if(KnownHedges.begin(), KnownHedges.end(),
                                            [&](const auto& entry) { return entry.Word == hedge; });
            if (known == KnownHedges.end())
                throw EFzyInterchangeException(0, SIcUnwritable, "hedge", hedge,
                                               std::string(Format));
            text += keyword(known->Name) + " ";
        }
        text += premise.Term;
    }
    text += spaced("then");
    for (std::size_t i = 0; i < Rule.Conclusions.size(); ++i)
        text += (i > 0 ? spaced("and") : "") + Rule.Conclusions[i].Variable + spaced("is") +
                Rule.Conclusions[i].Term;
    if (Rule.Weight != 1)
        text += spaced("with") + WriteNumber(Rule.Weight);
    return text;
}

std::vector<TRuleGroup> GroupRules(const std::vector<TRuleDescription>& Rules) {
    std::vector<TRuleGroup> groups(1);
    for (std::size_t i = 0; i < Rules.size(); ++i) {
        const std::string& connective = Rules[i].Connective;
        TRuleGroup* group = &groups.back();
        if (!connective.empty()) {
            std::string& slot =
                IsConjunction(connective) ? group->Connectives.And : group->Connectives.Or;
            if (!slot.empty() && slot != connective) {
                groups.push_back({{}, i, 0});
                group = &groups.back();
            }
            (IsConjunction(connective) ? group->Connectives.And : group->Connectives.Or) =
                connective;
        }
        ++group->Count;
    }
    return groups;
}

} // namespace fuzzy::interchange
