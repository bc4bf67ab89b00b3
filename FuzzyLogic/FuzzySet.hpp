#pragma once
// A fuzzy set: one named membership function over a variable's axis.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyLogic/FuzzySetValues.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzySet;
class TFuzzySets;
class TFuzzyVariable;

/// Creates a set of a given class in a collection (or a free set): the class reference
/// through which operations make their results of the receiving set's own class.
using TFuzzySetClass = TFuzzySet* (*)(TCollection* Collection);

/// A callback of Iterate: (X1, Y1) on the first set, (X2, Y2) on the second at the same X.
/// Returning true stops the walk.
using TFuzzyComparison =
    std::function<bool(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2)>;
/// A callback of Operator: appends the combination of Y1 and Y2 to the result's points.
/// Returning true stops the walk.
using TFuzzyOperator = std::function<bool(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                          TFzyFloat X2, TFzyFloat Y2)>;

/// The settings a set takes from its variable's logic component, with the values that
/// apply when there is none.
struct TFuzzyLogicSettings {
    TFzyFloat Threshold = DefaultThreshold;
    int NumFunctionValues = DefaultNumFunctionValues;
    TFuzzyCorrelationMethod CorrelationMethod = DefaultCorrelationMethod;
    TFuzzyInferenceMethod InferenceMethod = DefaultInferenceMethod;
    TDefuzzificationMethod DefuzzificationMethod = DefaultDefuzzificationMethod;
};

/// A term such as 'low' or 'very warm': a named, commented point list (which the set owns
/// and never lacks) whose piecewise-linear curve is the membership function.
///
/// A set lives in a collection of terms or on its own (then the caller owns it and
/// deletes it). Every change of its points reaches it through UpdateFuzzySetValue(s),
/// which reports the set changed to its collection, marks the set user-defined and
/// clears its expression; Assign copies type and expression back after the points.
class TFuzzySet : public TGCollectionItem {
public:
    /// Creates a set in Collection, or an unattached set owned by the caller. A set made
    /// under a logic component in the designing state is marked Defined.
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
    /// The parser's text of the set when its variable's component has a parser, else
    /// '(low (0.0000 1.0000) (50.0000 0.0000) )'.
    virtual std::string ToString() const;

    // ---- plain properties ----
    TFuzzySetType GetSetType() const { return FSetType; }
    const TFuzzySetValues* GetValues() const { return FValues.get(); }
    TFuzzySetValues* GetValues() { return FValues.get(); }
    /// Replaces the points with copies of Value's points.
    void SetValues(const TFuzzySetValues* Value);
    TFzyFloat GetInflectionPoint() const { return FInflectionPoint; }
    void SetInflectionPoint(TFzyFloat Value) { FInflectionPoint = Value; }
    bool GetDefined() const { return FDefined; }
    void SetDefined(bool Value) { FDefined = Value; }
    std::int32_t GetTag() const { return FTag; }
    void SetTag(std::int32_t Value) { FTag = Value; }

    // ---- context ----
    /// The term collection the set belongs to, or nullptr.
    const TFuzzySets* GetCollection() const;
    TFuzzySets* GetCollection();
    /// The variable whose term the set is, or nullptr.
    const TFuzzyVariable* GetVariable() const;
    TFuzzyVariable* GetVariable();
    /// Index 0: the upper bound of the X axis, the variable's Maximum; index 1: the lower
    /// bound, its Minimum. Without a variable the axis is [-2147483647, 2147483647]. Other
    /// indexes raise EFzyException.
    virtual TFzyFloat GetXRange(int Index) const;
    /// A copy of the set, of its class, made as a further term of its variable. A set
    /// without a variable gives a free copy that the caller owns.
    [[nodiscard]] virtual TFuzzySet* Clone() const;
    /// True when both memberships reach the variable's threshold together at some point of
    /// the walk over both sets (both empty: true). A set without a variable uses the
    /// component's default threshold, 0.01.
    [[nodiscard]] virtual bool Equals(const TFuzzySet* FuzzySet) const;
    TFzyFloat GetXMaximum() const { return GetXRange(0); }
    TFzyFloat GetXMinimum() const { return GetXRange(1); }

