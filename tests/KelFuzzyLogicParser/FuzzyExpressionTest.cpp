// Term bodies that are expressions or calls of the built-in functions.

#include <random>
#include <string>
#include <vector>

#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "platform/PostFix.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

// A variable "t" on [0, 10] with the defined terms cold, warm and hot.
class Expressions : public ParserFixture {
protected:
    Expressions() {
        Read("(deffuzzy t (range 0 10) (values"
             " (term cold ((0 1) (5 0))) (term warm (tri 2 5 8)) (term hot ((5 0) (10 1)))))");
        T = Variable("t");
    }

    TFuzzySet* Eval(const std::string& Expression) {
        return Parser->EvalFuzzyExpression(T, Expression);
    }
    std::string EvalError(const std::string& Expression) {
        return MessageOf<EFzyException>([&] { (void)Eval(Expression); });
    }
    int Count() const { return T->GetItems()->GetCount(); }

    TFuzzyVariable* T = nullptr;
};

// Hedges work on a copy of a defined term; a number after a base hedge operator becomes an
// auxiliary spike term of its own; point lists and calls are operands; an empty expression
// is the placeholder term, made once.
TEST_F(Expressions, OperandsAndHedges) {
    TFuzzySet* cold = Term("t", "cold");
    TFuzzySet* veryCold = Eval("very cold");
    EXPECT_NE(veryCold, cold);
    EXPECT_FALSE(veryCold->GetDefined());
    EXPECT_EQ(veryCold->GetName(), "very cold");
    ExpectPoints(PointsOf(*cold->GetValues()), {{0, 1}, {5, 0}});
    EXPECT_NEAR(veryCold->DegreeOfMembership(2.5), 0.25, 1e-9);

    const int before = Count();
    EXPECT_NEAR(Eval("cold * 0.5")->DegreeOfMembership(0), 0.5, 1e-9);
    EXPECT_EQ(Count(), before + 2); // the spike and the copy of cold
    EXPECT_FALSE(T->GetItems()->GetItemByName("0.5")->GetDefined());

    ExpectPoints(PointsOf(*Eval("((0 0) (5 1) (10 0))")->GetValues()), {{0, 0}, {5, 1}, {10, 0}});
    EXPECT_EQ(Eval("(tri 1 2 3)")->GetSetType(), TFuzzySetType::fstTriangle);
    TFuzzySet* empty = Eval("");
    EXPECT_EQ(empty->GetName(), "__Empty");
    EXPECT_EQ(Eval("   "), empty);
}

TEST_F(Expressions, SquareBracketsGroupAndConnectivesCombine) {
    // At 6 cold is 0, warm 2/3 and hot 0.2: the grouping decides between 0 and 0.2.
    EXPECT_NEAR(Eval("cold and [warm or hot]")->DegreeOfMembership(6), 0, 1e-9);
    EXPECT_NEAR(Eval("cold and warm or hot")->DegreeOfMembership(6), 0.2, 1e-9);
    EXPECT_NEAR(Eval("not very cold")->DegreeOfMembership(2.5), 0.75, 1e-9);
    EXPECT_EQ(Eval("cold and-product warm")->GetName(), "cold and-product warm");
}

TEST_F(Expressions, QuotedTextNamesATerm) {
    EXPECT_EQ(Eval("\"warm\""), Term("t", "warm"));
    EXPECT_EQ(Eval("\"warm\" or cold")->GetName(), "warm or cold");
}

TEST_F(Expressions, QuestionVariablesReadTheirTextFromTheComponent) {
    Logic->GetVariables()->SetValue("Limit", "very hot");
    TFuzzySet* limit = Eval("?limit");
    EXPECT_EQ(limit->GetName(), "limit");
    EXPECT_NEAR(limit->DegreeOfMembership(7.5), 0.25, 1e-9);
    Logic->GetVariables()->SetValue("loop", "?loop");
    EXPECT_NE(EvalError("?loop"), ""); // a variable reading itself stops with an error
}

