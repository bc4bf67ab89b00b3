#include "FuzzyLogic/FuzzyAutoTerms.hpp"

#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzySet.hpp"

namespace fuzzy {

static_assert(std::string_view(AutoTermNames[0]) == SLowFuzzyTerm &&
              std::string_view(AutoTermNames[1]) == SMediumFuzzyTerm &&
              std::string_view(AutoTermNames[2]) == SHighFuzzyTerm);

void ShapeAutoTerm(TFuzzySet& Term, TFzyFloat Minimum, TFzyFloat Maximum) {
    const std::string name = Term.GetName();
    if (name == SMediumFuzzyTerm) {
        Term.CreateTriangleFunctionValues(Minimum, Minimum + (Maximum - Minimum) / 2, Maximum);
    } else {
        const bool rising = name == SHighFuzzyTerm;
        Term.GetValues()->Add(Minimum, rising ? 0 : 1);
        Term.GetValues()->Add(Maximum, rising ? 1 : 0);
    }
    Term.SetExpression(name);
}

} // namespace fuzzy
