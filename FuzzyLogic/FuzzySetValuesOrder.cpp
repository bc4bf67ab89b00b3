// Ordering and de-duplication of a point list.

#include <algorithm>
#include <vector>

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"

namespace fuzzy {

void TFuzzySetValues::Sort() {
    if (FSorted)
        return;
    TUpdateGuard guard(*this);
    if (!SortByExactOrder())
        SortWithinTolerance();
    // Set inside the bracket: its end cleans up, and must find the list sorted.
    FSorted = true;
}

// The ordering rule moves a point in front of another only when it lies more than the
// tolerance to its left. When every two X values are either equal or further apart than
// the tolerance, that rule is plain "less than", and the result is exactly a stable sort
// by X, done here in n log n. Returns false, changing nothing, when some X values are
// closer than the tolerance without being equal.
bool TFuzzySetValues::SortByExactOrder() {
    std::vector<TCollectionItem*> order(begin(), end());
    std::stable_sort(order.begin(), order.end(), [](const auto* a, const auto* b) {
        return static_cast<const TFuzzySetValue*>(a)->GetX() <
               static_cast<const TFuzzySetValue*>(b)->GetX();
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        const TFzyFloat left = static_cast<const TFuzzySetValue*>(order[i - 1])->GetX();
        const TFzyFloat right = static_cast<const TFuzzySetValue*>(order[i])->GetX();
        if (left != right && !(left + FuzzyEpsilon < right))
            return false;
    }
    PermuteItems(order);
    return true;
}

// The ordering rule itself: for each position, every later point lying more than the
// tolerance left of the point currently there is moved to that position.
void TFuzzySetValues::SortWithinTolerance() {
    const int count = GetCount();
    for (int i = 0; i < count; ++i)
        for (int j = i + 1; j < count; ++j)
            if (GetItem(j)->GetX() + FuzzyEpsilon < GetItem(i)->GetX())
                MoveItem(j, i);
}

// One pass over the points, comparing each with the last point kept before it, and one
// removal at the end: deleting point by point would shift the rest of the list each time.
void TFuzzySetValues::RemoveDuplicates() {
    if (FDuplicatesRemoved)
        return;
    TUpdateGuard guard(*this);
    std::vector<bool> doomed(static_cast<std::size_t>(GetCount()), false);
    // The point whose setter is running stays; the point kept before it goes instead.
    auto drop = [&](int& previous, int i) {
        if (IsChanging(GetItem(i))) {
            doomed[static_cast<std::size_t>(previous)] = true;
            previous = i;
        } else {
            doomed[static_cast<std::size_t>(i)] = true;
        }
    };
    int run = 0;
    int previous = 0;
    for (int i = 1; i < GetCount(); ++i) {
        const TFuzzySetValue* point = GetItem(i);
        const TFuzzySetValue* before = GetItem(previous);
        if (point->Equals(before)) {
            drop(previous, i);
        } else if (FloatEquals(point->GetX(), before->GetX())) {
            if (++run == 4) { // the fifth point on one vertical line
                drop(previous, i);
                run = 0;
            } else {
                previous = i;
            }
        } else {
            run = 0;
            previous = i;
        }
    }
    DeleteItems(doomed);
    FDuplicatesRemoved = true;
}

void TFuzzySetValues::MarkOverfullLines(std::vector<bool>& Doomed) const {
    std::vector<int> line;
    auto trim = [&] {
        if (line.size() > 4) {
            int highest = line[1];
            for (std::size_t k = 2; k + 1 < line.size(); ++k)
                if (GetItem(line[k])->GetY() > GetItem(highest)->GetY())
                    highest = line[k];
            for (std::size_t k = 1; k + 1 < line.size(); ++k)
                Doomed[static_cast<std::size_t>(line[k])] = line[k] != highest;
        }
        line.clear();
    };
    for (int k = 0; k < GetCount(); ++k) {
        if (Doomed[static_cast<std::size_t>(k)])
            continue;
        if (!line.empty() && !FloatEquals(GetItem(line.back())->GetX(), GetItem(k)->GetX()))
            trim();
        line.push_back(k);
    }
    trim();
}

bool TFuzzySetValues::NeedsBulkCleanup() const {
    const bool linesCount = FChangingValues.empty();
    int run = 0;
    for (int i = 1; i < GetCount(); ++i) {
        const TFuzzySetValue* point = GetItem(i);
        const TFuzzySetValue* before = GetItem(i - 1);
        if (point->Equals(before))
            return true;
        run = FloatEquals(point->GetX(), before->GetX()) ? run + 1 : 0;
        if (linesCount && run >= 4)
            return true;
    }
    return false;
}

void TFuzzySetValues::CleanupValues() {
    if (FSorted && FDuplicatesRemoved)
        return;
    TUpdateGuard guard(*this);
    Sort();
    if (FChangingValues.empty()) {
        std::vector<bool> doomed(static_cast<std::size_t>(GetCount()), false);
        MarkOverfullLines(doomed);
        DeleteItems(doomed);
    }
    RemoveDuplicates();
}

} // namespace fuzzy
