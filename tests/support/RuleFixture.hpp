#pragma once
// A logic component with rules, linked with a parser that reads them, for the rules' tests.

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyRules/FuzzyRules.hpp"

namespace fuzzy::test {

/// Two inputs x and y on [0, 10] with the falling term low and the rising term high, and
/// the output out on [0, 100] with the triangles small and big.
inline constexpr const char* RuleTestVariables =
    "(deffuzzy x (range 0 10) (values (term low ((0 1) (10 0))) (term high ((0 0) (10 1)))))\n"
    "(deffuzzy y (range 0 10) (values (term low ((0 1) (10 0))) (term high ((0 0) (10 1)))))\n"
    "(deffuzzy out (range 0 100) (values (term small (tri 0 25 50)) (term big (tri 50 75 100))))\n";

/// A logic component with rules (without automatic terms) and a parser reading rules,
/// linked both ways.
class RuleFixture : public ::testing::Test {
protected:
    RuleFixture() {
        Logic->SetAutoTerms(false);
        Parser->SetReadRules(true);
        Parser->SetFuzzyLogic(Logic.get());
        Logic->SetParser(Parser.get());
    }

    /// Parses Text into the component (what it has is kept).
    void Read(const std::string& Text) { Parser->ParseFuzzyLogic(Text, nullptr); }

    /// The message of the exception that parsing Text raises ("" when it reads).
    std::string ErrorOf(const std::string& Text) {
        try {
            Read(Text);
        } catch (const EFzyException& error) {
            return error.what();
        }
        return "";
    }

    TFuzzyRules& Rules() const { return *Logic->GetRules(); }

    std::unique_ptr<TFuzzyRuleLogic> Logic{TFuzzyRuleLogic::Create(nullptr)};
    std::unique_ptr<TKelFuzzyRuleParser> Parser{TKelFuzzyRuleParser::Create(nullptr)};
};

} // namespace fuzzy::test
