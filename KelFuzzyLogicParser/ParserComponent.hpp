#pragma once
// The parser component of the definition language: reads the parenthesised text into a
// logic component's variables, evaluates term expressions and writes variables back.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"
#include "platform/InterfaceList.hpp"

namespace fuzzy {

class TStream;

/// Reads definition text:
///
///     (deffuzzy temperature "room air"
///       (range 0 40) (units C)
///       (values (term cold (z 10 18)) (term warm (tri 15 21 27))
///               (term mild very warm or cold)))
///
/// into the variables of the linked TFuzzyLogic, and writes variables and terms back in
/// the same form. A parse owns one token stream while it runs; string forms nested inside
/// a parse (expressions given as text) save and restore the current one.
///
/// Choices where the format leaves room, made so that written text reads back:
///  - a form that ends at the very last character of the text is read;
///  - a term keeps its body as its expression text when the body is an expression (as
///    written, in infix order), and no expression text when it is a point list or a call,
///    so that the writer writes the same body again;
///  - a term whose body names just one defined term gets a copy of it, leaving the named
///    term as it was;
///  - "beta" also takes two numbers (range and centre), the writer's short form;
///  - groups nest at most MaxNesting levels deep, so that no input can exhaust the stack.
class TKelFuzzyLogicParser : public TCustomFuzzyLogicParser {
public:
    /// Deepest nesting of parenthesised groups and of "?" variables read through others.
    static constexpr int MaxNesting = 256;

    [[nodiscard]] static TKelFuzzyLogicParser* Create(TComponent* AOwner);
    ~TKelFuzzyLogicParser() override;
    std::string ClassName() const override { return "TKelFuzzyLogicParser"; }

    // The interface-model forms of the readers, evaluator and writer are the base's.
    using TCustomFuzzyLogicParser::EvalFuzzyExpression;
    using TCustomFuzzyLogicParser::ParseFuzzySet;
    using TCustomFuzzyLogicParser::ParseFuzzyVariableIntf;
    using TCustomFuzzyLogicParser::PrettyPrint;

    void ParseFuzzyLogic(const std::string& Text, const TEncoding* Encoding) override;
    TFuzzyVariable* ParseFuzzyVariable(const std::string& Text, const TEncoding* Encoding) override;
    TFuzzySet* ParseFuzzySet(TFuzzyVariable* Variable, const std::string& Text,
                             const TEncoding* Encoding) override;
    TFuzzySet* EvalFuzzyExpression(TFuzzyVariable* Variable,
                                   const std::string& Expression) override;
    TFzyFloat EvalFuzzyExpression(TFuzzyVariable* Variable, const std::string& Expression,
                                  TFuzzySet*& Result) override;
    std::string PrettyPrint(const TFuzzySet* FuzzySet, bool AsTerm) const override;
    std::string PrettyPrint(const TFuzzyVariable* Variable) const override;

    /// Evaluates an expression's tokens (infix) over Variable's terms. The list is left
    /// holding the tokens in postfix order.
    TFuzzySet* EvalFuzzyExpression(TFuzzyVariable* Variable,
                                   const TInterfacePtr<IFuzzyStreamTokenList>& Tokens);
    /// The set one operand token stands for (a term, a number, a "?" variable, a list).
    TFuzzySet* EvalFuzzyExpression(TFuzzyVariable* Variable,
                                   const TInterfacePtr<IFuzzyStreamToken>& Token);
    /// The interface-model forms of the two above: the result is linked to Variable.
    TInterfacePtr<IFuzzySet>
    EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                        const TInterfacePtr<IFuzzyStreamTokenList>& Tokens);
    TInterfacePtr<IFuzzySet> EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                 const TInterfacePtr<IFuzzyStreamToken>& Token);
    /// Adds the points of a list of (X Y) pairs to FuzzySet; returns FuzzySet.
    TFuzzySet* ConvertListToValues(TFuzzySet* FuzzySet,
                                   const TInterfacePtr<IFuzzyStreamTokenList>& List);

    /// The tokens up to (not including) the next unmatched ")" or the end of the text; a
    /// "(" group becomes one token carrying the group as its list.
    TInterfacePtr<IFuzzyStreamTokenList> ParseTokenList();
    /// "FuzzySet" followed by the next value of the process-wide unique counter.
    static std::string GetUniqueName();

    /// Flattens Source (whose items may themselves be lists) into Target, in order.
    static void FillExpression(const TInterfacePtr<IInterfaceList>& Source,
                               const TInterfacePtr<IFuzzyStreamTokenList>& Target);
    // The classification of expression items for the infix-to-postfix conversion.
    static bool IsOperand(const TInterfacePtr<IInterface>& Item);
    static bool IsOpenParen(const TInterfacePtr<IInterface>& Item);
    static bool IsCloseParen(const TInterfacePtr<IInterface>& Item);
    static int InStackPriority(const TInterfacePtr<IInterface>& Item);
    static int IncomingPriority(const TInterfacePtr<IInterface>& Item);

    int GetLineNumber() override;
    std::string GetParsedText() override;

