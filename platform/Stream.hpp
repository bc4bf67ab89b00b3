#pragma once
// Byte streams: the abstract stream the text readers work on, and a stream over a string.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Object.hpp"

namespace fuzzy {

class TEncoding;

/// A sequence of bytes with a current position. Read and Write move the position by the
/// number of bytes they transferred.
class TStream : public TObject {
public:
    std::string ClassName() const override { return "TStream"; }

    /// Copies up to Count bytes from the position into Buffer; returns how many were
    /// copied, 0 only at the end of the stream.
    virtual std::size_t Read(void* Buffer, std::size_t Count) = 0;
    /// Writes Count bytes of Buffer at the position; returns how many were written.
    virtual std::size_t Write(const void* Buffer, std::size_t Count) = 0;
    [[nodiscard]] virtual std::int64_t GetPosition() const = 0;
    virtual void SetPosition(std::int64_t Value) = 0;
    [[nodiscard]] virtual std::int64_t GetSize() const = 0;
};

/// A stream over a string of bytes that it owns, holding text in an encoding (nullptr:
/// UTF-8).
///
/// Writing behaves as in a file: bytes at the position are overwritten, the stream grows
/// when a write passes its end. A negative position raises EArgumentOutOfRangeException;
/// a position past the end is clamped to the size.
///
/// Setting the position back does not truncate, so a stream used as a record of text
/// can be rewound with SetPosition(0) and rewritten without reallocating; GetText then
/// gives the text written since, while GetDataString still shows every byte.
class TKelStringStream : public TStream {
public:
    /// A stream holding Text in Encoding's bytes (no preamble), positioned at its start.
    explicit TKelStringStream(const std::string& Text = "", const TEncoding* Encoding = nullptr);
    std::string ClassName() const override { return "TKelStringStream"; }

    std::size_t Read(void* Buffer, std::size_t Count) override;
    std::size_t Write(const void* Buffer, std::size_t Count) override;
    std::int64_t GetPosition() const override { return static_cast<std::int64_t>(FPosition); }
    /// Raises EArgumentOutOfRangeException for a negative Value; clamps to the size.
    void SetPosition(std::int64_t Value) override;
    std::int64_t GetSize() const override { return static_cast<std::int64_t>(FBytes.size()); }
    /// Cuts or extends (with zero bytes) the stream; the position stays within it.
    /// Raises EArgumentOutOfRangeException for a negative Value.
    void SetSize(std::int64_t Value);

    /// Writes the UTF-8 text in the stream's encoding at the position and moves past it.
    void WriteString(std::string_view Utf8);
    /// Every byte of the stream, decoded to UTF-8.
    [[nodiscard]] std::string GetDataString() const;
    /// The bytes before the position, decoded to UTF-8: the text written since the
    /// stream was last rewound.
    [[nodiscard]] std::string GetText() const;
    /// The raw bytes of the stream, valid until it next changes.
    [[nodiscard]] std::string_view GetBytes() const noexcept { return FBytes; }
    /// The stream's encoding (never nullptr).
    [[nodiscard]] const TEncoding* GetEncoding() const noexcept { return FEncoding; }

private:
    std::string FBytes;
    std::size_t FPosition = 0;
    const TEncoding* FEncoding;
};

/// A read-only stream over bytes it does not own, which must outlive it: a long text read
/// where it lies, without a copy. Writing writes nothing; a negative position raises
/// EArgumentOutOfRangeException, a position past the end is clamped to the size.
class TByteViewStream : public TStream {
public:
    explicit TByteViewStream(std::string_view Bytes) : FBytes(Bytes) {}
    std::string ClassName() const override { return "TByteViewStream"; }
    std::size_t Read(void* Buffer, std::size_t Count) override;
    std::size_t Write(const void*, std::size_t) override { return 0; }
    std::int64_t GetPosition() const override { return static_cast<std::int64_t>(FPosition); }
    void SetPosition(std::int64_t Value) override;
    std::int64_t GetSize() const override { return static_cast<std::int64_t>(FBytes.size()); }

private:
    std::string_view FBytes;
    std::size_t FPosition = 0;
};

} // namespace fuzzy
