#include "FuzzyRules/detail/RuleResolution.hpp"

#include <algorithm>

#include "FuzzyRules/FuzzyRuleMessages.hpp"

namespace fuzzy::rules {

void CheckComplete(const TFuzzyRule& Rule) {
    if (Rule.GetPremises().empty())
        throw EFzyRuleException(SRuleWithoutPremise, Rule.GetIndex());
    if (Rule.GetConclusions().empty())
        throw EFzyRuleException(SRuleWithoutConclusion, Rule.GetIndex());
}

const TFuzzyVariable& VariableOf(const TFuzzyVariables& Variables, const std::string& Name,
                                 int Rule) {
    const int index = Variables.IndexOf(Name);
    if (index < 0)
        throw EFzyRuleException(SRuleUnknownVariable, Rule, Name);
    return *Variables.GetItem(index);
}

const TFuzzySet& TermOf(const TFuzzyVariable& Variable, const std::string& Term, int Rule) {
    const int index = Variable.GetItems()->IndexOf(Term);
    if (index < 0)
        throw EFzyRuleException(SRuleUnknownTerm, Rule, Variable.GetName(), Term);
    return *Variable.GetItems()->GetItem(index);
}

std::unique_ptr<TFuzzySet> PremiseSet(const TFuzzySet& Term, const TFuzzyPremise& Premise) {
    std::unique_ptr<TFuzzySet> set(TFuzzySet::Create(nullptr));
    set->Assign(&Term);
    for (const TFuzzyHedge hedge : Premise.Hedges)
        set->Hedge(hedge);
    if (Premise.Negated)
        set->Hedge(TFuzzyHedge::fhNot);
    return set;
}

std::size_t IndexOfName(std::vector<std::string>& Names, const std::string& Name) {
    const auto found = std::ranges::find(Names, Name);
    if (found != Names.end())
        return static_cast<std::size_t>(found - Names.begin());
    Names.push_back(Name);
    return Names.size() - 1;
}

} // namespace fuzzy::rules
