#include "KelFuzzyLogicParser/ParserComponent.hpp"

#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"
#include "IFuzzyLogic/UniqueID.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicWriter.hpp"
#include "KelFuzzyLogicParser/ParserMessages.hpp"
#include "KelFuzzyLogicParser/detail/ParserStreamScope.hpp"
#include "KelFuzzyLogicParser/detail/ParserTokens.hpp"
#include "platform/Pending.hpp"

namespace fuzzy {

namespace {

constexpr const char* WhereParseFuzzyVariable = "ParseFuzzyVariable";
constexpr const char* WhereParseFuzzySet = "ParseFuzzySet";
constexpr const char* WhereParseFuzzyFunction = "ParseFuzzyFunction";
constexpr const char* WhereParseFuzzyValuePairs = "ParseFuzzyValuePairs";
constexpr const char* WhereParseTokenList = "ParseTokenList";
constexpr const char* ClauseKeywords = "range, units, or values";

} // namespace

TKelFuzzyLogicParser* TKelFuzzyLogicParser::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TKelFuzzyLogicParser>(new TKelFuzzyLogicParser()), AOwner);
}

TKelFuzzyLogicParser::~TKelFuzzyLogicParser() = default;

std::unique_ptr<TFuzzyLogicTokenStream>
TKelFuzzyLogicParser::CreateStream(TStream* Stream, const TEncoding* Encoding) {
    return std::make_unique<TFuzzyLogicTokenStream>(Stream, Encoding);
}

std::string TKelFuzzyLogicParser::GetUniqueName() {
    return "FuzzySet" + std::to_string(GetUniqueID());
}

int TKelFuzzyLogicParser::GetLineNumber() {
    if (FStream == nullptr)
        return TCustomFuzzyLogicParser::GetLineNumber();
    try {
        const auto token = FStream->GetCurrentToken();
        return token ? token->GetLineNumber() : TCustomFuzzyLogicParser::GetLineNumber();
    } catch (const EFzyParseException&) {
        // Nothing was read yet and the first token itself is broken: no line to show.
        return TCustomFuzzyLogicParser::GetLineNumber();
    }
}

std::string TKelFuzzyLogicParser::GetParsedText() {
    return FStream != nullptr ? FStream->ToString() : TCustomFuzzyLogicParser::GetParsedText();
}

TInterfacePtr<IFuzzyStreamToken> TKelFuzzyLogicParser::NextToken() {
    return FStream->NextToken();
}

void TKelFuzzyLogicParser::PutBackToken(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    FStream->PutBackToken(Token);
}

TFzyFloat TKelFuzzyLogicParser::ExpectNumber(const std::string& Where) {
    const auto token = NextToken();
    if (!IsNumberToken(token))
        ParseError(Where, SFzyExpectedNumber);
    return token->GetNumber();
}

// ---- string forms ----

void TKelFuzzyLogicParser::ParseFuzzyLogic(const std::string& Text, const TEncoding* Encoding) {
    CheckFuzzyLogic();
    TStreamScope scope(*this, Text, Encoding);
    ParseFuzzyLogic();
}

TFuzzyVariable* TKelFuzzyLogicParser::ParseFuzzyVariable(const std::string& Text,
                                                         const TEncoding* Encoding) {
    CheckFuzzyLogic();
    TStreamScope scope(*this, Text, Encoding);
    return ParseFuzzyVariable();
}

TFuzzySet* TKelFuzzyLogicParser::ParseFuzzySet(TFuzzyVariable* Variable, const std::string& Text,
                                               const TEncoding* Encoding) {
    TStreamScope scope(*this, Text, Encoding);
    return ParseFuzzySet(Variable);
}

// ---- token-level readers ----

void TKelFuzzyLogicParser::ParseFuzzyLogic() {
    for (;;) {
        const auto token = NextToken();
        // Stopping at the end token, not when the characters run out, also reads a form
        // that ends at the text's very last character.
        if (IsEndToken(token))
            return;
        if (!IsCharToken(token, '('))
            ParseError("ParseFuzzyLogic", SFzyUnexpectedToken, token->ToString());
        PutBackToken(token);
        ParseFuzzyForm();
    }
}

void TKelFuzzyLogicParser::ParseFuzzyForm() {
    if (dynamic_cast<TIFuzzyLogic*>(FFuzzyLogic) != nullptr)
        (void)ParseFuzzyVariableIntf();
    else
        ParseFuzzyVariable();
}

