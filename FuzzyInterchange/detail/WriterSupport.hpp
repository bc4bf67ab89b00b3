#pragma once
// What the FLL and FCL writers share: the checks that a description can be written, the
// names of its methods in a format, and the text of a term's shape.

#include <string>
#include <string_view>

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyInterchange/detail/FormatNames.hpp"

namespace fuzzy::interchange {

/// Checks the description (CheckDescription) and that every name in it is one word of a
/// format (CheckWritableName), and every comment one line. Raises
/// EFzyInterchangeException otherwise.
void CheckWritable(const TControllerDescription& Description, std::string_view Format);

/// The format's name of Value, What naming the kind of method for the message. Raises
/// EFzyInterchangeException when the format has none.
template <class V>
std::string_view FormatName(TNameTable<V> Table, const V& Value, std::string_view What,
                            std::string_view Display, std::string_view Format);

/// "Triangle 0 5 10": the shape's name and its numbers.
[[nodiscard]] std::string ShapeText(const TTermDescription& Term);

} // namespace fuzzy::interchange

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"

namespace fuzzy::interchange {

template <class V>
std::string_view FormatName(TNameTable<V> Table, const V& Value, std::string_view What,
                            std::string_view Display, std::string_view Format) {
    const std::optional<std::string_view> name = NameOf(Table, Value);
    if (!name)
        throw EFzyInterchangeException(0, SIcUnwritable, std::string(What), std::string(Display),
                                       std::string(Format));
    return *name;
}

} // namespace fuzzy::interchange
