#pragma once
// The two kinds of failure of the tool, which decide its exit code: a command line it does
// not understand (2) and input it cannot use (1). The library's own exceptions are input
// errors too.

#include <string>

#include "platform/Exceptions.hpp"

namespace fuzzy::tool {

inline constexpr int ExitOk = 0;
inline constexpr int ExitInputError = 1;
inline constexpr int ExitUsageError = 2;

/// A command line the tool does not understand: an unknown command or option, a missing
/// or surplus argument.
FUZZY_DECLARE_EXCEPTION(EUsageError, Exception);

/// Input the tool cannot use, with the file it comes from and the line where there is one
/// (0 when there is none).
class EInputError : public Exception {
public:
    EInputError(std::string File, int Line, const std::string& Message)
        : Exception(Message), FFile(std::move(File)), FLine(Line) {}

    const std::string& GetFile() const { return FFile; }
    int GetLine() const { return FLine; }

private:
    std::string FFile;
    int FLine;
};

/// The one line that reports Error: "file:line: message", "file: message" without a line;
/// line breaks inside the message become spaces.
std::string DescribeInputError(const EInputError& Error);

} // namespace fuzzy::tool
