#include "IFuzzyLogic/IFuzzySet.hpp"

#include <utility>
#include <vector>

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"
#include "platform/Format.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

// ---- TIFSValues ----

int TIFSValues::AddPoint(TFzyFloat X, TFzyFloat Y) {
    TUpdateGuard guard(*this);
    TFuzzySetValue* point = Add();
    const int index = point->GetIndex();
    point->SetValue(X, Y);
    return index;
}

int TIFSValues::InsertPoint(int Index, TFzyFloat X, TFzyFloat Y) {
    TUpdateGuard guard(*this);
    Insert(Index)->SetValue(X, Y);
    return Index;
}

void TIFSValues::AssignValues(const TInterfacePtr<IFuzzySet>& Source) {
    // Read first: the source may be this very list.
    const IFuzzySet& source = Given(Source, "fuzzy set");
    std::vector<std::pair<TFzyFloat, TFzyFloat>> points;
    for (int i = 0; i < source.GetCount(); ++i)
        points.emplace_back(source.GetXValues(i), source.GetYValues(i));
    TUpdateGuard guard(*this);
    Clear();
    for (const auto& [x, y] : points)
        AddPoint(x, y);
}

void TIFSValues::Append(const TInterfacePtr<IFuzzySet>& Source, int StartIndex, int Count) {
    Append(TIFuzzySet::CoreOf(Source)->GetValues(), StartIndex, Count);
}

bool TIFSValues::EqualsValues(const TInterfacePtr<IFuzzySet>& Other) const {
    const IFuzzySet& other = Given(Other, "fuzzy set");
    if (other.GetCount() != GetCount())
        return false;
    for (int i = 0; i < GetCount(); ++i)
        if (!FloatEquals(GetItem(i)->GetX(), other.GetXValues(i)) ||
            !FloatEquals(GetItem(i)->GetY(), other.GetYValues(i)))
            return false;
    return true;
}

// ---- TIFuzzySetCore ----

std::unique_ptr<TIFuzzySetCore> TIFuzzySetCore::Create(TIFuzzySet& Owner) {
    return std::unique_ptr<TIFuzzySetCore>(
        Initialize(std::unique_ptr<TIFuzzySetCore>(new TIFuzzySetCore(Owner)), nullptr));
}

std::unique_ptr<TFuzzySetValues> TIFuzzySetCore::CreateValues() {
    return std::make_unique<TIFSValues>(this);
}

TFzyFloat TIFuzzySetCore::GetXRange(int Index) const {
    const TInterfacePtr<IFuzzyVariable>& variable = FOwner.FVariable;
    if (!variable || (Index != 0 && Index != 1))
        return TFuzzySet::GetXRange(Index);
    return Index == 0 ? variable->GetMaximum() : variable->GetMinimum();
}

TFuzzyLogicSettings TIFuzzySetCore::GetLogicSettings() const {
    TFuzzyLogicSettings settings;
    if (const TInterfacePtr<IFuzzyVariable>& variable = FOwner.FVariable) {
        settings.Threshold = variable->GetThreshold();
        settings.NumFunctionValues = variable->GetNumFunctionValues();
        settings.DefuzzificationMethod = variable->GetDefuzzificationMethod();
    }
    return settings;
}

void TIFuzzySetCore::SetName(const std::string& Value) {
    FOwner.SetName(Value);
}

void TIFuzzySetCore::UpdateFuzzySetValue(TFuzzySetValue* Value) {
    TFuzzySet::UpdateFuzzySetValue(Value);
    FOwner.PointsChanged();
}

void TIFuzzySetCore::UpdateFuzzySetValues() {
    TFuzzySet::UpdateFuzzySetValues();
    FOwner.PointsChanged();
}

// ---- TIFuzzySet: life and links ----

