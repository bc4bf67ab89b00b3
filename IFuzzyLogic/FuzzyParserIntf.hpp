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

class TFuzzyLogic;
class TFuzzyVariable;

/// Copies of interface-model objects in the component model and back.
namespace bridge {

/// A new variable of Logic with Variable's fields and copies of its stored sets.
TFuzzyVariable* ToComponent(const IFuzzyVariable& Variable, TFuzzyLogic& Logic);
/// Gives Term FuzzySet's name, points, type, expression, comment and Defined.
void ToComponent(const TInterfacePtr<IFuzzySet>& FuzzySet, TFuzzySet& Term);
/// Gives Copy Variable's comment, range and units.
void CopyFields(const TFuzzyVariable& Variable, IFuzzyVariable& Copy);
/// A new interface variable with Variable's fields and its defined terms, made by Create.
TInterfacePtr<IFuzzyVariable>
ToInterface(const TFuzzyVariable& Variable,
            TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&));
/// A new interface set linked to Variable with FuzzySet's fields and points (stored in
/// Variable's table when FuzzySet is defined).
TInterfacePtr<IFuzzySet> ToInterface(const TFuzzySet& FuzzySet,
                                     const TInterfacePtr<IFuzzyVariable>& Variable);

} // namespace bridge

class TIFuzzyLogic;

/// The IFuzzyParser face of a parser component, handed out by the parser's type query
/// (Supports<IFuzzyParser>(parser)); one per parser.
///
/// Why a face and not the component itself: components are owned by their owner, so a
/// counted reference to the component could outlive it. The face is counted: the parser
/// holds one reference and sets, variables and callers hold the others. While the parser
/// lives the face forwards to it; the parser's destructor detaches the face, after which
/// every call raises EFzyException ("Parser not assigned.  Cannot parse"). So no reference
/// can reach a destroyed parser, and the face is freed with its last reference.
///
/// Settings the parser reads from a logic component (number of curve points,
/// defuzzification method, "?" variables) come from the component it is linked to. The
/// interface callbacks raised are the parser's (OnParseFuzzySetIntf, ...).
class TFuzzyParserIntf : public TInterfacedObject, public virtual IFuzzyParser {
public:
    std::string ClassName() const override { return "TFuzzyParserIntf"; }
    HRESULT QueryInterface(const TGUID& Guid, void** Obj) override {
        return QueryInterfaces<IFuzzyParser, IInterface>(this, Guid, Obj);
    }

    /// The parser component; nullptr once it was destroyed.
    const TCustomFuzzyLogicParser* GetParser() const { return FParser; }
    TCustomFuzzyLogicParser* GetParser() { return FParser; }

    // The IFuzzyParser calls go to the parser component's interface forms.
    TFzyFloat EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                  const std::string& Expression,
                                  TInterfacePtr<IFuzzySet>& Result) override;
    TInterfacePtr<IFuzzySet> EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                 const std::string& Expression) override;
    TInterfacePtr<IFuzzySet> ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                           const std::string& Text,
                                           const TEncoding* Encoding) override;
    TInterfacePtr<IFuzzyVariable> ParseFuzzyVariableIntf(const std::string& Text,
                                                         const TEncoding* Encoding) override;
    std::string PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet, bool AsTerm) override;
    std::string PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) override;

    // The interface forms of the parser's readers run the component-model reader on a
    // copy and copy its result back, so that every reading algorithm exists once.

    /// Runs Read on a component copy of Variable; the set it returns comes back as an
    /// interface set linked to Variable (stored in its table when the set is Defined).
    TInterfacePtr<IFuzzySet> ReadSet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                     const std::function<TFuzzySet*(TFuzzyVariable*)>& Read);
    /// As ReadSet for a term, then OnParseFuzzySetIntf for it.
    TInterfacePtr<IFuzzySet> ReadTerm(const TInterfacePtr<IFuzzyVariable>& Variable,
                                      const std::function<TFuzzySet*(TFuzzyVariable*)>& Read);
    /// As ReadSet for an expression's result, which OnEvalExpressionIntf may then replace;
    /// Expression, the text the handler gets, is read once Evaluate has run.
    TInterfacePtr<IFuzzySet> EvalSet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                     const std::string& Expression,
                                     const std::function<TFuzzySet*(TFuzzyVariable*)>& Evaluate);
    /// Runs Read, which reads one variable into the component model; the interface copy,
    /// made by the linked TIFuzzyLogic's variable class, gets this parser and is stored in
    /// that component's table, replacing one of the same name. OnParseFuzzySetIntf runs
    /// as each term is read, OnParseFuzzyVariableIntf once the variable is stored.
    /// EFzyParseException
    /// when the parser is linked to no component, or to one of another kind. A failing
    /// Read stores nothing.
    TInterfacePtr<IFuzzyVariable> ReadVariable(const std::function<TFuzzyVariable*()>& Read);

private:
    friend class TCustomFuzzyLogicParser;
    class TScratchModel;

    explicit TFuzzyParserIntf(TCustomFuzzyLogicParser* Parser) : FParser(Parser) {}
    /// Forgets the parser component, which is going away.
    void Detach() { FParser = nullptr; }
    TCustomFuzzyLogicParser& Parser();

    TCustomFuzzyLogicParser* FParser;
};

} // namespace fuzzy
