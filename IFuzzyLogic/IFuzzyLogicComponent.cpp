#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyAutoTerms.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

// ---- TFuzzyVariableTable ----

void TFuzzyVariableTable::Add(const TInterfacePtr<IFuzzyVariable>& Variable) {
    AddOrSetValue(Given(Variable, "fuzzy variable").GetName(), Variable);
}

void TFuzzyVariableTable::Remove(const TInterfacePtr<IFuzzyVariable>& Variable) {
    if (Variable && ContainsVariable(Variable->GetName()) == Variable)
        Remove(Variable->GetName());
}

TInterfacePtr<IFuzzyVariable> TFuzzyVariableTable::ContainsVariable(const std::string& Name) const {
    TInterfacePtr<IFuzzyVariable> variable;
    TryGetValue(Name, variable);
    return variable;
}

void TFuzzyVariableTable::DoAdd(int HashCode, int Index, const std::string& Key,
                                const TInterfacePtr<IFuzzyVariable>& Value) {
    TBase::DoAdd(HashCode, Index, Key, Value);
    FLogic->VariableAdded(Value);
}

void TFuzzyVariableTable::DoSetValue(int Index, const TInterfacePtr<IFuzzyVariable>& Value) {
    TBase::DoSetValue(Index, Value);
    FLogic->VariableAdded(Value);
}

void TFuzzyVariableTable::DoRemove(const std::string& Key, int HashCode,
                                   TInterfacePtr<IFuzzyVariable>& Value,
                                   TTableNotification Action) {
    TBase::DoRemove(Key, HashCode, Value, Action);
    if (Value)
        FLogic->VariableDeleted(Value);
}

// ---- TFuzzyVariableStrings ----

TInterfacePtr<IFuzzyVariable> TFuzzyVariableStrings::GetData(int Index) const {
    const TInterfacePtr<IInterface> data = TIStringList::GetData(Index);
    if (!data)
        return nullptr;
    TInterfacePtr<IFuzzyVariable> variable = Supports<IFuzzyVariable>(data);
    if (!variable)
        throw EIntfCastError(SEntryWithoutVariable);
    return variable;
}

void TFuzzyVariableStrings::PutData(int Index, const TInterfacePtr<IInterface>& Data) {
    if (FLogic != nullptr)
        if (const TInterfacePtr<IFuzzyVariable> old =
                Supports<IFuzzyVariable>(TIStringList::GetData(Index)))
            FLogic->VariableDeleted(old);
    TIStringList::PutData(Index, Data);
    if (FLogic != nullptr)
        if (const TInterfacePtr<IFuzzyVariable> variable = Supports<IFuzzyVariable>(Data))
            FLogic->VariableAdded(variable);
}

// ---- TIFuzzyLogic: life ----

TIFuzzyLogic* TIFuzzyLogic::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TIFuzzyLogic>(new TIFuzzyLogic()), AOwner);
}

void TIFuzzyLogic::AfterConstruction() {
    TCustomFuzzyLogic::AfterConstruction();
    FItems = CreateVariables();
}

std::unique_ptr<TFuzzyVariableTable> TIFuzzyLogic::CreateVariables() {
    return std::make_unique<TFuzzyVariableTable>(this);
}

TIFuzzyLogic::~TIFuzzyLogic() {
    // Variables that outlive the component keep their wiring; it now leads nowhere.
    FAlive.reset();
    FOnFuzzySetChange = nullptr;
    FOnVariableChange = nullptr;
    FOnFuzzySetDeleted = nullptr;
    FOnFuzzySetAdded = nullptr;
    FOnVariableDeleted = nullptr;
    FOnVariableAdded = nullptr;
    FOnChange = nullptr;
    FItems.reset();
}

TInterfacePtr<IFuzzyParser> TIFuzzyLogic::GetParserIntf() {
    return Supports<IFuzzyParser>(FParser);
}

// The host framework's loading state tells when the component is being loaded. The text
// is parsed once here, whether or not it was read while loading.
void TIFuzzyLogic::Loaded() {
    TComponent::Loaded();
    FParsePending = false;
    Parse();
}

