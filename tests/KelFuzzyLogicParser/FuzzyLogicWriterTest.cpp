#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

class Writer : public ::testing::Test {
protected:
    std::unique_ptr<TFuzzyVariable> Var{TFuzzyVariable::Create(nullptr)};

    TFuzzySet& Term(const std::string& Name) {
        TFuzzySet* term = Var->GetItems()->Add(Name);
        term->SetDefined(true);
        return *term;
    }
};

// Comments escape their quotes and backslashes; undefined terms are left out.
TEST_F(Writer, WritesTheVariableWithCommentRangeUnitsAndTermsInOrder) {
    Var->SetName("temperature");
    Var->SetComment("say \"hi\" \\ bye");
    Var->SetMaximum(40);
    Var->SetUnits("C");
    TFuzzySet& cold = Term("cold");
    cold.SetComment("a \"b\"");
    cold.CreateCurveValues(7, 10, 18, 14, false);
    Term("warm").CreateTriangleFunctionValues(15, 21, 27);
    Term("hot").CreateCurveValues(7, 24, 30, 27, true);
    Load(*Term("odd").GetValues(), {{0, 0}, {5, 1}, {10, 0}});
    Term("aux").SetDefined(false); // left out
    EXPECT_EQ(PrettyPrintFuzzyVariable(*Var),
              "(deffuzzy temperature \r\n"
              "  \"say \\\"hi\\\" \\\\ bye\"\r\n"
              "  (range 0.0000 40.0000)\r\n"
              "  (units C)\r\n"
              "  (values \r\n"
              "    (term cold \"a \\\"b\\\"\" (z 10.0000 18.0000))\r\n"
              "    (term warm (tri 15.0000 21.0000 27.0000))\r\n"
              "    (term hot (s 24.0000 30.0000))\r\n"
              "    (term odd ((0.0000 0.0000) (5.0000 1.0000) (10.0000 0.0000) ))\r\n"
              "  )\r\n"
              ")");
}

TEST_F(Writer, QuotesUnitsThatWouldNotReadBackAsTheSameAtom) {
    const struct {
        const char* Units;
        const char* Written;
    } cases[] = {
        {"m s", "\"m s\""}, {"kg", "kg"},           {"x=y", "x=y"},         {"-", "-"},
        {"12", "12"},       {"0.5", "0.5"},         {"12.0", "\"12.0\""},   {"1e5", "\"1e5\""},
        {"+5", "\"+5\""},   {"?x", "\"?x\""},       {"=x", "\"=x\""},       {"a(b", "\"a(b\""},
        {"a;b", "\"a;b\""}, {"a\"b", "\"a\\\"b\""}, {"a\\b", "\"a\\\\b\""}, {"m\tq", "\"m\tq\""},
    };
    for (const auto& c : cases) {
        Var->SetUnits(c.Units);
        const std::string text = PrettyPrintFuzzyVariable(*Var);
        EXPECT_NE(text.find(std::string("\r\n  (units ") + c.Written + ")\r\n"), std::string::npos)
            << c.Units << " gave " << text;
    }
}

TEST_F(Writer, WritesEachTermBodyByItsShape) {
    const struct {
        const char* Name;
        std::function<void(TFuzzySet&)> Build;
        const char* Written;
    } cases[] = {
        {"pi symmetric", [](TFuzzySet& s) { s.CreatePIFunctionValues(7, 2, 5); },
         "(pi 2.0000 5.0000)"},
        {"pi asymmetric", [](TFuzzySet& s) { s.CreatePIFunctionValues(7, 0, 10, 4); },
         "(pi 0.0000 10.0000 4.0000)"},
        {"beta halfway", [](TFuzzySet& s) { s.CreateBetaCurveFunctionValues(7, 4, 10, 8); },
         "(beta 4.0000 10.0000)"},
        {"beta inflection", [](TFuzzySet& s) { s.CreateBetaCurveFunctionValues(7, 4, 10, 2); },
         "(beta 4.0000 10.0000 2.0000)"},
        {"beta weight", [](TFuzzySet& s) { s.CreateBetaCurveFunctionValues(7, 4, 10, 2, 0.5); },
         "(beta 4.0000 10.0000 2.0000 0.5000)"},
        {"beta weight halfway",
         [](TFuzzySet& s) { s.CreateBetaCurveFunctionValues(7, 4, 10, 8, 2); },
         "(beta 4.0000 10.0000 8.0000 2.0000)"},
        {"beta of three points", // the call would read back as seven points
         [](TFuzzySet& s) { s.CreateBetaCurveFunctionValues(3, 4, 10, 2); },
         "((6.0000 0.2000) (10.0000 1.0000) (14.0000 0.2000) )"},
        {"rounded",
         [](TFuzzySet& s) {
             Load(*s.GetValues(), {{2.71828, 1}});
         },
         "((2.7183 1.0000) )"},
        {"no points", [](TFuzzySet&) {}, ""}, // "()" would not read
        {"expression", [](TFuzzySet& s) { s.SetExpression("very warm"); }, "very warm"},
        {"own name as expression",
         [](TFuzzySet& s) {
             Load(*s.GetValues(), {{0, 1}, {1, 0}});
             s.SetExpression(s.GetName());
         },
         "((0.0000 1.0000) (1.0000 0.0000) )"},
    };
    Var->SetMaximum(20); // points are kept inside the variable's range
    for (const auto& c : cases) {
        TFuzzySet& term = Term("t");
        c.Build(term);
        EXPECT_EQ(PrettyPrintFuzzySet(term, true), std::string("(term t ") + c.Written + ")")
            << c.Name;
    }
}

TEST_F(Writer, WritesANameOrTheExpressionOfAPlaceholderInsideExpressions) {
    TFuzzySet& named = Term("warm");
    named.SetExpression("very hot");
    EXPECT_EQ(PrettyPrintFuzzySet(named, false), "warm");
    named.SetName(SEmptyFuzzy);
    EXPECT_EQ(PrettyPrintFuzzySet(named, false), "very hot");
}

// What the writer writes reads back to the same curves and is written again unchanged.

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
// decimals, an automatic term); expressions, escapes and comments as they were read.
TEST(RoundTrip, EveryTermShapeExpressionAndEscape) {
    const struct {
        std::string Source;
        std::vector<std::string> Written;
        bool AutoTerms = false;
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
        {"(deffuzzy a (range 0 30))", {"(term low ((0.0000 1.0000) (30.0000 0.0000) ))"}, true},
        {"(deffuzzy w\\ x (values (term b) (term a\\;b ((0 0) (1 1))) (term a\\(b ((0 1) (1 0)))"
         " (term c a\\;b or a\\(b) (term s \"\" \"a;b\" and a\\;b)))",
         {"(deffuzzy w\\ x ", "(term b )", "(term c a\\;b or a\\(b)",
          "(term s \"\" \"a;b\" and a\\;b)"}},
    };
    for (const auto& c : cases) {
        const std::string written = RoundTrip(c.Source, c.AutoTerms);
        for (const std::string& part : c.Written)
            EXPECT_NE(written.find(part), std::string::npos) << part << " in " << written;
    }
    for (const int points : {4, 6, 8}) { // curves of an even number of points
        SCOPED_TRACE(points);
        RoundTrip("(deffuzzy e (range 0 20) (values (term pis (pi 2 5)) (term pia (pi 0 10 4))"
                  " (term b (beta 2 10 9)) (term s1 (s 3 9)) (term z1 (z 2 8))))",
                  false, points);
    }
}

} // namespace
} // namespace fuzzy::test
