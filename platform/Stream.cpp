#include "platform/Stream.hpp"

#include <algorithm>
#include <cstring>

#include "platform/Encoding.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace {

inline constexpr const char* SNegativeStreamPosition = "Stream position must not be negative (%d)";
inline constexpr const char* SNegativeStreamSize = "Stream size must not be negative (%d)";

// Reading and positioning are the same over bytes owned or viewed.
std::size_t ReadBytes(std::string_view Bytes, std::size_t& Position, void* Buffer,
                      std::size_t Count) {
    const std::size_t count = std::min(Count, Bytes.size() - Position);
    if (count > 0)
        std::memcpy(Buffer, Bytes.data() + Position, count);
    Position += count;
    return count;
}

std::size_t CheckedPosition(std::int64_t Value, std::size_t Size) {
    if (Value < 0)
        throw EArgumentOutOfRangeException(SNegativeStreamPosition, Value);
    return static_cast<std::size_t>(std::min(Value, static_cast<std::int64_t>(Size)));
}

} // namespace

TKelStringStream::TKelStringStream(const std::string& Text, const TEncoding* Encoding)
    : FEncoding(&TEncoding::OrDefault(Encoding)) {
    FEncoding->Encode(Text, FBytes);
}

std::size_t TKelStringStream::Read(void* Buffer, std::size_t Count) {
    return ReadBytes(FBytes, FPosition, Buffer, Count);
}

std::size_t TKelStringStream::Write(const void* Buffer, std::size_t Count) {
    if (Count == 0)
        return 0;
    if (FBytes.size() - FPosition < Count)
        FBytes.resize(FPosition + Count);
    std::memcpy(FBytes.data() + FPosition, Buffer, Count);
    FPosition += Count;
    return Count;
}

void TKelStringStream::SetPosition(std::int64_t Value) {
    FPosition = CheckedPosition(Value, FBytes.size());
}

void TKelStringStream::SetSize(std::int64_t Value) {
    if (Value < 0)
        throw EArgumentOutOfRangeException(SNegativeStreamSize, Value);
    FBytes.resize(static_cast<std::size_t>(Value));
    FPosition = std::min(FPosition, FBytes.size());
}

void TKelStringStream::WriteString(std::string_view Utf8) {
    if (FEncoding == TEncoding::UTF8()) {
        Write(Utf8.data(), Utf8.size());
        return;
    }
    const std::string bytes = FEncoding->GetBytes(Utf8);
    Write(bytes.data(), bytes.size());
}

std::string TKelStringStream::GetDataString() const {
    return FEncoding->GetString(FBytes);
}

std::string TKelStringStream::GetText() const {
    return FEncoding->GetString(std::string_view(FBytes).substr(0, FPosition));
}

// ---- TByteViewStream ----

std::size_t TByteViewStream::Read(void* Buffer, std::size_t Count) {
    return ReadBytes(FBytes, FPosition, Buffer, Count);
}

void TByteViewStream::SetPosition(std::int64_t Value) {
    FPosition = CheckedPosition(Value, FBytes.size());
}

} // namespace fuzzy
