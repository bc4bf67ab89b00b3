#include "FuzzyInterchange/RuleBridge.hpp"

#include <algorithm>
#include <string>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"

namespace fuzzy {

void FillFuzzyRules(const TControllerDescription& Description, TFuzzyRules& Rules) {
    for (const TRuleDescription& described : Description.Rules) {
        std::vector<TFuzzyPremise> premises;
        for (const TPremiseDescription& premise : described.Premises) {
            std::vector<TFuzzyHedge> hedges;
            for (const std::string& word : premise.Hedges) {
                TFuzzyHedge hedge{};
                if (!IsFuzzyHedge(word, hedge))
                    throw EFzyInterchangeException(0, SIcInvalidHedge, word);
                hedges.push_back(hedge);
            }
            std::reverse(hedges.begin(), hedges.end());
            premises.push_back({premise.Variable, premise.Term, hedges, premise.Negated});
        }
        std::vector<TFuzzyConclusion> conclusions;
        for (const TConclusionDescription& conclusion : described.Conclusions)
            conclusions.push_back({conclusion.Variable, conclusion.Term});
        Rules.Add(std::move(premises), std::move(conclusions),
                  described.Connective.empty() ? TFuzzyRule::DefaultConnective
                                               : described.Connective,
                  described.Weight);
    }
}

void DescribeFuzzyRules(const TFuzzyRules& Rules, TControllerDescription& Description) {
    for (const TFuzzyRule* rule : Rules) {
        TRuleDescription& described = Description.Rules.emplace_back();
        for (const TFuzzyPremise& premise : rule->GetPremises()) {
            TPremiseDescription& premiseText = described.Premises.emplace_back();
            premiseText.Variable = premise.Variable;
            premiseText.Term = premise.Term;
            for (auto hedge = premise.Hedges.rbegin(); hedge != premise.Hedges.rend(); ++hedge)
                premiseText.Hedges.emplace_back(HedgeNames[*hedge]);
            premiseText.Negated = premise.Negated;
        }
        if (rule->GetPremises().size() > 1)
            described.Connective = rule->GetConnective();
        for (const TFuzzyConclusion& conclusion : rule->GetConclusions())
            described.Conclusions.push_back({conclusion.Variable, conclusion.Term});
        described.Weight = rule->GetWeight();
    }
}

} // namespace fuzzy
