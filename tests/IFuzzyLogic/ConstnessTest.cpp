// Const-correctness of both models, checked when this file compiles: a const set answers
// every question and builds new sets, and no const object hands out a mutable child, part
// or owner. Removing a const (or a non-const overload) breaks the build here.

#include <concepts>
#include <string>

#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "support/ConstAccess.hpp"

namespace fuzzy::test {
namespace {

template <class Set>
concept OperatesWhenConst = requires(const Set& A, const Set* B) {
    { A.Union(B) } -> std::same_as<TFuzzySet*>;
    { A.Union(B, TFuzzyOperation::foSum) } -> std::same_as<TFuzzySet*>;
    { A.Intersection(B) } -> std::same_as<TFuzzySet*>;
    { A.Intersection(B, TFuzzyOperation::foProduct) } -> std::same_as<TFuzzySet*>;
    { A.Operator(B, "and", TFuzzyOperator()) } -> std::same_as<TFuzzySet*>;
    { A.Cutoff(0.5, true) } -> std::same_as<TFuzzySet*>;
    { A.AlphaCutoff(0.5, false) } -> std::same_as<TFuzzySet*>;
    { A.Infer(B, true) } -> std::same_as<TFuzzySet*>;
    { A.Infer(B, TFuzzyInferenceMethod::fimMean, false) } -> std::same_as<TFuzzySet*>;
    { A.Clone() } -> std::same_as<TFuzzySet*>;
    { A.Iterate(B, TFuzzyComparison()) } -> std::same_as<bool>;
    { A.GetCorrelationStrength(B) } -> std::same_as<TFzyFloat>;
    { A.DegreeOfMembership(0.5) } -> std::same_as<TFzyFloat>;
    { A.Defuzzify() } -> std::same_as<TFzyFloat>;
    { A.Equals(B) } -> std::same_as<bool>;
    { A.ToString() } -> std::same_as<std::string>;
};
static_assert(OperatesWhenConst<TFuzzySet>);

// The operations that change the set stay off const sets.
template <class Set>
concept ChangesOnlyWhenMutable = !requires(const Set& A) {
    A.Normalize();
}
&&!requires(const Set& A) {
    A.Correlate(0.5);
}
&&!requires(const Set& A) {
    A.Hedge(TFuzzyHedge::fhVery);
};
static_assert(ChangesOnlyWhenMutable<TFuzzySet>);

// Expression on Object, a const or a mutable one, so that HandsOut can compare the two.
#define ACCESSOR(Expression) [](auto& Object) { return Expression; }

static_assert(HandsOutPointer<TCollectionItem, TCollection>(ACCESSOR(Object.GetCollection())));
static_assert(HandsOutPointer<TCollection, TCollectionItem>(ACCESSOR(Object.GetItem(0))));
static_assert(HandsOutPointer<TCollection, TCollectionItem>(ACCESSOR(Object[0])));
static_assert(HandsOutPointer<TCollection, TCollectionItem>(ACCESSOR(*Object.begin())));
static_assert(HandsOutPointer<TOwnedCollection, TPersistent>(ACCESSOR(Object.GetOwner())));
static_assert(HandsOutPointer<TComponent, TComponent>(ACCESSOR(Object.GetOwner())));
static_assert(HandsOutPointer<TComponent, TComponent>(ACCESSOR(Object.GetComponent(0))));

static_assert(HandsOutPointer<TFuzzySetValue, TFuzzySetValues>(ACCESSOR(Object.GetCollection())));
static_assert(
    HandsOutPointer<TFuzzySetValue, TFuzzySetValues>(ACCESSOR(Object.GetFuzzySetValues())));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySet>(ACCESSOR(Object.GetFuzzySet())));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>(ACCESSOR(Object.GetItem(0))));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>(ACCESSOR(Object[0])));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>(ACCESSOR(*Object.begin())));
