// Const-correctness of the component model, checked when this file compiles: a const set
// answers every question and builds new sets, and no const object hands out a mutable
// child or owner. Removing a const (or a non-const overload) breaks the build here.

#include <concepts>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
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

static_assert(HandsOutPointer<TCollectionItem, TCollection>([](auto& Item) {
    return Item.GetCollection();
}));
static_assert(HandsOutPointer<TCollection, TCollectionItem>([](auto& List) {
    return List.GetItem(0);
}));
static_assert(HandsOutPointer<TCollection, TCollectionItem>([](auto& List) { return List[0]; }));
static_assert(HandsOutPointer<TCollection, TCollectionItem>([](auto& List) {
    return *List.begin();
}));
static_assert(HandsOutPointer<TOwnedCollection, TPersistent>([](auto& List) {
    return List.GetOwner();
}));
static_assert(HandsOutPointer<TComponent, TComponent>([](auto& Component) {
    return Component.GetOwner();
}));
static_assert(HandsOutPointer<TComponent, TComponent>([](auto& Component) {
    return Component.GetComponent(0);
}));

static_assert(HandsOutPointer<TFuzzySetValue, TFuzzySetValues>([](auto& Point) {
    return Point.GetCollection();
}));
static_assert(HandsOutPointer<TFuzzySetValue, TFuzzySetValues>([](auto& Point) {
    return Point.GetFuzzySetValues();
}));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySet>([](auto& Points) {
    return Points.GetFuzzySet();
}));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>([](auto& Points) {
    return Points.GetItem(0);
}));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>([](auto& Points) {
    return Points[0];
}));
static_assert(HandsOutPointer<TFuzzySetValues, TFuzzySetValue>([](auto& Points) {
    return *Points.begin();
}));
static_assert(HandsOutPointer<TFuzzySet, TFuzzySetValues>([](auto& Set) {
    return Set.GetValues();
}));
static_assert(HandsOutPointer<TFuzzySet, TFuzzySets>([](auto& Set) {
    return Set.GetCollection();
}));
static_assert(HandsOutPointer<TFuzzySet, TFuzzyVariable>([](auto& Set) {
    return Set.GetVariable();
}));
static_assert(HandsOutPointer<TFuzzySets, TFuzzyVariable>([](auto& Terms) {
    return Terms.GetVariable();
}));
static_assert(HandsOutPointer<TFuzzySets, TFuzzySet>([](auto& Terms) {
    return Terms.GetItemByName("low");
}));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzySets>([](auto& Variable) {
    return Variable.GetItems();
}));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzyVariables>([](auto& Variable) {
    return Variable.GetCollection();
}));
static_assert(HandsOutPointer<TFuzzyVariable, TFuzzyLogic>([](auto& Variable) {
    return Variable.GetFuzzy();
}));
static_assert(HandsOutPointer<TFuzzyVariables, TFuzzyLogic>([](auto& Variables) {
    return Variables.GetFuzzy();
}));
static_assert(HandsOutPointer<TFuzzyVariables, TFuzzyVariable>([](auto& Variables) {
    return Variables.GetItemByName("speed");
}));
static_assert(HandsOutPointer<TFuzzyLogic, TFuzzyVariables>([](auto& Logic) {
    return Logic.GetItems();
}));
static_assert(HandsOutPointer<TFuzzyLogic, TCustomFuzzyLogicParser>([](auto& Logic) {
    return Logic.GetParser();
}));
static_assert(HandsOutPointer<TFuzzyLogic, TStringList>([](auto& Logic) {
    return Logic.GetVariables();
}));
static_assert(HandsOutPointer<TCustomFuzzyLogicParser, TCustomFuzzyLogic>([](auto& Parser) {
    return Parser.GetFuzzyLogic();
}));

} // namespace
} // namespace fuzzy::test
