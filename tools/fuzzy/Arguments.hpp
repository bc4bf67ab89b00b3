#pragma once
// The command-line parser every subcommand shares: options in long ("--variable NAME",
// "--variable=NAME") and short ("-o OUT") form, positional arguments, "--" to end the
// options. A subcommand declares what it takes and gets the parsed values back.

#include <map>
#include <span>
#include <string>
#include <vector>

namespace fuzzy::tool {

/// An option a subcommand takes.
struct TOptionDeclaration {
    std::string Name;  // the long name, without "--"
    char Short = 0;    // the one-letter form, 0 for none
    std::string Value; // the value's name in the help ("NAME"); empty for a flag
    bool Repeatable = false;
    std::string Help;
};

/// What a subcommand takes: its options and how many positional arguments.
struct TCommandSyntax {
    std::vector<TOptionDeclaration> Options;
    std::string Positionals; // their names in the synopsis ("FILE...")
    int MinPositionals = 0;
    int MaxPositionals = 0; // -1: no limit
};

/// A parsed command line.
class TArguments {
public:
    /// Parses Args against Syntax. Raises EUsageError for an unknown option, an option
    /// without its value or given twice when it is not repeatable, a flag given a value,
    /// and too few or too many positional arguments.
    TArguments(std::span<const std::string> Args, const TCommandSyntax& Syntax);

    bool Has(const std::string& Option) const { return FValues.contains(Option); }
    /// The values of an option, in the order given (empty when it was not given).
    const std::vector<std::string>& GetAll(const std::string& Option) const;
    /// The value of an option given once, or Default when it was not given.
    std::string Get(const std::string& Option, const std::string& Default = "") const;
    const std::vector<std::string>& GetPositionals() const { return FPositionals; }

private:
    std::map<std::string, std::vector<std::string>> FValues;
    std::vector<std::string> FPositionals;
};

/// The synopsis and option list of a subcommand, for its --help.
std::string DescribeArguments(const std::string& Command, const TCommandSyntax& Syntax);

} // namespace fuzzy::tool
