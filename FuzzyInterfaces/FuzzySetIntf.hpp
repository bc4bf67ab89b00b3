#pragma once
// The contract of a reference-counted fuzzy set.
//
// The set's variable and parser are only forward-declared here so that the set, the
// variable and the parser can name each other; include FuzzyInterfaces.hpp (or
// FuzzyParserIntf.hpp) to call through the references they hand out.

#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzyEventsIntf.hpp"
#include "platform/Cloneable.hpp"
#include "platform/Interface.hpp"

namespace fuzzy {

class IFuzzyVariable;
class IFuzzyParser;

/// A term of a linguistic variable, such as 'low' or 'very warm', in the reference-counted
/// object model: a named piecewise-linear membership function over the variable's axis,
/// with its expression text, comment, shape kind and the flag telling whether it is a
/// real term of its variable. Implemented by TIFuzzySet.
///
/// Callers hold sets through TInterfacePtr and never free them. A set holds a counted
/// reference to its variable and to its parser; a variable holds one to each set it
/// stores. Operations that build a set hand out a new object whose only reference is the
/// returned one; the hedges, Correlate and Normalize change this set and return it.
///
/// Operations keep the const-ness of the component-model set, so the implementation can
/// forward to it. Equals of the ICloneable part compares two sets' memberships against
/// the variable's threshold.
class IFuzzySet : public virtual ICloneable {
public:
    static constexpr TGUID IID = TGUID::Parse("{B5C057E4-FD60-4818-9641-B61A71B492CF}");

    using ICloneable::Clone;

    /// The average Y of the points (0 without points).
    [[nodiscard]] virtual TFzyFloat GetCompatibilityIndex() const = 0;
    virtual TFzyFloat GetInflectionPoint() const = 0;
    virtual std::string GetExpression() const = 0;
    /// Stores the definition-language text only; the points are not rebuilt from it.
    virtual void SetExpression(const std::string& Value) = 0;
    virtual std::string GetName() const = 0;
    /// Renaming a set its variable stores moves the variable's entry to the new name.
    virtual void SetName(const std::string& Value) = 0;
    virtual TFuzzySetType GetSetType() const = 0;
    /// Any type but fstUserDefined replaces the points by that type's default shape.
    virtual void SetSetType(TFuzzySetType Value) = 0;
    /// X / Y of the point at Index; an index outside the points raises EListError.
    virtual TFzyFloat GetXValues(int Index) const = 0;
    virtual void SetXValues(int Index, TFzyFloat Value) = 0;
    virtual TFzyFloat GetYValues(int Index) const = 0;
    virtual void SetYValues(int Index, TFzyFloat Value) = 0;
    /// The variable's Maximum / Minimum; without a variable the last / first X, and
    /// without points +/-2147483647.
    virtual TFzyFloat GetXMaximum() const = 0;
    virtual TFzyFloat GetXMinimum() const = 0;
    /// The set's text form: the parser's writing of it when it has a parser.
    virtual std::string ToString() const = 0;
    /// The points as '((0.0000 0.0000) (50.0000 1.0000) )'.
    virtual std::string GetValuesToString() const = 0;

    virtual TInterfacePtr<IFuzzyVariable> GetVariable() const = 0;
    virtual TInterfacePtr<IFuzzyParser> GetParser() const = 0;
    /// The set's position in its variable's storing order.
    virtual int GetIndex() const = 0;
    virtual void SetIndex(int Value) = 0;
    /// Only defined sets are stored in the variable's table when added to it.
    virtual bool GetDefined() const = 0;
    virtual void SetDefined(bool Value) = 0;
    virtual void SetParser(const TInterfacePtr<IFuzzyParser>& Value) = 0;
    /// Leaves the old variable's table, links to Value and, when defined, enters its
    /// table; the set takes the new variable's parser.
    virtual void SetVariable(const TInterfacePtr<IFuzzyVariable>& Value) = 0;

