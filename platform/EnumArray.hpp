#pragma once
// A fixed array indexed by a scoped enumeration, for the model's tables that hold one entry
// per enumeration value (keyword tables, hedge modifiers). The filling constructor
// takes exactly one item per value, so a table that misses an entry does not compile.

#include <concepts>
#include <cstddef>
#include <type_traits>

#include "platform/Exceptions.hpp"

namespace fuzzy {

template <class E, class T, std::size_t N>
struct TEnumArray {
    static_assert(std::is_enum_v<E>, "a TEnumArray is indexed by an enumeration");
    static_assert(N > 0, "a TEnumArray has at least one entry");

    /// Every entry value-initialised.
    constexpr TEnumArray() = default;
    /// One item per enumeration value, in declaration order.
    template <class... Items>
    requires(sizeof...(Items) == N &&
             (std::convertible_to<Items, T> && ...)) constexpr TEnumArray(Items&&... items)
        : FItems{static_cast<T>(items)...} {}

    /// The entry of value; a value outside the enumeration raises EListError.
    constexpr const T& operator[](E value) const { return FItems[CheckedIndex(value)]; }
    constexpr T& operator[](E value) { return FItems[CheckedIndex(value)]; }

    static constexpr std::size_t size() { return N; }
    constexpr const T* begin() const { return FItems; }
    constexpr const T* end() const { return FItems + N; }
    constexpr T* begin() { return FItems; }
    constexpr T* end() { return FItems + N; }

private:
    static constexpr std::size_t CheckedIndex(E value) {
        const auto index = static_cast<std::size_t>(value);
        if (index >= N)
            throw EListError(SListIndexError, index);
        return index;
    }

    T FItems[N]{};
};

} // namespace fuzzy
