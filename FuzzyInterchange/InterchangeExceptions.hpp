#pragma once
// The exception of the interchange readers and writers. It keeps the line of the text at
// which reading failed (0 when the error has none, as for a writer), so that a caller can
// put its own file name in front: "tipper.fcl:12: ...".

#include <string>
#include <string_view>
#include <utility>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "platform/Format.hpp"

namespace fuzzy {

/// A text in an interchange format that does not read, a construct the library cannot
/// express, or a description that a format cannot hold. what() is "line N: detail", or the
/// detail alone when there is no line.
class EFzyInterchangeException : public EFzyException {
public:
    template <class... Args>
    EFzyInterchangeException(int Line, std::string_view Format, const Args&... args)
        : EFzyInterchangeException(TDetail{FormatDetail(Format, args...)}, Line) {}

    [[nodiscard]] int GetLineNumber() const noexcept { return FLineNumber; }
    /// The message without the line.
    [[nodiscard]] const std::string& GetDetail() const noexcept { return FDetail; }

private:
    struct TDetail {
        std::string Text;
    };
    EFzyInterchangeException(TDetail Detail, int Line)
        : EFzyException(Line > 0 ? "line " + std::to_string(Line) + ": " + Detail.Text
                                 : Detail.Text),
          FLineNumber(Line), FDetail(std::move(Detail.Text)) {}
    template <class... Args>
    static std::string FormatDetail(std::string_view Text, const Args&... args) {
        if constexpr (sizeof...(Args) == 0)
            return std::string(Text);
        else
            return fuzzy::Format(Text, args...);
    }

    int FLineNumber;
    std::string FDetail;
};

} // namespace fuzzy
