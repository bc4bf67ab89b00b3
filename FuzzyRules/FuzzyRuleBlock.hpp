#pragma once
// The rule block: the rules of a logic component, in the order they run.

#include <string>
#include <vector>

#include "FuzzyRules/FuzzyRule.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzyRuleLogic;

using TFuzzyRulesEnumerator = TCollectionEnumerator<TFuzzyRule>;

/// The rules of a logic component (TFuzzyRuleLogic), owned by the collection, or a free
/// block that its creator owns (Fuzzy nullptr). Every rule that joins or leaves, and every
/// change of a rule, is passed on to the component (NotifyRule, UpdateRule), which raises
/// OnRuleAdded, OnRuleDeleted, OnRuleChange and OnChange. Destroying the block destroys its
/// rules, last first.
class TFuzzyRules : public TOwnedCollection {
public:
    explicit TFuzzyRules(TFuzzyRuleLogic* Fuzzy);
    ~TFuzzyRules() override;
    std::string ClassName() const override { return "TFuzzyRules"; }

    const TFuzzyRuleLogic* GetFuzzy() const { return FFuzzy; }
    TFuzzyRuleLogic* GetFuzzy() { return FFuzzy; }

    /// Appends a new rule: no premise, no conclusion, "and", weight 1.
    TFuzzyRule* Add();
    /// Appends a rule made whole before it joins, so that the block reports it once, as
    /// added. Raises EFzyRuleException for a connective or weight that the rule refuses,
    /// adding nothing.
    TFuzzyRule* Add(std::vector<TFuzzyPremise> Premises, std::vector<TFuzzyConclusion> Conclusions,
                    const std::string& Connective = TFuzzyRule::DefaultConnective,
                    TFzyFloat Weight = 1);
    /// Inserts a new rule at Index (EListError outside 0..Count).
    TFuzzyRule* Insert(int Index);

    /// The rule at Index; EListError when out of range.
    const TFuzzyRule* GetItem(int Index) const {
        return static_cast<const TFuzzyRule*>(TCollection::GetItem(Index));
    }
    TFuzzyRule* GetItem(int Index) { return static_cast<TFuzzyRule*>(TCollection::GetItem(Index)); }
    const TFuzzyRule* operator[](int Index) const { return GetItem(Index); }
    TFuzzyRule* operator[](int Index) { return GetItem(Index); }
    TCollectionEnumerator<const TFuzzyRule> begin() const { return {this, 0}; }
    TCollectionEnumerator<const TFuzzyRule> end() const { return {this, GetCount()}; }
    TFuzzyRulesEnumerator begin() { return {this, 0}; }
    TFuzzyRulesEnumerator end() { return {this, GetCount()}; }

protected:
    void Update(TCollectionItem* Item) override;
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    TFuzzyRuleLogic* FFuzzy;
};

} // namespace fuzzy
