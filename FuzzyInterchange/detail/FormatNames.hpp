#pragma once
// The names each format gives the library's connectives and methods. A name missing from
// a table has no counterpart in the library and is refused when read; a library value
// missing from a table cannot be written in that format.

#include <algorithm>
#include <optional>
#include <span>
#include <string_view>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterchange/detail/InterchangeText.hpp"

namespace fuzzy::interchange {

template <class V>
struct TNamed {
    std::string_view Name;
    V Value;
};

template <class V>
using TNameTable = std::span<const TNamed<V>>;

/// One format's vocabulary. Connectives map to the library's words ("and-product").
struct TFormatNames {
    std::string_view Format;
    TNameTable<std::string_view> Conjunctions;
    TNameTable<std::string_view> Disjunctions;
    TNameTable<TFuzzyCorrelationMethod> Correlations;
    TNameTable<TFuzzyInferenceMethod> Inferences;
    TNameTable<TDefuzzificationMethod> Defuzzifications;
    /// FLL names are compared exactly; FCL and FIS names without case.
    bool CaseSensitive;
};

const TFormatNames& FllNames();
const TFormatNames& FclNames();
const TFormatNames& FisNames();

/// The value of Name in Table, or none.
template <class V>
std::optional<V> ValueOf(TNameTable<V> Table, std::string_view Name, bool CaseSensitive) {
    const auto found = std::find_if(Table.begin(), Table.end(), [&](const TNamed<V>& entry) {
        return CaseSensitive ? entry.Name == Name : SameWord(entry.Name, Name);
    });
    return found == Table.end() ? std::nullopt : std::optional<V>(found->Value);
}

/// The first name of Value in Table, or none.
template <class V>
std::optional<std::string_view> NameOf(TNameTable<V> Table, const V& Value) {
    const auto found = std::find_if(Table.begin(), Table.end(),
                                    [&](const TNamed<V>& entry) { return entry.Value == Value; });
    return found == Table.end() ? std::nullopt : std::optional(found->Name);
}

} // namespace fuzzy::interchange
