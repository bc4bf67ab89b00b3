#pragma once
// Text encodings: the conversion between the library's UTF-8 text and the bytes of a
// stream. A `const TEncoding*` that is nullptr stands for UTF-8 everywhere.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Object.hpp"

namespace fuzzy {

/// A character encoding. The four encodings are process-wide singletons reached through
/// the static functions; they hold no state, so they may be shared freely.
///
/// Conversions never throw on odd input. UTF-8 is passed through byte for byte, valid or
/// not. Text that is not valid UTF-8 given to another encoding has each offending byte
/// read as U+FFFD; bytes that do not decode become U+FFFD; a character an encoding cannot
/// hold is written as '?'.
class TEncoding : public TObject {
public:
    std::string ClassName() const override { return "TEncoding"; }

    /// The bytes of the UTF-8 text in this encoding, without preamble.
    [[nodiscard]] std::string GetBytes(std::string_view Utf8) const;
    /// The UTF-8 text of bytes in this encoding. A preamble in Bytes is not removed.
    [[nodiscard]] std::string GetString(std::string_view Bytes) const;
    /// The byte-order mark that may open a text in this encoding (empty when none).
    [[nodiscard]] virtual std::string GetPreamble() const = 0;
    [[nodiscard]] virtual std::string GetEncodingName() const = 0;

    /// Appends the UTF-8 text of Utf8 encoded to Out.
    virtual void Encode(std::string_view Utf8, std::string& Out) const = 0;
    /// Incremental decoding: appends to Out the UTF-8 text of the longest leading part of
    /// Bytes that holds whole characters and returns its length in bytes. The rest (a
    /// split UTF-16 unit or surrogate pair, at most three bytes) is left for the next call,
    /// with more bytes in front of it. With Final set there is no more to come: everything
    /// is decoded and an incomplete tail becomes U+FFFD.
    virtual std::size_t Decode(std::string_view Bytes, std::string& Out, bool Final) const = 0;

    /// UTF-8; pass-through in both directions.
    [[nodiscard]] static const TEncoding* UTF8();
    /// UTF-16, little-endian.
    [[nodiscard]] static const TEncoding* Unicode();
    /// UTF-16, big-endian.
    [[nodiscard]] static const TEncoding* BigEndianUnicode();
    /// ISO-8859-1: one byte per character, code points above 255 become '?'.
    [[nodiscard]] static const TEncoding* Latin1();
    /// Encoding itself, or UTF-8 when it is nullptr.
    [[nodiscard]] static const TEncoding& OrDefault(const TEncoding* Encoding) {
        return Encoding != nullptr ? *Encoding : *UTF8();
    }

protected:
    TEncoding() = default;
};

/// The replacement character, written where bytes do not decode.
inline constexpr char32_t ReplacementChar = 0xFFFD;

/// Reads the code point that starts at Index in the UTF-8 text and moves Index past it.
/// A byte that does not start a well-formed sequence (overlong forms, surrogates and
/// values above U+10FFFF included) gives ReplacementChar and is skipped alone.
/// Index must be below Text.size().
char32_t NextCodePoint(std::string_view Text, std::size_t& Index);
/// Appends the UTF-8 form of a code point (ReplacementChar for a surrogate or a value
/// above U+10FFFF).
void AppendUtf8(std::string& Out, char32_t CodePoint);

} // namespace fuzzy
