#pragma once
// The logic component of the reference-counted model and its table of variables.

#include <memory>
#include <string>

#include "FuzzyInterfaces/FuzzyInterfaces.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "IFuzzyLogic/FuzzyParserIntf.hpp"
#include "IFuzzyLogic/IFuzzyVariable.hpp"
#include "IFuzzyLogic/KelHashTable.hpp"
#include "platform/IStringList.hpp"

namespace fuzzy {

class TIFuzzyLogic;

/// The variables of one TIFuzzyLogic, keyed by variable name (case-sensitive). Holds one
/// counted reference per variable; tells the component about every variable stored,
/// replaced or removed (not about those dropped by clearing).
class TFuzzyVariableTable : public TKelStringHashTable<TInterfacePtr<IFuzzyVariable>> {
    using TBase = TKelStringHashTable<TInterfacePtr<IFuzzyVariable>>;

public:
    /// Logic is a plain link: the component owns the table.
    explicit TFuzzyVariableTable(TIFuzzyLogic* Logic) : FLogic(Logic) {}
    std::string ClassName() const override { return "TFuzzyVariableTable"; }

    using TBase::Add;
    using TBase::Remove;
    /// Stores Variable under its name, replacing the variable stored there.
    void Add(const TInterfacePtr<IFuzzyVariable>& Variable);
    /// Removes Variable when this very variable is stored under its name.
    void Remove(const TInterfacePtr<IFuzzyVariable>& Variable);
    [[nodiscard]] TInterfacePtr<IFuzzyVariable> ContainsVariable(const std::string& Name) const;

protected:
    void DoAdd(int HashCode, int Index, const std::string& Key,
               const TInterfacePtr<IFuzzyVariable>& Value) override;
    void DoSetValue(int Index, const TInterfacePtr<IFuzzyVariable>& Value) override;
    void DoRemove(const std::string& Key, int HashCode, TInterfacePtr<IFuzzyVariable>& Value,
                  TTableNotification Action) override;

private:
    TIFuzzyLogic* FLogic;
};

/// A string list whose entries carry variables and tell the linked component about the
/// variables put into them: the one an entry carried leaves (VariableDeleted), the new one
/// enters (VariableAdded).
class TFuzzyVariableStrings : public TIStringList {
public:
    /// Logic is a plain link, or nullptr for a list that tells nobody.
    explicit TFuzzyVariableStrings(TIFuzzyLogic* Logic) : FLogic(Logic) {}
    std::string ClassName() const override { return "TFuzzyVariableStrings"; }

    /// The variable of the entry at Index (empty when it carries none); EIntfCastError for
    /// a reference that is no variable.
    [[nodiscard]] TInterfacePtr<IFuzzyVariable> GetData(int Index) const;
    void PutData(int Index, const TInterfacePtr<IInterface>& Data) override;
    void PutData(int Index, const TInterfacePtr<IFuzzyVariable>& Variable) {
        PutData(Index, TInterfacePtr<IInterface>(Variable));
    }

private:
    TIFuzzyLogic* FLogic;
};

/// The logic component of the interface model: the settings, parser link and definition
/// text of TCustomFuzzyLogic, with its variables as IFuzzyVariable references in a table.
///
/// A variable entering the table takes the component's threshold, gets the automatic
/// terms (with AutoTerms) and has its set callbacks wired to the component, which passes
/// them on (OnFuzzySetAdded, OnFuzzySetDeleted, OnFuzzySetChange) and marks the text
/// stale; then OnVariableAdded. Removing one entry unwires the variable and raises
/// OnVariableDeleted; clearing the table (Parse, destruction) drops variables silently
/// and leaves them wired. The wiring holds a guard, not the component: a variable that
/// outlives the component calls nobody.
///
/// Parse reads the text with the parser component, which stores each variable in the
/// table as soon as it is read whole; every variable read gets the parser's IFuzzyParser
/// face as its parser.
class TIFuzzyLogic : public TCustomFuzzyLogic {
public:
    [[nodiscard]] static TIFuzzyLogic* Create(TComponent* AOwner);
    ~TIFuzzyLogic() override;
    std::string ClassName() const override { return "TIFuzzyLogic"; }

