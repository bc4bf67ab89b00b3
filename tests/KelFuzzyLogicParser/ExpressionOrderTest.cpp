// The evaluator puts an expression's tokens in the order that PostFix gives them with the
// parser's own classification callbacks (the general conversion, kept here as the
// reference), whatever the tokens: unbalanced groups, operators without operands, group
// marks that are variables, tokens of other kinds.

#include <random>
#include <string>
#include <vector>

#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "platform/PostFix.hpp"
#include "support/ParserFixture.hpp"

namespace fuzzy::test {
namespace {

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