    // ---- the point list (changes outside an update bracket reorder at once) ----
    virtual int GetCount() const = 0;
    /// Adds every point of Source.
    virtual void Append(const TInterfacePtr<IFuzzySet>& Source) = 0;
    /// Adds Count points of Source from StartIndex, both clipped to Source's points.
    virtual void Append(const TInterfacePtr<IFuzzySet>& Source, int StartIndex, int Count) = 0;
    /// Replaces the points by copies of Source's points.
    virtual void AssignValues(const TInterfacePtr<IFuzzySet>& Source) = 0;
    /// Appends a point and returns the index it was appended at, before any reordering.
    virtual int Add(TFzyFloat X, TFzyFloat Y) = 0;
    /// Opens an update bracket: reordering and notification wait for EndUpdate.
    virtual void BeginUpdate() = 0;
    virtual void Clear() = 0;
    virtual void Delete(int Index) = 0;
    /// Closes an update bracket; the outermost one cleans the points and notifies once.
    virtual void EndUpdate() = 0;
    /// Inserts a point at Index and returns Index, before any reordering.
    virtual int Insert(int Index, TFzyFloat X, TFzyFloat Y) = 0;
    /// Adds points on the curve's sloped segments until the set holds N points.
    virtual void Expand(int N) = 0;
    /// The highest / lowest Y; EFzyException on a set without points.
    [[nodiscard]] virtual TFzyFloat GetMaxValue() const = 0;
    [[nodiscard]] virtual TFzyFloat GetMinValue() const = 0;
    /// From Index + Direction, stepping by Direction, the first point whose X (SkipY: Y)
    /// differs from the value beyond the tolerance; -1 when the walk leaves the points.
    [[nodiscard]] virtual int SkipX(int Index, TFzyFloat X, int Direction) const = 0;
    [[nodiscard]] virtual int SkipY(int Index, TFzyFloat Y, int Direction) const = 0;

    /// The height of the minimum-intersection of this set and Match.
    [[nodiscard]] virtual TFzyFloat
    GetCorrelationStrength(const TInterfacePtr<IFuzzySet>& Match) const = 0;
    /// Clips (fcmMinimum) or scales (fcmProduct) every Y by the strength; returns this set.
    virtual TInterfacePtr<IFuzzySet> Correlate(TFzyFloat CorrelationStrength,
                                               TFuzzyCorrelationMethod CorrelationMethod) = 0;
    /// A new set: the union with NewEvidence by the method, or their intersection when
    /// Unconditional.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Infer(const TInterfacePtr<IFuzzySet>& NewEvidence, TFuzzyInferenceMethod InferenceMethod,
          bool Unconditional) const = 0;

