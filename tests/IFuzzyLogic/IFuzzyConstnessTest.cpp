// Const-correctness of the interface model, checked when this file compiles: a const set
// answers every question and builds new sets, and no const object hands out a mutable
// part. Removing a const (or a non-const overload) breaks the build here.

#include <concepts>

#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "support/ConstAccess.hpp"

namespace fuzzy::test {
namespace {

using TSetRef = TInterfacePtr<IFuzzySet>;

template <class Set>
concept OperatesWhenConst = requires(const Set& A, const TSetRef& B) {
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
static_assert(OperatesWhenConst<IFuzzySet>);
static_assert(OperatesWhenConst<TIFuzzySet>);

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
