#pragma once
// The logic component with a rule block.

#include <functional>
#include <memory>
#include <string>

#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyRules/FuzzyRuleBlock.hpp"

namespace fuzzy {

/// Reports a rule of a rule block.
using TFuzzyRuleEvent = std::function<void(TObject* Sender, TFuzzyRule* Rule)>;

/// A logic component that owns, besides its variables, the rules over them (a TFuzzyRules
/// block). A descendant of TFuzzyLogic rather than a change to it: the variables, their
/// events and their text behave exactly as in TFuzzyLogic, and a host that has no rules
/// keeps using that class unchanged.
///
/// Events, each called only when assigned, with the component as Sender, and not while
/// the component is destroyed or loaded:
///  - a rule joins: OnRuleAdded; a rule leaves (deleted or freed): OnRuleDeleted;
///  - a rule changes: OnRuleChange; the block changes as a whole (a rule added or removed,
///    an update bracket closed): OnChange. Each change also marks the definition text stale.
///
/// The definition text (Strings) holds the variables as in TFuzzyLogic and, when there are
/// rules, one further entry: the rule block's "(rules ...)" form. Parsing the text empties
/// the variables and the rules; the rules come back only through a parser that reads them
/// (TKelFuzzyRuleParser with ReadRules set).
class TFuzzyRuleLogic : public TFuzzyLogic {
public:
    [[nodiscard]] static TFuzzyRuleLogic* Create(TComponent* AOwner);
    ~TFuzzyRuleLogic() override;
    std::string ClassName() const override { return "TFuzzyRuleLogic"; }

    const TFuzzyRules* GetRules() const { return FRules.get(); }
    TFuzzyRules* GetRules() { return FRules.get(); }
    /// Replaces the rules by copies of Value's rules.
    void SetRules(const TFuzzyRules* Value) { FRules->Assign(Value); }

    const TFuzzyRuleEvent& GetOnRuleAdded() const { return FOnRuleAdded; }
    void SetOnRuleAdded(TFuzzyRuleEvent Value) { FOnRuleAdded = std::move(Value); }
    const TFuzzyRuleEvent& GetOnRuleDeleted() const { return FOnRuleDeleted; }
    void SetOnRuleDeleted(TFuzzyRuleEvent Value) { FOnRuleDeleted = std::move(Value); }
    const TFuzzyRuleEvent& GetOnRuleChange() const { return FOnRuleChange; }
    void SetOnRuleChange(TFuzzyRuleEvent Value) { FOnRuleChange = std::move(Value); }

    /// Regenerates the text: the variables' entries, then the rules' when there are any.
    void UpdateStrings() override;

    /// A rule joined or left the block.
    virtual void NotifyRule(TFuzzyRule* Rule, TCollectionNotification Action);
    /// A rule changed; nullptr when the block changed as a whole.
    virtual void UpdateRule(TFuzzyRule* Rule);

protected:
    TFuzzyRuleLogic() = default;
    void AfterConstruction() override;
    /// Empties the rules and the variables before a parse.
    void ClearVariables() override;
    /// Factory of the rule block; descendants return their own class.
    virtual std::unique_ptr<TFuzzyRules> CreateRules();

    std::unique_ptr<TFuzzyRules> FRules;
    TFuzzyRuleEvent FOnRuleAdded;
    TFuzzyRuleEvent FOnRuleDeleted;
    TFuzzyRuleEvent FOnRuleChange;
};

} // namespace fuzzy
