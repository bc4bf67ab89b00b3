#pragma once
// Input values as the commands that evaluate rules take them: --input NAME=VALUE on the
// command line, or a cell of a file, each a finite number; and numbers as the commands write
// them.

#include <string>
#include <vector>

#include "Arguments.hpp"

namespace fuzzy::tool {

/// The --input NAME=VALUE option (-i), repeatable.
TOptionDeclaration InputOption();

/// Text as the value of the input called Input. Raises EInputError at File and Line when
/// it is not a finite number, or EUsageError when File is empty (a command-line value).
double InputNumber(const std::string& Text, const std::string& File, int Line,
                   const std::string& Input);

/// The shortest text that reads back as the same double, whatever the C locale: how the
/// commands write numbers.
std::string NumberText(double Value);

/// The values of the --input options for each of Names, in the order of Names. Raises
/// EUsageError for a value that is not NAME=VALUE, a name not among Names, a value that
/// is not a number, and a name of Names given no value.
std::vector<double> InputValues(const TArguments& Args, const std::vector<std::string>& Names);

} // namespace fuzzy::tool
