#include "FuzzyLogic/FuzzySetValue.hpp"

#include <cmath>
#include <memory>

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace {

void CheckIsNumber(TFzyFloat Value, const char* Coordinate) {
    if (std::isnan(Value))
        throw EArgumentOutOfRangeException("Invalid point: %s is not a number", Coordinate);
}

} // namespace

TFuzzySetValue* TFuzzySetValue::Create(TCollection* Collection) {
    std::unique_ptr<TFuzzySetValue> point(new TFuzzySetValue());
    // A point appended to a list starts to the right of the others, so that appending
    // keeps the list in order until its setters run.
    if (Collection != nullptr && Collection->GetCount() > 0) {
        const auto* last =
            dynamic_cast<const TFuzzySetValue*>(Collection->GetItem(Collection->GetCount() - 1));
        if (last != nullptr)
            point->FX = last->FX + 1.0;
    }
    return Join(std::move(point), Collection);
}

TFuzzySetValue::~TFuzzySetValue() { LeaveCollection(); }

void TFuzzySetValue::Assign(const TPersistent* Source) {
    if (const auto* source = dynamic_cast<const TFuzzySetValue*>(Source))
        SetValue(source->FX, source->FY);
    else
        TCollectionItem::Assign(Source);
}

void TFuzzySetValue::SetX(TFzyFloat Value) {
    if (Value == FX)
        return;
    CheckIsNumber(Value, "X");
    FX = Value;
    ClampXIntoSet();
    ValueChanged({TXYUpdateType::utX});
}

void TFuzzySetValue::SetY(TFzyFloat Value) {
    if (Value == FY)
        return;
    CheckIsNumber(Value, "Y");
    FY = Value < 0 ? 0 : Value;
    ValueChanged({TXYUpdateType::utY});
}

void TFuzzySetValue::SetValue(TFzyFloat X, TFzyFloat Y) {
    CheckIsNumber(X, "X");
    CheckIsNumber(Y, "Y");
    FX = X;
    FY = Y;
    if (ClampXIntoSet() && FY < 0)
        FY = 0;
    ValueChanged({TXYUpdateType::utX, TXYUpdateType::utY});
}

bool TFuzzySetValue::Equals(const TFuzzySetValue* Source) const {
    return FloatEquals(FX, Source->FX) && FloatEquals(FY, Source->FY);
}

TFuzzySetValues* TFuzzySetValue::GetFuzzySetValues() const {
    return FList;
}

bool TFuzzySetValue::ClampXIntoSet() {
    TFuzzySetValues* values = GetFuzzySetValues();
    if (values == nullptr || values->GetFuzzySet() == nullptr)
        return false;
    const auto [minimum, maximum] = values->GetSetXRange();
    if (minimum > FX)
        FX = minimum;
    else if (maximum < FX)
        FX = maximum;
    return true;
}

void TFuzzySetValue::ValueChanged(TXYUpdateTypes UpdateTypes) {
    if (TFuzzySetValues* values = GetFuzzySetValues()) {
        values->Touch();
        TFuzzySetValues::TChangingValue changing(*values, this);
        values->UpdateValue(this, UpdateTypes);
    }
    Changed(false);
}

} // namespace fuzzy
