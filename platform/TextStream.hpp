#pragma once
// Buffered reading of bytes and of encoded text from a stream.

#include <cstddef>
#include <string>
#include <string_view>

#include "platform/Object.hpp"

namespace fuzzy {

class TEncoding;
class TStream;

/// Reads a stream in chunks of BufferSize bytes. The stream is not owned and must
/// outlive the reader; the reader starts at the stream's position and moves it on.
class TGBufferStream : public TObject {
public:
    static constexpr std::size_t BufferSize = 64 * 1024;

    /// Raises EKelException when Stream is nullptr.
    explicit TGBufferStream(TStream* Stream);
    std::string ClassName() const override { return "TGBufferStream"; }

    /// The next byte; false at the end of the stream. Not for use on a text reader, whose
    /// decoding takes the bytes in chunks.
    bool ReadByte(char& B);

protected:
    /// The bytes read from the stream and not yet consumed.
    [[nodiscard]] std::string_view BufferedBytes() const noexcept {
        return std::string_view(FBuffer).substr(FStart);
    }
    /// Marks the first Count buffered bytes as consumed.
    void ConsumeBytes(std::size_t Count) noexcept { FStart += Count; }
    /// Moves the unconsumed bytes to the front and reads up to a full buffer behind them.
    /// Returns false when the stream gave nothing more.
    bool FillBuffer();

private:
    TStream* FStream;
    std::string FBuffer;
    std::size_t FStart = 0;
};

/// Reads the text of a stream in an encoding (nullptr: UTF-8) as UTF-8 bytes, one at a
/// time, with push-back. A preamble of that encoding at the start is skipped. The text
/// is decoded one chunk at a time, never splitting a character between chunks.
///
/// Derived readers get the fast, inline ReadChar; GetChar is the overridable form of it
/// and GetLine reads through ReadChar, not GetChar, so an override of GetChar (counting
/// lines, say) does not see the characters GetLine consumes.
class TGTextStream : public TGBufferStream {
public:
    /// Raises EKelException when Stream is nullptr.
    TGTextStream(TStream* Stream, const TEncoding* Encoding);
    std::string ClassName() const override { return "TGTextStream"; }

    /// The next character (byte of UTF-8); false at the end of the text.
    virtual bool GetChar(char& C) { return ReadChar(C); }
    /// Makes C the next character read; characters put back are read last-in, first-out.
    void PutBack(char C) {
        if (FPutBack.empty() && FTextPos > 0 && FText[FTextPos - 1] == C)
            --FTextPos; // the character just read: step back instead of stacking it
        else
            FPutBack.push_back(C);
    }
    /// The rest of the current line without its line end (CR, LF or CR LF), which is
    /// consumed. At the end of the text, the characters left (possibly none).
    virtual std::string GetLine();
    /// True when every character has been read and none is put back.
    [[nodiscard]] bool IsEof() { return FPutBack.empty() && FTextPos == FText.size() && !Decode(); }
    [[nodiscard]] const TEncoding* GetEncoding() const noexcept { return FEncoding; }

protected:
    /// The next character, put-back ones first; false at the end of the text.
    bool ReadChar(char& C) {
        if (!FPutBack.empty()) {
            C = FPutBack.back();
            FPutBack.pop_back();
            return true;
        }
        if (FTextPos == FText.size() && !Decode())
            return false;
        C = FText[FTextPos++];
        return true;
    }

    /// Appends to Out the characters from here on while Accept(C) holds; the first one it
    /// refuses is left unread. Scans whole runs of the decoded text, for the long tokens.
    template <class Predicate>
    void ReadWhile(Predicate Accept, std::string& Out) {
        while (!FPutBack.empty()) {
            if (!Accept(FPutBack.back()))
                return;
            Out.push_back(FPutBack.back());
            FPutBack.pop_back();
        }
        for (;;) {
            if (FTextPos == FText.size() && !Decode())
                return;
            const char* begin = FText.data() + FTextPos;
            const char* end = FText.data() + FText.size();
            const char* stop = begin;
            while (stop != end && Accept(*stop))
                ++stop;
            // Most runs between tokens are empty, and appending nothing still costs a call.
            if (stop != begin)
                Out.append(begin, static_cast<std::size_t>(stop - begin));
            FTextPos += static_cast<std::size_t>(stop - begin);
            if (stop != end)
                return;
        }
    }

private:
    /// Replaces the consumed decoded text by the next chunk; false at the end.
    bool Decode();
    void SkipPreamble();

    const TEncoding* FEncoding;
    std::string FText; // decoded text of the current chunk
    std::size_t FTextPos = 0;
    std::string FPutBack;  // stack of put-back characters, top at the back
    bool FStarted = false; // the preamble has been looked for
};

} // namespace fuzzy
