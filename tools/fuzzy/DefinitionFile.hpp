#pragma once
// A definition file read into a logic component: what check, print, plot and eval work
// on. Besides the library's definition language it may be a controller in FLL, FCL or FIS
// (by its extension), read with its methods and threshold, which the definition language
// does not hold.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyInterchange/ControllerDescription.hpp"
#include "FuzzyRules/FuzzyRules.hpp"

namespace fuzzy::tool {

/// The interchange format Path's extension names ("fll", "fcl" or "fis"), or "" for any
/// other: the library's definition language.
std::string InterchangeFormatOf(const std::string& Path);

/// The controller in the file at Path, read in Format ("fll", "fcl" or "fis"). Raises
/// EInputError with the file and line of what does not read or cannot be expressed.
TControllerDescription ReadDescription(const std::string& Path, const std::string& Format);

/// Owns a logic component and its parser, filled from one file: its variables and its
/// rules, and from a file of an interchange format its methods and threshold too. The terms
/// are the file's own: the component adds no automatic terms to its variables.
class TDefinitionFile {
public:
    /// Reads and parses Path, in the format its extension names. Raises EInputError naming
    /// the file (and the line, for text that does not read) when it cannot be opened or
    /// read, does not read, defines no variable, or has a rule naming a variable or term it
    /// does not define.
    explicit TDefinitionFile(const std::string& Path)
        : TDefinitionFile(Path, InterchangeFormatOf(Path)) {}
    /// The same in the interchange format Format, or in the definition language for "".
    TDefinitionFile(const std::string& Path, const std::string& Format);

    const std::string& GetPath() const { return FPath; }
    const TFuzzyRuleLogic& GetLogic() const { return *FLogic; }
    /// The component to evaluate the rules on: a pass of the rules adds and removes terms
    /// of the output variables while it runs.
    TFuzzyRuleLogic& GetLogic() { return *FLogic; }
    const TKelFuzzyRuleParser& GetParser() const { return *FParser; }
    /// Raises EInputError naming the file when it has no rules: what the commands that
    /// evaluate them check first.
    void RequireRules() const;
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