    const TFuzzyVariableTable& GetItems() const { return *FItems; }
    TFuzzyVariableTable& GetItems() { return *FItems; }
    /// Replaces the variables by those of Value.
    void SetItems(const TFuzzyVariableTable* Value) { FItems->Assign(Value); }
    TIFuzzyVariableClass GetVariableClass() const { return FVariableClass; }
    void SetVariableClass(TIFuzzyVariableClass Value) { FVariableClass = Value; }
    /// The linked parser component as IFuzzyParser; empty without one.
    [[nodiscard]] TInterfacePtr<IFuzzyParser> GetParserIntf();

    const TIFuzzySetEvent& GetOnFuzzySetChange() const { return FOnFuzzySetChange; }
    void SetOnFuzzySetChange(TIFuzzySetEvent Value) { FOnFuzzySetChange = std::move(Value); }
    const TIFuzzyVariableEvent& GetOnVariableChange() const { return FOnVariableChange; }
    void SetOnVariableChange(TIFuzzyVariableEvent Value) { FOnVariableChange = std::move(Value); }
    const TIFuzzySetEvent& GetOnFuzzySetDeleted() const { return FOnFuzzySetDeleted; }
    void SetOnFuzzySetDeleted(TIFuzzySetEvent Value) { FOnFuzzySetDeleted = std::move(Value); }
    const TIFuzzySetEvent& GetOnFuzzySetAdded() const { return FOnFuzzySetAdded; }
    void SetOnFuzzySetAdded(TIFuzzySetEvent Value) { FOnFuzzySetAdded = std::move(Value); }
    const TIFuzzyVariableEvent& GetOnVariableDeleted() const { return FOnVariableDeleted; }
    void SetOnVariableDeleted(TIFuzzyVariableEvent Value) { FOnVariableDeleted = std::move(Value); }
    const TIFuzzyVariableEvent& GetOnVariableAdded() const { return FOnVariableAdded; }
    void SetOnVariableAdded(TIFuzzyVariableEvent Value) { FOnVariableAdded = std::move(Value); }

    /// The text: one entry per variable in table order, written by the parser.
    void UpdateStrings() override;

    /// Adds the automatic terms "low", "medium" and "high" that Variable lacks.
    virtual void AddAutoTerms(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual void FuzzySetAdded(const TInterfacePtr<IFuzzyVariable>& Variable,
                               const TInterfacePtr<IFuzzySet>& FuzzySet);
    virtual void FuzzySetDeleted(const TInterfacePtr<IFuzzyVariable>& Variable,
                                 const TInterfacePtr<IFuzzySet>& FuzzySet);
    virtual void VariableAdded(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual void VariableDeleted(const TInterfacePtr<IFuzzyVariable>& Variable);
    /// Marks the text stale; OnVariableChange, or OnChange for an empty Variable.
    virtual void UpdateVariable(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual void UpdateFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                const TInterfacePtr<IFuzzySet>& FuzzySet);

protected:
    TIFuzzyLogic() = default;
    void AfterConstruction() override;
    void Loaded() override;
    /// Empties the table; the parse then stores each variable once it is read whole, so on
    /// a parse error the variables stored so far stay.
    void ClearVariables() override;
    void ThresholdChanged() override;
    /// Factory of the variable table; descendants return their own class.
    virtual std::unique_ptr<TFuzzyVariableTable> CreateVariables();

private:
    void Wire(const TInterfacePtr<IFuzzyVariable>& Variable);

    TIFuzzySetEvent FOnFuzzySetChange;
    TIFuzzyVariableEvent FOnVariableChange;
    std::unique_ptr<TFuzzyVariableTable> FItems;
    TIFuzzyVariableClass FVariableClass = &TIFuzzyVariable::Create;
    TIFuzzySetEvent FOnFuzzySetDeleted;
    TIFuzzySetEvent FOnFuzzySetAdded;
    TIFuzzyVariableEvent FOnVariableDeleted;
    TIFuzzyVariableEvent FOnVariableAdded;
    /// What the wired callbacks hold: it points at this component while it lives.
    std::shared_ptr<TIFuzzyLogic*> FAlive = std::make_shared<TIFuzzyLogic*>(this);
};

} // namespace fuzzy
