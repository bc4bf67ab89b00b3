// The expression evaluator of TKelFuzzyLogicParser: an expression's tokens are put in
// postfix order and evaluated with a stack of sets. Hedge words modify the set after them,
// base-hedge operators ("*", "+X", "<=", ...) a set by a number, connectives ("and",
// "or-sum", ...) join two sets; "[" and "]" group.

#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "KelFuzzyLogicParser/ParserComponent.hpp"
#include "KelFuzzyLogicParser/ParserMessages.hpp"
#include "KelFuzzyLogicParser/detail/ParserStreamScope.hpp"
#include "KelFuzzyLogicParser/detail/ParserTokens.hpp"
#include "platform/Pending.hpp"
#include "platform/PostFix.hpp"

namespace fuzzy {

namespace {

constexpr const char* WhereEvalFuzzyExpression = "EvalFuzzyExpression";
constexpr const char* WhereConvertListToValues = "ConvertListToValues";

// The kinds of expression items, in the order in which they are told apart.
enum class TItemKind { OpenGroup, CloseGroup, Connective, BaseHedge, Hedge, Operand };

TItemKind KindOf(const IFuzzyStreamToken& Token) {
    switch (static_cast<TFuzzyStreamTokenType>(Token.GetDataType())) {
    case TFuzzyStreamTokenType::fstVariable:
    case TFuzzyStreamTokenType::fstList:
    case TFuzzyStreamTokenType::fstIFuzzySet:
    case TFuzzyStreamTokenType::fstFuzzySet:
        return TItemKind::Operand;
    default:
        break;
    }
    const std::string& text = Token.GetText();
    if (text == LeftFuzzyParentheses)
        return TItemKind::OpenGroup;
    if (text == RightFuzzyParentheses)
        return TItemKind::CloseGroup;
    bool isUnion = false;
    TFuzzyOperation operation{};
    if (IsFuzzyKeyword(text, isUnion, operation))
        return TItemKind::Connective;
    if (IsFuzzyHedgeOperator(text))
        return TItemKind::BaseHedge;
    if (IsFuzzyHedge(text))
        return TItemKind::Hedge;
    return TItemKind::Operand;
}

TItemKind KindOf(const TInterfacePtr<IInterface>& Item) {
    const auto token = Supports<IFuzzyStreamToken>(Item);
    return token ? KindOf(*token) : TItemKind::Operand;
}

// The kind the postfix conversion gives an item: the group marks are told by their text
// alone, before anything else (so "?[" opens a group there, though it is a variable).
TItemKind PostFixKindOf(const IFuzzyStreamToken* Token) {
    if (Token == nullptr)
        return TItemKind::Operand;
    const std::string& text = Token->GetText();
    if (text == LeftFuzzyParentheses)
        return TItemKind::OpenGroup;
    if (text == RightFuzzyParentheses)
        return TItemKind::CloseGroup;
    return KindOf(*Token);
}

int InStackPriorityOf(TItemKind Kind) {
    switch (Kind) {
    case TItemKind::OpenGroup:
        return 4;
    case TItemKind::Connective:
    case TItemKind::BaseHedge:
        return 3;
    case TItemKind::Hedge:
        return 2;
    default:
        return 1;
    }
}

int IncomingPriorityOf(TItemKind Kind) {
    switch (Kind) {
    case TItemKind::OpenGroup:
        return 0;
    case TItemKind::Connective:
    case TItemKind::BaseHedge:
        return 3;
    default:
        return 1;
    }
}

// The index of the first term named Name, or -1, as TGCollection::IndexOf gives it. A
// term list hands out every item as a set, so its items are read as sets here rather than
// cast one by one, which costs more than comparing their names.
int IndexOfTerm(const TFuzzySets& Terms, const std::string& Name) {
    for (int i = 0; i < Terms.GetCount(); ++i)
        if (Terms.GetItem(i)->GetName() == Name)
            return i;
    return -1;
}

} // namespace

bool TKelFuzzyLogicParser::IsOpenParen(const TInterfacePtr<IInterface>& Item) {
    const auto token = Supports<IFuzzyStreamToken>(Item);
    return token && token->GetText() == LeftFuzzyParentheses;
}

bool TKelFuzzyLogicParser::IsCloseParen(const TInterfacePtr<IInterface>& Item) {
    const auto token = Supports<IFuzzyStreamToken>(Item);
    return token && token->GetText() == RightFuzzyParentheses;
}

bool TKelFuzzyLogicParser::IsOperand(const TInterfacePtr<IInterface>& Item) {
    return KindOf(Item) == TItemKind::Operand;
}

int TKelFuzzyLogicParser::InStackPriority(const TInterfacePtr<IInterface>& Item) {
    return InStackPriorityOf(KindOf(Item));
}

int TKelFuzzyLogicParser::IncomingPriority(const TInterfacePtr<IInterface>& Item) {
    return IncomingPriorityOf(KindOf(Item));
}

void TKelFuzzyLogicParser::FillExpression(const TInterfacePtr<IInterfaceList>& Source,
                                          const TInterfacePtr<IFuzzyStreamTokenList>& Target) {
    if (!Source)
        return;
    // Walked with a stack of positions rather than by recursion.
    std::vector<std::pair<TInterfacePtr<IInterfaceList>, int>> pending{{Source, 0}};
    while (!pending.empty()) {
        auto& [list, index] = pending.back();
        if (index >= list->GetCount()) {
            pending.pop_back();
            continue;
        }
        const TInterfacePtr<IInterface> item = list->Get(index++);
        if (auto nested = Supports<IInterfaceList>(item))
            pending.emplace_back(std::move(nested), 0);
        else if (auto token = Supports<IFuzzyStreamToken>(item))
            Target->Add(token);
    }
}

TFuzzySet* TKelFuzzyLogicParser::EvalFuzzyExpression(TFuzzyVariable* Variable,
                                                     const std::string& Expression) {
    TStreamScope scope(*this, Expression, nullptr);
    return EvalFuzzyExpression(Variable, ParseTokenList());
}

TFzyFloat TKelFuzzyLogicParser::EvalFuzzyExpression(TFuzzyVariable* Variable,
                                                    const std::string& Expression,
                                                    TFuzzySet*& Result) {
    Result = EvalFuzzyExpression(Variable, Expression);
    const bool meanOfMaxima = FFuzzyLogic != nullptr && FFuzzyLogic->GetDefuzzificationMethod() ==
                                                            TDefuzzificationMethod::dmMeanOfMaxima;
    return meanOfMaxima ? Result->MeanOfMaxima() : Result->CenterOfGravity();
}

/// An expression item with the kind its token was given once, for the postfix conversion
/// and for the evaluation alike. An item that is no definition-language token has none.
struct TKelFuzzyLogicParser::TExpressionItem {
    TInterfacePtr<IFuzzyStreamToken> Token;
    TItemKind Kind;
};

TFuzzySet*
TKelFuzzyLogicParser::EvalFuzzyExpression(TFuzzyVariable* Variable,
                                          const TInterfacePtr<IFuzzyStreamTokenList>& Tokens) {
    // The items are classified once and reordered by position, in the order in which
    // PostFix with this parser's classification callbacks would put them.
    const int count = Tokens->GetCount();
    std::vector<TExpressionItem> items;
    items.reserve(static_cast<std::size_t>(count));
    TPostFixConverter<int> converter;
    converter.Reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TInterfacePtr<IFuzzyStreamToken> token = Tokens->Get(i);
        const TItemKind kind = PostFixKindOf(token.Get());
        switch (kind) {
        case TItemKind::OpenGroup:
            converter.AddOpenGroup(IncomingPriorityOf(kind));
            break;
        case TItemKind::CloseGroup:
            converter.AddCloseGroup();
            break;
        case TItemKind::Operand:
            converter.AddOperand(i);
            break;
        default:
            converter.AddOperator(i, InStackPriorityOf(kind), IncomingPriorityOf(kind));
            break;
        }
        items.push_back({std::move(token), kind});
    }

