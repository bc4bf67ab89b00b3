#pragma once
// The fuzzy set of the reference-counted model.
//
// TIFuzzySet reaches every algorithm of the component-model set (membership, shapes,
// combination, hedges, cuts, correlation, defuzzification) through a member: it owns one
// TIFuzzySetCore, a TFuzzySet whose hooks lead back to the interface set, and forwards to
// it. Deriving from TFuzzySet directly is not possible, since Hedge, Clone and GetName
// differ from IFuzzySet's in their result types; the member keeps one copy of each
// algorithm.

#include <memory>
#include <string>
#include <utility>

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyInterfaces/FuzzyInterfaces.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

class TIFuzzySet;

/// The object behind Reference. An empty reference where an object is needed raises
/// EArgumentOutOfRangeException ("No <What> given") instead of being followed.
template <class I>
I& Given(const TInterfacePtr<I>& Reference, const char* What) {
    if (!Reference)
        throw EArgumentOutOfRangeException(SNothingGiven, What);
    return *Reference;
}

/// Makes an interface set of a given class, linked to Variable and named Name.
using TIFuzzySetClass = TInterfacePtr<IFuzzySet> (*)(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                     const std::string& Name);

/// The point list of an interface set, with the point operations IFuzzySet hands out.
class TIFSValues : public TFuzzySetValues {
public:
    explicit TIFSValues(TFuzzySet* FuzzySet) : TFuzzySetValues(FuzzySet) {}
    std::string ClassName() const override { return "TIFSValues"; }

    using TFuzzySetValues::Append;
    /// Appends a point and returns the index it was appended at, before any reordering.
    int AddPoint(TFzyFloat X, TFzyFloat Y);
    /// Inserts a point at Index and returns Index, before any reordering.
    int InsertPoint(int Index, TFzyFloat X, TFzyFloat Y);
    /// Replaces the points by copies of Source's, in one update bracket.
    void AssignValues(const TInterfacePtr<IFuzzySet>& Source);
    /// Appends Count points of Source from StartIndex, both clipped to Source's points.
    void Append(const TInterfacePtr<IFuzzySet>& Source, int StartIndex, int Count);
    /// Same number of points, each equal in X and Y within the tolerance.
    [[nodiscard]] bool EqualsValues(const TInterfacePtr<IFuzzySet>& Other) const;
};

/// The component-model set inside a TIFuzzySet: it holds name, points, type, expression,
/// comment, Defined and Tag, runs the algorithms, takes its axis and settings from the
/// interface set's variable and reports point changes to it. It has no collection.
class TIFuzzySetCore : public TFuzzySet {
public:
    [[nodiscard]] static std::unique_ptr<TIFuzzySetCore> Create(TIFuzzySet& Owner);
    std::string ClassName() const override { return "TIFuzzySet"; }
    const TIFuzzySet& GetOwner() const { return FOwner; }
    TIFuzzySet& GetOwner() { return FOwner; }
    const TIFSValues* GetValues() const { return static_cast<const TIFSValues*>(FValues.get()); }
    TIFSValues* GetValues() { return static_cast<TIFSValues*>(FValues.get()); }
    TFzyFloat GetXRange(int Index) const override;
    /// Renames through the interface set, which moves its entry in the variable's table.
    void SetName(const std::string& Value) override;

protected:
    std::unique_ptr<TFuzzySetValues> CreateValues() override;
    TFuzzyLogicSettings GetLogicSettings() const override;
    void UpdateFuzzySetValue(TFuzzySetValue* Value) override;
    void UpdateFuzzySetValues() override;

private:
    // The set's creation step makes the point list through CreateValues.
    friend class TFuzzySet;
    explicit TIFuzzySetCore(TIFuzzySet& Owner) : FOwner(Owner) {}
    TIFuzzySet& FOwner;
};

/// A fuzzy set shared by counted references (see IFuzzySet). It holds its variable and
/// parser by counted reference; Index is its place in the variable's storing order.
/// Results of combinations and cuts are new TIFuzzySets whose only reference is the one
/// returned.
class TIFuzzySet : public TInterfacedObject, public virtual IFuzzySet {
public:
    /// A new set named Name and linked to Variable (it enters Variable's table only once it
    /// is defined and added). Raises EFzyException for a reserved name.
    [[nodiscard]] static TInterfacePtr<IFuzzySet>
    Create(const TInterfacePtr<IFuzzyVariable>& Variable, const std::string& Name);
    ~TIFuzzySet() override;
    std::string ClassName() const override { return "TIFuzzySet"; }
    HRESULT QueryInterface(const TGUID& Guid, void** Obj) override {
        return QueryInterfaces<IFuzzySet, ICloneable, IInterface>(this, Guid, Obj);
    }

