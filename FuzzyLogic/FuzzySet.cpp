#include "FuzzyLogic/FuzzySet.hpp"

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "platform/Format.hpp"

namespace fuzzy {

namespace {

// The widest axis: the bounds of a 32-bit integer, as hosts store ranges.
constexpr TFzyFloat DefaultXMaximum = 2147483647.0;

bool IsReservedWord(const std::string& Name) {
    bool isUnion = false;
    TFuzzyOperation operation{};
    return IsFuzzyKeyword(Name, isUnion, operation) || IsFuzzyHedgeOperator(Name) ||
           IsFuzzyHedge(Name);
}

} // namespace

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
    const auto* source = dynamic_cast<const TFuzzySet*>(Source);
    if (source == nullptr) {
        TGCollectionItem::Assign(Source);
        return;
    }
    if (source == this)
        return;
    FName = source->FName;
    SetValues(source->FValues.get());
    // Copied after the points, whose change notification resets them.
    FSetType = source->FSetType;
    FInflectionPoint = source->FInflectionPoint;
    FExpression = source->FExpression;
    Changed(false);
}

void TFuzzySet::SetValues(const TFuzzySetValues* Value) { FValues->Assign(Value); }

void TFuzzySet::SetName(const std::string& Value) {
    if (Value == FName)
        return;
    if (IsReservedWord(Value))
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

std::string TFuzzySet::GetValuesToString() const { return WritePoints("("); }

std::string TFuzzySet::ToString() const { return WritePoints("(" + FName + " "); }

TFzyFloat TFuzzySet::GetXRange(int Index) const {
    switch (Index) {
    case 0:
        return DefaultXMaximum;
    case 1:
        return -DefaultXMaximum;
    default:
        throw EFzyException(SInvalidXRangeIndex, Index);
    }
}

void TFuzzySet::UpdateFuzzySetValue(TFuzzySetValue*) { PointsChanged(); }

void TFuzzySet::UpdateFuzzySetValues() { PointsChanged(); }

void TFuzzySet::PointsChanged() {
    Changed(false);
    FSetType = TFuzzySetType::fstUserDefined;
    FExpression.clear();
}

} // namespace fuzzy
