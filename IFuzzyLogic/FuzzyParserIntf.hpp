#pragma once
// The IFuzzyParser face of a parser component, and the conversions between the two object
// models that it runs on.
//
// The definition language is read, evaluated and written by one parser, the component
// model's. Interface-model sets and variables reach it through TFuzzyParserIntf, which
// copies them into a scratch component model, lets the parser work there and copies the
// results back. The copies carry names, ranges, units, comments, points, set types,
// expressions and Defined, which is all the parser and the writer read.

#include <functional>
#include <memory>

#include "FuzzyInterfaces/FuzzyInterfaces.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"

namespace fuzzy {

/// Called before a function call of the definition language is evaluated for the interface
/// model; a handler that sets Handled replaces the built-in functions, Result being the set
/// to use (it comes in as a free copy of the set the call shapes).
using TICalcFuzzyFunctionEvent =
    std::function<void(const std::string& Name, bool& Handled, TInterfacePtr<IFuzzySet>& Result,
                       const TInterfacePtr<IFuzzyStreamTokenList>& Arguments)>;

class TFuzzyLogic;
class TFuzzyVariable;

/// Copies of interface-model objects in the component model and back.
namespace bridge {

/// A new variable of Logic with Variable's fields and copies of its stored sets.
TFuzzyVariable* ToComponent(const IFuzzyVariable& Variable, TFuzzyLogic& Logic);
/// Gives Term FuzzySet's name, points, type, expression, comment and Defined.
void ToComponent(const TInterfacePtr<IFuzzySet>& FuzzySet, TFuzzySet& Term);
/// A new interface variable with Variable's fields and its defined terms, made by Create.
TInterfacePtr<IFuzzyVariable> ToInterface(const TFuzzyVariable& Variable,
                                          TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&));
/// A new interface set linked to Variable with FuzzySet's fields and points (stored in
/// Variable's table when FuzzySet is defined).
TInterfacePtr<IFuzzySet> ToInterface(const TFuzzySet& FuzzySet,
                                     const TInterfacePtr<IFuzzyVariable>& Variable);

} // namespace bridge

/// Lets interface-model sets and variables use a parser component. The parser is not
/// owned: the logic component that made this face detaches it when the parser goes, and a
/// detached face raises EFzyException ("Parser not assigned.  Cannot parse").
///
/// Settings the parser reads from a logic component (number of curve points,
/// defuzzification method, "?" variables) come from the component it is linked to.
class TFuzzyParserIntf : public TInterfacedObject, public virtual IFuzzyParser {
public:
    explicit TFuzzyParserIntf(TCustomFuzzyLogicParser* Parser) : FParser(Parser) {}
    std::string ClassName() const override { return "TFuzzyParserIntf"; }
    HRESULT QueryInterface(const TGUID& Guid, void** Obj) override {
        return QueryInterfaces<IFuzzyParser, IInterface>(this, Guid, Obj);
    }

    TCustomFuzzyLogicParser* GetParser() const { return FParser; }
    /// Forgets the parser component, which is going away.
    void Detach() { FParser = nullptr; }

    TFzyFloat EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                  const std::string& Expression,
                                  TInterfacePtr<IFuzzySet>& Result) override;
    TInterfacePtr<IFuzzySet> EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                 const std::string& Expression) override;
    /// The term is linked to Variable; like the component model's, it is not marked
    /// Defined, so it is not stored in the variable's table.
    TInterfacePtr<IFuzzySet> ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                           const std::string& Text,
                                           const TEncoding* Encoding) override;
    /// The variable, of the linked TIFuzzyLogic's variable class, gets this parser and is
    /// stored in that component's table. EFzyParseException when the parser is linked to
    /// no component, or to one of another kind.
    TInterfacePtr<IFuzzyVariable> ParseFuzzyVariableIntf(const std::string& Text,
                                                         const TEncoding* Encoding) override;
    std::string PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet, bool AsTerm) override;
    std::string PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) override;

    /// Reads every variable definition of Text with the parser component's Parse; each
    /// variable, made by Create and given this parser, goes to Store as soon as it is read
    /// whole. A parse error keeps what was stored and drops the variable it broke off.
    void ParseVariables(const std::string& Text, const TEncoding* Encoding,
                        TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&),
                        const std::function<void(const TInterfacePtr<IFuzzyVariable>&)>& Store);

    /// Called for each term of a variable read, in the order read, once the variable is
    /// read; then OnParseFuzzyVariableIntf for the variable.
    const TIFuzzySetEvent& GetOnParseFuzzySetIntf() const { return FOnParseFuzzySetIntf; }
    void SetOnParseFuzzySetIntf(TIFuzzySetEvent Value) { FOnParseFuzzySetIntf = std::move(Value); }
    const TIFuzzyVariableEvent& GetOnParseFuzzyVariableIntf() const {
        return FOnParseFuzzyVariableIntf;
    }
    void SetOnParseFuzzyVariableIntf(TIFuzzyVariableEvent Value) {
        FOnParseFuzzyVariableIntf = std::move(Value);
    }
    /// Called before each function call the parser evaluates while working for this face.
    const TICalcFuzzyFunctionEvent& GetOnCalcFuzzyFunctionIntf() const {
        return FOnCalcFuzzyFunctionIntf;
    }
    void SetOnCalcFuzzyFunctionIntf(TICalcFuzzyFunctionEvent Value) {
        FOnCalcFuzzyFunctionIntf = std::move(Value);
    }
    /// Shapes FuzzySet by the function Name and its Arguments: OnCalcFuzzyFunctionIntf may
    /// take the call over, else the parser component's functions shape it. FuzzySet takes
    /// the resulting points, type and expression, keeps its name and is returned.
    TInterfacePtr<IFuzzySet> CalcFuzzyFunction(const TInterfacePtr<IFuzzySet>& FuzzySet,
                                               const std::string& Name,
                                               const TInterfacePtr<IFuzzyStreamTokenList>& Arguments);
    /// Called after each expression evaluated for an interface variable; the handler may
    /// replace the result.
    const TIFuzzyExpressionEvent& GetOnEvalExpressionIntf() const { return FOnEvalExpressionIntf; }
    void SetOnEvalExpressionIntf(TIFuzzyExpressionEvent Value) {
        FOnEvalExpressionIntf = std::move(Value);
    }

private:
    class TScratchModel;

    TCustomFuzzyLogicParser& Parser() const;
    /// Gives a variable read this parser and raises the parse callbacks for it.
    void Read(const TInterfacePtr<IFuzzyVariable>& Variable);
    TInterfacePtr<IFuzzySet> Evaluated(const TInterfacePtr<IFuzzyVariable>& Variable,
                                       const std::string& Expression, const TFuzzySet& Result);

    TCustomFuzzyLogicParser* FParser;
    TIFuzzySetEvent FOnParseFuzzySetIntf;
    TIFuzzyVariableEvent FOnParseFuzzyVariableIntf;
    TIFuzzyExpressionEvent FOnEvalExpressionIntf;
    TICalcFuzzyFunctionEvent FOnCalcFuzzyFunctionIntf;
};

} // namespace fuzzy
