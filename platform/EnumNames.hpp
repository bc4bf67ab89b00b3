#pragma once
// Declared names of enumeration values. A module that declares an enumeration also
// declares, in the same namespace, `EnumDeclaredNames(E)` returning the names in order;
// GetEnumName finds it by argument-dependent lookup.

#include <span>
#include <string>
#include <string_view>

#include "platform/Format.hpp"

namespace fuzzy {

template <class E>
concept NamedEnum = std::is_enum_v<E> && requires(E value) {
    { EnumDeclaredNames(value) } -> std::convertible_to<std::span<const std::string_view>>;
};

/// The declared name of value ("foSum"); a value outside the declaration gives its number.
template <NamedEnum E>
std::string GetEnumName(E value) {
    const std::span<const std::string_view> names = EnumDeclaredNames(value);
    const auto index = static_cast<std::size_t>(value);
    return index < names.size() ? std::string(names[index]) : Format("%d", index);
}

} // namespace fuzzy
