#pragma once
// A fuzzy set: one named membership function over a variable's axis.

#include <cstdint>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

/// A term such as 'low' or 'very warm': a named, commented point list (which the set owns
/// and never lacks) whose piecewise-linear curve is the membership function.
///
/// A set lives in a collection of terms or on its own (then the caller owns it and
/// deletes it). Every change of its points reaches it through UpdateFuzzySetValue(s),
/// which reports the set changed to its collection, marks the set user-defined and
/// clears its expression; Assign copies type and expression back after the points.
class TFuzzySet : public TGCollectionItem {
public:
    /// Creates a set in Collection, or an unattached set owned by the caller.
    [[nodiscard]] static TFuzzySet* Create(TCollection* Collection);
    /// The item class of term collections.
    static TCollectionItem* CreateItem(TCollection* Collection) { return Create(Collection); }

    ~TFuzzySet() override;
    std::string ClassName() const override { return "TFuzzySet"; }

    /// Copies name, points, set type, inflection point and expression of another set
    /// (comment, Defined and Tag stay); other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

    // ---- naming and text ----
    const std::string& GetName() const override { return FName; }
    /// Renames the set. Raises EFzyException for a connective keyword, a base-hedge symbol
    /// (plain or with "X") or a hedge word, keeping the old name.
    virtual void SetName(const std::string& Value);
    const std::string& GetComment() const { return FComment; }
    void SetComment(const std::string& Value);
    const std::string& GetExpression() const { return FExpression; }
    void SetExpression(const std::string& Value) { FExpression = Value; }
    /// The name, or the class name when the set has none.
    std::string GetDisplayName() const override;
    /// The points as text: '((0.0000 0.0000) (50.0000 1.0000) )'.
    virtual std::string GetValuesToString() const;
    std::string GetAsString() const { return ToString(); }
    /// The set as text: '(low (0.0000 1.0000) (50.0000 0.0000) )'.
    virtual std::string ToString() const;

    // ---- plain properties ----
    TFuzzySetType GetSetType() const { return FSetType; }
    TFuzzySetValues* GetValues() const { return FValues.get(); }
    /// Replaces the points with copies of Value's points.
    void SetValues(const TFuzzySetValues* Value);
    TFzyFloat GetInflectionPoint() const { return FInflectionPoint; }
    void SetInflectionPoint(TFzyFloat Value) { FInflectionPoint = Value; }
    bool GetDefined() const { return FDefined; }
    void SetDefined(bool Value) { FDefined = Value; }
    std::int32_t GetTag() const { return FTag; }
    void SetTag(std::int32_t Value) { FTag = Value; }

    // ---- axis ----
    /// Index 0: the upper bound of the X axis; index 1: the lower bound. Without a
    /// variable the axis is [-2147483647, 2147483647]. Other indexes raise EFzyException.
    virtual TFzyFloat GetXRange(int Index) const;
    TFzyFloat GetXMaximum() const { return GetXRange(0); }
    TFzyFloat GetXMinimum() const { return GetXRange(1); }

    // ---- membership ----
    /// The degree of membership of Value: the curve, flat beyond its ends, and the highest
    /// point of a vertical line exactly on it. Raises EArgumentOutOfRangeException for NaN.
    [[nodiscard]] TFzyFloat DegreeOfMembership(TFzyFloat Value) const;
    /// Index of the highest point on the vertical line of the point at Index, walking by
    /// Direction (+1 or -1; EArgumentOutOfRangeException otherwise); ties keep the first.
    [[nodiscard]] int GetMaxYValueOfX(int Index, int Direction) const;
    /// As GetMaxYValueOfX, for the lowest point.
    [[nodiscard]] int GetMinYValueOfX(int Index, int Direction) const;
    static TFzyFloat InterpolateY(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                  TFzyFloat XValue);
    static TFzyFloat InterpolateX(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                  TFzyFloat YValue);
    /// The slope from P1 to P2; on a vertical step the sign of the rise (1, -1 or 0).
    static TFzyFloat GetSlope(const TFuzzySetValue* P1, const TFuzzySetValue* P2);

protected:
    TFuzzySet() = default;
    /// The creation step after construction: makes the point list and joins Collection.
    /// Descendants' Create functions call it on their new object.
    template <class T>
    static T* Initialize(std::unique_ptr<T> Set, TCollection* Collection);
    /// Factory of the point list; descendants return their own list class.
    virtual std::unique_ptr<TFuzzySetValues> CreateValues();

    /// Change hooks of the point list: report the change, mark the set user-defined and
    /// clear its expression.
    virtual void UpdateFuzzySetValue(TFuzzySetValue* Value);
    virtual void UpdateFuzzySetValues();

    TFuzzySetType FSetType = TFuzzySetType::fstUserDefined;
    std::string FName;
    std::unique_ptr<TFuzzySetValues> FValues;
    TFzyFloat FInflectionPoint = 0;
    std::string FComment;
    bool FDefined = false;
    std::int32_t FTag = 0;
    std::string FExpression;

private:
    friend class TFuzzySetValues;
    void PointsChanged();
    /// Prefix, then each point as "(x y) " in order, then ")".
    std::string WritePoints(std::string Prefix) const;
    int GetExtremeYValueOfX(int Index, int Direction, bool Highest) const;
    int FindFirstAtOrRightOf(TFzyFloat X) const;
};

template <class T>
T* TFuzzySet::Initialize(std::unique_ptr<T> Set, TCollection* Collection) {
    Set->FValues = Set->CreateValues();
    return Join(std::move(Set), Collection);
}

} // namespace fuzzy
