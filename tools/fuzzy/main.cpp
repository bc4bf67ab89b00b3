// fuzzy: the library's command-line tool.
//
//   fuzzy [--help | --version]
//   fuzzy COMMAND [OPTIONS] ARGUMENTS     (fuzzy COMMAND --help for its own help)
//
// Exit codes: 0 done, 1 input the command cannot use (reported as FILE:LINE: MESSAGE, or
// FILE: MESSAGE where there is no line), 2 a command line the tool does not understand.

#include <array>
#include <exception>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "Commands.hpp"
#include "ToolErrors.hpp"

#ifndef FUZZY_VERSION
#define FUZZY_VERSION "unknown"
#endif

namespace fuzzy::tool {
namespace {

using TCommands = std::array<const TCommand*, 5>;

std::string ToolHelp(const TCommands& Commands) {
    std::string text =
        "Usage: fuzzy COMMAND [OPTIONS] ARGUMENTS\n"
        "       fuzzy --help | --version\n"
        "\nChecks, prints, evaluates, draws and converts fuzzy-logic definition files.\n"
        "A FILE ending in .fll, .fcl or .fis is read in that format, with the methods and\n"
        "firing threshold it sets; any other is read in the library's definition language.\n"
        "\nCommands:\n";
    for (const TCommand* command : Commands) {
        std::string name = command->Name;
        name.resize(10, ' ');
        text += "  " + name + command->Summary + "\n";
    }
    return text + "\n'fuzzy COMMAND --help' describes a command. Exit codes: 0 done, 1 input "
                  "that\ncannot be used, 2 a command line that is not understood.\n";
}

/// True when Args ask for help before any "--".
bool AsksForHelp(const std::vector<std::string>& Args) {
    for (const std::string& arg : Args) {
        if (arg == "--")
            return false;
        if (arg == "--help" || arg == "-h")
            return true;
    }
    return false;
}

int Run(const TCommands& Commands, const std::vector<std::string>& Args, const TCommand*& Current) {
    if (Args.empty())
        throw EUsageError("no command given");
    if (Args[0] == "--help" || Args[0] == "-h") {
        std::cout << ToolHelp(Commands);
        return ExitOk;
    }
    if (Args[0] == "--version") {
        std::cout << "fuzzy " FUZZY_VERSION "\n";
        return ExitOk;
    }
    for (const TCommand* command : Commands)
        if (command->Name == Args[0])
            Current = command;
    if (Current == nullptr)
        throw EUsageError("unknown command '" + Args[0] + "'");
    const std::vector<std::string> rest(Args.begin() + 1, Args.end());
    if (AsksForHelp(rest)) {
        std::cout << DescribeArguments(Current->Name, Current->Arguments) << "\n"
                  << Current->Description;
        return ExitOk;
    }
    return Current->Run(TArguments(rest, Current->Arguments));
}

} // namespace
} // namespace fuzzy::tool

int main(int argc, char** argv) {
    using namespace fuzzy::tool;
    const TCommands commands{&CheckCommand(), &PrintCommand(), &EvalCommand(), &PlotCommand(),
                             &ConvertCommand()};
    const TCommand* current = nullptr;
    try {
        const int result = Run(commands, std::vector<std::string>(argv + 1, argv + argc), current);
        std::cout.flush();
        if (!std::cout)
            throw EInputError("<stdout>", 0, "cannot write");
        return result;
    } catch (const EUsageError& error) {
        const std::string name = current ? "fuzzy " + current->Name : std::string("fuzzy");
        std::cerr << name << ": " << error.what() << " (see " << name << " --help)\n";
        return ExitUsageError;
    } catch (const EInputError& error) {
        std::cerr << DescribeInputError(error) << '\n';
    } catch (const fuzzy::Exception& error) {
        std::cerr << "fuzzy: " << error.what() << '\n';
    } catch (const std::bad_alloc&) {
        std::cerr << "fuzzy: out of memory\n";
    } catch (const std::exception& error) {
        // Not the library's refusal of an input, but still a message rather than an abort.
        std::cerr << "fuzzy: internal error: " << error.what() << '\n';
    }
    return ExitInputError;
}
