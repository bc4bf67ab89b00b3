// Text in bytes: the encodings, the streams over bytes and the buffered text reader.

#include "platform/TextStream.hpp"

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Encoding.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Stream.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

const std::string GClef = "\xF0\x9D\x84\x9E"; // U+1D11E, a surrogate pair in UTF-16
// "A", e acute, the euro sign and the G clef.
const std::string Sample = "A\xC3\xA9\xE2\x82\xAC" + GClef;
const std::string Bad = "\xEF\xBF\xBD"; // the replacement character

TEST(EncodingTest, EncodesDecodesAndNamesItself) {
    const struct {
        const TEncoding* Encoding;
        std::string Name, Preamble, SampleBytes;
    } cases[] = {
        {TEncoding::UTF8(), "UTF-8", "\xEF\xBB\xBF", Sample},
        {TEncoding::Unicode(), "UTF-16LE", "\xFF\xFE",
         std::string("\x41\x00\xE9\x00\xAC\x20\x34\xD8\x1E\xDD", 10)},
        {TEncoding::BigEndianUnicode(), "UTF-16BE", "\xFE\xFF",
         std::string("\x00\x41\x00\xE9\x20\xAC\xD8\x34\xDD\x1E", 10)},
        {TEncoding::Latin1(), "ISO-8859-1", "", "A\xE9??"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(c.Encoding->GetEncodingName(), c.Name);
        EXPECT_EQ(c.Encoding->GetPreamble(), c.Preamble);
        EXPECT_EQ(c.Encoding->GetBytes(Sample), c.SampleBytes);
        EXPECT_EQ(c.Encoding->GetString(c.SampleBytes),
                  c.Encoding == TEncoding::Latin1() ? std::string("A\xC3\xA9??") : Sample);
        EXPECT_EQ(&TEncoding::OrDefault(c.Encoding), c.Encoding);
    }
    EXPECT_EQ(&TEncoding::OrDefault(nullptr), TEncoding::UTF8()) << "nullptr stands for UTF-8";
    EXPECT_EQ(TEncoding::Latin1()->GetBytes("\xC3z"), "?z");
}

// Malformed UTF-8 becomes one replacement per byte (read back through UTF-16); UTF-16 that
// does not decode, one per unit.
TEST(EncodingTest, ReplacesWhatDoesNotDecode) {
    const struct {
        bool Utf8;
        std::string Input, Expected, What;
    } cases[] = {
        {true, "\xC3", Bad, "cut short"},
        {true, "\xC0\x80", Bad + Bad, "overlong"},
        {true, "\xED\xA0\x80", Bad + Bad + Bad, "a surrogate"},
        {true, "\xF4\x90\x80\x80", Bad + Bad + Bad + Bad, "above U+10FFFF"},
        {true, "a\x80z", "a" + Bad + "z", "a stray continuation"},
        {false, std::string("\x41\x00\x42", 3), "A" + Bad, "an odd last byte"},
        {false, std::string("\x34\xD8\x41\x00", 4), Bad + "A", "a lone high half"},
        {false, std::string("\x1E\xDD\x41\x00", 4), Bad + "A", "a lone low half"},
        {false, std::string("\x41\x00\x34\xD8", 4), "A" + Bad, "a high half at the end"},
        {false, std::string("\x34\xD8\x34\xD8\x1E\xDD", 6), Bad + GClef, "a high half twice"},
    };
    const TEncoding* utf16 = TEncoding::Unicode();
    for (const auto& c : cases)
        EXPECT_EQ(utf16->GetString(c.Utf8 ? utf16->GetBytes(c.Input) : c.Input), c.Expected)
            << c.What;
}

// A stream over raw bytes that hands out at most MaxRead bytes per read, as a pipe may.
class TTrickleStream : public TKelStringStream {
public:
    TTrickleStream(const std::string& Bytes, std::size_t MaxRead) : FMaxRead(MaxRead) {
        Write(Bytes.data(), Bytes.size());
        SetPosition(0);
    }
    std::size_t Read(void* Buffer, std::size_t Count) override {
        return TKelStringStream::Read(Buffer, std::min(Count, FMaxRead));
    }

private:
    std::size_t FMaxRead;
};

std::string ReadAll(TGTextStream& Reader) {
    std::string text;
    for (char c; Reader.GetChar(c);)
        text.push_back(c);
    return text;
}

std::string ReadAll(const std::string& Bytes, const TEncoding* Encoding, std::size_t MaxRead) {
    TTrickleStream stream(Bytes, MaxRead);
    TGTextStream reader(&stream, Encoding);
    return ReadAll(reader);
}

TEST(KelStringStreamTest, WritesReadsAndSizesLikeAFileInItsEncoding) {
    TKelStringStream stream("abcdef");
    stream.SetPosition(2);
    stream.WriteString("XY");
    EXPECT_EQ(stream.GetPosition(), 4);
    EXPECT_EQ(stream.GetText(), "abXY");
    stream.SetPosition(5);
    stream.WriteString("123");
    EXPECT_EQ(stream.GetSize(), 8);
    stream.SetPosition(1);
    EXPECT_EQ(stream.GetText(), "a");
    EXPECT_EQ(stream.GetDataString(), "abXYe123"); // rewinding does not truncate
    char buffer[16];
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 7u);
    EXPECT_EQ(std::string(buffer, 7), "bXYe123");
    EXPECT_EQ(stream.Read(buffer, sizeof buffer), 0u);
    stream.SetPosition(10);
    EXPECT_EQ(stream.GetPosition(), 8);
    stream.SetSize(1);
    EXPECT_EQ(stream.GetPosition(), 1);
    stream.SetSize(3);
    EXPECT_EQ(stream.GetBytes(), std::string("a\0\0", 3));
    EXPECT_RAISES(stream.SetPosition(-1), EArgumentOutOfRangeException,
                  "Stream position must not be negative (-1)");
    EXPECT_THROW(stream.SetSize(-2), EArgumentOutOfRangeException);
    EXPECT_EQ(stream.GetPosition(), 1);

    TKelStringStream wide("a" + GClef, TEncoding::BigEndianUnicode());
    EXPECT_EQ(wide.GetBytes(), std::string("\x00\x61\xD8\x34\xDD\x1E", 6));
    EXPECT_EQ(wide.GetPosition(), 0);
    wide.SetPosition(wide.GetSize());
    wide.WriteString("\xC3\xA9");
    EXPECT_EQ(wide.GetText(), "a" + GClef + "\xC3\xA9");
}

