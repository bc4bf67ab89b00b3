#include "IFuzzyLogic/IFuzzyVariable.hpp"

#include <algorithm>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

// ---- TIFuzzySets ----

void TIFuzzySets::Add(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    Given(FuzzySet, "fuzzy set");
    const TInterfacePtr<IFuzzyVariable> variable = FVariable->Self();
    if (FuzzySet->GetVariable() == variable) {
        if (FuzzySet->GetDefined())
            AddOrSetValue(FuzzySet->GetName(), FuzzySet);
        return;
    }
    // Linking a defined set stores it through the branch above.
    FuzzySet->SetVariable(variable);
    if (!FuzzySet->GetDefined())
        AddOrSetValue(FuzzySet->GetName(), FuzzySet);
}

TInterfacePtr<IFuzzySet> TIFuzzySets::Add(const std::string& Name) {
    TIFuzzySetClass create = FVariable->GetFuzzySetClass();
    TInterfacePtr<IFuzzySet> set =
        (create != nullptr ? create : &TIFuzzySet::Create)(FVariable->Self(), Name);
    set->SetDefined(Name != SEmptyFuzzy);
    Add(set);
    return set;
}

void TIFuzzySets::Remove(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FuzzySet && ContainsFuzzySet(FuzzySet->GetName()) == FuzzySet)
        Remove(FuzzySet->GetName());
}

void TIFuzzySets::Clear() {
    TBase::Clear();
    FNextIndex = 0;
    FVariable->ClearFuzzySets();
}

void TIFuzzySets::AssignFuzzySets(const TInterfacePtr<IFuzzyVariable>& Source) {
    // Taken first: the source may be this very variable.
    const IFuzzyVariable& source = Given(Source, "fuzzy variable");
    std::vector<TInterfacePtr<IFuzzySet>> sources;
    for (int i = 0; i < source.GetCount(); ++i)
        sources.push_back(source.GetFuzzySet(i));
    const TInterfacePtr<IFuzzyVariable> variable = FVariable->Self();
    TUpdateGuard guard(*this);
    Clear();
    for (const TInterfacePtr<IFuzzySet>& original : sources) {
        TInterfacePtr<IFuzzySet> copy = original->Clone(variable);
        copy->SetDefined(original->GetDefined());
        Add(copy);
    }
}

bool TIFuzzySets::EqualsSets(const TInterfacePtr<IFuzzyVariable>& Other) const {
    bool equal = true;
    ForEachElement([&](const TPair& Pair) {
        if (!equal || !Pair.Value->GetDefined())
            return;
        const TInterfacePtr<IFuzzySet> other = Other->ContainsFuzzySet(Pair.Key);
        equal = other && Pair.Value->Equals(other);
    });
    return equal;
}

TInterfacePtr<IFuzzySet> TIFuzzySets::ContainsFuzzySet(const std::string& Name) const {
    TInterfacePtr<IFuzzySet> set;
    TryGetValue(Name, set);
    return set;
}

void TIFuzzySets::Assign(const TPersistent* Source) {
    if (const auto* sets = dynamic_cast<const TIFuzzySets*>(Source)) {
        if (sets != this)
            AssignFuzzySets(sets->FVariable->Self());
        return;
    }
    TBase::Assign(Source);
}

std::string TIFuzzySets::ToString() const {
    return FVariable->ToString();
}

void TIFuzzySets::Stored(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    FuzzySet->SetIndex(FNextIndex++);
    FVariable->NewFuzzySet(FuzzySet);
}

void TIFuzzySets::DoAdd(int HashCode, int Index, const std::string& Key,
                        const TInterfacePtr<IFuzzySet>& Value) {
    TBase::DoAdd(HashCode, Index, Key, Value);
    Stored(Value);
}

void TIFuzzySets::DoSetValue(int Index, const TInterfacePtr<IFuzzySet>& Value) {
    TBase::DoSetValue(Index, Value);
    Stored(Value);
}

void TIFuzzySets::DoRemove(const std::string& Key, int HashCode, TInterfacePtr<IFuzzySet>& Value,
                           TTableNotification Action) {
    TBase::DoRemove(Key, HashCode, Value, Action);
    if (Value)
        FVariable->RemoveFuzzySet(Value);
}

