#pragma once
// The linguistic variable of the reference-counted model and its table of sets.

#include <atomic>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyInterfaces/FuzzyInterfaces.hpp"
#include "IFuzzyLogic/IFuzzySet.hpp"
#include "IFuzzyLogic/KelHashTable.hpp"

namespace fuzzy {

class TIFuzzyVariable;

/// Makes an interface variable of a given class named Name.
using TIFuzzyVariableClass = TInterfacePtr<IFuzzyVariable> (*)(const std::string& Name);

/// The terms of one TIFuzzyVariable, keyed by set name (case-sensitive). Holds one counted
/// reference per stored set and numbers the sets in the order they are stored; tells the
/// variable about every set stored, replaced or removed, and about clearing.
class TIFuzzySets : public TKelStringHashTable<TInterfacePtr<IFuzzySet>> {
    using TBase = TKelStringHashTable<TInterfacePtr<IFuzzySet>>;

public:
    /// Variable is a plain link: the variable owns the table.
    explicit TIFuzzySets(TIFuzzyVariable* Variable) : FVariable(Variable) {}
    std::string ClassName() const override { return "TIFuzzySets"; }

    using TBase::Add;
    using TBase::Remove;
    /// Links FuzzySet to the variable; a defined set (or an undefined one that came from
    /// another variable) is stored under its name, replacing the set stored there.
    void Add(const TInterfacePtr<IFuzzySet>& FuzzySet);
    /// A new set of the variable's set class, defined and stored unless named "__Empty".
    TInterfacePtr<IFuzzySet> Add(const std::string& Name);
    /// Removes FuzzySet when this very set is stored under its name.
    void Remove(const TInterfacePtr<IFuzzySet>& FuzzySet);
    /// Releases every set and restarts the numbering at 0.
    void Clear() override;
    /// Replaces the sets by copies of Source's made for this variable (names, points and
    /// Defined only).
    void AssignFuzzySets(const TInterfacePtr<IFuzzyVariable>& Source);
    /// Every defined set here has a set of the same name in Other that it Equals.
    [[nodiscard]] bool EqualsSets(const TInterfacePtr<IFuzzyVariable>& Other) const;
    [[nodiscard]] TInterfacePtr<IFuzzySet> ContainsFuzzySet(const std::string& Name) const;
    /// Another TIFuzzySets: AssignFuzzySets of its variable; others as the table does.
    void Assign(const TPersistent* Source) override;
    [[nodiscard]] std::string ToString() const;

protected:
    void DoAdd(int HashCode, int Index, const std::string& Key,
               const TInterfacePtr<IFuzzySet>& Value) override;
    void DoSetValue(int Index, const TInterfacePtr<IFuzzySet>& Value) override;
    void DoRemove(const std::string& Key, int HashCode, TInterfacePtr<IFuzzySet>& Value,
                  TTableNotification Action) override;

private:
    void Stored(const TInterfacePtr<IFuzzySet>& FuzzySet);

    int FNextIndex = 0;
    TIFuzzyVariable* FVariable;
};

/// A persistent object with a reference count, the base of reference-counted variables.
class TIFuzzyVariablePersistent : public TPersistent, public virtual IInterface {
public:
    std::string ClassName() const override { return "TIFuzzyVariablePersistent"; }
    int GetRefCount() const { return FRefCount.load(std::memory_order_relaxed); }

protected:
    std::atomic<int> FRefCount{0};
};

/// A linguistic variable shared by counted references (see IFuzzyVariable).
///
/// Its sets and it keep each other alive: the table holds each stored set and each set
/// holds the variable. The cycle is broken here: when a release leaves only as many
/// references as there are stored sets, the variable takes them all to be its sets', clears
/// the table and so frees itself once the sets let go.
class TIFuzzyVariable : public TIFuzzyVariablePersistent, public virtual IFuzzyVariable {
public:
    /// A new variable named Name: range 0 to 1, 7 function values, sets of class TIFuzzySet.
    [[nodiscard]] static TInterfacePtr<IFuzzyVariable> Create(const std::string& Name);
    ~TIFuzzyVariable() override;
    std::string ClassName() const override { return "TIFuzzyVariable"; }

