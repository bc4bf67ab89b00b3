#pragma once
// The clean-ups of a point list: ordering within the tolerance, and marking the points a
// curve does without (horizontal runs, overfull vertical lines, duplicates). Marks go into
// a caller's vector, so that a whole list is cleaned in one removal and buffers are reused.

#include <algorithm>
#include <vector>

#include "FuzzyLogic/kernels/FuzzyPoints.hpp"

namespace fuzzy::kernels {

/// True when two neighbours in ascending order need no rule within the tolerance: their X
/// values are equal or further apart than the tolerance.
inline bool EqualOrApart(TFzyFloat LeftX, TFzyFloat RightX) {
    return LeftX == RightX || LeftX + FuzzyEpsilon < RightX;
}

/// Orders Items stably by exact X. Returns false, changing nothing, when some X values
/// are closer than the tolerance without being equal: then the ordering rule within the
/// tolerance is not plain "less than", and OrderWithinTolerance must do it.
template <class T, class GetX>
bool OrderByExactX(std::vector<T>& Items, GetX&& XOf) {
    std::stable_sort(Items.begin(), Items.end(),
                     [&XOf](const T& A, const T& B) { return XOf(A) < XOf(B); });
    for (std::size_t i = 1; i < Items.size(); ++i) {
        if (!EqualOrApart(XOf(Items[i - 1]), XOf(Items[i])))
            return false;
    }
    return true;
}

/// The ordering rule itself: for each position, every later item lying more than the
/// tolerance left of the item currently there is moved to that position.
template <class T, class GetX>
void OrderWithinTolerance(std::vector<T>& Items, GetX&& XOf) {
    for (std::size_t i = 0; i < Items.size(); ++i)
        for (std::size_t j = i + 1; j < Items.size(); ++j)
            if (XOf(Items[j]) + FuzzyEpsilon < XOf(Items[i]))
                std::rotate(Items.begin() + static_cast<std::ptrdiff_t>(i),
                            Items.begin() + static_cast<std::ptrdiff_t>(j),
                            Items.begin() + static_cast<std::ptrdiff_t>(j + 1));
}

/// Orders Items by X within the tolerance: points within the tolerance of each other keep
/// their relative order. When every two X values are either equal or further apart than
/// the tolerance, the rule is plain "less than" and a stable sort does it in n log n.
template <class T, class GetX>
void OrderByX(std::vector<T>& Items, GetX&& XOf) {
    // Items already ascending that way are what the stable sort would give back: nothing
    // to copy or sort (a list densified in place is noted unordered but is mostly so).
    const auto closeOrBackwards = [&XOf](const T& Left, const T& Right) {
        return !EqualOrApart(XOf(Left), XOf(Right));
    };
    if (std::adjacent_find(Items.begin(), Items.end(), closeOrBackwards) == Items.end())
        return;
    std::vector<T> exact(Items);
    if (OrderByExactX(exact, XOf))
        Items.swap(exact);
    else
        OrderWithinTolerance(Items, XOf);
}

inline void OrderPoints(std::vector<TPoint>& Points) {
    OrderByX(Points, [](const TPoint& P) { return P.X; });
}

/// Marks the points of a result that its curve does without. Inside the curve a
/// horizontal run keeps only its first and last points, a run at the start only its last
/// and one at the end only its first (the curve is flat beyond its ends anyway).
inline void MarkHorizontalRuns(TPoints Points, std::vector<bool>& Doomed) {
    const int count = static_cast<int>(Points.size());
    auto at = [&Points](int Index) { return Points[static_cast<std::size_t>(Index)]; };
    int run = 1;
    for (int k = 1; k < count; ++k) {
        // Point k - 1 is the one before k among the points still kept.
        if (!FloatEquals(at(k - 1).Y, at(k).Y))
            run = 0;
        else if (++run > 1)
            Doomed[static_cast<std::size_t>(k - 1)] = true;
    }
    int beforeLast = count - 2;
    while (beforeLast >= 0 && Doomed[static_cast<std::size_t>(beforeLast)])
        --beforeLast;
    if (beforeLast >= 0 && FloatEquals(at(beforeLast).Y, at(count - 1).Y))
        Doomed[static_cast<std::size_t>(count - 1)] = true;
}

/// Marks, on a sorted list, the points that each vertical line of more than four can do
/// without: beside the line the curve runs from its first and from its last point, and at
/// the line the membership is its highest, so those three stay. Line holds the indexes of
/// an overfull line while it is trimmed (a reused buffer).
inline void MarkOverfullLines(TPoints Points, std::vector<bool>& Doomed, std::vector<int>& Line) {
    auto x = [&Points](int Index) { return Points[static_cast<std::size_t>(Index)].X; };
    auto y = [&Points](int Index) { return Points[static_cast<std::size_t>(Index)].Y; };
    auto kept = [&Doomed](int Index) { return !Doomed[static_cast<std::size_t>(Index)]; };
    // A line is counted as it is read; its indexes are gathered only when it is overfull,
    // which few lines are.
    int first = -1;
    int last = -1;
    int size = 0;
    auto trim = [&] {
        if (size > 4) {
            Line.clear();
            for (int k = first; k <= last; ++k)
                if (kept(k))
                    Line.push_back(k);
            int highest = Line[1];
            for (std::size_t k = 2; k + 1 < Line.size(); ++k)
                if (y(Line[k]) > y(highest))
                    highest = Line[k];
            for (std::size_t k = 1; k + 1 < Line.size(); ++k)
                Doomed[static_cast<std::size_t>(Line[k])] = Line[k] != highest;
        }
        size = 0;
    };
    for (int k = 0; k < static_cast<int>(Points.size()); ++k) {
        if (!kept(k))
            continue;
        if (size > 0 && !FloatEquals(x(last), x(k)))
            trim();
        if (size++ == 0)
            first = k;
        last = k;
    }
    trim();
}

/// Marks, in one pass comparing each point with the last point kept before it, the
/// neighbours equal in X and Y and the fifth point of a vertical line. KeepsPlace(i) tells
/// a point that must stay (the one whose setter is running): the point kept before it
/// goes instead.
template <class KeepsPlace>
void MarkDuplicates(TPoints Points, std::vector<bool>& Doomed, KeepsPlace&& MustStay) {
    auto drop = [&](int& previous, int i) {
        if (MustStay(i)) {
            Doomed[static_cast<std::size_t>(previous)] = true;
            previous = i;
        } else {
            Doomed[static_cast<std::size_t>(i)] = true;
        }
    };
    int run = 0;
    int previous = 0;
    for (int i = 1; i < static_cast<int>(Points.size()); ++i) {
        const TPoint& point = Points[static_cast<std::size_t>(i)];
        const TPoint& before = Points[static_cast<std::size_t>(previous)];
        if (SamePoint(point, before)) {
            drop(previous, i);
        } else if (FloatEquals(point.X, before.X)) {
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
}

/// True when neighbours are equal in X and Y, or (LinesCount) a vertical line holds more
/// than four points.
inline bool NeedsBulkCleanup(TPoints Points, bool LinesCount) {
    int run = 0;
    for (std::size_t i = 1; i < Points.size(); ++i) {
        if (SamePoint(Points[i], Points[i - 1]))
            return true;
        run = FloatEquals(Points[i].X, Points[i - 1].X) ? run + 1 : 0;
        if (LinesCount && run >= 4)
            return true;
    }
    return false;
}

/// Removes the marked points, keeping the order of the rest.
inline void RemoveMarked(std::vector<TPoint>& Points, const std::vector<bool>& Doomed) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < Points.size(); ++i)
        if (!Doomed[i])
            Points[kept++] = Points[i];
    Points.resize(kept);
}

/// Reused buffers of the clean-ups.
struct TCleanupBuffers {
    std::vector<bool> Doomed;
    std::vector<int> Line;