void TKelFuzzyLogicParser::ParseHeader(std::string& Name, std::string& Comment,
                                       TInterfacePtr<IFuzzyStreamToken>& Next,
                                       const std::string& Message, const std::string& Where,
                                       const std::string& Keyword, bool ReadComment) {
    const auto open = NextToken();
    const auto keyword = NextToken();
    if (!IsCharToken(open, '(') || !IsTokenOfType(keyword, TFuzzyStreamTokenType::fstAtom) ||
        keyword->GetText() != Keyword)
        ParseError(Where, Message);
    const auto name = NextToken();
    if (!IsTokenOfType(name, TFuzzyStreamTokenType::fstAtom))
        ParseError(Where, SFzyMissingName);
    Name = name->GetText();
    Comment.clear();
    Next = nullptr;
    if (!ReadComment)
        return;
    Next = NextToken();
    if (IsTokenOfType(Next, TFuzzyStreamTokenType::fstString)) {
        Comment = Next->GetText();
        Next = NextToken();
    }
}

TFuzzyVariable* TKelFuzzyLogicParser::ParseFuzzyVariable() {
    std::string name;
    std::string comment;
    TInterfacePtr<IFuzzyStreamToken> token;
    ParseHeader(name, comment, token, SFzyExpectedFuzzyDefinition, WhereParseFuzzyVariable,
                "deffuzzy", true);
    auto* logic = dynamic_cast<TFuzzyLogic*>(FFuzzyLogic);
    if (logic == nullptr)
        throw EFzyParseException(SFuzzyLogicNotTFuzzyLogic);

    TFuzzyVariables& variables = *logic->GetItems();
    TUpdateGuard guard(variables);
    TFuzzyVariable* variable = variables.Add();

    auto readClauses = [&] {
        variable->SetName(name);
        variable->SetComment(comment);
        while (!IsCharToken(token, ')')) {
            const auto keyword = NextToken();
            if (!IsCharToken(token, '('))
                ParseError(WhereParseFuzzyVariable, SFzyMissingOpenParens);
            if (!IsTokenOfType(keyword, TFuzzyStreamTokenType::fstAtom))
                ParseError(WhereParseFuzzyVariable, SFzyExpectedKeyword, ClauseKeywords);
            const std::string& clause = keyword->GetText();
            if (clause == "range") {
                const TFzyFloat minimum = ExpectNumber(WhereParseFuzzyVariable);
                const TFzyFloat maximum = ExpectNumber(WhereParseFuzzyVariable);
                variable->SetMinimum(minimum);
                variable->SetMaximum(maximum);
                token = NextToken();
            } else if (clause == "units") {
                variable->SetUnits(NextToken()->ToString());
                token = NextToken();
            } else if (clause == "values") {
                token = NextToken();
                while (!IsCharToken(token, ')')) {
                    PutBackToken(token);
                    ParseFuzzySet(variable)->SetDefined(true);
                    token = NextToken();
                }
            } else {
                ParseError(WhereParseFuzzyVariable, SFzyExpectedKeyword, ClauseKeywords);
            }
            if (!IsCharToken(token, ')'))
                ParseError(WhereParseFuzzyVariable, SFzyMissingCloseParens);
            token = NextToken();
        }
    };

    if (logic->GetAutoTerms()) {
        // Kept out of the collection while it is read, so that the automatic terms are
        // made only for what the text leaves missing, over the range it gives. Whatever
        // happens, the variable goes back to the collection, holding what was read.
        variable->SetCollection(nullptr);
        try {
            variable->GetItems()->Clear();
            readClauses();
        } catch (...) {
            variable->SetCollection(&variables);
            throw;
        }
        variable->SetCollection(&variables);
    } else {
        readClauses();
    }

    if (FOnParseFuzzyVariable)
        FOnParseFuzzyVariable(this, variable);
    return variable;
}

TFuzzySet* TKelFuzzyLogicParser::ParseFuzzySet(TFuzzyVariable* Variable) {
    std::string name;
    std::string comment;
    TInterfacePtr<IFuzzyStreamToken> token;
    ParseHeader(name, comment, token, SFzyExpectedFuzzySet, WhereParseFuzzySet, "term", true);
    PutBackToken(token);
    if (Variable == nullptr)
        ParseError(WhereParseFuzzySet, SFzyUndefinedVariable);
    // A term that fails after its body was read (a reserved name, no closing ")") goes
    // again, so that no half-made term is left under the name.
    TPending<TFuzzySet> set(CopyWhenDefined(Variable, ParseFuzzyValues(Variable)));
    set->SetName(name);
    set->SetComment(comment);
    if (!IsCharToken(NextToken(), ')'))
        ParseError(WhereParseFuzzySet, SFzyMissingCloseParens);
    TFuzzySet* term = set.Keep();
    if (FOnParseFuzzySet)
        FOnParseFuzzySet(this, term);
    return term;
}