// A view reads the bytes where they lie, in pieces, and never writes.
TEST(ByteViewStream, ReadsInPiecesKeepsItsPositionInRangeAndWritesNothing) {
    const std::string bytes = "\xEF\xBB\xBF(deffuzzy x)\r\n";
    TByteViewStream stream(bytes);
    TGTextStream reader(&stream, nullptr);
    EXPECT_EQ(reader.GetLine(), "(deffuzzy x)"); // the preamble skipped as over a copy
    stream.SetPosition(3);
    char buffer[10];
    EXPECT_EQ(stream.Read(buffer, 10), 10u);
    EXPECT_EQ(std::string(buffer, 10), "(deffuzzy ");
    EXPECT_EQ(stream.Read(buffer, 10), 4u);
    EXPECT_EQ(stream.Read(buffer, 10), 0u);
    EXPECT_EQ(stream.Write("z", 1), 0u);
    EXPECT_EQ(stream.GetSize(), 17);
    stream.SetPosition(99);
    EXPECT_EQ(stream.GetPosition(), 17);
    EXPECT_RAISES(stream.SetPosition(-1), EArgumentOutOfRangeException,
                  "Stream position must not be negative (-1)");
    EXPECT_EQ(stream.GetPosition(), 17);
    EXPECT_EQ(bytes, "\xEF\xBB\xBF(deffuzzy x)\r\n");
}

