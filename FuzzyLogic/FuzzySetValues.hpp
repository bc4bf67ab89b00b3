#pragma once
// The point list of a membership function.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzySetValue.hpp"
#include "FuzzyLogic/kernels/FuzzyPoints.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzySet;

using TFuzzySetValuesEnumerator = TCollectionEnumerator<TFuzzySetValue>;

/// The points of one fuzzy set, owned by that set (which may be nullptr for a free list).
///
/// The list keeps its points in ascending X (within the tolerance 0.0001), removes
/// neighbours equal in X and Y, and limits the points on one vertical line: three after a
/// single point moved there, at most four after a whole-list clean-up (a longer line keeps
/// its first, highest and last points, so the curve beside it stays as it was). Outside an update
/// bracket every point change sorts and cleans at once and the set hears about that one point
/// (UpdateFuzzySetValue); inside a bracket changes only note what is out of order, and the
/// outermost EndUpdate cleans once and tells the set UpdateFuzzySetValues. The clean-up
/// sorts in a bracket of its own, so a list that had to be cleaned tells the set twice:
/// once at the end of the clean-up's bracket, once at the end of the outer one.
class TFuzzySetValues : public TGTypedCollection<TFuzzySetValue> {
public:
    explicit TFuzzySetValues(TFuzzySet* FuzzySet);
    ~TFuzzySetValues() override;
    std::string ClassName() const override { return "TFuzzySetValues"; }

    const TFuzzySet* GetFuzzySet() const { return FFuzzySet; }
    TFuzzySet* GetFuzzySet() { return FFuzzySet; }

    /// Appends a point (one to the right of the last point, Y = 0).
    TFuzzySetValue* Add();
    /// Appends a point and sets its X, then its Y.
    TFuzzySetValue* Add(TFzyFloat X, TFzyFloat Y);
    /// Inserts a new point at Index (EListError when outside 0..Count).
    TFuzzySetValue* Insert(int Index);
    /// Appends the points as Add(X, Y) would, one after the other. Inside an update bracket
    /// of a list of this very class (whose hooks are known) they join in one step, leaving
    /// the list as the point-by-point way would: nobody hears of a point before the
    /// bracket ends either way.
    void AppendPoints(std::span<const kernels::TPoint> Points);

    /// How many points have exactly this X (no tolerance).
    int GetXCount(TFzyFloat X) const;
    /// From Index + Dir, stepping by Dir (0 counts as +1), the first point whose X (SkipY:
    /// Y) differs from the value by more than the tolerance; -1 when the walk leaves the list.
    int SkipX(int Index, TFzyFloat X, int Dir) const;
    int SkipY(int Index, TFzyFloat Y, int Dir) const;

    /// Orders the points by X; points within the tolerance keep their relative order.
    void Sort();
    /// Deletes neighbours equal in X and Y and the fifth point of a vertical line.
    void RemoveDuplicates();
    /// Sort and RemoveDuplicates, when either is needed; in between, every vertical line of
    /// more than four points is trimmed as MarkOverfullLines says (unless a point's setter
    /// is running, whose own clean-up limits its line).
    void CleanupValues();
    /// Marks, on a sorted list, the points that each vertical line of more than four can do
    /// without: beside the line the curve runs from its first and from its last point, and
    /// at the line the membership is its highest, so those three stay. (RemoveDuplicates
    /// drops the fifth point instead, which may be the last.)
    void MarkOverfullLines(std::vector<bool>& Doomed) const;
    /// Called by a point's setters before the point reports its change: notes whether the
    /// list is still ordered and clean, and outside an update bracket sorts, places the
    /// point on its vertical line and cleans that line.
    virtual void UpdateValue(TFuzzySetValue* Value, TXYUpdateTypes UpdateTypes);

    /// Set a point's X or Y as its SetX or SetY does. Inside an update bracket of a list of
    /// this very class the setters' hooks stay silent until the bracket ends, so the list
    /// only notes the change, without them: for the hedges, which rewrite every point.
    void SetPointX(TFuzzySetValue* Point, TFzyFloat X);
    void SetPointY(TFuzzySetValue* Point, TFzyFloat Y);

    /// Adds points on the curve's non-vertical segments until the list holds NewCount.
    void Expand(int NewCount);
    /// Adds points on a uniform X grid over the whole span until the list holds NewCount.
    void ExpandSimple(int NewCount);

