#pragma once
// A logic component linked with a definition-language parser, for the parser's tests.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "support/PointListHelpers.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {

/// A logic component (without automatic terms) and a parser, linked both ways; of the
/// classes given (rules' tests use the component and parser with rules).
template <class TLogic, class TParser>
struct TBasicParsedLogic {
    TBasicParsedLogic() {
        Logic->SetAutoTerms(false);
        Parser->SetFuzzyLogic(Logic.get());
        Logic->SetParser(Parser.get());
    }

    /// Parses Text into the component (its variables are kept).
    void Read(const std::string& Text) { Parser->ParseFuzzyLogic(Text, nullptr); }

    /// The message of the exception that parsing Text raises ("" when it reads).
    std::string ErrorOf(const std::string& Text) {
        return MessageOf<EFzyException>([&] { Read(Text); });
    }

    TFuzzyVariable* Variable(const std::string& Name) const {
        return Logic->GetItems()->GetItemByName(Name);
    }
    TFuzzySet* Term(const std::string& VariableName, const std::string& Name) const {
        return Variable(VariableName)->GetItems()->GetItemByName(Name);
    }

    std::unique_ptr<TLogic> Logic{TLogic::Create(nullptr)};
    std::unique_ptr<TParser> Parser{TParser::Create(nullptr)};
};

using TParsedLogic = TBasicParsedLogic<TFuzzyLogic, TKelFuzzyLogicParser>;

class ParserFixture : public ::testing::Test, public TParsedLogic {};

} // namespace fuzzy::test