    // ---- standard shapes (each appends inside one update bracket, then sets the type) ----
    /// Appends (Left, 0), (Middle, 1), (Right, 0), first moving Right and Middle into order.
    void CreateTriangleFunctionValues(TFzyFloat Left, TFzyFloat Middle, TFzyFloat Right);
    /// Appends max(Num, 3) points of the S curve over [Left, Right] (Growth) or its mirror,
    /// the Z curve. Raises EFzyException when Left > Right, appending nothing.
    void CreateCurveValues(int Num, TFzyFloat Left, TFzyFloat Right, TFzyFloat InflectionPoint,
                           bool Growth);
    /// Appends the bell of an S and a Z curve meeting at Center (moved into [Left, Right]).
    /// Raises EFzyException when Left > Right, appending nothing.
    void CreatePIFunctionValues(int Num, TFzyFloat Left, TFzyFloat Right, TFzyFloat Center);
    void CreatePIFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center);
    /// Appends max(Num, 3) points of 1 / (1 + Weight ((x - Center) / InflectionPoint)^2) over
    /// [Center - Range, Center + Range]. Raises EZeroDivide for an InflectionPoint of 0, or
    /// where the denominator vanishes, before appending anything.
    void CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                       TFzyFloat InflectionPoint, TFzyFloat Weight = 1.0);
    /// Replaces the points by a spike at Value: (Value, 0), (Value, 1), (Value, 0); the
    /// expression becomes Value with four decimals.
    void CreateCrispValue(TFzyFloat Value);
    /// Records the shape; any type but fstUserDefined replaces the points by its default
    /// shape over the axis (triangle, PI and beta curves centred on the middle of the axis).
    virtual void SetSetType(TFuzzySetType Value);

    // ---- combination ----
    /// Walks both curves in ascending X, calling Comparison at every breakpoint of either
    /// set and every crossing. True when the callback stopped the walk, or both are empty.
    bool Iterate(const TFuzzySet* FuzzySet, const TFuzzyComparison& Comparison) const;
    /// A new set, of this set's class and in this set's collection (the caller owns it when
    /// there is none), built by FuzzyOperator at every event of the walk, named
    /// 'this OperatorKeyword other'.
    [[nodiscard]] TFuzzySet* Operator(const TFuzzySet* FuzzySet, const std::string& OperatorKeyword,
                                      const TFuzzyOperator& FuzzyOperator) const;
    [[nodiscard]] TFuzzySet* Intersection(const TFuzzySet* FuzzySet) const;
    [[nodiscard]] TFuzzySet* Union(const TFuzzySet* FuzzySet) const;
    /// Raises EFzyException for foSum (intersection) or a value outside the enumeration.
    [[nodiscard]] virtual TFuzzySet* Intersection(const TFuzzySet* FuzzySet,
                                                  TFuzzyOperation IntersectionType) const;
    [[nodiscard]] virtual TFuzzySet* Union(const TFuzzySet* FuzzySet,
                                           TFuzzyOperation UnionType) const;
    /// A quick test whether the two sets can overlap.
    bool Intersects(const TFuzzySet* FuzzySet) const;
    /// The crossing of segment (X1, Y1)-(X2, Y2) with (X3, Y3)-(X4, Y4), if any, with
    /// segments that are points or nearly parallel judged within the tolerance.
    static bool LineSegmentIntersects(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2,
                                      TFzyFloat X3, TFzyFloat Y3, TFzyFloat X4, TFzyFloat Y4,
                                      TFzyFloat& X, TFzyFloat& Y);
    /// The crossing of P1-P2 with P3-P4 as a new free point, or nullptr.
    [[nodiscard]] static std::unique_ptr<TFuzzySetValue>
    LineSegmentIntersects(const TFuzzySetValue* P1, const TFuzzySetValue* P2,
                          const TFuzzySetValue* P3, const TFuzzySetValue* P4);

    // Operator callbacks: each appends (X1, formula of Y1 and Y2) and never stops the walk.
    static bool FuzzyOperatorMin(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                 TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorMax(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                 TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorMean(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                  TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorMeanSqr(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                     TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorMeanSqrt(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                      TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorUnionMean(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                       TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorIntersectionProduct(TFuzzySetValues* FuzzySet, TFzyFloat X1,
                                                 TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorUnionProduct(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                          TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorIntersectionBoundedSum(TFuzzySetValues* FuzzySet, TFzyFloat X1,
                                                    TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorUnionBoundedSum(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                             TFzyFloat X2, TFzyFloat Y2);
    static bool FuzzyOperatorUnionSum(TFuzzySetValues* FuzzySet, TFzyFloat X1, TFzyFloat Y1,
                                      TFzyFloat X2, TFzyFloat Y2);

    // ---- hedges and modifiers (each changes the set, renames it and returns it) ----
    /// Applies a linguistic hedge. FuzzyApproximation hedges raise EListError on a set
    /// without points, leaving name and expression unchanged.
    virtual TFuzzySet* Hedge(TFuzzyHedge HedgeType);
    /// Applies an arithmetic or clipping modifier to every Y (ModifyY) or every X.
    /// Raises EZeroDivide for a division by 0 and EArgumentOutOfRangeException for a value
    /// that is not finite, before any point changes.
    TFuzzySet* Hedge(TBaseFuzzyHedge ModifyType, TFzyFloat Value, bool ModifyY);

    // ---- cuts, normalization, correlation and inference ----
    /// Scales every Y so the highest is 1 (nothing when all are 0). Raises EFzyException on
    /// a set without points.
    TFuzzySet* Normalize();
    /// A new set (see Operator for its ownership): the part of the curve at or above
    /// CutOff (CutValuesBelow) or the curve clipped at CutOff.
    [[nodiscard]] TFuzzySet* Cutoff(TFzyFloat CutOff, bool CutValuesBelow) const;
    /// A new set: the curve inside the (strong) alpha cut, 0 outside, with vertical edges.
    [[nodiscard]] TFuzzySet* AlphaCutoff(TFzyFloat CutOff, bool StrongCutoff) const;
    /// The height of the minimum-intersection of this set and Match.
    [[nodiscard]] TFzyFloat GetCorrelationStrength(const TFuzzySet* Match) const;
    /// Clips (fcmMinimum) or scales (fcmProduct) every Y by the strength.
    TFuzzySet* Correlate(TFzyFloat CorrelationStrength);
    TFuzzySet* Correlate(TFzyFloat CorrelationStrength, TFuzzyCorrelationMethod CorrelationMethod);
    /// A new set combining this solution with NewEvidence: their union by the inference
    /// method, or their intersection when Unconditional.
    [[nodiscard]] TFuzzySet* Infer(const TFuzzySet* NewEvidence, bool Unconditional) const;
    [[nodiscard]] TFuzzySet* Infer(const TFuzzySet* NewEvidence,
                                   TFuzzyInferenceMethod InferenceMethod, bool Unconditional) const;
    /// Comparison callback: both memberships reach the threshold.
    bool FuzzyOperatorMinThreshold(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2) const;
    /// Comparison callback of GetCorrelationStrength: keeps the largest min(Y1, Y2).
    bool FuzzyOperatorMaxOfMin(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2) const;
    /// The correlation strength of the two sets.
    [[nodiscard]] virtual TFzyFloat FuzzyEquals(const TFuzzySet* FuzzySet) const;

    // ---- defuzzification and measures ----
    /// The crisp value by the logic component's method (centre of gravity by default).
    [[nodiscard]] TFzyFloat Defuzzify() const;
    /// The X of the centroid of the area under the curve, flat to the axis bounds.
    [[nodiscard]] TFzyFloat CenterOfGravity() const;
    /// The mean X of the highest points.
    [[nodiscard]] TFzyFloat MeanOfMaxima() const;
    /// The average Y (0 without points).
    [[nodiscard]] virtual TFzyFloat GetCompatibilityIndex() const;
    /// True for a set without points or with all Y exactly 0, or all exactly 1.
    [[nodiscard]] bool IsUndecidable() const;
    TFzyFloat GetDefuzzifyValue() const { return Defuzzify(); }
    void SetDefuzzifyValue(TFzyFloat Value) { CreateCrispValue(Value); }

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
    /// The class reference that makes results of operations; descendants return their own.
    virtual TFuzzySetClass GetClassType() const { return &TFuzzySet::Create; }
    /// The settings of the logic component over this set's variable (the threshold is the
    /// variable's own), or the defaults where there is no variable or component.
    virtual TFuzzyLogicSettings GetLogicSettings() const;

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
    mutable TFzyFloat FMax = 0;

private:
    friend class TFuzzySetValues;
    void PointsChanged();
    void MarkDefinedWhenDesigned();
    /// Prefix, then each point as "(x y) " in order, then ")".
    std::string WritePoints(std::string Prefix) const;
    int GetExtremeYValueOfX(int Index, int Direction, bool Highest) const;
    template <class Comparison>
    bool Walk(const TFuzzySet& Other, Comparison&& Callback) const;
    /// A new, empty set for the result of an operation (see Operator for its ownership).
    TFuzzySet* CreateResultSet() const;
    /// What every combination with Other does: a new result set named
    /// 'this OperatorKeyword other' whose points FillPoints appends inside one update
    /// bracket (true when it stopped the walk), then simplified and given its expression.
    template <class Fill>
    TFuzzySet* Combine(const TFuzzySet& Other, const std::string& OperatorKeyword,
                       Fill&& FillPoints) const;
    /// Combine by a formula of the two memberships at every event of the walk.
    TFuzzySet* CombineByFormula(const TFuzzySet* FuzzySet, const std::string& OperatorKeyword,
                                TFzyFloat (*Formula)(TFzyFloat, TFzyFloat)) const;
    void Intensify(int Num, TFzyFloat Value);
    void FuzzyContrast(int Num, TFzyFloat Value);
    void FuzzyApproximation(int Num, TFzyFloat Value);
    void HedgeAboveOrBelow(bool Above);
    void HedgeSlightly();
};

/// Walk helpers for callers that write their own walks over two point lists: Previous
/// takes Current's values, Index moves on, and Current takes the point at Index, or only
/// EndX when the list is used up.
void NextPoint(TFuzzySetValue* Current, TFuzzySetValue* Previous, int& Index,
               const TFuzzySetValues* List, TFzyFloat EndX);
/// Appends a copy of Current to ResultSet when A >= B (KeepIfGreater) or A < B (otherwise),
/// then NextPoint; LastEqual takes Previous's values when A equals B exactly.
void AddAndIncrement(TFuzzySet* ResultSet, TFuzzySetValue* Current, TFuzzySetValue* Previous,
                     TFuzzySetValue* LastEqual, int& Index, TFzyFloat A, TFzyFloat B,
                     const TFuzzySetValues* List, TFzyFloat EndX, bool KeepIfGreater);
/// AddAndIncrement on the first list, then NextPoint on the second.
void Add1AndIncrement2(TFuzzySet* ResultSet, TFuzzySetValue* Current1, TFuzzySetValue* Previous1,
                       TFuzzySetValue* LastEqual1, int& Index1, TFzyFloat A, TFzyFloat B,
                       const TFuzzySetValues* List1, TFzyFloat EndX1, bool KeepIfGreater,
                       TFuzzySetValue* Current2, TFuzzySetValue* Previous2, int& Index2,
                       const TFuzzySetValues* List2, TFzyFloat EndX2);

template <class T>
T* TFuzzySet::Initialize(std::unique_ptr<T> Set, TCollection* Collection) {
    Set->FValues = Set->CreateValues();
    T* set = Join(std::move(Set), Collection);
    set->MarkDefinedWhenDesigned();
    return set;
}

} // namespace fuzzy