    /// Replaces the points by copies of Source's, as TCollection::Assign does point by
    /// point; a set's list of this very class takes them in one step (AppendPoints).
    void Assign(const TPersistent* Source) override;

    /// Appends copies of all points of Source.
    void Append(const TFuzzySetValues* Source);
    /// Appends copies of Count points of Source from Index (both clipped to Source).
    virtual void Append(const TFuzzySetValues* Source, int Index, int Count);

    /// Statistics of the Y values. Each raises EFzyException on an empty list.
    TFzyFloat GetAvgValue() const;
    TFzyFloat GetMaxValue() const;
    TFzyFloat GetMinValue() const;
    void GetStatValues(TFzyFloat& AvgY, TFzyFloat& MaxY, TFzyFloat& MinY) const;

    /// True when the X values never decrease, compared exactly. Membership queries use it
    /// to search by bisection; lists that are ordered only within the tolerance are walked.
    bool IsExactlyOrdered() const { return GetCurve().ExactlyOrdered; }
    /// The points as a plain array, the form the algorithms on curves take. Gathered once
    /// per change of the list and kept: valid until the list next changes.
    kernels::TCurve GetCurve() const {
        if (FCurveStamp != GetChangeStamp())
            GatherCurve();
        return {FCurvePoints, FExactlyOrdered};
    }

protected:
    void Update(TCollectionItem* Item) override;
    /// Keeps each point's link to its list, which its setters use on every write.
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override;

private:
    friend class TFuzzySetValue;

    /// Marks a point whose setter is running for the setter's duration.
    class TChangingValue {
    public:
        TChangingValue(TFuzzySetValues& Values, const TFuzzySetValue* Value) : FValues(Values) {
            FValues.FChangingValues.push_back(Value);
        }
        ~TChangingValue() { FValues.FChangingValues.pop_back(); }
        TChangingValue(const TChangingValue&) = delete;
        TChangingValue& operator=(const TChangingValue&) = delete;

    private:
        TFuzzySetValues& FValues;
    };

    /// Deletes the point at Index, or the point at Instead when the one at Index is a point
    /// whose setter is running: the clean-up never destroys the object it was called for.
    void DeletePoint(int Index, int Instead);
    bool IsChanging(const TFuzzySetValue* Value) const;
    /// Notes whether the list is still ordered and clean after Value (in the list) changed.
    void NoteChange(const TFuzzySetValue* Value, TXYUpdateTypes UpdateTypes);
    /// The same, given Value's neighbours in the list (nullptr where there is none).
    void NoteChange(const TFuzzySetValue* Value, const TFuzzySetValue* Previous,
                    const TFuzzySetValue* Next, TXYUpdateTypes UpdateTypes);
    void GatherCurve() const;
    void PlaceOnVerticalLine(TFuzzySetValue* Value);
    void CleanVerticalLine(TFuzzySetValue* Value);
    int Skip(int Index, TFzyFloat Value, int Dir, bool ByY) const;
    void CheckNotEmpty(const char* Operation) const;
    /// One pass: a pair of neighbours equal in X and Y, or (unless a setter is running,
    /// whose own clean-up limits its line) a vertical line of more than four points.
    bool NeedsBulkCleanup() const;
    /// The owning set's X range as (minimum, maximum), for the setters' clamp. Inside an
    /// update bracket it is looked up once and kept until the bracket ends, so that a bulk
    /// change does not ask the set (and its variable) again for every point.
    std::pair<TFzyFloat, TFzyFloat> GetSetXRange();
    /// True when Point's setters would only note their change (SetPointX, SetPointY).
    bool WritesQuietly(const TFuzzySetValue* Point) const;

    TFuzzySet* FFuzzySet;
    bool FSorted = true;
    bool FDuplicatesRemoved = true;
    /// Points whose setters are running, innermost last.
    std::vector<const TFuzzySetValue*> FChangingValues;
    /// The change stamp at which FCurvePoints were last gathered.
    mutable std::uint64_t FCurveStamp = ~std::uint64_t{0};
    mutable std::vector<kernels::TPoint> FCurvePoints;
    mutable bool FExactlyOrdered = true;
    std::optional<std::pair<TFzyFloat, TFzyFloat>> FXRange;
};

} // namespace fuzzy