    // ---- standard shapes: each appends its points, then records the set type ----
    /// Replaces the points by a spike at Value, the only shape that clears them first.
    virtual void CreateCrispValue(TFzyFloat Value) = 0;
    virtual void CreateTriangleFunctionValues(TFzyFloat Left, TFzyFloat Middle,
                                              TFzyFloat Right) = 0;
    /// An S curve over [Left, Right] (Growth) or its mirror, the Z curve.
    virtual void CreateCurveValues(int Num, TFzyFloat Left, TFzyFloat Right,
                                   TFzyFloat InflectionPoint, bool Growth) = 0;
    virtual void CreatePIFunctionValues(int Num, TFzyFloat Left, TFzyFloat Right,
                                        TFzyFloat Center) = 0;
    virtual void CreatePIFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center) = 0;
    virtual void CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                               TFzyFloat InflectionPoint) = 0;
    virtual void CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                               TFzyFloat InflectionPoint, TFzyFloat Weight) = 0;

    [[nodiscard]] virtual TFzyFloat DegreeOfMembership(TFzyFloat X) const = 0;
    /// The correlation strength with the set behind Other; 0 when it is not a set.
    [[nodiscard]] virtual TFzyFloat FuzzyEquals(const TInterfacePtr<IInterface>& Other) const = 0;

    /// Applies a linguistic hedge to this set in place and returns this set.
    virtual TInterfacePtr<IFuzzySet> Hedge(TFuzzyHedge HedgeType) = 0;
    /// Applies an arithmetic or clipping modifier to every Y (ModifyY) or every X, in place;
    /// returns this set.
    virtual TInterfacePtr<IFuzzySet> Hedge(TBaseFuzzyHedge ModifyType, TFzyFloat Value,
                                           bool ModifyY) = 0;

    /// The crisp value: mean of maxima when the logic component asks for it, else the
    /// centre of gravity.
    [[nodiscard]] virtual TFzyFloat Defuzzify() const = 0;
    [[nodiscard]] virtual TFzyFloat MeanOfMaxima() const = 0;
    [[nodiscard]] virtual TFzyFloat CenterOfGravity() const = 0;
    /// True without points, or with every Y exactly 0, or every Y exactly 1.
    [[nodiscard]] virtual bool IsUndecidable() const = 0;

    /// A quick test whether the two sets can overlap.
    [[nodiscard]] virtual bool Intersects(const TInterfacePtr<IFuzzySet>& Other) const = 0;
    /// A new set: the Zadeh (minimum) intersection.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Intersection(const TInterfacePtr<IFuzzySet>& Other) const = 0;
    /// A new set; EFzyException for foSum, which has no intersection.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Intersection(const TInterfacePtr<IFuzzySet>& Other, TFuzzyOperation IntersectionType) const = 0;
    /// The crossing (X, Y) of segment (X1, Y1)-(X2, Y2) with (X3, Y3)-(X4, Y4); X and Y
    /// are meaningful only when the result is true.
    [[nodiscard]] virtual bool LineSegmentIntersects(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2,
                                                     TFzyFloat Y2, TFzyFloat X3, TFzyFloat Y3,
                                                     TFzyFloat X4, TFzyFloat Y4, TFzyFloat& X,
                                                     TFzyFloat& Y) const = 0;
    /// A new set: the Zadeh (maximum) union.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Union(const TInterfacePtr<IFuzzySet>& Other) const = 0;
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet> Union(const TInterfacePtr<IFuzzySet>& Other,
                                                         TFuzzyOperation UnionType) const = 0;
    /// Scales every Y so the highest is 1, in place; returns this set.
    virtual TInterfacePtr<IFuzzySet> Normalize() = 0;
    /// Walks both curves in ascending X, calling Comparison at every breakpoint of either
    /// set and every crossing. True when the callback stopped the walk, or both are empty.
    virtual bool Iterate(const TInterfacePtr<IFuzzySet>& Other,
                         const TIFuzzyComparison& Comparison) const = 0;
    /// A new set, named and given the expression 'this OperatorKeyword other', whose
    /// points FuzzyOperator adds at every step of the walk over both sets.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Operator(const TInterfacePtr<IFuzzySet>& Other, const std::string& OperatorKeyword,
             const TIFuzzyOperator& FuzzyOperator) const = 0;
    /// A new set: the curve inside the (strong) alpha cut at CutOff, 0 outside.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet> AlphaCutoff(TFzyFloat CutOff,
                                                               bool StrongCutoff) const = 0;
    /// A new set without a variable: the part at or above CutOff (CutValuesBelow), or the
    /// curve clipped at CutOff.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet> Cutoff(TFzyFloat CutOff,
                                                          bool CutValuesBelow) const = 0;
    /// A new set of the same name and points for Variable, taking its parser; set type,
    /// expression, comment and Defined are not copied.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    Clone(const TInterfacePtr<IFuzzyVariable>& Variable) const = 0;

    virtual std::string GetComment() const = 0;
    virtual void SetComment(const std::string& Value) = 0;

protected:
    ~IFuzzySet() = default;
};

} // namespace fuzzy
