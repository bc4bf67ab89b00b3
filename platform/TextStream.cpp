#include "platform/TextStream.hpp"

#include "platform/Encoding.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Stream.hpp"

namespace fuzzy {

namespace {

inline constexpr const char* SNoStream = "A text reader needs a stream to read from";

} // namespace

// ---- TGBufferStream ----

TGBufferStream::TGBufferStream(TStream* Stream) : FStream(Stream) {
    if (Stream == nullptr)
        throw EKelException(SNoStream);
}

bool TGBufferStream::ReadByte(char& B) {
    if (FStart == FBuffer.size() && !FillBuffer())
        return false;
    B = FBuffer[FStart++];
    return true;
}

bool TGBufferStream::FillBuffer() {
    FBuffer.erase(0, FStart);
    FStart = 0;
    const std::size_t kept = FBuffer.size();
    if (kept >= BufferSize)
        return true;
    FBuffer.resize(BufferSize);
    const std::size_t read = FStream->Read(FBuffer.data() + kept, BufferSize - kept);
    FBuffer.resize(kept + read);
    return read > 0;
}

// ---- TGTextStream ----

TGTextStream::TGTextStream(TStream* Stream, const TEncoding* Encoding)
    : TGBufferStream(Stream), FEncoding(&TEncoding::OrDefault(Encoding)) {}

void TGTextStream::SkipPreamble() {
    FStarted = true;
    const std::string preamble = FEncoding->GetPreamble();
    // The stream may hand out its first bytes in pieces smaller than the preamble.
    while (BufferedBytes().size() < preamble.size() && FillBuffer()) {
    }
    if (!preamble.empty() && BufferedBytes().starts_with(preamble))
        ConsumeBytes(preamble.size());
}

bool TGTextStream::Decode() {
    if (!FStarted)
        SkipPreamble();
    FText.clear();
    FTextPos = 0;
    // A chunk may end inside a character: its bytes stay buffered until the rest comes,
    // or are decoded as they are once the stream has nothing more.
    while (FText.empty()) {
        const bool more = FillBuffer();
        const std::string_view bytes = BufferedBytes();
        if (bytes.empty())
            return false;
        ConsumeBytes(FEncoding->Decode(bytes, FText, !more));
        if (!more && FText.empty())
            return false; // the last bytes gave no character
    }
    return true;
}

std::string TGTextStream::GetLine() {
    std::string line;
    ReadWhile([](char C) { return C != '\r' && C != '\n'; }, line);
    char c;
    if (ReadChar(c) && c == '\r' && ReadChar(c) && c != '\n')
        PutBack(c);
    return line;
}

} // namespace fuzzy