// ---- text ----

void TIFuzzyLogic::ClearVariables() {
    FItems->Clear();
}

void TIFuzzyLogic::UpdateStrings() {
    TCustomFuzzyLogic::UpdateStrings();
    if (IsLoading())
        return;
    TUpdateGuard guard(*FStrings);
    FStrings->Clear();
    for (int i = 0; i < FItems->GetCount(); ++i)
        FStrings->Add(FItems->GetItemByIndex(i)->ToString());
}

// ---- variables and their sets ----

void TIFuzzyLogic::ThresholdChanged() {
    TCustomFuzzyLogic::ThresholdChanged();
    for (int i = 0; i < FItems->GetCount(); ++i)
        FItems->GetItemByIndex(i)->SetThreshold(FThreshold);
}

void TIFuzzyLogic::AddAutoTerms(const TInterfacePtr<IFuzzyVariable>& Variable) {
    for (const char* name : AutoTermNames)
        if (!Variable->ContainsFuzzySet(name))
            ShapeAutoTerm(*TIFuzzySet::CoreOf(Variable->Add(name)), Variable->GetMinimum(),
                          Variable->GetMaximum());
}

void TIFuzzyLogic::Wire(const TInterfacePtr<IFuzzyVariable>& Variable) {
    const std::weak_ptr<TIFuzzyLogic*> alive = FAlive;
    auto forward = [alive](auto Handler) {
        return [alive, Handler](const TInterfacePtr<IFuzzyVariable>& Sender,
                                const TInterfacePtr<IFuzzySet>& FuzzySet) {
            if (const auto logic = alive.lock())
                ((*logic)->*Handler)(Sender, FuzzySet);
        };
    };
    Variable->SetOnFuzzySetAdded(forward(&TIFuzzyLogic::FuzzySetAdded));
    Variable->SetOnFuzzySetDeleted(forward(&TIFuzzyLogic::FuzzySetDeleted));
    Variable->SetOnFuzzySetChange(forward(&TIFuzzyLogic::UpdateFuzzySet));
}

void TIFuzzyLogic::VariableAdded(const TInterfacePtr<IFuzzyVariable>& Variable) {
    Variable->SetThreshold(FThreshold);
    if (FAutoTerms)
        AddAutoTerms(Variable);
    Wire(Variable);
    if (FOnVariableAdded)
        FOnVariableAdded(Variable);
}

void TIFuzzyLogic::VariableDeleted(const TInterfacePtr<IFuzzyVariable>& Variable) {
    Variable->SetOnFuzzySetAdded(nullptr);
    Variable->SetOnFuzzySetDeleted(nullptr);
    Variable->SetOnFuzzySetChange(nullptr);
    if (FOnVariableDeleted)
        FOnVariableDeleted(Variable);
}

void TIFuzzyLogic::FuzzySetAdded(const TInterfacePtr<IFuzzyVariable>& Variable,
                                 const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FOnFuzzySetAdded)
        FOnFuzzySetAdded(Variable, FuzzySet);
}

void TIFuzzyLogic::FuzzySetDeleted(const TInterfacePtr<IFuzzyVariable>& Variable,
                                   const TInterfacePtr<IFuzzySet>& FuzzySet) {
    if (FOnFuzzySetDeleted)
        FOnFuzzySetDeleted(Variable, FuzzySet);
}

void TIFuzzyLogic::UpdateVariable(const TInterfacePtr<IFuzzyVariable>& Variable) {
    FNeedsUpdate = true;
    if (Variable) {
        if (FOnVariableChange)
            FOnVariableChange(Variable);
    } else if (FOnChange) {
        FOnChange(this);
    }
}

void TIFuzzyLogic::UpdateFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                  const TInterfacePtr<IFuzzySet>& FuzzySet) {
    FNeedsUpdate = true;
    if (FOnFuzzySetChange)
        FOnFuzzySetChange(Variable, FuzzySet);
}

} // namespace fuzzy
