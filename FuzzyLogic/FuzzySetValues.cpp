#include "FuzzyLogic/FuzzySetValues.hpp"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

TFuzzySetValues::TFuzzySetValues(TFuzzySet* FuzzySet)
    : TGTypedCollection(FuzzySet, &TFuzzySetValue::CreateItem), FFuzzySet(FuzzySet) {}

TFuzzySetValues::~TFuzzySetValues() = default;

TFuzzySetValue* TFuzzySetValues::Add() {
    return AddItem();
}

TFuzzySetValue* TFuzzySetValues::Add(TFzyFloat X, TFzyFloat Y) {
    TFuzzySetValue* point = Add();
    point->SetX(X);
    point->SetY(Y);
    return point;
}

TFuzzySetValue* TFuzzySetValues::Insert(int Index) {
    return InsertItemAt(Index);
}

int TFuzzySetValues::GetXCount(TFzyFloat X) const {
    return static_cast<int>(std::count_if(
        begin(), end(), [X](const TFuzzySetValue* point) { return point->GetX() == X; }));
}

int TFuzzySetValues::Skip(int Index, TFzyFloat Value, int Dir, bool ByY) const {
    if (Dir == 0)
        Dir = 1;
    for (int i = Index + Dir; i >= 0 && i < GetCount(); i += Dir) {
        const TFuzzySetValue* point = GetItem(i);
        if (!FloatEquals(ByY ? point->GetY() : point->GetX(), Value))
            return i;
    }
    return -1;
}

int TFuzzySetValues::SkipX(int Index, TFzyFloat X, int Dir) const {
    return Skip(Index, X, Dir, false);
}

int TFuzzySetValues::SkipY(int Index, TFzyFloat Y, int Dir) const {
    return Skip(Index, Y, Dir, true);
}

void TFuzzySetValues::GatherCurve() const {
    // By index over a count read once: nothing changes the list while it is read, so the
    // enumerator's care for a list that changes under it is not needed here.
    const int count = GetCount();
    FCurvePoints.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const TFuzzySetValue* point = GetItem(i);
        FCurvePoints[static_cast<std::size_t>(i)] = {point->GetX(), point->GetY()};
    }
    FExactlyOrdered = kernels::IsExactlyOrdered(FCurvePoints);
    FCurveStamp = GetChangeStamp();
}

void TFuzzySetValues::Update(TCollectionItem* Item) {
    if (GetCount() < 2) {
        FSorted = true;
        FDuplicatesRemoved = true;
    }
    if (Item == nullptr) {
        // Not every way to an equal pair passes a test: a new point starts at Y = 0, so
        // setting Y = 0 changes nothing, and a deletion makes new neighbours.
        if (FDuplicatesRemoved && NeedsBulkCleanup())
            FDuplicatesRemoved = false;
        CleanupValues();
        FXRange.reset(); // the bracket, if any, is over
    }
    if (FFuzzySet == nullptr)
        return;
    if (Item != nullptr)
        FFuzzySet->UpdateFuzzySetValue(static_cast<TFuzzySetValue*>(Item));
    else
        FFuzzySet->UpdateFuzzySetValues();
}

void TFuzzySetValues::Notify(TCollectionItem* Item, TCollectionNotification Action) {
    TGTypedCollection::Notify(Item, Action);
    // The item class of the list: every item is a point.
    auto* point = static_cast<TFuzzySetValue*>(Item);
    if (Action == TCollectionNotification::cnAdded)
        point->FList = this;
    else if (Action == TCollectionNotification::cnExtracting)
        point->FList = nullptr;
}

std::pair<TFzyFloat, TFzyFloat> TFuzzySetValues::GetSetXRange() {
    if (FXRange)
        return *FXRange;
    const std::pair range{FFuzzySet->GetXRange(1), FFuzzySet->GetXRange(0)};
    if (GetUpdateCount() > 0)
        FXRange = range;
    return range;
}

void TFuzzySetValues::AppendPoints(std::span<const kernels::TPoint> Points) {
    const bool anyNaN = std::ranges::any_of(
        Points, [](const kernels::TPoint& P) { return std::isnan(P.X) || std::isnan(P.Y); });
    if (GetUpdateCount() == 0 || typeid(*this) != typeid(TFuzzySetValues) || anyNaN) {
        // Hooks that run per point, or a point that fails half-way: the plain way.
        for (const kernels::TPoint& point : Points)
            Add(point.X, point.Y);
        return;
    }
    if (Points.empty())
        return;
    ReserveMore(static_cast<int>(Points.size()));
    std::optional<kernels::TAxis> axis;
    if (FFuzzySet != nullptr) {
        const auto [minimum, maximum] = GetSetXRange();
        axis = kernels::TAxis{minimum, maximum};
    }
    TFzyFloat startX = TFuzzySetValue::StartX(this);
    // The point before the one being appended, its only neighbour: known without a look-up.
    const TFuzzySetValue* previous = GetCount() > 0 ? GetItem(GetCount() - 1) : nullptr;
    for (const kernels::TPoint& wanted : Points) {
        // What Add and the two setters do, without the hooks that stay silent in a bracket.
        auto* point = new TFuzzySetValue();
        point->FX = startX;
        AppendLinked(point); // cannot fail: the room is reserved
        point->FList = this;
        // One note for both coordinates leaves the flags as a note after each setter would:
        // the note of X reads no Y, and the note of Y reads no flag that the note of X sets
        // but for the order, which it reads either way.
        TXYUpdateTypes changed;
        const TFzyFloat x = axis ? kernels::StoredX(wanted.X, *axis) : wanted.X;
        if (x != point->FX) {
            point->FX = x;
            changed.Include(TXYUpdateType::utX);
        }
        if (wanted.Y != point->FY) {
            point->FY = wanted.Y < 0 ? 0 : wanted.Y;
            changed.Include(TXYUpdateType::utY);
        }
        if (!changed.IsEmpty())
            NoteChange(point, previous, nullptr, changed);
        // The next point joins after this one, the list's last point of its own class.
        startX = TFuzzySetValue::StartXAfter(point->FX);
        previous = point;
    }
}