    // The list is left in postfix order, as it is evaluated; items that are no
    // definition-language token drop out of it.
    std::vector<const TExpressionItem*> postfix;
    postfix.reserve(items.size());
    Tokens->Clear();
    for (const int i : converter.Finish()) {
        const TExpressionItem& item = items[static_cast<std::size_t>(i)];
        if (!item.Token)
            continue;
        Tokens->Add(item.Token);
        postfix.push_back(&item);
    }

    TFuzzySet* result = postfix.empty() ? EmptyFuzzySet(Variable) : EvalPostfix(Variable, postfix);
    if (FOnEvalExpression)
        FOnEvalExpression(this, Variable, Tokens->ToString(), result);
    return result;
}

TFuzzySet* TKelFuzzyLogicParser::EvalPostfix(TFuzzyVariable* Variable,
                                             const std::vector<const TExpressionItem*>& Postfix) {
    std::vector<TFuzzySet*> stack;
    stack.reserve(Postfix.size());
    for (const TExpressionItem* item : Postfix) {
        const TInterfacePtr<IFuzzyStreamToken>& token = item->Token;
        if (item->Kind == TItemKind::Operand) {
            stack.push_back(EvalFuzzyExpression(Variable, token));
            continue;
        }
        auto pop = [&] {
            if (stack.empty())
                ParseError(WhereEvalFuzzyExpression, SFzyMissingOperand, token->ToString());
            TFuzzySet* set = stack.back();
            stack.pop_back();
            return set;
        };
        const std::string& text = token->GetText();
        if (item->Kind == TItemKind::Hedge) {
            TFuzzyHedge hedge{};
            (void)IsFuzzyHedge(text, hedge);
            stack.push_back(CopyWhenDefined(Variable, pop())->Hedge(hedge));
        } else if (item->Kind == TItemKind::BaseHedge) {
            TBaseFuzzyHedge hedge{};
            bool modifyY = false;
            (void)IsFuzzyHedgeOperator(text, hedge, modifyY);
            const TFuzzySet* number = pop();
            TFuzzySet* set = CopyWhenDefined(Variable, pop());
            stack.push_back(set->Hedge(hedge, number->MeanOfMaxima(), modifyY));
        } else if (item->Kind == TItemKind::Connective) {
            bool isUnion = false;
            TFuzzyOperation operation{};
            (void)IsFuzzyKeyword(text, isUnion, operation);
            const TFuzzySet* right = pop();
            TFuzzySet* left = pop();
            stack.push_back(isUnion ? left->Union(right, operation)
                                    : left->Intersection(right, operation));
        } else {
            // A group mark left over by an unbalanced expression.
            ParseError(WhereEvalFuzzyExpression, SFzyInvalidToken, token->ToString());
        }
    }
    return stack.back();
}