    HRESULT QueryInterface(const TGUID& Guid, void** Obj) override;
    int _AddRef() override { return FRefCount.fetch_add(1, std::memory_order_relaxed) + 1; }
    int _Release() override;

    const TIFuzzySets& GetItems() const { return *FItems; }
    TIFuzzySets& GetItems() { return *FItems; }
    void SetItems(const TIFuzzySets* Value) { FItems->Assign(Value); }
    TIFuzzySetClass GetFuzzySetClass() const { return FFuzzySetClass; }
    void SetFuzzySetClass(TIFuzzySetClass Value) { FFuzzySetClass = Value; }
    /// This variable as IFuzzyVariable; valid while a reference is held.
    [[nodiscard]] TInterfacePtr<IFuzzyVariable> Self() const;

    // ---- ICloneable ----
    /// From an IFuzzyVariable: range, name, units, methods, tag, parser and copies of its
    /// sets, then Changed. Threshold, comment and callbacks stay.
    void Assign(const TInterfacePtr<IInterface>& Source) override;
    /// As above from a TIFuzzyVariable; other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;
    void AssignTo(TPersistent* Dest) const override { TPersistent::AssignTo(Dest); }
    [[nodiscard]] TInterfacePtr<IInterface> Clone() const override;
    /// Same name, units and exact range, and every defined set of this variable equals
    /// the other's set of that name.
    [[nodiscard]] bool Equals(const TInterfacePtr<IInterface>& Other) const override;
    std::int32_t GetTag() const override { return FTag; }
    void SetTag(std::int32_t Value) override { FTag = Value; }

    // ---- properties ----
    TDefuzzificationMethod GetDefuzzificationMethod() const override {
        return FDefuzzificationMethod;
    }
    TFzyFloat GetMaximum() const override { return FMaximum; }
    TFzyFloat GetMinimum() const override { return FMinimum; }
    std::string GetName() const override { return FName; }
    std::string ToString() const override;
    std::string GetUnits() const override { return FUnits; }
    int GetNumFunctionValues() const override { return FNumFunctionValues; }
    TNotifyEvent GetOnChange() const override { return FOnChange; }
    TIFuzzyVariableEvent GetOnVariableChange() const override { return FOnVariableChange; }
    TIFuzzySetEvent GetOnFuzzySetChange() const override { return FOnFuzzySetChange; }
    TInterfacePtr<IFuzzyParser> GetParser() const override { return FParser; }
    TFzyFloat GetThreshold() const override { return FThreshold; }
    std::string GetComment() const override { return FComment; }
    TIFuzzySetEvent GetOnFuzzySetAdded() const override { return FOnFuzzySetAdded; }
    TIFuzzySetEvent GetOnFuzzySetDeleted() const override { return FOnFuzzySetDeleted; }

    void SetOnFuzzySetAdded(const TIFuzzySetEvent& Value) override { FOnFuzzySetAdded = Value; }
    void SetOnFuzzySetDeleted(const TIFuzzySetEvent& Value) override { FOnFuzzySetDeleted = Value; }
    void SetComment(const std::string& Value) override { FComment = Value; }
    void SetParser(const TInterfacePtr<IFuzzyParser>& Value) override;
    void SetDefuzzificationMethod(TDefuzzificationMethod Value) override {
        FDefuzzificationMethod = Value;
    }
    void SetMaximum(TFzyFloat Value) override;
    void SetMinimum(TFzyFloat Value) override;
    void SetName(const std::string& Value) override;
    void SetUnits(const std::string& Value) override { FUnits = Value; }
    void SetNumFunctionValues(int Value) override;
    void SetOnChange(const TNotifyEvent& Value) override { FOnChange = Value; }
    void SetOnVariableChange(const TIFuzzyVariableEvent& Value) override {
        FOnVariableChange = Value;
    }
    void SetOnFuzzySetChange(const TIFuzzySetEvent& Value) override { FOnFuzzySetChange = Value; }
    void SetThreshold(TFzyFloat Value) override;