    /// The component set that runs the algorithms; it stays owned by this set.
    const TIFuzzySetCore& GetCore() const { return *FSet; }
    TIFuzzySetCore& GetCore() { return *FSet; }
    const TIFSValues* GetValues() const { return std::as_const(*FSet).GetValues(); }
    TIFSValues* GetValues() { return FSet->GetValues(); }
    /// Replaces the points by copies of Value's points.
    void SetValues(const TFuzzySetValues* Value) { FSet->SetValues(Value); }
    /// This set as IFuzzySet; valid while a reference is held.
    [[nodiscard]] TInterfacePtr<IFuzzySet> Self() const;

    // ---- ICloneable ----
    /// From an IFuzzySet: variable, set type, inflection point, points, expression and
    /// parser; name, comment, tag, index and Defined stay. Other sources are ignored.
    void Assign(const TInterfacePtr<IInterface>& Source) override;
    /// From a component or interface set: the component set's copy (an interface source
    /// also gives its variable and parser first); from a point list: its points.
    void Assign(const TPersistent* Source) override;
    /// Copies the points into Dest.
    void AssignTo(TPersistent* Dest) const override;
    [[nodiscard]] TInterfacePtr<IInterface> Clone() const override;
    /// True when both memberships reach the variable's threshold together somewhere (the
    /// default threshold, 0.01, without a variable); false for anything but a set.
    [[nodiscard]] bool Equals(const TInterfacePtr<IInterface>& Other) const override;
    std::int32_t GetTag() const override { return FSet->GetTag(); }
    void SetTag(std::int32_t Value) override { FSet->SetTag(Value); }

    // ---- properties ----
    TFzyFloat GetCompatibilityIndex() const override { return FSet->GetCompatibilityIndex(); }
    TFzyFloat GetInflectionPoint() const override { return FSet->GetInflectionPoint(); }
    std::string GetExpression() const override { return FSet->GetExpression(); }
    void SetExpression(const std::string& Value) override { FSet->SetExpression(Value); }
    std::string GetName() const override { return FSet->GetName(); }
    void SetName(const std::string& Value) override;
    TFuzzySetType GetSetType() const override { return FSet->GetSetType(); }
    void SetSetType(TFuzzySetType Value) override { FSet->SetSetType(Value); }
    TFzyFloat GetXValues(int Index) const override;
    void SetXValues(int Index, TFzyFloat Value) override;
    TFzyFloat GetYValues(int Index) const override;
    void SetYValues(int Index, TFzyFloat Value) override;
    TFzyFloat GetXMaximum() const override;
    TFzyFloat GetXMinimum() const override;
    std::string ToString() const override;
    std::string GetValuesToString() const override { return FSet->GetValuesToString(); }
    TInterfacePtr<IFuzzyVariable> GetVariable() const override { return FVariable; }
    TInterfacePtr<IFuzzyParser> GetParser() const override { return FParser; }
    int GetIndex() const override { return FIndex; }
    void SetIndex(int Value) override { FIndex = Value; }
    bool GetDefined() const override { return FSet->GetDefined(); }
    void SetDefined(bool Value) override { FSet->SetDefined(Value); }
    void SetParser(const TInterfacePtr<IFuzzyParser>& Value) override { FParser = Value; }
    void SetVariable(const TInterfacePtr<IFuzzyVariable>& Value) override;
    std::string GetComment() const override { return FSet->GetComment(); }
    void SetComment(const std::string& Value) override { FSet->SetComment(Value); }

    // ---- the point list ----
    int GetCount() const override { return GetValues()->GetCount(); }
    void Append(const TInterfacePtr<IFuzzySet>& Source) override;
    void Append(const TInterfacePtr<IFuzzySet>& Source, int StartIndex, int Count) override;
    void AssignValues(const TInterfacePtr<IFuzzySet>& Source) override;
    int Add(TFzyFloat X, TFzyFloat Y) override { return GetValues()->AddPoint(X, Y); }
    void BeginUpdate() override { GetValues()->BeginUpdate(); }
    void Clear() override { GetValues()->Clear(); }
    void Delete(int Index) override { GetValues()->Delete(Index); }
    void EndUpdate() override { GetValues()->EndUpdate(); }
    int Insert(int Index, TFzyFloat X, TFzyFloat Y) override;
    void Expand(int N) override { GetValues()->Expand(N); }
    TFzyFloat GetMaxValue() const override { return GetValues()->GetMaxValue(); }
    TFzyFloat GetMinValue() const override { return GetValues()->GetMinValue(); }
    int SkipX(int Index, TFzyFloat X, int Direction) const override;
    int SkipY(int Index, TFzyFloat Y, int Direction) const override;