protected:
    TKelFuzzyLogicParser() = default;

    /// A token stream over Stream (not owned), read in Encoding.
    virtual std::unique_ptr<TFuzzyLogicTokenStream> CreateStream(TStream* Stream,
                                                                 const TEncoding* Encoding);
    // The token-level readers, working on the current token stream.
    virtual void ParseFuzzyLogic();
    /// Reads one top-level form, whose "(" is the next token: a variable definition. The
    /// one place where a descendant that reads further forms (rules) hooks in.
    virtual void ParseFuzzyForm();
    virtual TFuzzyVariable* ParseFuzzyVariable();
    virtual TFuzzySet* ParseFuzzySet(TFuzzyVariable* Variable);
    virtual TFuzzySet* ParseFuzzyValues(TFuzzyVariable* Variable);
    virtual TFuzzySet* ParseFuzzyValuePairs(TFuzzyVariable* Variable);
    virtual TFuzzySet* ParseFuzzyFunction(TFuzzyVariable* Variable);
    // Their interface-model forms read through the component-model ones (see
    // ParserInterfaceForms.cpp). A set without a term name yet is named by GetUniqueName.
    virtual TInterfacePtr<IFuzzyVariable> ParseFuzzyVariableIntf();
    virtual TInterfacePtr<IFuzzySet> ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual TInterfacePtr<IFuzzySet>
    ParseFuzzyValues(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual TInterfacePtr<IFuzzySet>
    ParseFuzzyValuePairs(const TInterfacePtr<IFuzzyVariable>& Variable);
    virtual TInterfacePtr<IFuzzySet>
    ParseFuzzyFunction(const TInterfacePtr<IFuzzyVariable>& Variable);
    /// Reads "(" keyword NAME [STRING]; returns the token after them in NextToken.
    virtual void ParseHeader(std::string& Name, std::string& Comment,
                             TInterfacePtr<IFuzzyStreamToken>& NextToken,
                             const std::string& Message, const std::string& Where,
                             const std::string& Keyword, bool ReadComment);

    const TFuzzyLogicTokenStream* GetStream() const { return FStream; }
    TFuzzyLogicTokenStream* GetStream() { return FStream; }

private:
    class TStreamScope;

    TInterfacePtr<IFuzzyStreamToken> NextToken();
    void PutBackToken(const TInterfacePtr<IFuzzyStreamToken>& Token);
    /// The next token, which must be a number; ParseError(Where, "Expected number") else.
    TFzyFloat ExpectNumber(const std::string& Where);
    TFuzzySet* EmptyFuzzySet(TFuzzyVariable* Variable);
    /// FuzzySet, or an auxiliary copy in Variable's terms when it is a defined term or was
    /// among them before index FirstNewTerm.
    TFuzzySet* CopyWhenDefined(TFuzzyVariable* Variable, TFuzzySet* FuzzySet, int FirstNewTerm = 0);
    TFuzzySet* EvalVariableToken(TFuzzyVariable* Variable, const std::string& Name);
    TFuzzySet* EvalListToken(TFuzzyVariable* Variable, const IFuzzyStreamToken& Token);
    struct TExpressionItem;
    TFuzzySet* EvalPostfix(TFuzzyVariable* Variable,
                           const std::vector<const TExpressionItem*>& Postfix);
    /// Runs the component-model reader Read for Variable through the parser's face.
    TInterfacePtr<IFuzzySet> ReadIntf(const TInterfacePtr<IFuzzyVariable>& Variable,
                                      TFuzzySet* (TKelFuzzyLogicParser::*Read)(TFuzzyVariable*));

    TFuzzyLogicTokenStream* FStream = nullptr;
    int FVariableDepth = 0;
};

} // namespace fuzzy
