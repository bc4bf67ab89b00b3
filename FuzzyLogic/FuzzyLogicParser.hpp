#pragma once
// The parser component as the logic component sees it: it reads definition text into the
// component's variables, writes variables and terms back as text, evaluates expressions
// and builds the shapes of the built-in functions ("tri", "pi", "s", "z", "beta").

#include <functional>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzyEventsIntf.hpp"
#include "FuzzyInterfaces/FuzzyParserIntf.hpp"
#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"
#include "FuzzyLogic/FuzzyLogicEvents.hpp"
#include "platform/Component.hpp"
#include "platform/StringList.hpp"

namespace fuzzy {

class TCustomFuzzyLogic;
class TEncoding;
class TFuzzySet;
class TFuzzyVariable;
class TFuzzyParserIntf;

/// Called after an expression was evaluated; the handler may replace Result.
using TFuzzyExpressionEvent = std::function<void(
    TObject* Sender, TFuzzyVariable* Variable, const std::string& Expression, TFuzzySet*& Result)>;
/// Called before a function call is evaluated; a handler that sets Handled replaces the
/// built-in functions, Result being the set to return.
using TCalcFuzzyFunctionEvent =
    std::function<void(TObject* Sender, const std::string& Name, bool& Handled, TFuzzySet*& Result,
                       const TInterfacePtr<IFuzzyStreamTokenList>& Arguments)>;

/// Shapes FuzzySet as the built-in call Name ("tri", "pi", "s", "z", "beta") with these
/// numbers, curves made of Points points; false when no built-in form takes that many
/// numbers. The shape constructors' own errors propagate.
bool CreateShapeOfCall(TFuzzySet& FuzzySet, const std::string& Name,
                       const std::vector<TFzyFloat>& Arguments, int Points);

/// Called before a function call of the definition language is evaluated for the interface
/// model; a handler that sets Handled replaces the built-in functions, Result being the set
/// to use (it comes in as a free copy of the set the call shapes).
using TICalcFuzzyFunctionEvent =
    std::function<void(const std::string& Name, bool& Handled, TInterfacePtr<IFuzzySet>& Result,
                       const TInterfacePtr<IFuzzyStreamTokenList>& Arguments)>;

/// Base of the parser components. It links to a logic component (not owned; the link is
/// cleared when that component is destroyed), raises the parse errors and evaluates the
/// built-in functions; a descendant reads and writes the text format.
///
/// Callbacks, each called only when assigned: OnBeginParse and OnEndParse around a
/// successful Parse; OnParseFuzzyVariable / OnParseFuzzySet after each variable / term is
/// read; OnEvalExpression after each expression; OnCalcFuzzyFunction before each call.
///
/// Every failure raises EFzyParseException, except errors of the sets themselves (a
/// reserved term name, a beta curve with inflection point 0), which propagate as they are.
/// Many points at one X are no error: the point list limits them itself. What was
/// read before a failure stays in the logic component; the term being read does not.
///
/// Interface-model sets and variables reach the parser as IFuzzyParser, which the type
/// query (QueryInterface, Supports) answers with the parser's one counted face,
/// TFuzzyParserIntf. The parser is owned by its owner component, never by references: the
/// face is shared by the parser and the references, forwards to the parser while it lives
/// and, once the parser is destroyed, raises EFzyException ("Parser not assigned.  Cannot
/// parse") instead of reaching it. The interface callbacks (OnParseFuzzySetIntf, ...) are
/// the parser's and are raised by the face for what it reads.
class TCustomFuzzyLogicParser : public TComponent {
public:
    ~TCustomFuzzyLogicParser() override;
    std::string ClassName() const override { return "TCustomFuzzyLogicParser"; }

    const TCustomFuzzyLogic* GetFuzzyLogic() const { return FFuzzyLogic; }
    TCustomFuzzyLogic* GetFuzzyLogic() { return FFuzzyLogic; }
    /// Links the logic component to fill (both ways, so that its end clears the link).
    void SetFuzzyLogic(TCustomFuzzyLogic* Value);

