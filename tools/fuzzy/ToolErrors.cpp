#include "ToolErrors.hpp"

#include <algorithm>

namespace fuzzy::tool {

std::string DescribeInputError(const EInputError& Error) {
    std::string message = Error.GetMessage();
    std::replace_if(
        message.begin(), message.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    std::string where = Error.GetFile();
    if (Error.GetLine() > 0)
        where.append(":").append(std::to_string(Error.GetLine()));
    return where.append(": ").append(message);
}

} // namespace fuzzy::tool
