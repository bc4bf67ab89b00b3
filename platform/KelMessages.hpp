#pragma once
// Messages of the common library: its lexing support, conversions and component storage.

namespace fuzzy {

/// A string still open when the text ends.
inline constexpr const char* SUnbalancedString = "Unbalanced string: the text ends inside a string";
/// A lexer asked to make a token of a kind it does not know; the argument is the kind code.
inline constexpr const char* SInvalidTokenKind = "Invalid token kind: %s";

// Conversions between texts and values.
inline constexpr const char* SInvalidFormat = "Format '%s' invalid or incompatible with argument";
inline constexpr const char* SInvalidDecimals = "Invalid number of decimals: %d";
inline constexpr const char* SInvalidIntegerText = "'%s' is not a valid integer value";
inline constexpr const char* SInvalidFloatText = "'%s' is not a valid floating point value";

// Storing component trees as text and reading them back.
inline constexpr const char* SClassNotStorable = "Class %s is not registered for storing";
inline constexpr const char* SHandlerWithoutName = "The handler of %s has no registered name";
inline constexpr const char* SLinkOutsideTree =
    "%s links to a component outside the stored tree or without a name";
inline constexpr const char* SClassNotRegistered = "Class %s is not registered";
inline constexpr const char* SInvalidIntegerValue = "Invalid integer value: %s";
inline constexpr const char* SInvalidFloatingValue = "Invalid floating value: %s";
inline constexpr const char* SInvalidBooleanValue = "Invalid boolean value: %s";
inline constexpr const char* SExpectedString = "Expected a string: %s";
inline constexpr const char* SInvalidEnumValue = "Invalid enumeration value: %s";
inline constexpr const char* SReadErrorAtLine = "Line %d: %s";
inline constexpr const char* SReadErrorAtProperty = "Line %d, %s: %s";
inline constexpr const char* SUnknownClass = "Unknown class %s";
inline constexpr const char* SClassNotCreatable = "Class %s cannot be created";
inline constexpr const char* SDuplicateComponentName = "Duplicate component name %s";
inline constexpr const char* SUnknownProperty = "Unknown property";
inline constexpr const char* SPropertyGivenTwice = "Property given twice";
inline constexpr const char* SExpectedValue = "Expected %s";
inline constexpr const char* SUnknownComponent = "Unknown component %s";
inline constexpr const char* STextAfterLastEnd = "Unexpected text after the last end";
inline constexpr const char* SUnexpectedEndOfText = "Unexpected end of text, expected %s";
inline constexpr const char* SExpectedFound = "Expected %s, found \"%s\"";
inline constexpr const char* SNestedTooDeep =
    "Objects and collections nested more than 256 levels deep";
inline constexpr const char* SUnexpectedCharacter = "Unexpected character #%d";
inline constexpr const char* SUnterminatedString = "Unterminated string";
inline constexpr const char* SInvalidCharCode = "Invalid character code";

} // namespace fuzzy