    std::vector<bool>& Reset(std::size_t Count) {
        Doomed.assign(Count, false);
        return Doomed;
    }
};

/// What a set's list does when an update bracket closes on points appended or changed in
/// it: sorts when a point broke the order, then, when neighbours are equal or a vertical
/// line is overfull, trims the overfull lines and drops the duplicates.
inline void FinishBracket(std::vector<TPoint>& Points, bool Sorted, TCleanupBuffers& Buffers) {
    if (!Sorted)
        OrderPoints(Points);
    if (!NeedsBulkCleanup(Points, true))
        return;
    MarkOverfullLines(Points, Buffers.Reset(Points.size()), Buffers.Line);
    RemoveMarked(Points, Buffers.Doomed);
    MarkDuplicates(Points, Buffers.Reset(Points.size()), [](int) { return false; });
    RemoveMarked(Points, Buffers.Doomed);
}

/// The clean-up of a walk's result: in X order, without the points its curve does not
/// need, then as its list's bracket leaves it.
inline void SimplifyResult(std::vector<TPoint>& Points, bool Sorted, TCleanupBuffers& Buffers) {
    if (!Sorted)
        OrderPoints(Points);
    std::vector<bool>& doomed = Buffers.Reset(Points.size());
    MarkHorizontalRuns(Points, doomed);
    MarkOverfullLines(Points, doomed, Buffers.Line);
    RemoveMarked(Points, doomed);
    FinishBracket(Points, true, Buffers);
}

} // namespace fuzzy::kernels
