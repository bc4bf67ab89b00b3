#include "platform/Encoding.hpp"

namespace fuzzy {

namespace {

constexpr bool IsContinuation(unsigned char Byte) {
    return (Byte & 0xC0) == 0x80;
}
constexpr bool IsHighSurrogate(char32_t Unit) {
    return Unit >= 0xD800 && Unit <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char32_t Unit) {
    return Unit >= 0xDC00 && Unit <= 0xDFFF;
}

/// UTF-8 is the library's own text form, so its conversions copy the bytes unchanged:
/// whatever a caller stored in a string comes back as it was.
class TUtf8Encoding final : public TEncoding {
public:
    std::string ClassName() const override { return "TUtf8Encoding"; }
    std::string GetPreamble() const override { return "\xEF\xBB\xBF"; }
    std::string GetEncodingName() const override { return "UTF-8"; }

    void Encode(std::string_view Utf8, std::string& Out) const override { Out.append(Utf8); }
    std::size_t Decode(std::string_view Bytes, std::string& Out, bool) const override {
        Out.append(Bytes);
        return Bytes.size();
    }
};

/// UTF-16 in either byte order. Code points above U+FFFF are written as surrogate pairs.
class TUtf16Encoding final : public TEncoding {
public:
    explicit TUtf16Encoding(bool BigEndian) : FBigEndian(BigEndian) {}

    std::string ClassName() const override { return "TUtf16Encoding"; }
    std::string GetPreamble() const override { return FBigEndian ? "\xFE\xFF" : "\xFF\xFE"; }
    std::string GetEncodingName() const override { return FBigEndian ? "UTF-16BE" : "UTF-16LE"; }

    void Encode(std::string_view Utf8, std::string& Out) const override {
        Out.reserve(Out.size() + 2 * Utf8.size());
        for (std::size_t i = 0; i < Utf8.size();) {
            const char32_t code = NextCodePoint(Utf8, i);
            if (code > 0xFFFF) {
                const char32_t offset = code - 0x10000;
                PutUnit(Out, 0xD800 + (offset >> 10));
                PutUnit(Out, 0xDC00 + (offset & 0x3FF));
            } else {
                PutUnit(Out, code);
            }
        }
    }

    std::size_t Decode(std::string_view Bytes, std::string& Out, bool Final) const override {
        const std::size_t size = Bytes.size();
        Out.reserve(Out.size() + size);
        std::size_t i = 0;
        while (i + 2 <= size) {
            const char32_t unit = GetUnit(Bytes, i);
            if (IsHighSurrogate(unit)) {
                if (i + 4 > size && !Final)
                    break; // the partner may come with the next chunk
                if (i + 4 <= size && IsLowSurrogate(GetUnit(Bytes, i + 2))) {
                    const char32_t low = GetUnit(Bytes, i + 2);
                    AppendUtf8(Out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                    i += 4;
                    continue;
                }
                AppendUtf8(Out, ReplacementChar);
            } else {
                AppendUtf8(Out, IsLowSurrogate(unit) ? ReplacementChar : unit);
            }
            i += 2;
        }
        if (Final && i < size) {
            AppendUtf8(Out, ReplacementChar); // an odd byte at the very end
            i = size;
        }
        return i;
    }

private:
    char32_t GetUnit(std::string_view Bytes, std::size_t Index) const {
        const auto first = static_cast<unsigned char>(Bytes[Index]);
        const auto second = static_cast<unsigned char>(Bytes[Index + 1]);
        return FBigEndian ? (char32_t{first} << 8) | second : (char32_t{second} << 8) | first;
    }
    void PutUnit(std::string& Out, char32_t Unit) const {
        const char high = static_cast<char>((Unit >> 8) & 0xFF);
        const char low = static_cast<char>(Unit & 0xFF);
        Out.push_back(FBigEndian ? high : low);
        Out.push_back(FBigEndian ? low : high);
    }

    bool FBigEndian;
};

class TLatin1Encoding final : public TEncoding {
public:
    std::string ClassName() const override { return "TLatin1Encoding"; }
    std::string GetPreamble() const override { return {}; }
    std::string GetEncodingName() const override { return "ISO-8859-1"; }

    void Encode(std::string_view Utf8, std::string& Out) const override {
        Out.reserve(Out.size() + Utf8.size());
        for (std::size_t i = 0; i < Utf8.size();) {
            const char32_t code = NextCodePoint(Utf8, i);
            Out.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
        }
    }
    std::size_t Decode(std::string_view Bytes, std::string& Out, bool) const override {
        Out.reserve(Out.size() + Bytes.size());
        for (const char byte : Bytes)
            AppendUtf8(Out, static_cast<unsigned char>(byte));
        return Bytes.size();
    }
};

} // namespace

std::string TEncoding::GetBytes(std::string_view Utf8) const {
    std::string bytes;
    Encode(Utf8, bytes);
    return bytes;
}

std::string TEncoding::GetString(std::string_view Bytes) const {
    std::string text;
    Decode(Bytes, text, true);
    return text;
}

const TEncoding* TEncoding::UTF8() {
    static const TUtf8Encoding encoding;
    return &encoding;
}

const TEncoding* TEncoding::Unicode() {
    static const TUtf16Encoding encoding(false);
    return &encoding;
}

const TEncoding* TEncoding::BigEndianUnicode() {
    static const TUtf16Encoding encoding(true);
    return &encoding;
}

const TEncoding* TEncoding::Latin1() {
    static const TLatin1Encoding encoding;
    return &encoding;
}

char32_t NextCodePoint(std::string_view Text, std::size_t& Index) {
    const auto lead = static_cast<unsigned char>(Text[Index]);
    if (lead < 0x80) {
        ++Index;
        return lead;
    }
    // Length of the sequence and the smallest value it may carry (shorter forms are
    // overlong and not well formed).
    std::size_t length = 0;
    char32_t code = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        code = lead & 0x1F;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        code = lead & 0x0F;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        code = lead & 0x07;
        minimum = 0x10000;
    } else {
        ++Index;
        return ReplacementChar;
    }
    if (Text.size() - Index < length) {
        ++Index;
        return ReplacementChar;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto byte = static_cast<unsigned char>(Text[Index + k]);
        if (!IsContinuation(byte)) {
            ++Index;
            return ReplacementChar;
        }
        code = (code << 6) | (byte & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || IsHighSurrogate(code) || IsLowSurrogate(code)) {
        ++Index;
        return ReplacementChar;
    }
    Index += length;
    return code;
}

void AppendUtf8(std::string& Out, char32_t CodePoint) {
    if (CodePoint > 0x10FFFF || IsHighSurrogate(CodePoint) || IsLowSurrogate(CodePoint))
        CodePoint = ReplacementChar;
    if (CodePoint < 0x80) {
        Out.push_back(static_cast<char>(CodePoint));
    } else if (CodePoint < 0x800) {
        Out.push_back(static_cast<char>(0xC0 | (CodePoint >> 6)));
        Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
    } else if (CodePoint < 0x10000) {
        Out.push_back(static_cast<char>(0xE0 | (CodePoint >> 12)));
        Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
        Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
    } else {
        Out.push_back(static_cast<char>(0xF0 | (CodePoint >> 18)));
        Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 12) & 0x3F)));
        Out.push_back(static_cast<char>(0x80 | ((CodePoint >> 6) & 0x3F)));
        Out.push_back(static_cast<char>(0x80 | (CodePoint & 0x3F)));
    }
}

} // namespace fuzzy
