#pragma once
// A definition file read into a logic component: what check, print and plot work on (and
// what eval and convert will).

#include <memory>
#include <string>
#include <vector>

#include "FuzzyRules/FuzzyRules.hpp"

namespace fuzzy::tool {

/// Owns a logic component and its parser, filled from one file: its variables and its
/// rules. The terms are the file's own: the component adds no automatic terms to its
/// variables.
class TDefinitionFile {
public:
    /// Reads and parses Path. Raises EInputError naming the file (and the line, for text
    /// that does not read) when it cannot be opened or read, does not read, defines no
    /// variable, or has a rule naming a variable or term it does not define.
    explicit TDefinitionFile(const std::string& Path);

    const std::string& GetPath() const { return FPath; }
    const TFuzzyRuleLogic& GetLogic() const { return *FLogic; }
    const TKelFuzzyRuleParser& GetParser() const { return *FParser; }
    /// The variable called Name. Raises EInputError listing the file's variables when there
    /// is none of that name.
    const TFuzzyVariable& GetVariable(const std::string& Name) const;
    /// Every variable, in the order of the file.
    std::vector<const TFuzzyVariable*> GetVariables() const;

private:
    std::string FPath;
    std::unique_ptr<TFuzzyRuleLogic> FLogic{TFuzzyRuleLogic::Create(nullptr)};
    // Linked both ways with the component; whichever goes first clears the other's link.
    std::unique_ptr<TKelFuzzyRuleParser> FParser{TKelFuzzyRuleParser::Create(nullptr)};
};

/// The whole content of the file at Path. Raises EInputError when it cannot be opened or
/// read (a folder, a missing or unreadable file).
std::string ReadWholeFile(const std::string& Path);

} // namespace fuzzy::tool
