#pragma once
// Compile-time checks of const-correctness: what a const object hands out, and which
// operations a const object allows.

#include <type_traits>

namespace fuzzy::test {

/// True when Get, called on a const Owner, gives ConstResult and, called on a mutable
/// Owner, gives Result: a const owner never hands out a mutable child, and the mutable
/// overload still exists. Get is a generic callable such as
/// [](auto& Object) -> decltype(auto) { return Object.GetItems(); }.
template <class Owner, class ConstResult, class Result, class Get>
constexpr bool HandsOut(Get) {
    return std::is_same_v<std::invoke_result_t<Get&, const Owner&>, ConstResult> &&
           std::is_same_v<std::invoke_result_t<Get&, Owner&>, Result>;
}

/// HandsOut for the usual case of a pointer to a child.
template <class Owner, class Child, class Get>
constexpr bool HandsOutPointer(Get Accessor) {
    return HandsOut<Owner, const Child*, Child*>(Accessor);
}

} // namespace fuzzy::test