TInterfacePtr<IFuzzySet> TIFuzzySet::Create(const TInterfacePtr<IFuzzyVariable>& Variable,
                                            const std::string& Name) {
    return Initialize(new TIFuzzySet(), Variable, Name);
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Initialize(TIFuzzySet* Set,
                                                const TInterfacePtr<IFuzzyVariable>& Variable,
                                                const std::string& Name) {
    // The first reference is taken before anything can hand the set out.
    TInterfacePtr<IFuzzySet> result(Set);
    Set->FSet = TIFuzzySetCore::Create(*Set);
    Set->SetName(Name);
    Set->SetVariable(Variable);
    return result;
}

TIFuzzySet::~TIFuzzySet() {
    // The points go first, while the links are whole, and nobody is told about them.
    FDestroying = true;
    FSet.reset();
}

TIFuzzySetCore* TIFuzzySet::CoreOf(const TInterfacePtr<IFuzzySet>& FuzzySet) {
    auto* set = dynamic_cast<TIFuzzySet*>(&Given(FuzzySet, "fuzzy set"));
    if (set == nullptr)
        throw EIntfCastError(SNotAnInterfaceSet);
    return set->FSet.get();
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Self() const {
    return TInterfacePtr<IFuzzySet>(const_cast<TIFuzzySet*>(this));
}

void TIFuzzySet::PointsChanged() {
    if (!FDestroying && FVariable)
        FVariable->FuzzySetChanged(Self());
}

void TIFuzzySet::SetName(const std::string& Value) {
    if (Value == FSet->GetName())
        return;
    const TInterfacePtr<IFuzzySet> self = Self();
    // Leaving and re-entering the table moves the entry to the new key.
    if (FVariable)
        FVariable->Remove(self);
    try {
        FSet->TFuzzySet::SetName(Value);
    } catch (...) {
        if (FVariable)
            FVariable->Add(self);
        throw;
    }
    if (FVariable)
        FVariable->Add(self);
}

void TIFuzzySet::SetVariable(const TInterfacePtr<IFuzzyVariable>& Value) {
    if (Value == FVariable)
        return;
    const TInterfacePtr<IFuzzySet> self = Self();
    if (FVariable && FVariable->ContainsFuzzySet(GetName()) == self)
        FVariable->Remove(self);
    FVariable = Value;
    if (FVariable) {
        if (GetDefined())
            FVariable->Add(self);
        FParser = FVariable->GetParser();
    }
}

// ---- copies and comparison ----

void TIFuzzySet::Assign(const TInterfacePtr<IInterface>& Source) {
    const TInterfacePtr<IFuzzySet> source = Supports<IFuzzySet>(Source);
    if (!source)
        return;
    SetVariable(source->GetVariable());
    SetSetType(source->GetSetType());
    FSet->SetInflectionPoint(source->GetInflectionPoint());
    AssignValues(source);
    SetExpression(source->GetExpression());
    SetParser(source->GetParser());
}

void TIFuzzySet::Assign(const TPersistent* Source) {
    if (const auto* values = dynamic_cast<const TFuzzySetValues*>(Source)) {
        SetValues(values);
        return;
    }
    if (const auto* core = dynamic_cast<const TIFuzzySetCore*>(Source)) {
        if (core == FSet.get())
            return;
        SetVariable(core->GetOwner().FVariable);
        SetParser(core->GetOwner().FParser);
    }
    FSet->Assign(Source);
}

void TIFuzzySet::AssignTo(TPersistent* Dest) const {
    Dest->Assign(GetValues());
}

TInterfacePtr<IInterface> TIFuzzySet::Clone() const {
    TInterfacePtr<IFuzzySet> copy = GetClassType()(FVariable, GetName());
    copy->Assign(FSet.get());
    return copy;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Clone(const TInterfacePtr<IFuzzyVariable>& Variable) const {
    TInterfacePtr<IFuzzySet> copy = GetClassType()(Variable, GetName());
    copy->SetParser(Variable ? Variable->GetParser() : nullptr);
    copy->AssignValues(Self());
    return copy;
}

bool TIFuzzySet::Equals(const TInterfacePtr<IInterface>& Other) const {
    const TInterfacePtr<IFuzzySet> other = Supports<IFuzzySet>(Other);
    return other && FSet->Equals(CoreOf(other));
}

TFzyFloat TIFuzzySet::FuzzyEquals(const TInterfacePtr<IInterface>& Other) const {
    const TInterfacePtr<IFuzzySet> other = Supports<IFuzzySet>(Other);
    return other ? FSet->FuzzyEquals(CoreOf(other)) : 0.0;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Adopt(TFuzzySet* Result,
                                           const TInterfacePtr<IFuzzyVariable>& Variable) const {
    const std::unique_ptr<TFuzzySet> source(Result);
    TInterfacePtr<IFuzzySet> adopted = GetClassType()(Variable, std::string());
    CoreOf(adopted)->Assign(source.get());
    return adopted;
}

// ---- properties and points ----

TFzyFloat TIFuzzySet::GetXValues(int Index) const {
    return GetValues()->GetItem(Index)->GetX();
}
void TIFuzzySet::SetXValues(int Index, TFzyFloat Value) {
    GetValues()->GetItem(Index)->SetX(Value);
}
TFzyFloat TIFuzzySet::GetYValues(int Index) const {
    return GetValues()->GetItem(Index)->GetY();
}
void TIFuzzySet::SetYValues(int Index, TFzyFloat Value) {
    GetValues()->GetItem(Index)->SetY(Value);
}

TFzyFloat TIFuzzySet::GetXMaximum() const {
    if (FVariable)
        return FVariable->GetMaximum();
    return GetCount() > 0 ? GetXValues(GetCount() - 1) : DefaultXMaximum;
}

TFzyFloat TIFuzzySet::GetXMinimum() const {
    if (FVariable)
        return FVariable->GetMinimum();
    return GetCount() > 0 ? GetXValues(0) : -DefaultXMaximum;
}

std::string TIFuzzySet::ToString() const {
    return FParser ? FParser->PrettyPrint(Self(), false) : FSet->ToString();
}

void TIFuzzySet::Append(const TInterfacePtr<IFuzzySet>& Source) {
    Append(Source, 0, Given(Source, "fuzzy set").GetCount());
}

void TIFuzzySet::Append(const TInterfacePtr<IFuzzySet>& Source, int StartIndex, int Count) {
    GetValues()->Append(Source, StartIndex, Count);
}

void TIFuzzySet::AssignValues(const TInterfacePtr<IFuzzySet>& Source) {
    GetValues()->AssignValues(Source);
}

int TIFuzzySet::Insert(int Index, TFzyFloat X, TFzyFloat Y) {
    return GetValues()->InsertPoint(Index, X, Y);
}

int TIFuzzySet::SkipX(int Index, TFzyFloat X, int Direction) const {
    return GetValues()->SkipX(Index, X, Direction);
}

int TIFuzzySet::SkipY(int Index, TFzyFloat Y, int Direction) const {
    return GetValues()->SkipY(Index, Y, Direction);
}

// ---- algorithms, all run by the component set ----

TFzyFloat TIFuzzySet::GetCorrelationStrength(const TInterfacePtr<IFuzzySet>& Match) const {
    return FSet->GetCorrelationStrength(CoreOf(Match));
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Correlate(TFzyFloat CorrelationStrength,
                                               TFuzzyCorrelationMethod CorrelationMethod) {
    FSet->Correlate(CorrelationStrength, CorrelationMethod);
    return Self();
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Infer(const TInterfacePtr<IFuzzySet>& NewEvidence,
                                           TFuzzyInferenceMethod InferenceMethod,
                                           bool Unconditional) const {
    TInterfacePtr<IFuzzySet> result =
        Adopt(FSet->Infer(CoreOf(NewEvidence), InferenceMethod, Unconditional), FVariable);
    result->SetParser(FParser);
    return result;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Hedge(TFuzzyHedge HedgeType) {
    FSet->Hedge(HedgeType);
    return Self();
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Hedge(TBaseFuzzyHedge ModifyType, TFzyFloat Value,
                                           bool ModifyY) {
    FSet->Hedge(ModifyType, Value, ModifyY);
    return Self();
}

bool TIFuzzySet::Intersects(const TInterfacePtr<IFuzzySet>& Other) const {
    return FSet->Intersects(CoreOf(Other));
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Intersection(const TInterfacePtr<IFuzzySet>& Other) const {
    return Intersection(Other, TFuzzyOperation::foZadeh);
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Intersection(const TInterfacePtr<IFuzzySet>& Other,
                                                  TFuzzyOperation IntersectionType) const {
    TInterfacePtr<IFuzzySet> result =
        Adopt(FSet->Intersection(CoreOf(Other), IntersectionType), FVariable);
    result->SetParser(FParser);
    return result;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Union(const TInterfacePtr<IFuzzySet>& Other) const {
    return Union(Other, TFuzzyOperation::foZadeh);
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Union(const TInterfacePtr<IFuzzySet>& Other,
                                           TFuzzyOperation UnionType) const {
    TInterfacePtr<IFuzzySet> result = Adopt(FSet->Union(CoreOf(Other), UnionType), FVariable);
    result->SetParser(FParser);
    return result;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Normalize() {
    FSet->Normalize();
    return Self();
}

bool TIFuzzySet::Iterate(const TInterfacePtr<IFuzzySet>& Other,
                         const TIFuzzyComparison& Comparison) const {
    return FSet->Iterate(CoreOf(Other), Comparison);
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Operator(const TInterfacePtr<IFuzzySet>& Other,
                                              const std::string& OperatorKeyword,
                                              const TIFuzzyOperator& FuzzyOperator) const {
    TInterfacePtr<IFuzzySet> result = GetClassType()(FVariable, std::string());
    result->Assign(Self());
    std::unique_ptr<TFuzzySet> named;
    {
        TUpdateGuard guard(*result);
        result->Clear();
        // The component walk names the result and builds its expression; the caller's
        // operator adds the points to the interface result instead of the component one.
        named.reset(
            FSet->Operator(CoreOf(Other), OperatorKeyword,
                           [&](TFuzzySetValues*, TFzyFloat X1, TFzyFloat Y1, TFzyFloat X2,
                               TFzyFloat Y2) { return FuzzyOperator(result, X1, Y1, X2, Y2); }));
    }
    result->SetName(named->GetName());
    result->SetExpression(named->GetExpression());
    return result;
}

TInterfacePtr<IFuzzySet> TIFuzzySet::Cutoff(TFzyFloat CutOff, bool CutValuesBelow) const {
    return Adopt(FSet->Cutoff(CutOff, CutValuesBelow), nullptr);
}

TInterfacePtr<IFuzzySet> TIFuzzySet::AlphaCutoff(TFzyFloat CutOff, bool StrongCutoff) const {
    TInterfacePtr<IFuzzySet> result = Adopt(FSet->AlphaCutoff(CutOff, StrongCutoff), nullptr);
    result->SetName(result->GetName() + " (alpha=" + Format(FuzzyFormatStr, CutOff) + ")");
    result->SetVariable(FVariable);
    return result;
}

} // namespace fuzzy
