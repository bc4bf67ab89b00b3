#include "platform/Encoding.hpp"

#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace fuzzy {
namespace {

// "A", e acute, the euro sign and the G clef (U+1D11E, a surrogate pair in UTF-16).
const std::string Sample = "A\xC3\xA9\xE2\x82\xAC\xF0\x9D\x84\x9E";
const std::string Replacement = "\xEF\xBF\xBD";

struct TEncodingCase {
    const TEncoding* Encoding;
    std::string Name;
    std::string Preamble;
    std::string SampleBytes;
};

const std::vector<TEncodingCase>& EncodingCases() {
    static const std::vector<TEncodingCase> cases = {
        {TEncoding::UTF8(), "UTF-8", "\xEF\xBB\xBF", Sample},
        {TEncoding::Unicode(), "UTF-16LE", "\xFF\xFE",
         std::string("\x41\x00\xE9\x00\xAC\x20\x34\xD8\x1E\xDD", 10)},
        {TEncoding::BigEndianUnicode(), "UTF-16BE", "\xFE\xFF",
         std::string("\x00\x41\x00\xE9\x20\xAC\xD8\x34\xDD\x1E", 10)},
        {TEncoding::Latin1(), "ISO-8859-1", "", "A\xE9??"},
    };
    return cases;
}

TEST(EncodingTest, EncodesAndDecodesTheSampleAndNamesItself) {
    for (const auto& [encoding, name, preamble, bytes] : EncodingCases()) {
        SCOPED_TRACE(name);
        EXPECT_EQ(encoding->GetEncodingName(), name);
        EXPECT_EQ(encoding->GetPreamble(), preamble);
        EXPECT_EQ(encoding->GetBytes(Sample), bytes);
        const std::string expected =
            encoding == TEncoding::Latin1() ? std::string("A\xC3\xA9??") : Sample;
        EXPECT_EQ(encoding->GetString(bytes), expected);
        EXPECT_EQ(&TEncoding::OrDefault(encoding), encoding);
    }
    EXPECT_EQ(&TEncoding::OrDefault(nullptr), TEncoding::UTF8()) << "nullptr stands for UTF-8";
}

TEST(EncodingTest, Utf8PassesRandomBytesUnchanged) {
    std::mt19937 random(20240611);
    std::string bytes(4096, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    EXPECT_EQ(TEncoding::UTF8()->GetBytes(bytes), bytes);
    EXPECT_EQ(TEncoding::UTF8()->GetString(bytes), bytes);
}

TEST(EncodingTest, MalformedUtf8BecomesReplacementPerByte) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\xC3", Replacement},                                                       // cut short
        {"\xC0\x80", Replacement + Replacement},                                     // overlong
        {"\xED\xA0\x80", Replacement + Replacement + Replacement},                   // a surrogate
        {"\xF4\x90\x80\x80", Replacement + Replacement + Replacement + Replacement}, // > 10FFFF
        {"a\x80z", "a" + Replacement + "z"}, // stray continuation
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TEncoding::Unicode()->GetString(TEncoding::Unicode()->GetBytes(text)), expected)
            << "text of " << text.size() << " bytes";
    EXPECT_EQ(TEncoding::Latin1()->GetBytes("\xC3z"), "?z");
}

TEST(EncodingTest, Utf16DecodingReplacesWhatDoesNotDecode) {
    const TEncoding* le = TEncoding::Unicode();
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string("\x41\x00\x42", 3), "A" + Replacement},     // odd last byte
        {std::string("\x34\xD8\x41\x00", 4), Replacement + "A"}, // lone high
        {std::string("\x1E\xDD\x41\x00", 4), Replacement + "A"}, // lone low
        {std::string("\x41\x00\x34\xD8", 4), "A" + Replacement}, // high at the end
        {std::string("\x34\xD8\x34\xD8\x1E\xDD", 6), Replacement + "\xF0\x9D\x84\x9E"},
    };
    for (const auto& [bytes, expected] : cases)
        EXPECT_EQ(le->GetString(bytes), expected);
}

TEST(EncodingTest, IncrementalDecodingKeepsSplitCharactersForLater) {
    const TEncoding* le = TEncoding::Unicode();
    const std::string bytes("\x41\x00\x34\xD8\x1E", 5); // "A", then 3 bytes of a pair
    std::string text;
    EXPECT_EQ(le->Decode(bytes, text, false), 2u);
    EXPECT_EQ(text, "A");
    EXPECT_EQ(le->Decode(std::string("\x34\xD8\x1E\xDD", 4), text, false), 4u);
    EXPECT_EQ(text, "A\xF0\x9D\x84\x9E");
    EXPECT_EQ(le->Decode(std::string("\x41", 1), text, false), 0u);
    EXPECT_EQ(le->Decode(std::string("\x41", 1), text, true), 1u);
    EXPECT_EQ(text, "A\xF0\x9D\x84\x9E" + Replacement);
}

} // namespace
} // namespace fuzzy
