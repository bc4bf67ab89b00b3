#pragma once
// The logic component: inference settings, the variables, the definition text and the
// events a host application sees.

#include <functional>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzyLogicEvents.hpp"
#include "FuzzyLogic/FuzzyVariables.hpp"
#include "platform/Component.hpp"
#include "platform/StringList.hpp"

namespace fuzzy {

class TCustomFuzzyLogicParser;

/// The settings the set algorithms read (correlation, inference and defuzzification
/// methods, threshold, points of generated curves, automatic terms), the link to a parser
/// component (not owned; dropped when the parser is destroyed) and the definition text.
class TCustomFuzzyLogic : public TComponent {
public:
    [[nodiscard]] static TCustomFuzzyLogic* Create(TComponent* AOwner);
    ~TCustomFuzzyLogic() override;
    std::string ClassName() const override { return "TCustomFuzzyLogic"; }

    bool GetAutoTerms() const { return FAutoTerms; }
    void SetAutoTerms(bool Value) { FAutoTerms = Value; }
    TFuzzyCorrelationMethod GetCorrelationMethod() const { return FCorrelationMethod; }
    void SetCorrelationMethod(TFuzzyCorrelationMethod Value) { FCorrelationMethod = Value; }
    TDefuzzificationMethod GetDefuzzificationMethod() const { return FDefuzzificationMethod; }
    void SetDefuzzificationMethod(TDefuzzificationMethod Value) { FDefuzzificationMethod = Value; }
    TFuzzyInferenceMethod GetInferenceMethod() const { return FInferenceMethod; }
    void SetInferenceMethod(TFuzzyInferenceMethod Value) { FInferenceMethod = Value; }
    int GetNumFunctionValues() const { return FNumFunctionValues; }
    /// Stores Value, at least 2.
    void SetNumFunctionValues(int Value);
    TFzyFloat GetThreshold() const { return FThreshold; }
    /// Stores Value clamped into [0, 1] and, when it changed, runs ThresholdChanged.
    void SetThreshold(TFzyFloat Value);
    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    const TCustomFuzzyLogicParser* GetParser() const { return FParser; }
    TCustomFuzzyLogicParser* GetParser() { return FParser; }
    /// Links the parser component (both ways, so either learns of the other's end).
    void SetParser(TCustomFuzzyLogicParser* Value);

    /// The definition text; regenerated from the variables first when they changed since.
    /// Raises EFzyException without a parser when the text must be regenerated.
    TStringList* GetStrings();
    /// Takes a copy of Value as the definition text and parses it; while loading, once
    /// loading ends.
    void SetStrings(const TStringList* Value);
    /// Lines held for descendants; the component itself reads nothing from them.
    const TStringList* GetVariables() const { return FVariables.get(); }
    TStringList* GetVariables() { return FVariables.get(); }
    void SetVariables(const TStringList* Value) { FVariables->Assign(Value); }

    /// Empties the variables and parses the definition text into them (nothing while
    /// loading). EFzyException without a parser, the variables unchanged.
    virtual void Parse();
    /// Regenerates the definition text (nothing while loading). EFzyException without a
    /// parser.
    virtual void UpdateStrings();

protected:
    TCustomFuzzyLogic();
    void Notification(TComponent* AComponent, TOperation Operation) override;
    /// Runs after the threshold changed.
    virtual void ThresholdChanged() {}
    /// Empties the variables before a parse.
    virtual void ClearVariables() {}
    bool IsLoading() const { return GetComponentState().Contains(TComponentStateFlag::csLoading); }
    void CheckParser() const;
    /// Parses the definition text assigned while loading.
    void Loaded() override;

