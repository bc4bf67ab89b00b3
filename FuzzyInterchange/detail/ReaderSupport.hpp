#pragma once
// What the readers of FLL, FCL and FIS share besides the rule text: a method that the
// formats set per variable or per rule block but the library holds once per controller,
// and a range taken from a variable's terms when the text gives none.

#include <optional>
#include <string>
#include <string_view>

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/detail/FormatNames.hpp"

namespace fuzzy::interchange {

/// A controller-wide method as the text sets it, possibly in several places that must
/// agree.
template <class V>
class TSetting {
public:
    explicit TSetting(std::string_view What) : FWhat(What) {}

    /// Looks Name up in Table and records its value. Raises EFzyInterchangeException at Line
    /// for a name that is not in the table, or one whose value differs from the one recorded.
    void Settle(TNameTable<V> Table, const std::string& Name, bool CaseSensitive, int Line) {
        const std::optional<V> value = ValueOf(Table, Name, CaseSensitive);
        if (!value)
            throw EFzyInterchangeException(Line, SIcUnsupported, FWhat, Name);
        Record(*value, Name, Line);
    }

    /// Records Value, named Name in the text, with the same check.
    void Record(V Value, const std::string& Name, int Line) {
        if (FValue && !(*FValue == Value))
            throw EFzyInterchangeException(Line, SIcConflictingMethod, FWhat, Name, FName);
        FValue = Value;
        FName = Name;
    }

    /// The recorded value, or Default when the text set none.
    [[nodiscard]] V Or(V Default) const { return FValue.value_or(Default); }

private:
    std::string FWhat;
    std::optional<V> FValue;
    std::string FName;
};

/// Gives Variable the range from the least to the greatest X of its terms' points, when
/// every term is piecewise linear. Raises EFzyInterchangeException at Line when it has no
/// terms, or a curve, which needs a range to be drawn.
void TakeRangeFromTerms(TVariableDescription& Variable, int Line);

/// The library's connective that Name (a format's conjunction or disjunction, Table)
/// stands for; "none" gives the empty word. Raises EFzyInterchangeException at Line for a
/// name the library has no counterpart of, What naming the kind of name.
[[nodiscard]] std::string BlockConnective(TNameTable<std::string_view> Table,
                                          const std::string& Name, bool CaseSensitive,
                                          std::string_view What, int Line);

} // namespace fuzzy::interchange
