#pragma once
// A logic component with rules, linked with a parser that reads them, for the rules' tests.

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {

/// Two inputs x and y on [0, 10] with the falling term low and the rising term high, and
/// the output out on [0, 100] with the triangles small and big.
inline constexpr const char* RuleTestVariables =
    "(deffuzzy x (range 0 10) (values (term low ((0 1) (10 0))) (term high ((0 0) (10 1)))))\n"
    "(deffuzzy y (range 0 10) (values (term low ((0 1) (10 0))) (term high ((0 0) (10 1)))))\n"
    "(deffuzzy out (range 0 100) (values (term small (tri 0 25 50)) (term big (tri 50 75 100))))\n";

/// A logic component with rules (without automatic terms) and a parser reading rules,
/// linked both ways.
class RuleFixture : public ::testing::Test,
                    public TBasicParsedLogic<TFuzzyRuleLogic, TKelFuzzyRuleParser> {
protected:
    RuleFixture() { Parser->SetReadRules(true); }

    TFuzzyRules& Rules() const { return *Logic->GetRules(); }
};

} // namespace fuzzy::test