    // ---- correlation and inference ----
    TFzyFloat GetCorrelationStrength(const TInterfacePtr<IFuzzySet>& Match) const override;
    TInterfacePtr<IFuzzySet> Correlate(TFzyFloat CorrelationStrength,
                                       TFuzzyCorrelationMethod CorrelationMethod) override;
    TInterfacePtr<IFuzzySet> Infer(const TInterfacePtr<IFuzzySet>& NewEvidence,
                                   TFuzzyInferenceMethod InferenceMethod,
                                   bool Unconditional) const override;

    // ---- shapes ----
    void CreateCrispValue(TFzyFloat Value) override { FSet->CreateCrispValue(Value); }
    void CreateTriangleFunctionValues(TFzyFloat Left, TFzyFloat Middle, TFzyFloat Right) override {
        FSet->CreateTriangleFunctionValues(Left, Middle, Right);
    }
    void CreateCurveValues(int Num, TFzyFloat Left, TFzyFloat Right, TFzyFloat InflectionPoint,
                           bool Growth) override {
        FSet->CreateCurveValues(Num, Left, Right, InflectionPoint, Growth);
    }
    void CreatePIFunctionValues(int Num, TFzyFloat Left, TFzyFloat Right,
                                TFzyFloat Center) override {
        FSet->CreatePIFunctionValues(Num, Left, Right, Center);
    }
    void CreatePIFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center) override {
        FSet->CreatePIFunctionValues(Num, Range, Center);
    }
    void CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                       TFzyFloat InflectionPoint) override {
        FSet->CreateBetaCurveFunctionValues(Num, Range, Center, InflectionPoint);
    }
    void CreateBetaCurveFunctionValues(int Num, TFzyFloat Range, TFzyFloat Center,
                                       TFzyFloat InflectionPoint, TFzyFloat Weight) override {
        FSet->CreateBetaCurveFunctionValues(Num, Range, Center, InflectionPoint, Weight);
    }

    // ---- membership, hedges, defuzzification ----
    TFzyFloat DegreeOfMembership(TFzyFloat X) const override { return FSet->DegreeOfMembership(X); }
    TFzyFloat FuzzyEquals(const TInterfacePtr<IInterface>& Other) const override;
    TInterfacePtr<IFuzzySet> Hedge(TFuzzyHedge HedgeType) override;
    TInterfacePtr<IFuzzySet> Hedge(TBaseFuzzyHedge ModifyType, TFzyFloat Value,
                                   bool ModifyY) override;
    TFzyFloat Defuzzify() const override { return FSet->Defuzzify(); }
    TFzyFloat MeanOfMaxima() const override { return FSet->MeanOfMaxima(); }
    TFzyFloat CenterOfGravity() const override { return FSet->CenterOfGravity(); }
    bool IsUndecidable() const override { return FSet->IsUndecidable(); }

    // ---- combination and cuts ----
    bool Intersects(const TInterfacePtr<IFuzzySet>& Other) const override;
    TInterfacePtr<IFuzzySet> Intersection(const TInterfacePtr<IFuzzySet>& Other) const override;
    TInterfacePtr<IFuzzySet> Intersection(const TInterfacePtr<IFuzzySet>& Other,
                                          TFuzzyOperation IntersectionType) const override;
    bool LineSegmentIntersects(TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2, TFzyFloat Y2, TFzyFloat X3,
                               TFzyFloat Y3, TFzyFloat X4, TFzyFloat Y4, TFzyFloat& X,
                               TFzyFloat& Y) const override {
        return TFuzzySet::LineSegmentIntersects(X1, Y1, X2, Y2, X3, Y3, X4, Y4, X, Y);
    }
    TInterfacePtr<IFuzzySet> Union(const TInterfacePtr<IFuzzySet>& Other) const override;
    TInterfacePtr<IFuzzySet> Union(const TInterfacePtr<IFuzzySet>& Other,
                                   TFuzzyOperation UnionType) const override;
    TInterfacePtr<IFuzzySet> Normalize() override;
    bool Iterate(const TInterfacePtr<IFuzzySet>& Other,
                 const TIFuzzyComparison& Comparison) const override;
    /// The walk of the component set over both curves, with FuzzyOperator adding the points
    /// of the result; the points are kept as the operator adds them.
    TInterfacePtr<IFuzzySet> Operator(const TInterfacePtr<IFuzzySet>& Other,
                                      const std::string& OperatorKeyword,
                                      const TIFuzzyOperator& FuzzyOperator) const override;
    TInterfacePtr<IFuzzySet> AlphaCutoff(TFzyFloat CutOff, bool StrongCutoff) const override;
    TInterfacePtr<IFuzzySet> Cutoff(TFzyFloat CutOff, bool CutValuesBelow) const override;
    TInterfacePtr<IFuzzySet> Clone(const TInterfacePtr<IFuzzyVariable>& Variable) const override;

    /// The operators of Operator in their interface form: each adds to the result the
    /// point the component model's operator of the same name computes.
    template <auto ComponentOperator>
    static bool AddToResult(const TInterfacePtr<IFuzzySet>& Result, TFzyFloat X1, TFzyFloat Y1,
                            TFzyFloat X2, TFzyFloat Y2) {
        return ComponentOperator(CoreOf(Result)->GetValues(), X1, Y1, X2, Y2);
    }
    static constexpr auto FuzzyOperatorMin = &AddToResult<&TFuzzySet::FuzzyOperatorMin>;
    static constexpr auto FuzzyOperatorMax = &AddToResult<&TFuzzySet::FuzzyOperatorMax>;
    static constexpr auto FuzzyOperatorMean = &AddToResult<&TFuzzySet::FuzzyOperatorMean>;
    static constexpr auto FuzzyOperatorMeanSqr = &AddToResult<&TFuzzySet::FuzzyOperatorMeanSqr>;
    static constexpr auto FuzzyOperatorMeanSqrt = &AddToResult<&TFuzzySet::FuzzyOperatorMeanSqrt>;
    static constexpr auto FuzzyOperatorUnionMean = &AddToResult<&TFuzzySet::FuzzyOperatorUnionMean>;
    static constexpr auto FuzzyOperatorIntersectionProduct =
        &AddToResult<&TFuzzySet::FuzzyOperatorIntersectionProduct>;
    static constexpr auto FuzzyOperatorUnionProduct =
        &AddToResult<&TFuzzySet::FuzzyOperatorUnionProduct>;
    static constexpr auto FuzzyOperatorIntersectionBoundedSum =
        &AddToResult<&TFuzzySet::FuzzyOperatorIntersectionBoundedSum>;
    static constexpr auto FuzzyOperatorUnionBoundedSum =
        &AddToResult<&TFuzzySet::FuzzyOperatorUnionBoundedSum>;
    static constexpr auto FuzzyOperatorUnionSum = &AddToResult<&TFuzzySet::FuzzyOperatorUnionSum>;

    /// The component set behind an interface set; EIntfCastError for another
    /// implementation of IFuzzySet, EArgumentOutOfRangeException for an empty reference.
    [[nodiscard]] static TIFuzzySetCore* CoreOf(const TInterfacePtr<IFuzzySet>& FuzzySet);

protected:
    TIFuzzySet() = default;
    /// The class reference that makes new sets of this set's class.
    virtual TIFuzzySetClass GetClassType() const { return &TIFuzzySet::Create; }
    /// Creates the component set; descendants' Create functions call it on their object.
    static TInterfacePtr<IFuzzySet> Initialize(TIFuzzySet* Set,
                                               const TInterfacePtr<IFuzzyVariable>& Variable,
                                               const std::string& Name);

private:
    friend class TIFuzzySetCore;
    /// A new set of this class for Variable holding the name, points, type and expression
    /// of Result, a free component set made by one of the algorithms; Result is freed.
    TInterfacePtr<IFuzzySet> Adopt(TFuzzySet* Result,
                                   const TInterfacePtr<IFuzzyVariable>& Variable) const;
    void PointsChanged();

    std::unique_ptr<TIFuzzySetCore> FSet;
    TInterfacePtr<IFuzzyVariable> FVariable;
    TInterfacePtr<IFuzzyParser> FParser;
    int FIndex = 0;
    bool FDestroying = false;
};

} // namespace fuzzy