TFuzzySet*
TKelFuzzyLogicParser::EvalFuzzyExpression(TFuzzyVariable* Variable,
                                          const TInterfacePtr<IFuzzyStreamToken>& Token) {
    if (Variable == nullptr)
        ParseError(WhereEvalFuzzyExpression, SFzyUndefinedVariable);
    if (!Token)
        return EmptyFuzzySet(Variable);
    TFuzzySets& terms = *Variable->GetItems();
    switch (static_cast<TFuzzyStreamTokenType>(Token->GetDataType())) {
    case TFuzzyStreamTokenType::fstAtom:
    case TFuzzyStreamTokenType::fstString: {
        const std::string& name = Token->GetText();
        if (name.empty() || name == SEmptyFuzzy)
            return EmptyFuzzySet(Variable);
        const int index = IndexOfTerm(terms, name);
        if (index < 0)
            ParseError(WhereEvalFuzzyExpression, SFzyInvalidToken, Token->ToString());
        return terms.GetItem(index);
    }
    case TFuzzyStreamTokenType::fstInteger:
    case TFuzzyStreamTokenType::fstFloat: {
        const std::string text = Token->ToString();
        const TFzyFloat value = Token->GetNumber();
        TPending<TFuzzySet> set(terms.Add());
        set->SetName(text);
        set->CreateTriangleFunctionValues(value, value, value);
        set->SetExpression(text);
        return set.Keep();
    }
    case TFuzzyStreamTokenType::fstVariable: {
        TFuzzySet* set = EvalVariableToken(Variable, Token->GetText());
        set->SetName(Token->ToString());
        return set;
    }
    case TFuzzyStreamTokenType::fstList:
        return EvalListToken(Variable, *Token);
    case TFuzzyStreamTokenType::fstFuzzySet:
        if (TFuzzySet* set = Token->GetFuzzySet())
            return set;
        break;
    default:
        break;
    }
    ParseError(WhereEvalFuzzyExpression, SFzyInvalidToken, Token->ToString());
}

