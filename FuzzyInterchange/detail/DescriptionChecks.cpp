// Checks of a controller description, and the points of its terms.

#include "FuzzyInterchange/detail/DescriptionChecks.hpp"

#include <algorithm>
#include <cmath>
#include <set>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/TermShapes.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy {

namespace interchange {

namespace {

int LineAt(const std::vector<int>& Lines, std::size_t Index) {
    return Index < Lines.size() ? Lines[Index] : 0;
}

template <class Words>
bool IsWordOf(const Words& Table, const std::string& Word) {
    return std::find(Table.begin(), Table.end(), Word) != Table.end();
}

// The sum family has no intersection.
bool IsConnective(const std::string& Word) {
    return (IsWordOf(FuzzyIntersectionKeywords, Word) &&
            Word != FuzzyIntersectionKeywords[TFuzzyOperation::foSum]) ||
           IsWordOf(FuzzyUnionKeywords, Word);
}

bool IsHedge(const std::string& Word) {
    return Word != HedgeNames[TFuzzyHedge::fhNot] && IsWordOf(HedgeNames, Word);
}

void CheckVariables(const TControllerDescription& Description, const TSourceLines& Lines) {
    std::set<std::string> variableNames;
    for (std::size_t v = 0; v < Description.Variables.size(); ++v) {
        const TVariableDescription& variable = Description.Variables[v];
        const int line = Lines.Variable(v);
        if (variable.Name.empty() || !variableNames.insert(variable.Name).second)
            throw EFzyInterchangeException(line, SIcDuplicate, "The variable", variable.Name);
        if (!std::isfinite(variable.Minimum) || !std::isfinite(variable.Maximum) ||
            !(variable.Minimum < variable.Maximum) ||
            !std::isfinite(variable.Maximum - variable.Minimum))
            throw EFzyInterchangeException(line, SIcInvalidRange, variable.Name);
        std::set<std::string> termNames;
        for (std::size_t t = 0; t < variable.Terms.size(); ++t)
            if (variable.Terms[t].Name.empty() || !termNames.insert(variable.Terms[t].Name).second)
                throw EFzyInterchangeException(Lines.Term(v, t), SIcDuplicate, "The term",
                                               variable.Terms[t].Name);
    }
}

const TVariableDescription& KnownVariable(const TControllerDescription& Description,
                                          const std::string& Variable, const std::string& Term,
                                          int Line) {
    const TVariableDescription* variable = Description.FindVariable(Variable);
    if (variable == nullptr)
        throw EFzyInterchangeException(Line, SIcUnknownRuleVariable, Variable);
    if (FindTerm(*variable, Term) == nullptr)
        throw EFzyInterchangeException(Line, SIcUnknownRuleTerm, Term, Variable);
    return *variable;
}

void CheckRule(const TControllerDescription& Description, const TRuleDescription& Rule, int Line) {
    if (Rule.Premises.empty() || Rule.Conclusions.empty())
        throw EFzyInterchangeException(Line, SIcEmptyRule);
    if (!Rule.Connective.empty() && !IsConnective(Rule.Connective))
        throw EFzyInterchangeException(Line, SIcInvalidConnective, Rule.Connective);
    if (Rule.Premises.size() > 1 && Rule.Connective.empty())
        throw EFzyInterchangeException(Line, SIcMissingConnective);
    for (const TPremiseDescription& premise : Rule.Premises) {
        KnownVariable(Description, premise.Variable, premise.Term, Line);
        for (const std::string& hedge : premise.Hedges)
            if (!IsHedge(hedge))
                throw EFzyInterchangeException(Line, SIcInvalidHedge, hedge);
    }
    for (const TConclusionDescription& conclusion : Rule.Conclusions)
        if (KnownVariable(Description, conclusion.Variable, conclusion.Term, Line).Role !=
            TVariableRole::vrOutput)
            throw EFzyInterchangeException(Line, SIcConclusionOnInput, conclusion.Variable);
    if (!(Rule.Weight >= 0 && Rule.Weight <= 1))
        throw EFzyInterchangeException(Line, SIcInvalidWeight, WriteNumber(Rule.Weight));
}

} // namespace

int TSourceLines::Variable(std::size_t Index) const {
    return LineAt(Variables, Index);
}

int TSourceLines::Term(std::size_t VariableIndex, std::size_t TermIndex) const {
    return VariableIndex < Terms.size() ? LineAt(Terms[VariableIndex], TermIndex) : 0;
}

int TSourceLines::Rule(std::size_t Index) const {
    return LineAt(Rules, Index);
}

void CheckDescription(const TControllerDescription& Description, const TSourceLines& Lines) {
    CheckVariables(Description, Lines);
    if (!(Description.Threshold >= 0 && Description.Threshold <= 1))
        throw EFzyInterchangeException(0, SIcInvalidThreshold, WriteNumber(Description.Threshold));
    for (std::size_t r = 0; r < Description.Rules.size(); ++r)
        CheckRule(Description, Description.Rules[r], Lines.Rule(r));
}

void FinishDescription(TControllerDescription& Description, const TSourceLines& Lines) {
    CheckDescription(Description, Lines);
    for (std::size_t v = 0; v < Description.Variables.size(); ++v) {
        TVariableDescription& variable = Description.Variables[v];
        for (std::size_t t = 0; t < variable.Terms.size(); ++t) {
            TTermDescription& term = variable.Terms[t];
            term.Points = ShapePoints(term.Shape, term.Parameters, variable.Minimum,
                                      variable.Maximum, Lines.Term(v, t));
        }
    }
}

} // namespace interchange

} // namespace fuzzy
