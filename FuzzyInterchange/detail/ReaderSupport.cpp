// Helpers shared by the readers.

#include "FuzzyInterchange/detail/ReaderSupport.hpp"

#include <algorithm>

#include "FuzzyInterchange/TermShapes.hpp"

namespace fuzzy::interchange {

void TakeRangeFromTerms(TVariableDescription& Variable, int Line) {
    const bool drawable =
        !Variable.Terms.empty() &&
        std::all_of(Variable.Terms.begin(), Variable.Terms.end(), [](const TTermDescription& term) {
            return GetTermShapeInfo(term.Shape).PiecewiseLinear;
        });
    if (!drawable)
        throw EFzyInterchangeException(Line, SIcNoRange, Variable.Name);
    bool first = true;
    for (const TTermDescription& term : Variable.Terms)
        for (const TDescribedPoint& point : ShapePoints(term.Shape, term.Parameters, 0, 1, Line)) {
            Variable.Minimum = first ? point.X : std::min(Variable.Minimum, point.X);
            Variable.Maximum = first ? point.X : std::max(Variable.Maximum, point.X);
            first = false;
        }
}

std::string BlockConnective(TNameTable<std::string_view> Table, const std::string& Name,
                            bool CaseSensitive, std::string_view What, int Line) {
    if (SameWord(Name, "none"))
        return {};
    const std::optional<std::string_view> word = ValueOf(Table, Name, CaseSensitive);
    if (!word)
        throw EFzyInterchangeException(Line, SIcUnsupported, std::string(What), Name);
    return std::string(*word);
}

} // namespace fuzzy::interchange