TFuzzySet* TKelFuzzyLogicParser::ParseFuzzyValues(TFuzzyVariable* Variable) {
    const auto first = NextToken();
    if (!IsCharToken(first, '(')) {
        PutBackToken(first);
        const int firstNewTerm = Variable->GetItems()->GetCount();
        const auto tokens = ParseTokenList();
        // The term keeps its body as it was written: the expression texts that the set
        // operations build along the way do not all read back ("* " for "cold * 0.5").
        const std::string body = WriteExpressionTokens(*tokens);
        // A body that names a set made before it (the placeholder of an empty body, an
        // auxiliary set) gets a copy: the term owns the set it names, and a failed read
        // can remove it without taking an older set with it.
        TFuzzySet* set =
            CopyWhenDefined(Variable, EvalFuzzyExpression(Variable, tokens), firstNewTerm);
        set->SetExpression(body);
        return set;
    }
    const auto second = NextToken();
    PutBackToken(second);
    PutBackToken(first);
    return IsCharToken(second, '(') ? ParseFuzzyValuePairs(Variable) : ParseFuzzyFunction(Variable);
}

TFuzzySet* TKelFuzzyLogicParser::ParseFuzzyValuePairs(TFuzzyVariable* Variable) {
    TPending<TFuzzySet> set(Variable->GetItems()->Add());
    if (!IsCharToken(NextToken(), '('))
        ParseError(WhereParseFuzzyValuePairs, SFzyMissingOpenParens);
    auto token = NextToken();
    {
        // The whole list is sorted and cleaned once, as written: point by point, a new
        // point still at Y = 0 could match its neighbour and take it with it.
        TUpdateGuard points(*set->GetValues());
        while (IsCharToken(token, '(')) {
            const TFzyFloat x = ExpectNumber(WhereParseFuzzyValuePairs);
            const TFzyFloat y = ExpectNumber(WhereParseFuzzyValuePairs);
            set->GetValues()->Add(x, y);
            NextToken(); // the pair's closing token
            token = NextToken();
        }
    }
    if (!IsCharToken(token, ')'))
        ParseError(WhereParseFuzzyValuePairs, SFzyMissingCloseParens);
    return set.Keep();
}

TFuzzySet* TKelFuzzyLogicParser::ParseFuzzyFunction(TFuzzyVariable* Variable) {
    if (!IsCharToken(NextToken(), '('))
        ParseError(WhereParseFuzzyFunction, SFzyMissingOpenParens);
    const auto name = NextToken();
    if (!IsTokenOfType(name, TFuzzyStreamTokenType::fstAtom))
        ParseError(WhereParseFuzzyFunction, SFzyMissingName);
    const auto arguments = ParseTokenList();
    TPending<TFuzzySet> set(Variable->GetItems()->Add());
    TFuzzySet* result = CalcFuzzyFunction(set.Get(), name->GetText(), arguments);
    (void)set.Keep(); // a handler may have made a set of its own; the new term stays too
    NextToken();      // the call's closing token
    return result;
}

TInterfacePtr<IFuzzyStreamTokenList> TKelFuzzyLogicParser::ParseTokenList() {
    // Iterative, with the open groups on a stack of their own, so that no nesting can
    // exhaust the call stack; the depth is limited because the lists made here are
    // later walked and freed recursively.
    struct TOpenGroup {
        TInterfacePtr<TFuzzyStreamTokenList> List; // made here: the tokens are moved in
        TInterfacePtr<IFuzzyStreamToken> Open;
    };
    // Each list has room for a usual group's tokens at once, rather than growing by steps.
    const auto newList = [] {
        auto list = MakeInterfaced<TFuzzyStreamTokenList>();
        list->Reserve(8);
        return list;
    };
    std::vector<TOpenGroup> groups;
    groups.push_back({newList(), nullptr});
    auto token = NextToken();
    for (;;) {
        if (IsEndToken(token) || IsCharToken(token, ')')) {
            if (groups.size() == 1) {
                PutBackToken(token);
                return std::move(groups.front().List);
            }
            // The token that closes a group is consumed with it.
            TOpenGroup group = std::move(groups.back());
            groups.pop_back();
            group.Open->SetList(TInterfacePtr<IFuzzyStreamTokenList>(std::move(group.List)));
            groups.back().List->Adopt(std::move(group.Open));
        } else if (IsCharToken(token, '(')) {
            if (static_cast<int>(groups.size()) > MaxNesting)
                ParseError(WhereParseTokenList, SFzyNestingTooDeep, MaxNesting);
            groups.push_back({newList(), std::move(token)});
        } else {
            groups.back().List->Adopt(std::move(token));
        }
        token = NextToken();
    }
}

// ---- writer ----

std::string TKelFuzzyLogicParser::PrettyPrint(const TFuzzySet* FuzzySet, bool AsTerm) const {
    return FuzzySet != nullptr ? PrettyPrintFuzzySet(*FuzzySet, AsTerm) : std::string();
}

std::string TKelFuzzyLogicParser::PrettyPrint(const TFuzzyVariable* Variable) const {
    return Variable != nullptr ? PrettyPrintFuzzyVariable(*Variable) : std::string();
}

} // namespace fuzzy