    // ---- rules ----
    TFzyFloat
    GetCorrelationStrength(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
                           std::span<const TInterfacePtr<IFuzzySet>> Inputs) const override;
    TInterfacePtr<IFuzzySet> AssertRule(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
                                        std::span<const TInterfacePtr<IFuzzySet>> Inputs,
                                        const TInterfacePtr<IFuzzySet>& Consequent,
                                        const TInterfacePtr<IFuzzySet>& Accumulated) const override;
    TInterfacePtr<IFuzzySet> AssertRule(TFzyFloat Value, const TInterfacePtr<IFuzzySet>& Consequent,
                                        const TInterfacePtr<IFuzzySet>& Accumulated) const override;
    TInterfacePtr<IFuzzySet> AssertRule(const TInterfacePtr<IFuzzySet>& Antecedent,
                                        const TInterfacePtr<IFuzzySet>& Consequent,
                                        const TInterfacePtr<IFuzzySet>& Input,
                                        const TInterfacePtr<IFuzzySet>& Accumulated) const override;

    // ---- the sets ----
    int GetCount() const override { return FItems->GetCount(); }
    TInterfacePtr<IFuzzySet> GetFuzzySet(int Index) const override {
        return FItems->GetItemByIndex(Index);
    }
    TInterfacePtr<IFuzzySet> GetFuzzySetByName(const std::string& Name) const override {
        return FItems->Get(Name);
    }
    void Add(const TInterfacePtr<IFuzzySet>& FuzzySet) override { FItems->Add(FuzzySet); }
    TInterfacePtr<IFuzzySet> Add(const std::string& Name) override { return FItems->Add(Name); }
    void AssignFuzzySets(const TInterfacePtr<IFuzzyVariable>& Source) override {
        FItems->AssignFuzzySets(Source);
    }
    void BeginUpdate() override { FItems->BeginUpdate(); }
    void Clear() override { FItems->Clear(); }
    TInterfacePtr<IFuzzySet> ContainsFuzzySet(const std::string& Name) const override {
        return FItems->ContainsFuzzySet(Name);
    }
    void Remove(const TInterfacePtr<IFuzzySet>& FuzzySet) override { FItems->Remove(FuzzySet); }
    void EndUpdate() override { FItems->EndUpdate(); }
    void FuzzySetChanged(const TInterfacePtr<IFuzzySet>& FuzzySet) override;

protected:
    explicit TIFuzzyVariable(const std::string& Name) : FName(Name) {}
    /// The creation step: makes the table through CreateItems and hands out the first
    /// reference. Descendants' Create functions call it on their new object.
    static TInterfacePtr<IFuzzyVariable> Initialize(TIFuzzyVariable* Variable);
    virtual std::unique_ptr<TIFuzzySets> CreateItems() {
        return std::make_unique<TIFuzzySets>(this);
    }
    /// The class reference that makes copies of this variable's class.
    virtual TIFuzzyVariableClass GetClassType() const { return &TIFuzzyVariable::Create; }
    /// OnChange with this object as sender, then OnVariableChange.
    virtual void Changed();

private:
    friend class TIFuzzySets;
    void NewFuzzySet(const TInterfacePtr<IFuzzySet>& FuzzySet);
    void RemoveFuzzySet(const TInterfacePtr<IFuzzySet>& FuzzySet);
    void ClearFuzzySets() { Changed(); }
    void CopyFields(const IFuzzyVariable& Source);

    std::unique_ptr<TIFuzzySets> FItems;
    int FNumFunctionValues = DefaultNumFunctionValues;
    std::string FUnits;
    std::string FName;
    TDefuzzificationMethod FDefuzzificationMethod = TDefuzzificationMethod::dmCenterOfGravity;
    TFzyFloat FMinimum = 0.0;
    TFzyFloat FMaximum = 1.0;
    TIFuzzySetEvent FOnFuzzySetChange;
    TIFuzzyVariableEvent FOnVariableChange;
    TNotifyEvent FOnChange;
    std::int32_t FTag = 0;
    TInterfacePtr<IFuzzyParser> FParser;
    TFzyFloat FThreshold = 0.0;
    TIFuzzySetClass FFuzzySetClass = &TIFuzzySet::Create;
    /// Set while the variable clears or frees its table: releases then only count down.
    bool FDestroying = false;
    std::string FComment;
    TIFuzzySetEvent FOnFuzzySetDeleted;
    TIFuzzySetEvent FOnFuzzySetAdded;
};

} // namespace fuzzy
