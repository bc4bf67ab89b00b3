// A description's rules become rule objects and back: hedges outermost first in the
// description, innermost first in a rule; one premise without a connective reads as "and".

#include <gtest/gtest.h>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "support/Raises.hpp"

namespace fuzzy::test {
namespace {

TEST(RuleBridge, RulesGoToTheBlockAndComeBackTheSame) {
    TControllerDescription description;
    description.Rules = {
        {{{"a", "t", {"very", "somewhat"}, true}}, "", {{"b", "u"}}, 0.5},
        {{{"a", "t", {}, false}, {"c", "v", {}, false}}, "or-sum", {{"b", "u"}, {"d", "w"}}, 1}};
    TFuzzyRules rules(nullptr);
    FillFuzzyRules(description, rules);
    ASSERT_EQ(rules.GetCount(), 2);
    // "very somewhat t": somewhat applies first.
    EXPECT_EQ(rules[0]->GetPremises().front().Hedges,
              (std::vector<TFuzzyHedge>{TFuzzyHedge::fhSomewhat, TFuzzyHedge::fhVery}));
    EXPECT_EQ(rules[0]->GetConnective(), "and");
    EXPECT_EQ(rules[1]->GetConnective(), "or-sum");

    TControllerDescription back;
    DescribeFuzzyRules(rules, back);
    EXPECT_EQ(back.Rules, description.Rules);

    description.Rules = {{{{"a", "t", {"wobbly"}, false}}, "", {{"b", "u"}}, 1}};
    EXPECT_RAISES(FillFuzzyRules(description, rules), EFzyInterchangeException,
                  "Rule hedge \"wobbly\" is not a word of the library");
}

} // namespace
} // namespace fuzzy::test