// Every encoding, with and without its preamble, read in pieces of every awkward size; only
// the encoding's own preamble is skipped.
TEST(TextStreamTest, ReadsEachEncodingWithOrWithoutPreamble) {
    const std::string text = "x\xC3\xA9" + GClef + "\r\nend";
    for (const TEncoding* encoding : {TEncoding::UTF8(), TEncoding::Unicode(),
                                      TEncoding::BigEndianUnicode(), TEncoding::Latin1()}) {
        const std::string expected = encoding == TEncoding::Latin1() ? "x\xC3\xA9?\r\nend" : text;
        for (const bool withPreamble : {false, true}) {
            const std::string bytes =
                (withPreamble ? encoding->GetPreamble() : "") + encoding->GetBytes(text);
            for (const std::size_t maxRead : {1, 3, 1 << 20})
                EXPECT_EQ(ReadAll(bytes, encoding, maxRead), expected)
                    << encoding->GetEncodingName() << " preamble " << withPreamble << " reads of "
                    << maxRead;
        }
    }
    EXPECT_EQ(ReadAll("\xFF\xFEx", nullptr, 64), "\xFF\xFEx");
    EXPECT_EQ(ReadAll("\xEF\xBB\xBF", TEncoding::Latin1(), 64), "\xC3\xAF\xC2\xBB\xC2\xBF");
}

// A surrogate pair whose halves arrive in different 64 KiB chunks, and random bytes over
// several chunks, which UTF-8 passes through unchanged.
TEST(TextStreamTest, DecodesAcrossChunks) {
    const std::string text = std::string(TGBufferStream::BufferSize / 2 - 1, 'a') + GClef + "z";
    for (const TEncoding* encoding : {TEncoding::Unicode(), TEncoding::BigEndianUnicode()}) {
        const std::string bytes = encoding->GetBytes(text);
        ASSERT_EQ(bytes.size(), TGBufferStream::BufferSize + 4);
        EXPECT_EQ(ReadAll(bytes, encoding, 1 << 20), text) << encoding->GetEncodingName();
    }
    std::mt19937 random(7);
    std::string bytes(3 * TGBufferStream::BufferSize + 17, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(random() & 0xFF);
    EXPECT_EQ(ReadAll(bytes, nullptr, TGBufferStream::BufferSize - 5), bytes);
}

TEST(TextStreamTest, GetLineConsumesEachKindOfLineEnd) {
    // Pieces of one byte put a CR and its LF in different chunks.
    for (const std::size_t maxRead : {1, 1 << 20}) {
        TTrickleStream stream("ab\r\ncd\ref\n\ngh", maxRead);
        TGTextStream reader(&stream, nullptr);
        std::vector<std::string> lines;
        while (!reader.IsEof())
            lines.push_back(reader.GetLine());
        EXPECT_EQ(lines, (std::vector<std::string>{"ab", "cd", "ef", "", "gh"}));
        EXPECT_EQ(reader.GetLine(), "");
    }
}

TEST(TextStreamTest, PutBackStacksAndCountsForIsEof) {
    TKelStringStream stream("ab\ncd");
    TGTextStream reader(&stream, nullptr);
    char c;
    ASSERT_TRUE(reader.GetChar(c));
    reader.PutBack('x');
    reader.PutBack('y');
    EXPECT_EQ(reader.GetLine(), "yxb");
    reader.PutBack('\n');
    reader.PutBack('z');
    EXPECT_EQ(reader.GetLine(), "z");
    EXPECT_EQ(ReadAll(reader), "cd");
    EXPECT_TRUE(reader.IsEof());
    reader.PutBack('d');
    EXPECT_FALSE(reader.IsEof());
    ASSERT_TRUE(reader.GetChar(c));
    EXPECT_EQ(c, 'd');
    EXPECT_FALSE(reader.GetChar(c));

    TKelStringStream empty;
    TGTextStream emptyReader(&empty, TEncoding::Unicode());
    EXPECT_TRUE(emptyReader.IsEof());
    EXPECT_FALSE(emptyReader.GetChar(c));
    EXPECT_RAISES(TGTextStream missing(nullptr, nullptr), EKelException,
                  "A text reader needs a stream to read from");
}

} // namespace
} // namespace fuzzy