TEST_F(Expressions, ErrorsNameTheOffendingItem) {
    const struct {
        const char* Expression;
        const char* Message;
    } cases[] = {
        {"cold or", "Missing fuzzy operand to be modified by hedge: or"},
        {"very", "Missing fuzzy operand to be modified by hedge: very"},
        {"cold *", "Missing fuzzy operand to be modified by hedge: *"},
        {"chilly", "Invalid item in fuzzy expression: chilly"},
        {"()", "Invalid item in fuzzy expression: ()"},
        {"((0 0) (5))", "Invalid X/Y value pair: (5)"},
        {"((0 0) (5 1 2))", "Invalid X/Y value pair: (5 1 2)"},
        {"((0 0) (5 x))", "Expected number"},
        {"cold and (warm or hot)", "Unknown function name: \"warm\""},
        {"cold or ~", "Invalid item in fuzzy expression: ~"},
        {"*", "Missing fuzzy operand to be modified by hedge: *"},
        {"or", "Missing fuzzy operand to be modified by hedge: or"},
    };
    for (const auto& c : cases) {
        const std::string message = EvalError(c.Expression);
        EXPECT_NE(message.find(c.Message), std::string::npos) << c.Expression << ": " << message;
    }
    // Each top-level item of an expression is a form of its own, and the end of the text
    // starts a new one: the text read so far is only the space left by putting it back.
    EXPECT_EQ(EvalError("cold or"), "Parsing Error, Missing fuzzy operand to be modified by "
                                    "hedge: or in EvalFuzzyExpression at line 1: \" \"");
    EXPECT_THROW((void)Parser->EvalFuzzyExpression(nullptr, "cold"), EFzyParseException);
}

TEST(UniqueNames, AreNumberedSetsInCreationOrder) {
    const std::string first = TKelFuzzyLogicParser::GetUniqueName();
    ASSERT_EQ(first.rfind("FuzzySet", 0), 0u);
    EXPECT_EQ(TKelFuzzyLogicParser::GetUniqueName(),
              "FuzzySet" + std::to_string(std::stoi(first.substr(8)) + 1));
}

// The defuzzified form follows the component's method; the eval callback may replace the
// result, and sees the tokens in postfix order.
TEST_F(Expressions, TheDefuzzifiedFormAndTheEvalCallback) {
    TFuzzySet* result = nullptr;
    EXPECT_NEAR(Parser->EvalFuzzyExpression(T, "warm", result), 5, 1e-9);
    EXPECT_EQ(result, Term("t", "warm"));
    Logic->SetDefuzzificationMethod(TDefuzzificationMethod::dmMeanOfMaxima);
    EXPECT_NEAR(Parser->EvalFuzzyExpression(T, "cold", result), 0, 1e-9);
    std::string seen;
    Parser->SetOnEvalExpression(
        [&](TObject*, TFuzzyVariable*, const std::string& text, TFuzzySet*& replaced) {
            seen = text;
            replaced = Term("t", "hot");
        });
    EXPECT_EQ(Eval("very cold"), Term("t", "hot"));
    EXPECT_EQ(seen, "(cold very)");
}

TEST_F(Expressions, TermsDefinedByExpressionsReadAndWriteBack) {
    Logic->GetVariables()->SetValue("limit", "a");
    Read("(deffuzzy u (range 0 10) (values (term a ((0 1) (10 0)))"
         " (term b very a) (term c [a or b] and-product not a) (term d a) (term e ?limit or a)))");
    EXPECT_EQ(Term("u", "e")->GetExpression(), "?limit or a");
    EXPECT_EQ(Term("u", "b")->GetExpression(), "very a"); // the body as written
    EXPECT_EQ(Parser->PrettyPrint(Term("u", "c"), true), "(term c [ a or b ] and-product not a)");
    EXPECT_NE(Term("u", "d"), Term("u", "a")); // a copy; a keeps its name
    EXPECT_EQ(Term("u", "a")->GetName(), "a");
}