void TFuzzySetValues::Assign(const TPersistent* Source) {
    const auto* source = DynamicCastExactFirst<const TFuzzySetValues>(Source);
    // A copied point keeps its Y as it stands, where AppendPoints makes -0 and below +0:
    // such lists, free lists and lists of derived classes take the point-by-point way.
    const auto signedY = [](const kernels::TPoint& P) { return std::signbit(P.Y); };
    if (source == nullptr || source == this || FFuzzySet == nullptr ||
        typeid(*this) != typeid(TFuzzySetValues) ||
        std::ranges::any_of(source->GetCurve().Points, signedY)) {
        TCollection::Assign(Source);
        return;
    }
    const kernels::TPoints points = source->GetCurve().Points;
    TUpdateGuard guard(*this);
    Clear();
    AppendPoints(points);
}

void TFuzzySetValues::NoteChange(const TFuzzySetValue* Value, TXYUpdateTypes UpdateTypes) {
    const int index = Value->GetIndex();
    const TFuzzySetValue* previous = index > 0 ? GetItem(index - 1) : nullptr;
    const TFuzzySetValue* next = index < GetCount() - 1 ? GetItem(index + 1) : nullptr;
    NoteChange(Value, previous, next, UpdateTypes);
}

void TFuzzySetValues::NoteChange(const TFuzzySetValue* Value, const TFuzzySetValue* Previous,
                                 const TFuzzySetValue* Next, TXYUpdateTypes UpdateTypes) {
    const bool hasNeighbour = Previous != nullptr || Next != nullptr;
    if (FSorted && UpdateTypes.Contains(TXYUpdateType::utX) && hasNeighbour) {
        const TFzyFloat x = Value->GetX();
        FSorted =
            kernels::StaysInOrder(Previous ? Previous->GetX() : x, x, Next ? Next->GetX() : x);
    }
    FDuplicatesRemoved = FDuplicatesRemoved && FSorted;
    if (FDuplicatesRemoved && UpdateTypes.Contains(TXYUpdateType::utY) && hasNeighbour) {
        const bool equalsLeft = Previous != nullptr && Value->Equals(Previous);
        const bool equalsRight = Next != nullptr && Value->Equals(Next);
        FDuplicatesRemoved = !equalsLeft && !equalsRight;
    }
}

void TFuzzySetValues::UpdateValue(TFuzzySetValue* Value, TXYUpdateTypes UpdateTypes) {
    NoteChange(Value, UpdateTypes);
    if (GetUpdateCount() > 0)
        return; // the bracket's end cleans up once
    Sort();
    if (GetCount() < 2)
        return;
    if (UpdateTypes.Contains(TXYUpdateType::utX))
        PlaceOnVerticalLine(Value);
    CleanVerticalLine(Value);
}

// Moves a point whose X changed to the end of its vertical line; when the line already
// holds three other points, the second of them gives way.
void TFuzzySetValues::PlaceOnVerticalLine(TFuzzySetValue* Value) {
    const TFzyFloat x = Value->GetX();
    int last = -1;
    int secondEqual = -1;
    int equalPoints = 0;
    for (int i = 0; i < GetCount(); ++i) {
        const TFuzzySetValue* point = GetItem(i);
        if (point->GetX() - FuzzyEpsilon > x)
            break;
        if (point != Value && FloatEquals(point->GetX(), x)) {
            if (++equalPoints == 3)
                break;
            if (equalPoints == 2)
                secondEqual = i;
        }
        last = i;
    }
    if (equalPoints == 3) {
        // The walk can end on the point itself when it sits between the second and third
        // equal point; the second equal point gives way then, and the point stays put.
        const bool lastIsValue = GetItem(last) == Value;
        DeletePoint(last, secondEqual);
        if (lastIsValue)
            return;
    }
    Value->SetIndex(last);
}

// Collapses equal neighbours on the point's vertical line and trims the line to three
// points. A line that starts at the very first point of the list is counted from its
// second point, so it may keep four points, as a whole-list clean-up allows.
void TFuzzySetValues::CleanVerticalLine(TFuzzySetValue* Value) {
    const TFzyFloat x = Value->GetX();
    const int start = std::max(SkipX(Value->GetIndex(), x, -1), 0);
    int i = start + 1;
    while (i < GetCount() && FloatEquals(GetItem(i)->GetX(), x)) {
        if (GetItem(i)->Equals(GetItem(i - 1)))
            DeletePoint(i - 1, i);
        else
            ++i;
    }
    if (i - start - 1 > 3) {
        // The point just before the changed one, unless that point is not on the line.
        const int before = Value->GetIndex() - 1;
        DeletePoint(before > start ? before : Value->GetIndex() + 1, Value->GetIndex() + 1);
    }
}

bool TFuzzySetValues::IsChanging(const TFuzzySetValue* Value) const {
    return std::find(FChangingValues.begin(), FChangingValues.end(), Value) !=
           FChangingValues.end();
}

void TFuzzySetValues::DeletePoint(int Index, int Instead) {
    Delete(IsChanging(GetItem(Index)) ? Instead : Index);
}

} // namespace fuzzy
