#pragma once
// The last step of every reader and the first of every writer: a description is whole
// and consistent, or an exception names what is wrong and where it was read.

#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"

namespace fuzzy::interchange {

/// Where the parts of a description were read, for the messages. A part without a line
/// (missing entries, or a description that was not read) is reported without one.
struct TSourceLines {
    std::vector<int> Variables;
    /// Per variable, per term.
    std::vector<std::vector<int>> Terms;
    std::vector<int> Rules;

    [[nodiscard]] int Variable(std::size_t Index) const;
    [[nodiscard]] int Term(std::size_t VariableIndex, std::size_t TermIndex) const;
    [[nodiscard]] int Rule(std::size_t Index) const;
};

/// Checks the description (see CheckDescription), then computes every term's points from
/// its shape over its variable's range.
void FinishDescription(TControllerDescription& Description, const TSourceLines& Lines);

/// Raises EFzyInterchangeException at the line of the first fault: a variable or term
/// name that is empty or given twice, a range that is not finite or not increasing, a rule
/// without premise or conclusion, naming an unknown variable or term, concluding on an
/// input, joining premises without a connective, using a connective or hedge that is not
/// a word of the library, or weighing outside [0, 1].
void CheckDescription(const TControllerDescription& Description, const TSourceLines& Lines = {});

} // namespace fuzzy::interchange
