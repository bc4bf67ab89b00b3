#include "FuzzyLogic/FuzzySetValue.hpp"

#include <cmath>
#include <limits>
#include <memory>
#include <typeinfo>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "platform/Exceptions.hpp"
#include "platform/detail/BlockArena.hpp"

namespace fuzzy {

namespace {

void CheckIsNumber(TFzyFloat Value, const char* Coordinate) {
    if (std::isnan(Value))
        throw EArgumentOutOfRangeException(SPointNotANumber, Coordinate);
}

using TPointBlocks = TBlockArena<sizeof(TFuzzySetValue)>;

} // namespace

void* TFuzzySetValue::operator new(std::size_t Size) {
    return TPointBlocks::Allocate(Size);
}

void TFuzzySetValue::operator delete(void* Block, std::size_t Size) noexcept {
    TPointBlocks::Free(Block, Size);
}

TFuzzySetValue* TFuzzySetValue::Create(TCollection* Collection) {
    std::unique_ptr<TFuzzySetValue> point(new TFuzzySetValue());
    point->FX = StartX(Collection);
    return Join(std::move(point), Collection);
}

TFzyFloat TFuzzySetValue::StartX(const TCollection* Collection) {
    // A point appended to a list starts to the right of the others, so that appending
    // keeps the list in order until its setters run.
    if (Collection == nullptr || Collection->GetCount() == 0)
        return 0;
    // Compared by exact type rather than cast, as points are made one by one in bulk:
    // no class derives from a point (its constructor is private).
    const TCollectionItem* item = Collection->GetItem(Collection->GetCount() - 1);
    if (typeid(*item) != typeid(TFuzzySetValue))
        return 0;
    return StartXAfter(static_cast<const TFuzzySetValue*>(item)->FX);
}

TFzyFloat TFuzzySetValue::StartXAfter(TFzyFloat LastX) {
    // Far from 0 adding 1 changes nothing, and a point equal to its neighbour would be
    // cleaned away before its caller sees it: step to the next number instead.
    return LastX + 1.0 > LastX ? LastX + 1.0
                               : std::nextafter(LastX, std::numeric_limits<TFzyFloat>::infinity());
}

TFuzzySetValue::~TFuzzySetValue() {
    LeaveCollection();
}

void TFuzzySetValue::Assign(const TPersistent* Source) {
    if (const auto* source = AssignSourceAs<TFuzzySetValue>(Source))
        SetValue(source->FX, source->FY);
}

void TFuzzySetValue::SetX(TFzyFloat Value) {
    CheckIsNumber(Value, "X");
    // Compared after clamping: a new point starts at an X of its own choosing, which may
    // lie outside the axis even when it is the X being set.
    const TFzyFloat x = ClampedIntoSet(Value);
    if (x == FX)
        return;
    FX = x;
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
    FX = ClampedIntoSet(X);
    FY = Y < 0 && IsInSet() ? 0 : Y;
    ValueChanged({TXYUpdateType::utX, TXYUpdateType::utY});
}

bool TFuzzySetValue::Equals(const TFuzzySetValue* Source) const {
    return FloatEquals(FX, Source->FX) && FloatEquals(FY, Source->FY);
}

const TFuzzySet* TFuzzySetValue::GetFuzzySet() const {
    const TFuzzySetValues* values = GetFuzzySetValues();
    return values != nullptr ? values->GetFuzzySet() : nullptr;
}

bool TFuzzySetValue::IsInSet() const {
    return GetFuzzySet() != nullptr;
}

TFzyFloat TFuzzySetValue::ClampedIntoSet(TFzyFloat X) {
    if (!IsInSet())
        return X;
    const auto [minimum, maximum] = GetFuzzySetValues()->GetSetXRange();
    return kernels::StoredX(X, {minimum, maximum});
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