    const TFuzzySetEvent& GetOnParseFuzzySet() const { return FOnParseFuzzySet; }
    void SetOnParseFuzzySet(TFuzzySetEvent Value) { FOnParseFuzzySet = std::move(Value); }
    const TFuzzyVariableEvent& GetOnParseFuzzyVariable() const { return FOnParseFuzzyVariable; }
    void SetOnParseFuzzyVariable(TFuzzyVariableEvent Value) {
        FOnParseFuzzyVariable = std::move(Value);
    }
    const TFuzzyExpressionEvent& GetOnEvalExpression() const { return FOnEvalExpression; }
    void SetOnEvalExpression(TFuzzyExpressionEvent Value) { FOnEvalExpression = std::move(Value); }
    const TCalcFuzzyFunctionEvent& GetOnCalcFuzzyFunction() const { return FOnCalcFuzzyFunction; }
    void SetOnCalcFuzzyFunction(TCalcFuzzyFunctionEvent Value) {
        FOnCalcFuzzyFunction = std::move(Value);
    }
    const TIFuzzySetEvent& GetOnParseFuzzySetIntf() const { return FOnParseFuzzySetIntf; }
    void SetOnParseFuzzySetIntf(TIFuzzySetEvent Value) { FOnParseFuzzySetIntf = std::move(Value); }
    const TIFuzzyVariableEvent& GetOnParseFuzzyVariableIntf() const {
        return FOnParseFuzzyVariableIntf;
    }
    void SetOnParseFuzzyVariableIntf(TIFuzzyVariableEvent Value) {
        FOnParseFuzzyVariableIntf = std::move(Value);
    }
    const TICalcFuzzyFunctionEvent& GetOnCalcFuzzyFunctionIntf() const {
        return FOnCalcFuzzyFunctionIntf;
    }
    void SetOnCalcFuzzyFunctionIntf(TICalcFuzzyFunctionEvent Value) {
        FOnCalcFuzzyFunctionIntf = std::move(Value);
    }
    const TIFuzzyExpressionEvent& GetOnEvalExpressionIntf() const { return FOnEvalExpressionIntf; }
    void SetOnEvalExpressionIntf(TIFuzzyExpressionEvent Value) {
        FOnEvalExpressionIntf = std::move(Value);
    }
    const TNotifyEvent& GetOnBeginParse() const { return FOnBeginParse; }
    void SetOnBeginParse(TNotifyEvent Value) { FOnBeginParse = std::move(Value); }
    const TNotifyEvent& GetOnEndParse() const { return FOnEndParse; }
    void SetOnEndParse(TNotifyEvent Value) { FOnEndParse = std::move(Value); }

    /// Answers IFuzzyParser and the root interface with the parser's face (made on first
    /// use, the same face every time); E_NOINTERFACE for anything else.
    HRESULT QueryInterface(const TGUID& IID, void** Obj);
    /// The parser's face itself, made on first use.
    TFuzzyParserIntf& GetIntf();

    /// Reads Text (in Encoding, nullptr meaning UTF-8) into the logic component:
    /// OnBeginParse, ParseFuzzyLogic, OnEndParse. EFzyParseException without a logic
    /// component (before any callback).
    virtual void Parse(const std::string& Text, const TEncoding* Encoding);
    /// Reads every variable definition of Text into the logic component.
    virtual void ParseFuzzyLogic(const std::string& Text, const TEncoding* Encoding) = 0;
    /// Reads the first variable definition of Text and returns the new variable, owned by
    /// the logic component.
    virtual TFuzzyVariable* ParseFuzzyVariable(const std::string& Text,
                                               const TEncoding* Encoding) = 0;
    /// Reads one term definition of Text into Variable and returns the new term, owned by
    /// the variable.
    virtual TFuzzySet* ParseFuzzySet(TFuzzyVariable* Variable, const std::string& Text,
                                     const TEncoding* Encoding) = 0;
    /// Evaluates an expression over Variable's terms into a set owned by the variable.
    virtual TFuzzySet* EvalFuzzyExpression(TFuzzyVariable* Variable,
                                           const std::string& Expression) = 0;
    /// Evaluates the expression into Result and returns its defuzzified value (mean of
    /// maxima when the logic component asks for it, else centre of gravity).
    virtual TFzyFloat EvalFuzzyExpression(TFuzzyVariable* Variable, const std::string& Expression,
                                          TFuzzySet*& Result) = 0;
    /// The definition text of a term (AsTerm) or of a set standing in an expression.
    virtual std::string PrettyPrint(const TFuzzySet* FuzzySet, bool AsTerm) const = 0;
    /// The definition text of a variable with its defined terms.
    virtual std::string PrettyPrint(const TFuzzyVariable* Variable) const = 0;

    // The interface-model forms. Each runs its component-model form above on a scratch
    // component copy of its arguments and copies the results back (see TFuzzyParserIntf),
    // so that every algorithm exists once; the parser's face forwards its IFuzzyParser
    // calls to them.

