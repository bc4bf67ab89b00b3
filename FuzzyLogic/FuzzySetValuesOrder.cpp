// Ordering and de-duplication of a point list.

#include <algorithm>
#include <vector>

#include "FuzzyLogic/FuzzyMath.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "FuzzyLogic/kernels/FuzzyCleanup.hpp"

namespace fuzzy {

// The ordering rule moves a point in front of another only when it lies more than the
// tolerance to its left (kernels::OrderByX).
void TFuzzySetValues::Sort() {
    if (FSorted)
        return;
    TUpdateGuard guard(*this);
    std::vector<TCollectionItem*> order(begin(), end());
    kernels::OrderByX(order, [](const TCollectionItem* Item) {
        return static_cast<const TFuzzySetValue*>(Item)->GetX();
    });
    PermuteItems(order);
    // Set inside the bracket: its end cleans up, and must find the list sorted.
    FSorted = true;
}

// One pass over the points, comparing each with the last point kept before it, and one
// removal at the end: deleting point by point would shift the rest of the list each time.
void TFuzzySetValues::RemoveDuplicates() {
    if (FDuplicatesRemoved)
        return;
    TUpdateGuard guard(*this);
    std::vector<bool> doomed(static_cast<std::size_t>(GetCount()), false);
    // The point whose setter is running stays; the point kept before it goes instead.
    kernels::MarkDuplicates(GetCurve().Points, doomed,
                            [this](int Index) { return IsChanging(GetItem(Index)); });
    DeleteItems(doomed);
    FDuplicatesRemoved = true;
}

void TFuzzySetValues::MarkOverfullLines(std::vector<bool>& Doomed) const {
    std::vector<int> line; // filled only for a line that is overfull, which few are
    kernels::MarkOverfullLines(GetCurve().Points, Doomed, line);
}

bool TFuzzySetValues::NeedsBulkCleanup() const {
    return kernels::NeedsBulkCleanup(GetCurve().Points, FChangingValues.empty());
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