// A "?" variable's name is written after its mark, so even its first character is escaped
// where it would end the atom. A name that several terms carry (the auxiliary sets of one
// expression evaluated twice) is the first of them.
TEST_F(Expressions, VariableNamesAreEscapedWhollyAndANameFindsItsFirstTerm) {
    Logic->GetVariables()->SetValue(";x", "a");
    Read("(deffuzzy u (range 0 10) (values (term a ((0 1) (10 0))) (term b ?\\;x or a)))");
    EXPECT_EQ(Term("u", "b")->GetExpression(), "?\\;x or a");
    TFuzzySet* first = Eval("very cold");
    EXPECT_NE(Eval("very cold"), first);
    EXPECT_EQ(Eval("very\\ cold"), first);
}

// The built-in functions: argument kinds are checked before their number.
TEST_F(Expressions, BuiltInFunctionsCheckTheirArguments) {
    const struct {
        const char* Call;
        const char* Message; // "" when the call succeeds
    } cases[] = {
        {"(tri 0 5 10)", ""},
        {"(tri 0 5)", "Number of arguments for function, tri, incorrect.  Expected "
                      "\"\"Left Middle Right\"\""},
        {"(pi 1)", "Number of arguments for function, pi, incorrect.  Expected "
                   "\"\"Left Right Center\" or \"Range Center\"\""},
        {"(pi 2 5)", ""},
        {"(pi 0 10 4)", ""},
        {"(s 0 5 10)", "Number of arguments for function, s, incorrect.  Expected "
                       "\"\"Left Right Inflection_Point\"\""},
        {"(z 0 5)", ""},
        {"(beta 2 5)", ""},
        {"(beta 2 5 1)", ""},
        {"(beta 2 5 1 2)", ""},
        {"(beta 2 5 1 2 3)",
         "Number of arguments for function, beta, incorrect.  Expected \"\"Range Center "
         "Inflection_Point\" or \"Range Center Inflection_Point Weight\"\""},
        {"(tri 0 x)", "Data Types of arguments for function, tri, incorrect.  Expected numeric"},
        {"(tri 0 \"5\" 10)", "Data Types of arguments for function, tri, incorrect."},
        {"(Tri 0 5 10)", "Unknown function name: \"Tri\""},
    };
    for (const auto& c : cases) {
        const std::string message = EvalError(c.Call);
        if (*c.Message == '\0')
            EXPECT_EQ(message, "") << c.Call;
        else
            EXPECT_NE(message.find(c.Message), std::string::npos) << c.Call << ": " << message;
    }
    EXPECT_NE(EvalError("(tri 0 5)").find(" in CalcFuzzyFunction at line 1"), std::string::npos);
}

// Curves have the component's number of points (7 without one); a function handler
// replaces the built-ins.
TEST_F(Expressions, CurvePointsAndTheFunctionHandler) {
    EXPECT_EQ(Eval("(s 0 10)")->GetValues()->GetCount(), 7);
    Logic->SetNumFunctionValues(11);
    EXPECT_EQ(Eval("(z 0 10)")->GetValues()->GetCount(), 11);
    Parser->SetFuzzyLogic(nullptr);
    EXPECT_EQ(Eval("(pi 2 5)")->GetValues()->GetCount(), 7);
    Parser->SetOnCalcFuzzyFunction([&](TObject*, const std::string& name, bool& handled,
                                       TFuzzySet*& result,
                                       const TInterfacePtr<IFuzzyStreamTokenList>& arguments) {
        handled = true;
        result->CreateCrispValue(arguments->GetCount());
        result->SetComment(name);
    });
    TFuzzySet* set = Eval("(anything 1 2 3)");
    EXPECT_EQ(set->GetComment(), "anything");
    EXPECT_NEAR(set->MeanOfMaxima(), 3, 1e-9);
}

// The evaluator puts an expression's tokens in the order that PostFix gives them with the
// parser's own classification callbacks (the general conversion, the reference here),
// whatever the tokens: unbalanced groups, operators without operands, group marks that are
// variables, tokens of other kinds.
using enum TFuzzyStreamTokenType;

TInterfacePtr<IFuzzyStreamToken> Token(TFuzzyStreamTokenType Type, const std::string& Text) {
    auto token = MakeInterfaced<TFuzzyStreamToken>();
    token->SetDataType(static_cast<int>(Type));
    token->SetText(Text);
    return token;
}

