#pragma once
// Shared by the interchange tests: the example files, a description's outline and the line
// of a raised error.

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {

inline std::string ReadDataFile(const std::string& Name) {
    std::ifstream file(std::string(FUZZY_TEST_DATA_DIR) + "/interchange/" + Name, std::ios::binary);
    EXPECT_TRUE(file.good()) << Name;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

/// Each variable as "name in|out minimum..maximum (terms)", then the number of rules.
inline std::string Outline(const TControllerDescription& Description) {
    std::ostringstream text;
    for (const TVariableDescription& variable : Description.Variables)
        text << variable.Name << (variable.Role == TVariableRole::vrInput ? " in " : " out ")
             << variable.Minimum << ".." << variable.Maximum << " (" << variable.Terms.size()
             << "), ";
    text << Description.Rules.size() << " rules";
    return text.str();
}

/// The end of the readers' messages for what the library cannot express.
inline const std::string NoCounterpart = " has no counterpart in the library";

/// Succeeds when Action raises EFzyInterchangeException with exactly this line and text.
inline ::testing::AssertionResult RaisesAtLine(const std::function<void()>& Action, int Line,
                                               const std::string& Detail) {
    const auto error = RaisedBy<EFzyInterchangeException>(Action);
    if (error && error->GetLineNumber() == Line && error->GetDetail() == Detail)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "raised \"" << (error ? error->what() : "") << "\"";
}

/// A text that a reader must refuse: Base with From replaced by To, refused at Line.
struct TTextRefusal {
    std::string From;
    std::string To;
    int Line;
    std::string Detail;
};

inline ::testing::AssertionResult
Refuses(const std::function<TControllerDescription(std::string_view)>& Read, std::string Base,
        const TTextRefusal& Refusal) {
    const std::size_t at = Base.find(Refusal.From);
    if (at == std::string::npos)
        return ::testing::AssertionFailure() << "no \"" << Refusal.From << "\" in the text";
    Base.replace(at, Refusal.From.size(), Refusal.To);
    return RaisesAtLine([&] { static_cast<void>(Read(Base)); }, Refusal.Line, Refusal.Detail);
}

} // namespace fuzzy::test