// ---- TIFuzzyVariable: life ----

TInterfacePtr<IFuzzyVariable> TIFuzzyVariable::Create(const std::string& Name) {
    return Initialize(new TIFuzzyVariable(Name));
}

TInterfacePtr<IFuzzyVariable> TIFuzzyVariable::Initialize(TIFuzzyVariable* Variable) {
    std::unique_ptr<TIFuzzyVariable> owner(Variable);
    Variable->FItems = Variable->CreateItems();
    return TInterfacePtr<IFuzzyVariable>(owner.release());
}

TIFuzzyVariable::~TIFuzzyVariable() {
    FDestroying = true;
    // A variable is freed only when no set refers to it, so a set left in the table here
    // can only be one whose name changed behind the table's back; it must not call back.
    FOnFuzzySetChange = nullptr;
    FOnVariableChange = nullptr;
    FOnChange = nullptr;
    FOnFuzzySetAdded = nullptr;
    FOnFuzzySetDeleted = nullptr;
    FItems.reset();
}

HRESULT TIFuzzyVariable::QueryInterface(const TGUID& Guid, void** Obj) {
    if (Guid == IFuzzyVariable::IID)
        *Obj = static_cast<IFuzzyVariable*>(this);
    else if (Guid == ICloneable::IID)
        *Obj = static_cast<ICloneable*>(this);
    else if (Guid == IInterface::IID)
        *Obj = static_cast<IInterface*>(this);
    else {
        *Obj = nullptr;
        return E_NOINTERFACE;
    }
    _AddRef();
    return S_OK;
}

int TIFuzzyVariable::_Release() {
    const int count = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
    if (!FItems || FDestroying)
        return count;
    if (count >= 1 && count == FItems->GetCount()) {
        // Only the stored sets still refer to this variable: let them go.
        FDestroying = true;
        FItems->Clear();
        if (GetRefCount() == 0) {
            delete this;
            return 0;
        }
        FDestroying = false;
        return GetRefCount();
    }
    if (count == 0)
        delete this;
    return count;
}

TInterfacePtr<IFuzzyVariable> TIFuzzyVariable::Self() const {
    return TInterfacePtr<IFuzzyVariable>(const_cast<TIFuzzyVariable*>(this));
}

// ---- properties and notifications ----

void TIFuzzyVariable::SetParser(const TInterfacePtr<IFuzzyParser>& Value) {
    FParser = Value;
    for (int i = 0; i < FItems->GetCount(); ++i)
        FItems->GetItemByIndex(i)->SetParser(Value);
}

void TIFuzzyVariable::SetMaximum(TFzyFloat Value) {
    if (Value == FMaximum)
        return;
    FMaximum = Value;
    if (FMinimum > FMaximum)
        SetMinimum(FMaximum);
    Changed();
}

void TIFuzzyVariable::SetMinimum(TFzyFloat Value) {
    if (Value == FMinimum)
        return;
    FMinimum = Value;
    if (FMinimum > FMaximum)
        SetMaximum(FMinimum);
    Changed();
}

void TIFuzzyVariable::SetName(const std::string& Value) {
    if (Value == FName)
        return;
    FName = Value;
    Changed();
}

void TIFuzzyVariable::SetNumFunctionValues(int Value) {
    if (Value == FNumFunctionValues)
        return;
    FNumFunctionValues = Value;
    Changed();
}

void TIFuzzyVariable::SetThreshold(TFzyFloat Value) {
    if (Value != FThreshold)
        FThreshold = std::clamp(Value, 0.0, 1.0);
}

void TIFuzzyVariable::Changed() {
    if (FOnChange)
        FOnChange(this);
    if (FOnVariableChange)
        FOnVariableChange(Self());
}

void TIFuzzyVariable::NewFuzzySet(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FOnFuzzySetAdded)
        FOnFuzzySetAdded(Self(), FuzzySet);
    Changed();
}

void TIFuzzyVariable::RemoveFuzzySet(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FOnFuzzySetDeleted)
        FOnFuzzySetDeleted(Self(), FuzzySet);
    Changed();
}