/// Every kind of item an expression can hold, and some it should not.
std::vector<TInterfacePtr<IFuzzyStreamToken>> Vocabulary() {
    return {Token(fstAtom, "cold"),     Token(fstAtom, "warm"),   Token(fstString, "hot"),
            Token(fstAtom, "very"),     Token(fstAtom, "not"),    Token(fstAtom, "somewhat"),
            Token(fstAtom, "and"),      Token(fstAtom, "or-sum"), Token(fstAtom, "and-product"),
            Token(fstAtom, "*"),        Token(fstAtom, "+X"),     Token(fstAtom, "^"),
            Token(fstAtom, "["),        Token(fstAtom, "]"),      Token(fstVariable, "["),
            Token(fstVariable, "very"), Token(fstInteger, ""),    Token(fstFloat, ""),
            Token(fstList, "and"),      Token(fstNone, "EOF"),    Token(fstString, "or")};
}

/// The reference: PostFix over the tokens with the parser's callbacks, flattened.
std::string ReferenceOrder(const IFuzzyStreamTokenList& Infix) {
    auto items = MakeInterfaced<TInterfaceList>();
    for (int i = 0; i < Infix.GetCount(); ++i)
        items->Add(Infix.GetBaseStreamToken(i));
    const auto postfix =
        PostFix(items, TKelFuzzyLogicParser::IsOpenParen, TKelFuzzyLogicParser::IsCloseParen,
                TKelFuzzyLogicParser::IsOperand, TKelFuzzyLogicParser::InStackPriority,
                TKelFuzzyLogicParser::IncomingPriority);
    auto flat = MakeInterfaced<TFuzzyStreamTokenList>();
    TKelFuzzyLogicParser::FillExpression(postfix, flat);
    return flat->ToString();
}

class ExpressionOrder : public ParserFixture {
protected:
    ExpressionOrder() {
        Read("(deffuzzy t (range 0 10) (values (term cold (z 2 5)) (term warm (tri 2 5 8))"
             " (term hot (s 5 8))))");
        Logic->GetVariables()->SetValue("[", "warm");
        Logic->GetVariables()->SetValue("very", "cold");
    }

    /// The order the evaluator leaves the list in (evaluating may fail afterwards).
    std::string EvaluatorOrder(const TInterfacePtr<IFuzzyStreamTokenList>& Tokens) {
        try {
            (void)Parser->EvalFuzzyExpression(Variable("t"), Tokens);
        } catch (const Exception&) { // the order is made before anything is evaluated
        }
        return Tokens->ToString();
    }
};

TEST_F(ExpressionOrder, EveryRandomSequenceIsOrderedAsPostFixOrdersIt) {
    const auto vocabulary = Vocabulary();
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, vocabulary.size() - 1);
    std::uniform_int_distribution<int> length(0, 12);
    for (int run = 0; run < 2000; ++run) {
        auto tokens = MakeInterfaced<TFuzzyStreamTokenList>();
        for (int i = length(random); i > 0; --i)
            tokens->Add(vocabulary[pick(random)]);
        const std::string infix = tokens->ToString();
        const std::string expected = ReferenceOrder(*tokens);
        ASSERT_EQ(EvaluatorOrder(tokens), expected) << "for " << infix;
    }
}

TEST_F(ExpressionOrder, TokensOfAnotherKindDropOutOfTheOrder) {
    auto tokens = MakeInterfaced<TFuzzyStreamTokenList>();
    tokens->Add(Token(fstAtom, "cold"));
    auto foreign = MakeInterfaced<TBaseStreamToken>();
    foreign->SetText("warm");
    tokens->TBaseStreamTokenList::Add(TInterfacePtr<IBaseStreamToken>(foreign));
    tokens->Add(Token(fstAtom, "or"));
    tokens->Add(Token(fstAtom, "hot"));
    const std::string expected = ReferenceOrder(*tokens);
    EXPECT_EQ(expected, "(cold hot or)");
    EXPECT_EQ(EvaluatorOrder(tokens), expected);
}

} // namespace
} // namespace fuzzy::test