TFuzzySet* TKelFuzzyLogicParser::EvalVariableToken(TFuzzyVariable* Variable,
                                                   const std::string& Name) {
    // A "?" variable whose value names itself, directly or through others, would never end.
    if (FVariableDepth >= MaxNesting)
        ParseError(WhereEvalFuzzyExpression, SFzyInvalidToken, "?" + Name);
    const std::string value =
        FFuzzyLogic != nullptr ? FFuzzyLogic->GetVariables()->GetValue(Name) : std::string();
    struct TDeeper {
        explicit TDeeper(int& Depth) : FDepth(++Depth) {}
        ~TDeeper() { --FDepth; }
        TDeeper(const TDeeper&) = delete;
        TDeeper& operator=(const TDeeper&) = delete;
        int& FDepth;
    } deeper(FVariableDepth);
    TFuzzySet* set = EvalFuzzyExpression(Variable, value);
    return set->GetDefined() ? set->Clone() : set;
}

TFuzzySet* TKelFuzzyLogicParser::EvalListToken(TFuzzyVariable* Variable,
                                               const IFuzzyStreamToken& Token) {
    const std::string text = Token.ToString();
    TPending<TFuzzySet> set(Variable->GetItems()->Add());
    set->SetName(text);
    const auto list = Token.GetList();
    if (!list || list->GetCount() == 0)
        ParseError(WhereEvalFuzzyExpression, SFzyInvalidToken, text);
    const auto first = list->First();
    TFuzzySet* result = nullptr;
    if (IsTokenOfType(first, TFuzzyStreamTokenType::fstList)) {
        result = ConvertListToValues(set.Get(), list);
    } else {
        const std::string name = first->GetText();
        list->Delete(0);
        result = CalcFuzzyFunction(set.Get(), name, list);
    }
    (void)set.Keep();
    return result;
}

TFuzzySet*
TKelFuzzyLogicParser::ConvertListToValues(TFuzzySet* FuzzySet,
                                          const TInterfacePtr<IFuzzyStreamTokenList>& List) {
    // Sorted and cleaned once, as written (see ParseFuzzyValuePairs).
    TUpdateGuard points(*FuzzySet->GetValues());
    for (int i = 0; i < List->GetCount(); ++i) {
        const auto item = List->Get(i);
        const auto pair =
            IsTokenOfType(item, TFuzzyStreamTokenType::fstList) ? item->GetList() : nullptr;
        if (!pair || pair->GetCount() != 2)
            ParseError(WhereConvertListToValues, SFzyInvalidValuePair,
                       item ? item->ToString() : std::string());
        const auto x = pair->Get(0);
        const auto y = pair->Get(1);
        if (!IsNumberToken(x) || !IsNumberToken(y))
            ParseError(WhereConvertListToValues, SFzyExpectedNumber);
        FuzzySet->GetValues()->Add(x->GetNumber(), y->GetNumber());
    }
    return FuzzySet;
}

TFuzzySet* TKelFuzzyLogicParser::EmptyFuzzySet(TFuzzyVariable* Variable) {
    TFuzzySets& terms = *Variable->GetItems();
    const int index = IndexOfTerm(terms, SEmptyFuzzy);
    return index >= 0 ? terms.GetItem(index) : terms.Add(SEmptyFuzzy);
}

TFuzzySet* TKelFuzzyLogicParser::CopyWhenDefined(TFuzzyVariable* Variable, TFuzzySet* FuzzySet,
                                                 int FirstNewTerm) {
    TFuzzySets& terms = *Variable->GetItems();
    const bool older = FuzzySet->GetCollection() == &terms && FuzzySet->GetIndex() < FirstNewTerm;
    if (!FuzzySet->GetDefined() && !older)
        return FuzzySet;
    // A defined term is never changed by an expression over it: the expression works on
    // an auxiliary copy among the variable's terms.
    TPending<TFuzzySet> copy(terms.Add());
    copy->Assign(FuzzySet);
    return copy.Keep();
}

} // namespace fuzzy
