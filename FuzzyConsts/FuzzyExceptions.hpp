#pragma once
// The library's own exceptions. The message is built once, at the throw, from a text of
// FuzzyMessages.hpp and its arguments:
//
//     throw EFzyException(SInvalidXRangeIndex, Index);
//     throw EFzyParseException(TParseLine(Line), SFzyArgNumWrong, "tri", STriArgsExpected);
//
// A message given without arguments is taken as it stands, not formatted.

#include <string>
#include <string_view>
#include <utility>

#include "platform/Exceptions.hpp"

namespace fuzzy {

/// An error of the fuzzy model: an invalid argument or state of a set, variable or logic
/// component.
class EFzyException : public EKelException {
public:
    using EKelException::EKelException;
};

/// The line of the definition text at which a parse error was found. A distinct type, so
/// that a line number can never be mistaken for a format argument.
struct TParseLine {
    explicit constexpr TParseLine(int Line) : Value(Line) {}
    int Value;
};

/// An error in definition-language text, or a parser asked to work without what it needs.
/// Carries the line at which the text went wrong, 0 when the error has no line (the
/// constructors without a TParseLine).
class EFzyParseException : public EFzyException {
public:
    using EFzyException::EFzyException;

    EFzyParseException(TParseLine Line, std::string Message)
        : EFzyException(std::move(Message)), FLineNumber(Line.Value) {}
    template <class... Args>
    requires(sizeof...(Args) > 0)
        EFzyParseException(TParseLine Line, std::string_view Format, const Args&... args)
        : EFzyException(Format, args...), FLineNumber(Line.Value) {}

    [[nodiscard]] int GetLineNumber() const noexcept { return FLineNumber; }

private:
    int FLineNumber = 0;
};

} // namespace fuzzy