static_assert(HandsOutPointer<TFuzzySet, TFuzzySetValues>(ACCESSOR(Object.GetValues())));
static_assert(HandsOutPointer<TFuzzySet, TFuzzySets>(ACCESSOR(Object.GetCollection())));
static_assert(HandsOutPointer<TFuzzySet, TFuzzyVariable>(ACCESSOR(Object.GetVariable())));
static_assert(HandsOutPointer<TFuzzySets, TFuzzyVariable>(ACCESSOR(Object.GetVariable())));
static_assert(HandsOutPointer<TFuzzySets, TFuzzySet>(ACCESSOR(Object.GetItemByName("low"))));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzySets>(ACCESSOR(Object.GetItems())));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzyVariables>(ACCESSOR(Object.GetCollection())));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzyLogic>(ACCESSOR(Object.GetFuzzy())));
static_assert(HandsOutPointer<TFuzzyVariables, TFuzzyLogic>(ACCESSOR(Object.GetFuzzy())));
static_assert(
    HandsOutPointer<TFuzzyVariables, TFuzzyVariable>(ACCESSOR(Object.GetItemByName("v"))));
static_assert(HandsOutPointer<TFuzzyLogic, TFuzzyVariables>(ACCESSOR(Object.GetItems())));
static_assert(HandsOutPointer<TFuzzyLogic, TCustomFuzzyLogicParser>(ACCESSOR(Object.GetParser())));
static_assert(HandsOutPointer<TFuzzyLogic, TStringList>(ACCESSOR(Object.GetVariables())));
static_assert(
    HandsOutPointer<TCustomFuzzyLogicParser, TCustomFuzzyLogic>(ACCESSOR(Object.GetFuzzyLogic())));

#undef ACCESSOR

using TSetRef = TInterfacePtr<IFuzzySet>;

template <class Set>
concept InterfaceOperatesWhenConst = requires(const Set& A, const TSetRef& B) {
    { A.Union(B) } -> std::same_as<TSetRef>;
    { A.Union(B, TFuzzyOperation::foSum) } -> std::same_as<TSetRef>;
    { A.Intersection(B) } -> std::same_as<TSetRef>;
    { A.Intersection(B, TFuzzyOperation::foProduct) } -> std::same_as<TSetRef>;
    { A.Operator(B, "and", TIFuzzyOperator()) } -> std::same_as<TSetRef>;
    { A.Cutoff(0.5, true) } -> std::same_as<TSetRef>;
    { A.AlphaCutoff(0.5, false) } -> std::same_as<TSetRef>;
    { A.Infer(B, TFuzzyInferenceMethod::fimMean, false) } -> std::same_as<TSetRef>;
    { A.Clone(TInterfacePtr<IFuzzyVariable>()) } -> std::same_as<TSetRef>;
    { A.GetCorrelationStrength(B) } -> std::same_as<TFzyFloat>;
    { A.DegreeOfMembership(0.5) } -> std::same_as<TFzyFloat>;
    { A.Defuzzify() } -> std::same_as<TFzyFloat>;
};
static_assert(InterfaceOperatesWhenConst<IFuzzySet>);
static_assert(InterfaceOperatesWhenConst<TIFuzzySet>);

static_assert(HandsOut<TIFuzzySet, const TIFuzzySetCore&, TIFuzzySetCore&>(
    [](auto& Set) -> decltype(auto) { return Set.GetCore(); }));
static_assert(HandsOutPointer<TIFuzzySet, TIFSValues>([](auto& Set) { return Set.GetValues(); }));
static_assert(HandsOut<TIFuzzySetCore, const TIFuzzySet&, TIFuzzySet&>(
    [](auto& Core) -> decltype(auto) { return Core.GetOwner(); }));
static_assert(HandsOutPointer<TIFuzzySetCore, TIFSValues>([](auto& Core) {
    return Core.GetValues();
}));
static_assert(HandsOut<TIFuzzyVariable, const TIFuzzySets&, TIFuzzySets&>(
    [](auto& Variable) -> decltype(auto) { return Variable.GetItems(); }));
static_assert(HandsOut<TIFuzzyLogic, const TFuzzyVariableTable&, TFuzzyVariableTable&>(
    [](auto& Logic) -> decltype(auto) { return Logic.GetItems(); }));
static_assert(HandsOutPointer<TFuzzyParserIntf, TCustomFuzzyLogicParser>([](auto& Face) {
    return Face.GetParser();
}));

} // namespace
} // namespace fuzzy::test
