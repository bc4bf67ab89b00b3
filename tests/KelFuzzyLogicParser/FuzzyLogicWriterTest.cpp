#include <functional>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "support/PointListHelpers.hpp"

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

// Comments escape their quotes and backslashes.
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

TEST_F(Writer, LeavesOutUndefinedTermsAndEmptyClauses) {
    Var->SetName("v");
    Term("aux").CreateTriangleFunctionValues(0, 0.5, 1);
    Var->GetItems()->GetItem(0)->SetDefined(false);
    EXPECT_EQ(PrettyPrintFuzzyVariable(*Var),
              "(deffuzzy v \r\n  (range 0.0000 1.0000)\r\n  (values \r\n  )\r\n)");
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

} // namespace
} // namespace fuzzy::test
