// What the writer writes reads back to the same curves and is written again unchanged.

#include <string>

#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

class RoundTrip : public ParserFixture {
protected:
    /// Writes every variable of Source, reads the text into a fresh component and checks
    /// that each defined term has the same points (to the four written decimals) and that
    /// the text written again is the same. Returns the first text.
    std::string Check(const std::string& Source) {
        Read(Source);
        std::string written;
        for (const TFuzzyVariable* variable : *Logic->GetItems())
            written += Parser->PrettyPrint(variable) + "\r\n";

        TParsedLogic again;
        again.Logic->SetAutoTerms(Logic->GetAutoTerms());
        again.Logic->SetNumFunctionValues(Logic->GetNumFunctionValues());
        again.Read(written);
        std::string rewritten;
        for (const TFuzzyVariable* variable : *again.Logic->GetItems())
            rewritten += again.Parser->PrettyPrint(variable) + "\r\n";
        EXPECT_EQ(rewritten, written);

        for (const TFuzzyVariable* variable : *Logic->GetItems())
            for (const TFuzzySet* term : *variable->GetItems()) {
                if (!term->GetDefined())
                    continue;
                SCOPED_TRACE(variable->GetName() + "." + term->GetName());
                const TFuzzySet* copy = again.Term(variable->GetName(), term->GetName());
                EXPECT_EQ(copy->GetComment(), term->GetComment());
                ExpectPoints(PointsOf(*copy->GetValues()), PointsOf(*term->GetValues()), 5e-5);
            }
        return written;
    }
};

TEST_F(RoundTrip, EveryTermShape) {
    const std::string text =
        Check("(deffuzzy shapes (range 0 20) (values"
              " (term z1 (z 2 8)) (term s1 (s 3.25 9)) (term t1 (tri 1 2.71828 4))"
              " (term pis (pi 2 5)) (term pia (pi 0 10 4))"
              " (term b2 (beta 2 10)) (term b3 (beta 2 10 1.5)) (term b4 (beta 3 10 1.5 2))"
              " (term pts ((0 0) (1.5 0.25) (2 1) (20 0)))))");
    // The short forms are the ones written.
    EXPECT_NE(text.find("(term pis (pi 2.0000 5.0000))"), std::string::npos);
    EXPECT_NE(text.find("(term pia (pi 0.0000 10.0000 4.0000))"), std::string::npos);
    EXPECT_NE(text.find("(term b2 (beta 2.0000 10.0000))"), std::string::npos);
    EXPECT_NE(text.find("(term t1 (tri 1.0000 2.7183 4.0000))"), std::string::npos);
}

TEST_F(RoundTrip, ExpressionsKeepTheirText) {
    const std::string text = Check("(deffuzzy e (range 0 10) (values"
                                   " (term cold ((0 1) (5 0))) (term hot ((5 0) (10 1)))"
                                   " (term mild not cold and not hot) (term half cold * 0.5)"
                                   " (term mix very cold or-sum [somewhat hot and-product cold])"
                                   " (term same cold)))");
    EXPECT_NE(text.find("(term half cold * 0.5)"), std::string::npos);
}

TEST_F(RoundTrip, CommentsAndUnitsWithSpacesQuotesAndBackslashes) {
    const std::string text =
        Check("(deffuzzy q \"a \\\"quoted\\\" \\\\ comment\" (units \"m per s\")"
              " (values (term t \"it's \\\"hot\\\"\" ((0 0) (1 1)))))"
              "(deffuzzy r (units \"\\\"in\\\"\"))");
    EXPECT_EQ(Variable("q")->GetComment(), "a \"quoted\" \\ comment");
    EXPECT_EQ(Variable("r")->GetUnits(), "\"in\"");
    EXPECT_NE(text.find("(units \"m per s\")"), std::string::npos);
}

TEST_F(RoundTrip, AutomaticTermsAreWrittenAsTheirPoints) {
    Logic->SetAutoTerms(true);
    const std::string text = Check("(deffuzzy a (range 0 30))");
    EXPECT_NE(text.find("(term low ((0.0000 1.0000) (30.0000 0.0000) ))"), std::string::npos);
}

// Shapes whose call would not make their points again are written as their points.
TEST_F(RoundTrip, ShapesClampedByTheAxisOrTooFlatForFourDecimals) {
    const std::string text =
        Check("(deffuzzy c (range 0 10) (values (term pl (pi 4 2))"
              " (term z0 (z -4 4)) (term s0 (s 6 14))"
              " (term t0 (tri -1 2 4))))"
              "(deffuzzy d (range 0 20) (values (term flat (beta 2 10 175))))");
    EXPECT_NE(text.find("(term pl (("), std::string::npos);
    EXPECT_NE(text.find("(term z0 (("), std::string::npos);
    EXPECT_NE(text.find("(term s0 (("), std::string::npos);
    EXPECT_NE(text.find("(term flat (("), std::string::npos);
    // A triangle clamped at a corner is still the triangle of its clamped corners.
    EXPECT_NE(text.find("(term t0 (tri 0.0000 2.0000 4.0000))"), std::string::npos);
}

TEST_F(RoundTrip, CurvesOfAnEvenNumberOfPoints) {
    for (const int points : {4, 6, 8}) {
        SCOPED_TRACE(points);
        TParsedLogic parsed;
        parsed.Logic->SetNumFunctionValues(points);
        Logic->SetNumFunctionValues(points);
        Logic->GetItems()->Clear();
        Check("(deffuzzy e (range 0 20) (values (term pis (pi 2 5)) (term pia (pi 0 10 4))"
              " (term b (beta 2 10 9)) (term s1 (s 3 9)) (term z1 (z 2 8))))");
    }
}

TEST_F(RoundTrip, EmptyBodiesEscapedAtomsAndBodiesStartingWithAString) {
    const std::string text = Check("(deffuzzy w\\ x (values (term b) (term a\\;b ((0 0) (1 1)))"
                                   " (term a\\(b ((0 1) (1 0))) (term c a\\;b or a\\(b)"
                                   " (term s \"\" \"a;b\" and a\\;b)))");
    EXPECT_NE(text.find("(term b )"), std::string::npos);
    EXPECT_NE(text.find("(deffuzzy w\\ x "), std::string::npos);
    EXPECT_NE(text.find("(term c a\\;b or a\\(b)"), std::string::npos);
    EXPECT_NE(text.find("(term s \"\" \"a;b\" and a\\;b)"), std::string::npos);
    EXPECT_EQ(Term("w x", "s")->GetComment(), "");
}

} // namespace
} // namespace fuzzy::test
