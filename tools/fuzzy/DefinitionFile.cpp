#include "DefinitionFile.hpp"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "ToolErrors.hpp"

namespace fuzzy::tool {

std::string ReadWholeFile(const std::string& Path) {
    std::error_code error;
    if (std::filesystem::is_directory(Path, error))
        throw EInputError(Path, 0, "is a folder, not a file");
    std::ifstream file(Path, std::ios::binary);
    if (!file)
        throw EInputError(Path, 0, std::string("cannot open: ") + std::strerror(errno));
    std::ostringstream text;
    text << file.rdbuf();
    if (file.bad())
        throw EInputError(Path, 0, "cannot be read");
    return text.str();
}

std::string InterchangeFormatOf(const std::string& Path) {
    const std::string extension = std::filesystem::path(Path).extension().string();
    for (const char* format : {"fll", "fcl", "fis"})
        if (extension == std::string(".") + format)
            return format;
    return "";
}

TControllerDescription ReadDescription(const std::string& Path, const std::string& Format) {
    const std::string text = ReadWholeFile(Path);
    try {
        if (Format == "fll")
            return ReadFll(text);
        if (Format == "fcl")
            return ReadFcl(text);
        return ReadFis(text);
    } catch (const EFzyInterchangeException& error) {
        throw EInputError(Path, error.GetLineNumber(), error.GetDetail());
    }
}

namespace {

// A premise on an output chains rules: the formats evaluate it on that output's result of the
// same pass. The library's rules take every variable a premise names as an input, so such a
// controller would answer something else; it is refused rather than changed.
void RefuseChainedRules(const std::string& Path, const TControllerDescription& Description) {
    for (std::size_t r = 0; r < Description.Rules.size(); ++r)
        for (const TPremiseDescription& premise : Description.Rules[r].Premises) {
            const TVariableDescription* variable = Description.FindVariable(premise.Variable);
            if (variable != nullptr && variable->Role == TVariableRole::vrOutput)
                throw EInputError(
                    Path, 0,
                    "rule " + std::to_string(r + 1) + " has a premise on the output variable \"" +
                        premise.Variable + "\": chained rules have no counterpart in the library");
        }
}

} // namespace

TDefinitionFile::TDefinitionFile(const std::string& Path, const std::string& Format) : FPath(Path) {
    FLogic->SetAutoTerms(false);
    FParser->SetReadRules(true);
    FParser->SetFuzzyLogic(FLogic.get());
    FLogic->SetParser(FParser.get());
    if (!Format.empty()) {
        const TControllerDescription description = ReadDescription(Path, Format);
        RefuseChainedRules(Path, description);
        try {
            FillFuzzyLogic(description, *FLogic);
            FillFuzzyRules(description, *FLogic->GetRules());
        } catch (const Exception& error) {
            throw EInputError(Path, 0, error.GetMessage());
        }
    } else {
        const std::string text = ReadWholeFile(Path);
        try {
            FParser->ParseFuzzyLogic(text, nullptr);
        } catch (const EFzyParseException& error) {
            throw EInputError(Path, error.GetLineNumber(), error.GetMessage());
        } catch (const Exception& error) {
            throw EInputError(Path, 0, error.GetMessage());
        }
    }
    if (FLogic->GetItems()->GetCount() == 0)
        throw EInputError(Path, 0, "defines no variable");
    try {
        // Rules name their variables and terms; preparing them checks every name.
        (void)TFuzzyRuleEvaluator(*FLogic);
    } catch (const Exception& error) {
        throw EInputError(Path, 0, error.GetMessage());
    }
}

void TDefinitionFile::RequireRules() const {
    if (FLogic->GetRules()->GetCount() == 0)
        throw EInputError(FPath, 0, "has no rules to evaluate");
}

const TFuzzyVariable& TDefinitionFile::GetVariable(const std::string& Name) const {
    for (const TFuzzyVariable* variable : GetVariables())
        if (variable->GetName() == Name)
            return *variable;
    std::string known;
    for (const TFuzzyVariable* variable : GetVariables())
        known += (known.empty() ? "" : ", ") + variable->GetName();
    throw EInputError(FPath, 0, "no variable '" + Name + "' (it defines " + known + ")");
}

std::vector<const TFuzzyVariable*> TDefinitionFile::GetVariables() const {
    std::vector<const TFuzzyVariable*> variables;
    for (const TFuzzyVariable* variable : *FLogic->GetItems())
        variables.push_back(variable);
    return variables;
}

} // namespace fuzzy::tool