    /// Evaluates the expression into Result, linked to Variable (not stored in its table),
    /// and returns its defuzzified value; then OnEvalExpressionIntf, which may replace Result.
    virtual TFzyFloat EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                          const std::string& Expression,
                                          TInterfacePtr<IFuzzySet>& Result);
    virtual TInterfacePtr<IFuzzySet>
    EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                        const std::string& Expression);
    /// Reads one term definition for Variable. Like the component model's, the term is
    /// linked to Variable but not marked Defined, so not stored. Then OnParseFuzzySetIntf.
    virtual TInterfacePtr<IFuzzySet> ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                   const std::string& Text,
                                                   const TEncoding* Encoding);
    /// Reads the first variable definition of Text into the linked TIFuzzyLogic's table
    /// (replacing one of the same name); the variable gets this parser's face as its
    /// parser. EFzyParseException when no component, or one of another kind, is linked.
    virtual TInterfacePtr<IFuzzyVariable> ParseFuzzyVariableIntf(const std::string& Text,
                                                                 const TEncoding* Encoding);
    virtual std::string PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet, bool AsTerm);
    virtual std::string PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable);

    /// Builds a function call's set: OnCalcFuzzyFunction may take it over, else the
    /// built-in functions shape FuzzySet. Returns the resulting set.
    TFuzzySet* CalcFuzzyFunction(TFuzzySet* FuzzySet, const std::string& Name,
                                 const TInterfacePtr<IFuzzyStreamTokenList>& Arguments);
    /// The same for an interface set: OnCalcFuzzyFunctionIntf may take the call over, else
    /// the built-in functions shape it. FuzzySet takes the resulting points, type and
    /// expression, keeps its name (and so its place in its variable's table) and is returned.
    TInterfacePtr<IFuzzySet>
    CalcFuzzyFunction(const TInterfacePtr<IFuzzySet>& FuzzySet, const std::string& Name,
                      const TInterfacePtr<IFuzzyStreamTokenList>& Arguments);
    /// True when every token of Arguments is of one of the Allowed kinds (also when empty).
    static bool VerifyAll(const TInterfacePtr<IFuzzyStreamTokenList>& Arguments,
                          TFuzzyStreamTokenTypes Allowed);

    /// Raises EFzyParseException for a failure in the operation Where, with the text
    /// parsed so far and the current line.
    [[noreturn]] void ParseError(const std::string& Where, const std::string& Message);
    template <class... Args>
    requires(sizeof...(Args) > 0)
        [[noreturn]] void ParseError(const std::string& Where, std::string_view Format,
                                     const Args&... args) {
        ParseError(Where, fuzzy::Format(Format, args...));
    }
    /// Builds and raises the exception: "Parsing Error, <message> in <where> at line
    /// <line>: "<text>"", a text over 255 characters shortened to its first and last 128.
    [[noreturn]] virtual void ParseError(const std::string& Where, const std::string& Message,
                                         const std::string& ParsedText, int LineNumber);

    /// The line being read; 0 when nothing is being read.
    virtual int GetLineNumber() { return 0; }
    /// The text of the current form read so far; empty when nothing is being read.
    virtual std::string GetParsedText() { return {}; }

protected:
    TCustomFuzzyLogicParser() = default;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    /// The built-in functions: shapes FuzzySet by Name and the numeric Arguments.
    virtual void CalcFuzzyFunction(const std::string& Name,
                                   const TInterfacePtr<IFuzzyStreamTokenList>& Arguments,
                                   TFuzzySet*& FuzzySet);
    /// EFzyParseException unless a logic component is linked.
    void CheckFuzzyLogic() const;
    /// Points of generated curves: the logic component's setting, else 7.
    int GetNumFunctionValues() const;

    TFuzzySetEvent FOnParseFuzzySet;
    TFuzzyVariableEvent FOnParseFuzzyVariable;
    TCustomFuzzyLogic* FFuzzyLogic = nullptr;
    TFuzzyExpressionEvent FOnEvalExpression;
    TCalcFuzzyFunctionEvent FOnCalcFuzzyFunction;
    TIFuzzySetEvent FOnParseFuzzySetIntf;
    TIFuzzyVariableEvent FOnParseFuzzyVariableIntf;
    TICalcFuzzyFunctionEvent FOnCalcFuzzyFunctionIntf;
    TIFuzzyExpressionEvent FOnEvalExpressionIntf;
    TNotifyEvent FOnEndParse;
    TNotifyEvent FOnBeginParse;

private:
    /// Cuts the face off this parser, which is going away.
    void DetachIntf() noexcept;

    /// The face handed out by QueryInterface (a TFuzzyParserIntf), held so that every
    /// query gets the same one.
    TInterfacePtr<IFuzzyParser> FIntf;
};

} // namespace fuzzy