void TIFuzzyVariable::FuzzySetChanged(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FOnFuzzySetChange)
        FOnFuzzySetChange(Self(), FuzzySet);
}

// ---- copies, comparison, text ----

void TIFuzzyVariable::CopyFields(const IFuzzyVariable& Source) {
    FDefuzzificationMethod = Source.GetDefuzzificationMethod();
    FMaximum = Source.GetMaximum();
    FMinimum = Source.GetMinimum();
    FName = Source.GetName();
    FUnits = Source.GetUnits();
    FNumFunctionValues = Source.GetNumFunctionValues();
    FTag = Source.GetTag();
    FParser = Source.GetParser();
}

void TIFuzzyVariable::Assign(const TInterfacePtr<IInterface>& Source) {
    const TInterfacePtr<IFuzzyVariable> source = Supports<IFuzzyVariable>(Source);
    if (!source)
        return;
    CopyFields(*source);
    AssignFuzzySets(source);
    Changed();
}

void TIFuzzyVariable::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TIFuzzyVariable>(Source);
    if (source == nullptr)
        return;
    CopyFields(*source);
    FItems->Assign(source->FItems.get());
    Changed();
}

TInterfacePtr<IInterface> TIFuzzyVariable::Clone() const {
    TInterfacePtr<IFuzzyVariable> copy = GetClassType()(FName);
    copy->Assign(static_cast<const TPersistent*>(this));
    return copy;
}

bool TIFuzzyVariable::Equals(const TInterfacePtr<IInterface>& Other) const {
    const TInterfacePtr<IFuzzyVariable> other = Supports<IFuzzyVariable>(Other);
    return other && other->GetName() == FName && other->GetMaximum() == FMaximum &&
           other->GetMinimum() == FMinimum && other->GetUnits() == FUnits &&
           FItems->EqualsSets(other);
}

std::string TIFuzzyVariable::ToString() const {
    return FParser ? FParser->PrettyPrint(Self()) : FName;
}

// ---- rules ----

TFzyFloat
TIFuzzyVariable::GetCorrelationStrength(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
                                        std::span<const TInterfacePtr<IFuzzySet>> Inputs) const {
    if (Inputs.size() < Antecedents.size())
        throw EArgumentOutOfRangeException(SFewerInputsThanAntecedents);
    TFzyFloat strength = 1.0;
    for (std::size_t i = 0; i < Antecedents.size(); ++i)
        strength = std::min(strength,
                            Given(Antecedents[i], "antecedent").GetCorrelationStrength(Inputs[i]));
    return strength;
}

TInterfacePtr<IFuzzySet>
TIFuzzyVariable::AssertRule(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
                            std::span<const TInterfacePtr<IFuzzySet>> Inputs,
                            const TInterfacePtr<IFuzzySet>& Consequent,
                            const TInterfacePtr<IFuzzySet>& Accumulated) const {
    return AssertRule(GetCorrelationStrength(Antecedents, Inputs), Consequent, Accumulated);
}

TInterfacePtr<IFuzzySet>
TIFuzzyVariable::AssertRule(TFzyFloat Value, const TInterfacePtr<IFuzzySet>& Consequent,
                            const TInterfacePtr<IFuzzySet>& Accumulated) const {
    Given(Consequent, "consequent");
    if (Value < FThreshold)
        return nullptr;
    TInterfacePtr<IFuzzySet> result = Supports<IFuzzySet>(Consequent->Clone());
    result->Correlate(Value, TFuzzyCorrelationMethod::fcmMinimum);
    if (Accumulated)
        result = Accumulated->Infer(result, TFuzzyInferenceMethod::fimMinMax, false);
    return result;
}

TInterfacePtr<IFuzzySet> TIFuzzyVariable::AssertRule(
    const TInterfacePtr<IFuzzySet>& Antecedent, const TInterfacePtr<IFuzzySet>& Consequent,
    const TInterfacePtr<IFuzzySet>& Input, const TInterfacePtr<IFuzzySet>& Accumulated) const {
    return AssertRule(Given(Antecedent, "antecedent").GetCorrelationStrength(Input), Consequent,
                      Accumulated);
}

} // namespace fuzzy
