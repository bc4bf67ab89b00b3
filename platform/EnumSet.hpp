#pragma once
// A bit set over an enumeration (bit n = value n), the C++ form of the model's flag sets
// such as TXYUpdateTypes. Count is the number of declared values: up to eight fit in one
// byte; larger enumerations (the eleven token types) take the two bytes they need.

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace fuzzy {

template <class E, unsigned Count = 8>
class TEnumSet {
    static_assert(sizeof(E) == 1, "flag sets are over byte-sized enumerations");
    static_assert(Count <= 16, "flag sets hold at most sixteen values");
    using TBits = std::conditional_t<(Count <= 8), std::uint8_t, std::uint16_t>;

public:
    constexpr TEnumSet() = default;
    constexpr TEnumSet(std::initializer_list<E> values) {
        for (E value : values)
            Include(value);
    }

    constexpr bool Contains(E value) const { return (FBits & Bit(value)) != 0; }
    constexpr void Include(E value) { FBits = static_cast<TBits>(FBits | Bit(value)); }
    constexpr void Exclude(E value) { FBits = static_cast<TBits>(FBits & ~Bit(value)); }
    constexpr bool IsEmpty() const { return FBits == 0; }
    constexpr TBits Bits() const { return FBits; }

    constexpr TEnumSet operator|(TEnumSet other) const { return FromBits(FBits | other.FBits); }
    constexpr TEnumSet operator&(TEnumSet other) const { return FromBits(FBits & other.FBits); }
    constexpr bool operator==(const TEnumSet&) const = default;

private:
    static constexpr TBits Bit(E value) {
        return static_cast<TBits>(1u << static_cast<unsigned>(value));
    }
    static constexpr TEnumSet FromBits(unsigned bits) {
        TEnumSet set;
        set.FBits = static_cast<TBits>(bits);
        return set;
    }

    TBits FBits = 0;
};

} // namespace fuzzy
