// What the writer writes reads back to the same curves and is written again unchanged.

#include <string>
#include <vector>

#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

/// Reads Source into a component of these settings, writes every variable, reads the text
/// into a fresh component and checks that each defined term has the same points (to the
/// four written decimals) and comment, and that the text written again is the same.
/// Returns the first text.
std::string RoundTrip(const std::string& Source, bool AutoTerms = false, int CurvePoints = 7) {
    TParsedLogic first;
    TParsedLogic again;
    for (TParsedLogic* parsed : {&first, &again}) {
        parsed->Logic->SetAutoTerms(AutoTerms);
        parsed->Logic->SetNumFunctionValues(CurvePoints);
    }
    const auto writeAll = [](const TParsedLogic& Parsed) {
        std::string text;
        for (const TFuzzyVariable* variable : *Parsed.Logic->GetItems())
            text += Parsed.Parser->PrettyPrint(variable) + "\r\n";
        return text;
    };
    first.Read(Source);
    const std::string written = writeAll(first);
    again.Read(written);
    EXPECT_EQ(writeAll(again), written);
    for (const TFuzzyVariable* variable : *first.Logic->GetItems())
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

// Each text with what its written form holds: the short form of a call where it makes the
// same points again, else the points (a shape clamped by the axis or too flat for four
// decimals); expressions, escapes and comments as they were read.
TEST(RoundTrip, EveryTermShapeExpressionAndEscape) {
    const struct {
        std::string Source;
        std::vector<std::string> Written;
    } cases[] = {
        {"(deffuzzy shapes (range 0 20) (values (term z1 (z 2 8)) (term s1 (s 3.25 9))"
         " (term t1 (tri 1 2.71828 4)) (term pis (pi 2 5)) (term pia (pi 0 10 4))"
         " (term b2 (beta 2 10)) (term b3 (beta 2 10 1.5)) (term b4 (beta 3 10 1.5 2))"
         " (term pts ((0 0) (1.5 0.25) (2 1) (20 0)))))",
         {"(term t1 (tri 1.0000 2.7183 4.0000))"}},
        {"(deffuzzy e (range 0 10) (values (term cold ((0 1) (5 0))) (term hot ((5 0) (10 1)))"
         " (term mild not cold and not hot) (term half cold * 0.5)"
         " (term mix very cold or-sum [somewhat hot and-product cold]) (term same cold)))",
         {"(term half cold * 0.5)"}},
        {"(deffuzzy q \"a \\\"quoted\\\" \\\\ comment\" (units \"m per s\")"
         " (values (term t \"it's \\\"hot\\\"\" ((0 0) (1 1)))))(deffuzzy r (units "
         "\"\\\"in\\\"\"))",
         {"(units \"m per s\")", "(units \"\\\"in\\\"\")"}},
        {"(deffuzzy c (range 0 10) (values (term pl (pi 4 2)) (term z0 (z -4 4))"
         " (term s0 (s 6 14)) (term t0 (tri -1 2 4))))"
         "(deffuzzy d (range 0 20) (values (term flat (beta 2 10 175))))",
         // A triangle clamped at a corner is still the triangle of its clamped corners.
         {"(term pl ((", "(term z0 ((", "(term s0 ((", "(term flat ((",
          "(term t0 (tri 0.0000 2.0000 4.0000))"}},
        {"(deffuzzy w\\ x (values (term b) (term a\\;b ((0 0) (1 1))) (term a\\(b ((0 1) (1 0)))"
         " (term c a\\;b or a\\(b) (term s \"\" \"a;b\" and a\\;b)))",
         {"(deffuzzy w\\ x ", "(term b )", "(term c a\\;b or a\\(b)",
          "(term s \"\" \"a;b\" and a\\;b)"}},
    };
    for (const auto& c : cases) {
        const std::string written = RoundTrip(c.Source);
        for (const std::string& part : c.Written)
            EXPECT_NE(written.find(part), std::string::npos) << part << " in " << written;
    }
}

TEST(RoundTrip, AutomaticTermsAreWrittenAsTheirPoints) {
    EXPECT_NE(RoundTrip("(deffuzzy a (range 0 30))", true)
                  .find("(term low ((0.0000 1.0000) (30.0000 0.0000) ))"),
              std::string::npos);
}

TEST(RoundTrip, CurvesOfAnEvenNumberOfPoints) {
    for (const int points : {4, 6, 8}) {
        SCOPED_TRACE(points);
        RoundTrip("(deffuzzy e (range 0 20) (values (term pis (pi 2 5)) (term pia (pi 0 10 4))"
                  " (term b (beta 2 10 9)) (term s1 (s 3 9)) (term z1 (z 2 8))))",
                  false, points);
    }
}

} // namespace
} // namespace fuzzy::test
