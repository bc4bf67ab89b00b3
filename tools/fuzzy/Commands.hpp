#pragma once
// The subcommands of the tool. Each lives in a file of its own (CheckCommand.cpp, ...) and
// is listed in main.cpp; a new one is a new file, a declaration here and a line there.

#include <string>

#include "Arguments.hpp"

namespace fuzzy::tool {

/// A subcommand: its name, what it takes, and the function that runs it. Run reports
/// problems by raising EUsageError or EInputError, or prints them itself when it goes on
/// past them (as check does over several files); it returns the exit code.
struct TCommand {
    std::string Name;
    std::string Summary;     // one line for the tool's --help
    std::string Description; // the text after the options in the command's --help
    TCommandSyntax Arguments;
    int (*Run)(const TArguments& Args);
};

const TCommand& CheckCommand();
const TCommand& PrintCommand();
const TCommand& PlotCommand();
const TCommand& EvalCommand();
const TCommand& ConvertCommand();

} // namespace fuzzy::tool