    int FNumFunctionValues = DefaultNumFunctionValues;
    TNotifyEvent FOnChange;
    TDefuzzificationMethod FDefuzzificationMethod = DefaultDefuzzificationMethod;
    TCustomFuzzyLogicParser* FParser = nullptr;
    std::unique_ptr<TStringList> FStrings;
    bool FNeedsUpdate = false;
    std::unique_ptr<TStringList> FVariables;
    bool FAutoTerms = true;
    TFuzzyCorrelationMethod FCorrelationMethod = DefaultCorrelationMethod;
    TFuzzyInferenceMethod FInferenceMethod = DefaultInferenceMethod;
    TFzyFloat FThreshold = DefaultThreshold;
    // The text was assigned while loading and waits to be parsed.
    bool FParsePending = false;
};

/// The logic component with its variables. Every new variable gets the component's
/// threshold and, with AutoTerms, the terms "low", "medium" and "high" over its range.
///
/// Events, each called only when assigned, with the component as Sender:
///  - a variable joins: its threshold is set, OnVariableAdded, then the automatic terms
///    (each raising OnFuzzySetAdded and its change events);
///  - a variable leaves (deleted or freed): its terms first, each with OnFuzzySetDeleted,
///    then OnVariableDeleted;
///  - a term joins or leaves: OnFuzzySetAdded / OnFuzzySetDeleted;
///  - a term changes: OnFuzzySetChange; a variable changes: OnVariableChange; the whole
///    collection changes: OnChange. Each change also marks the definition text stale.
/// Destroying the component reports nothing, and neither does anything that happens while
/// the component is being loaded: its handlers hear only of changes after loading.
class TFuzzyLogic : public TCustomFuzzyLogic {
public:
    [[nodiscard]] static TFuzzyLogic* Create(TComponent* AOwner);
    ~TFuzzyLogic() override;
    std::string ClassName() const override { return "TFuzzyLogic"; }

    const TFuzzyVariables* GetItems() const { return FItems.get(); }
    TFuzzyVariables* GetItems() { return FItems.get(); }
    /// Replaces the variables by copies of Value's variables.
    void SetItems(const TFuzzyVariables* Value) { FItems->Assign(Value); }

    const TFuzzySetEvent& GetOnFuzzySetChange() const { return FOnFuzzySetChange; }
    void SetOnFuzzySetChange(TFuzzySetEvent Value) { FOnFuzzySetChange = std::move(Value); }
    const TFuzzyVariableEvent& GetOnVariableChange() const { return FOnVariableChange; }
    void SetOnVariableChange(TFuzzyVariableEvent Value) { FOnVariableChange = std::move(Value); }
    const TFuzzyVariableEvent& GetOnVariableDeleted() const { return FOnVariableDeleted; }
    void SetOnVariableDeleted(TFuzzyVariableEvent Value) { FOnVariableDeleted = std::move(Value); }
    const TFuzzyVariableEvent& GetOnVariableAdded() const { return FOnVariableAdded; }
    void SetOnVariableAdded(TFuzzyVariableEvent Value) { FOnVariableAdded = std::move(Value); }
    const TFuzzySetEvent& GetOnFuzzySetDeleted() const { return FOnFuzzySetDeleted; }
    void SetOnFuzzySetDeleted(TFuzzySetEvent Value) { FOnFuzzySetDeleted = std::move(Value); }
    const TFuzzySetEvent& GetOnFuzzySetAdded() const { return FOnFuzzySetAdded; }
    void SetOnFuzzySetAdded(TFuzzySetEvent Value) { FOnFuzzySetAdded = std::move(Value); }

    /// Regenerates the text: one entry per variable, written by the parser.
    void UpdateStrings() override;

    /// Adds the missing automatic terms to Variable over its current range.
    virtual void AddAutoTerms(TFuzzyVariable* Variable);
    virtual void NotifyFuzzySet(TFuzzySet* FuzzySet, TCollectionNotification Action);
    virtual void NotifyVariable(TFuzzyVariable* Variable, TCollectionNotification Action);
    /// Variable is nullptr when the whole collection changed.
    virtual void UpdateVariable(TFuzzyVariable* Variable);
    virtual void UpdateFuzzySet(TFuzzySet* FuzzySet);

protected:
    TFuzzyLogic() = default;
    void AfterConstruction() override;
    /// Clears the variables, with their deleted events.
    void ClearVariables() override;
    void ThresholdChanged() override;
    /// Factory of the variable collection; descendants return their own class.
    virtual std::unique_ptr<TFuzzyVariables> CreateVariables();
    /// Calls Handler (when assigned) with this component as Sender, unless loading.
    template <class Event, class... Args>
    void Report(const Event& Handler, Args... args) {
        if (Handler && !IsLoading())
            Handler(this, args...);
    }

    TFuzzySetEvent FOnFuzzySetChange;
    TFuzzyVariableEvent FOnVariableChange;
    std::unique_ptr<TFuzzyVariables> FItems;
    TFuzzyVariableEvent FOnVariableDeleted;
    TFuzzyVariableEvent FOnVariableAdded;
    TFuzzySetEvent FOnFuzzySetDeleted;
    TFuzzySetEvent FOnFuzzySetAdded;
};

} // namespace fuzzy
