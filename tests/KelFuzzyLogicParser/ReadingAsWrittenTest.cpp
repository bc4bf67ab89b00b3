// A term reads as written, or not at all: point lists keep every point they list, every
// X ends inside the axis, and a failed read leaves no half-made term behind.

#include <string>
#include <vector>

#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

using ReadingAsWritten = ParserFixture;

// The body, on a variable over 0..10, read both as a term's point list and as a point-list
// operand of an expression (grouped, so that the body does not begin with a round bracket).
TEST_F(ReadingAsWritten, PointListsKeepEveryPointTheyList) {
    const struct {
        std::string Body;
        TPoints Points;
    } cases[] = {
        {"((2 0) (2 1) (5 1) (5 0))", {{2, 0}, {2, 1}, {5, 1}, {5, 0}}},
        {"((0 0) (4 0) (4 1) (10 1))", {{0, 0}, {4, 0}, {4, 1}, {10, 1}}},
        {"((5 0) (1 1) (8 1))", {{1, 1}, {5, 0}, {8, 1}}}, // sorted once, at the end
    };
    for (const auto& c : cases) {
        TParsedLogic parsed;
        parsed.Read("(deffuzzy v (range 0 10) (values (term p " + c.Body + ") (term e [" + c.Body +
                    "])))");
        for (const char* term : {"p", "e"}) {
            SCOPED_TRACE(c.Body + " as " + term);
            ExpectPoints(PointsOf(*parsed.Term("v", term)->GetValues()), c.Points);
        }
    }
}

TEST_F(ReadingAsWritten, ANumberOperandEndsInsideTheAxis) {
    Read("(deffuzzy u (range 0 1) (values (term n 2)))");
    for (const TFuzzySetValue* point : *Term("u", "n")->GetValues())
        EXPECT_EQ(point->GetX(), 1);
}

TEST_F(ReadingAsWritten, ATermReportsItsReadingOnce) {
    int changes = 0;
    Logic->SetOnFuzzySetChange([&](TObject*, TFuzzySet*) { ++changes; });
    Read("(deffuzzy v (range 0 10) (values (term p ((2 0) (2 1) (5 1) (5 0) (7 0.5)))))");
    const int perPointList = changes;
    changes = 0;
    Read("(deffuzzy w (range 0 10) (values (term p ((2 0) (7 0.5)))))");
    EXPECT_EQ(changes, perPointList); // the same, however many points the list holds
}

// Each text fails; no term of the failed read is left, under its name or another.
TEST_F(ReadingAsWritten, AFailedTermLeavesNoHalfMadeTerm) {
    const char* failingTerms[] = {
        "(term t u or ((0 0) (1 x))))",
        "(term t u or (tri 0 1))))",
        "(term t (tri 1 2))))",
        "(term very ((0 0) (1 1))))",
        "(term t u",
        "(term t",
    };
    for (const char* failing : failingTerms) {
        TParsedLogic parsed;
        EXPECT_NE(
            parsed.ErrorOf(std::string("(deffuzzy v (values (term u ((0 0) (1 1))) ") + failing),
            "")
            << failing;
        std::vector<std::string> names;
        for (const TFuzzySet* term : *parsed.Variable("v")->GetItems())
            names.push_back(term->GetName());
        EXPECT_EQ(names, (std::vector<std::string>{"u"})) << failing;
    }
}

TEST_F(ReadingAsWritten, ATermNeedsAVariable) {
    EXPECT_RAISES((void)Parser->ParseFuzzySet(nullptr, "(term t ((0 0) (1 1)))", nullptr),
                  EFzyParseException,
                  "Parsing Error, fuzzy variable is not defined in ParseFuzzySet at line 1: "
                  "\"( term t \"");
}

TEST_F(ReadingAsWritten, ATermThatFailsAtTheEndOfTheTextLeavesTheAutomaticTermItsName) {
    Logic->SetAutoTerms(true);
    EXPECT_NE(ErrorOf("(deffuzzy v (range 0 10) (values (term low"), "");
    const TFuzzySet* low = Term("v", "low");
    EXPECT_TRUE(low->GetDefined());
    ExpectPoints(PointsOf(*low->GetValues()), {{0, 1}, {10, 0}});
}

// An empty body names the placeholder; when the placeholder was made before, the term gets
// a copy of it, and a failed read leaves the placeholder as it was.
TEST_F(ReadingAsWritten, AnEmptyBodyDoesNotTakeAnOlderPlaceholder) {
    Read("(deffuzzy v)");
    TFuzzyVariable* v = Variable("v");
    const TFuzzySet* placeholder = Parser->EvalFuzzyExpression(v, "");
    EXPECT_THROW((void)Parser->ParseFuzzySet(v, "(term z", nullptr), EFzyParseException);
    const TFuzzySet* b = Parser->ParseFuzzySet(v, "(term b)", nullptr);
    EXPECT_NE(b, placeholder);
    EXPECT_EQ(placeholder->GetName(), "__Empty");
    std::vector<std::string> names;
    for (const TFuzzySet* term : *v->GetItems())
        names.push_back(term->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"__Empty", "b"}));
}

} // namespace
} // namespace fuzzy::test
