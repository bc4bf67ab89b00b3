// Look-ups in a controller description.

#include "FuzzyInterchange/ControllerDescription.hpp"

#include <algorithm>

namespace fuzzy {

const TVariableDescription*
TControllerDescription::FindVariable(const std::string& VariableName) const {
    const auto found =
        std::find_if(Variables.begin(), Variables.end(), [&](const TVariableDescription& variable) {
            return variable.Name == VariableName;
        });
    return found == Variables.end() ? nullptr : &*found;
}

const TTermDescription* FindTerm(const TVariableDescription& Variable,
                                 const std::string& TermName) {
    const auto found =
        std::find_if(Variable.Terms.begin(), Variable.Terms.end(),
                     [&](const TTermDescription& term) { return term.Name == TermName; });
    return found == Variable.Terms.end() ? nullptr : &*found;
}

} // namespace fuzzy
