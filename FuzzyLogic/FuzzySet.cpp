#include "FuzzyLogic/FuzzySet.hpp"

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "FuzzyLogic/detail/FuzzySetWalk.hpp"
#include "platform/Format.hpp"
#include "platform/Pending.hpp"

namespace fuzzy {

TFuzzySet* TFuzzySet::Create(TCollection* Collection) {
    return Initialize(std::unique_ptr<TFuzzySet>(new TFuzzySet()), Collection);
}

TFuzzySet::~TFuzzySet() {
    // Leave the collection while the set is whole, so its hooks can still read it.
    LeaveCollection();
}

std::unique_ptr<TFuzzySetValues> TFuzzySet::CreateValues() {
    return std::make_unique<TFuzzySetValues>(this);
}

void TFuzzySet::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TFuzzySet>(Source);
    if (source == nullptr)
        return;
    FName = source->FName;
    SetValues(source->FValues.get());
    // Copied after the points, whose change notification resets them.
    FSetType = source->FSetType;
    FInflectionPoint = source->FInflectionPoint;
    FExpression = source->FExpression;
    Changed(false);
}

void TFuzzySet::SetValues(const TFuzzySetValues* Value) {
    FValues->Assign(Value);
}

void TFuzzySet::SetName(const std::string& Value) {
    if (Value == FName)
        return;
    if (IsFuzzyReservedWord(Value))
        throw EFzyException(SInvalidFuzzySetName, Value);
    FName = Value;
    Changed(false);
}

void TFuzzySet::SetComment(const std::string& Value) {
    if (Value == FComment)
        return;
    FComment = Value;
    Changed(false);
}

std::string TFuzzySet::GetDisplayName() const {
    return FName.empty() ? TGCollectionItem::GetDisplayName() : FName;
}

std::string TFuzzySet::WritePoints(std::string Prefix) const {
    const std::string pointFormat = "(" + FuzzyFormatStr + " " + FuzzyFormatStr + ") ";
    for (const TFuzzySetValue* point : *FValues)
        Prefix += Format(pointFormat, point->GetX(), point->GetY());
    Prefix += ')';
    return Prefix;
}

std::string TFuzzySet::GetValuesToString() const {
    return WritePoints("(");
}

std::string TFuzzySet::ToString() const {
    const TFuzzyVariable* variable = GetVariable();
    const TFuzzyLogic* logic = variable != nullptr ? variable->GetFuzzy() : nullptr;
    if (logic != nullptr && logic->GetParser() != nullptr)
        return logic->GetParser()->PrettyPrint(this, false);
    return WritePoints("(" + FName + " ");
}

const TFuzzySets* TFuzzySet::GetCollection() const {
    // Terms nearly always live in a collection of exactly that class.
    return DynamicCastExactFirst<const TFuzzySets>(TGCollectionItem::GetCollection());
}

TFuzzySets* TFuzzySet::GetCollection() {
    return DynamicCastExactFirst<TFuzzySets>(TGCollectionItem::GetCollection());
}

const TFuzzyVariable* TFuzzySet::GetVariable() const {
    const TFuzzySets* terms = GetCollection();
    return terms != nullptr ? terms->GetVariable() : nullptr;
}

TFuzzyVariable* TFuzzySet::GetVariable() {
    TFuzzySets* terms = GetCollection();
    return terms != nullptr ? terms->GetVariable() : nullptr;
}

TFzyFloat TFuzzySet::GetXRange(int Index) const {
    const TFuzzyVariable* variable = GetVariable();
    switch (Index) {
    case 0:
        return variable != nullptr ? variable->GetMaximum() : DefaultXMaximum;
    case 1:
        return variable != nullptr ? variable->GetMinimum() : -DefaultXMaximum;
    default:
        throw EFzyException(SInvalidXRangeIndex, Index);
    }
}

TFuzzyLogicSettings TFuzzySet::GetLogicSettings() const {
    TFuzzyLogicSettings settings;
    const TFuzzyVariable* variable = GetVariable();
    if (variable == nullptr)
        return settings;
    settings.Threshold = variable->GetThreshold();
    if (const TFuzzyLogic* logic = variable->GetFuzzy()) {
        settings.NumFunctionValues = logic->GetNumFunctionValues();
        settings.CorrelationMethod = logic->GetCorrelationMethod();
        settings.InferenceMethod = logic->GetInferenceMethod();
        settings.DefuzzificationMethod = logic->GetDefuzzificationMethod();
    }
    return settings;
}

void TFuzzySet::MarkDefinedWhenDesigned() {
    const TFuzzyVariable* variable = GetVariable();
    const TFuzzyLogic* logic = variable != nullptr ? variable->GetFuzzy() : nullptr;
    if (logic != nullptr && logic->GetComponentState().Contains(TComponentStateFlag::csDesigning))
        FDefined = true;
}

TFuzzySet* TFuzzySet::Clone() const {
    auto* terms = DynamicCastExactFirst<TFuzzySets>(GetCollectionForNewItems());
    TFuzzyVariable* variable = terms != nullptr ? terms->GetVariable() : nullptr;
    TPending<TFuzzySet> copy(GetClassType()(variable != nullptr ? variable->GetItems() : nullptr));
    copy->Assign(this);
    return copy.Keep();
}

bool TFuzzySet::Equals(const TFuzzySet* FuzzySet) const {
    return Iterate(FuzzySet, [this](TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2) {
        return FuzzyOperatorMinThreshold(X1, Y1, X2, Y2);
    });
}

void TFuzzySet::UpdateFuzzySetValue(TFuzzySetValue*) {
    PointsChanged();
}

void TFuzzySet::UpdateFuzzySetValues() {
    PointsChanged();
}

void TFuzzySet::PointsChanged() {
    Changed(false);
    FSetType = TFuzzySetType::fstUserDefined;
    FExpression.clear();
}

} // namespace fuzzy
