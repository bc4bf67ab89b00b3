// Densification, quiet writes, appending and statistics of a point list.

#include <algorithm>
#include <cmath>
#include <typeinfo>
#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"

namespace fuzzy {

namespace {

// A new point at X between the points at Index - 1 and Index + 1, on their straight line.
TFzyFloat HeightBetween(const TFuzzySetValues& Values, int Index, TFzyFloat X) {
    const TFuzzySetValue* left = Values[Index - 1];
    const TFuzzySetValue* right = Values[Index + 1];
    return InterpolateY(left->GetX(), left->GetY(), right->GetX(), right->GetY(), X);
}

} // namespace

void TFuzzySetValues::Expand(int NewCount) {
    if (NewCount < 2 || NewCount <= GetCount())
        return;
    int missing = NewCount - GetCount();
    int segments = 0;
    for (int i = 0; i + 1 < GetCount(); ++i)
        if (GetItem(i + 1)->GetX() - FuzzyEpsilon > GetItem(i)->GetX())
            ++segments;
    TUpdateGuard guard(*this);
    for (int i = 0; i < GetCount() - 1;) {
        const TFzyFloat left = GetItem(i)->GetX();
        const TFzyFloat right = GetItem(i + 1)->GetX();
        if (!(right - FuzzyEpsilon > left)) {
            ++i;
            continue;
        }
        int k = static_cast<int>(std::ceil(static_cast<double>(missing) / segments));
        const TFzyFloat step = (right - left) / (k + 1);
        --segments;
        for (; k > 0; --k) {
            --missing;
            TFuzzySetValue* point = Add();
            SetPointX(point, GetItem(i)->GetX() + step);
            point->SetIndex(++i);
            SetPointY(point, HeightBetween(*this, i, point->GetX()));
        }
        ++i;
    }
}

// In a bracket a point's setter touches its list, and the list's UpdateValue only notes
// the change; the list's Update for the point waits for the bracket's end. A list of a
// derived class may hear more, so it gets the setters themselves.
bool TFuzzySetValues::WritesQuietly(const TFuzzySetValue* Point) const {
    return Point->FList == this && GetUpdateCount() > 0 && typeid(*this) == typeid(TFuzzySetValues);
}

void TFuzzySetValues::SetPointX(TFuzzySetValue* Point, TFzyFloat X) {
    if (!WritesQuietly(Point) || std::isnan(X)) {
        Point->SetX(X); // hooks that run at once, or the setter's own error
        return;
    }
    TFzyFloat x = X;
    if (FFuzzySet != nullptr) {
        const auto [minimum, maximum] = GetSetXRange();
        x = kernels::StoredX(X, {minimum, maximum});
    }
    if (x == Point->FX)
        return;
    Point->FX = x;
    Touch();
    NoteChange(Point, {TXYUpdateType::utX});
}

void TFuzzySetValues::SetPointY(TFuzzySetValue* Point, TFzyFloat Y) {
    if (!WritesQuietly(Point) || std::isnan(Y)) {
        Point->SetY(Y);
        return;
    }
    if (Y == Point->FY)
        return;
    Point->FY = Y < 0 ? 0 : Y;
    Touch();
    NoteChange(Point, {TXYUpdateType::utY});
}

void TFuzzySetValues::ExpandSimple(int NewCount) {
    // A single point spans no grid (and has no neighbours to interpolate between).
    if (NewCount < 2 || NewCount <= GetCount() || GetCount() < 2)
        return;
    int missing = NewCount - GetCount();
    const TFzyFloat step = (GetItem(GetCount() - 1)->GetX() - GetItem(0)->GetX()) / (missing + 1);
    TFzyFloat x = GetItem(0)->GetX();
    int i = 0;
    TUpdateGuard guard(*this);
    while (missing > 0) {
        --missing;
        x += step;
        while (i < GetCount() - 1 && GetItem(i)->GetX() < x)
            ++i;
        // A grid X within the tolerance of a breakpoint is that breakpoint: the new point
        // goes after its vertical line, at the line's own X, so it never stands left of a
        // point before it (where its height would be extrapolated).
        TFzyFloat at = x;
        if (FloatEquals(GetItem(i)->GetX(), x)) {
            i = SkipX(i, x, +1);
            if (i == -1)
                i = GetCount() - 1;
            at = std::max(x, GetItem(i - 1)->GetX());
        }
        TFuzzySetValue* point = Add();
        point->SetX(at);
        point->SetIndex(i);
        point->SetY(HeightBetween(*this, i, at));
    }
}

void TFuzzySetValues::Append(const TFuzzySetValues* Source) {
    Append(Source, 0, Source->GetCount());
}

void TFuzzySetValues::Append(const TFuzzySetValues* Source, int Index, int Count) {
    const int sourceCount = Source->GetCount();
    Index = std::clamp(Index, 0, std::max(sourceCount - 1, 0));
    Count = std::min(Count, sourceCount - Index);
    // The coordinates are read first: appending a list to itself cleans points away while
    // the copies sort themselves in, so the source points cannot be read as we go.
    std::vector<std::pair<TFzyFloat, TFzyFloat>> points;
    for (int i = Index; i < Index + Count; ++i)
        points.emplace_back(Source->GetItem(i)->GetX(), Source->GetItem(i)->GetY());
    for (const auto& [x, y] : points)
        Add()->SetValue(x, y);
}

void TFuzzySetValues::CheckNotEmpty(const char* Operation) const {
    if (GetCount() == 0)
        throw EFzyException(SFuzzySetEmpty, Operation);
}

TFzyFloat TFuzzySetValues::GetAvgValue() const {
    CheckNotEmpty("Get Average Y Value");
    TFzyFloat sum = 0;
    for (const TFuzzySetValue* point : *this)
        sum += point->GetY();
    return sum / GetCount();
}

TFzyFloat TFuzzySetValues::GetMaxValue() const {
    CheckNotEmpty("Get Maximum Y Value");
    TFzyFloat maximum = GetItem(0)->GetY();
    for (int i = 1; i < GetCount() && maximum != 1.0; ++i)
        maximum = std::max(maximum, GetItem(i)->GetY());
    return maximum;
}

TFzyFloat TFuzzySetValues::GetMinValue() const {
    CheckNotEmpty("Get Minimum Y Value");
    TFzyFloat minimum = GetItem(0)->GetY();
    for (int i = 1; i < GetCount() && minimum != 0.0; ++i)
        minimum = std::min(minimum, GetItem(i)->GetY());
    return minimum;
}

void TFuzzySetValues::GetStatValues(TFzyFloat& AvgY, TFzyFloat& MaxY, TFzyFloat& MinY) const {
    CheckNotEmpty("Get Statistics Values");
    AvgY = 0;
    MaxY = 0;
    MinY = 1.0;
    for (const TFuzzySetValue* point : *this) {
        AvgY += point->GetY();
        MaxY = std::max(MaxY, point->GetY());
        MinY = std::min(MinY, point->GetY());
    }
    AvgY /= GetCount();
}

} // namespace fuzzy
