#pragma once
// The contract through which interface-model sets and variables reach a parser of the
// definition language.

#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzySetIntf.hpp"
#include "FuzzyInterfaces/FuzzyVariableIntf.hpp"
#include "platform/Interface.hpp"

namespace fuzzy {

class TEncoding;

/// Reads definition-language text into interface-model sets and variables, evaluates
/// expressions over a variable's terms and writes sets and variables back as text.
/// Implemented by the parser components, which answer the type query like any component
/// but are owned by their owner component: releasing references never frees a parser.
///
/// Parse errors raise EFzyParseException. An Encoding of nullptr means UTF-8.
class IFuzzyParser : public virtual IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{7F0ED40B-4048-46BB-8EFB-DAB9532F6A54}");

    /// Evaluates Expression into Result and returns Result's defuzzified value (mean of
    /// maxima when the logic component asks for it, else centre of gravity).
    virtual TFzyFloat EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                          const std::string& Expression,
                                          TInterfacePtr<IFuzzySet>& Result) = 0;
    /// The set that Expression over Variable's terms denotes.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                        const std::string& Expression) = 0;
    /// Reads one term definition of Text for Variable and returns the term.
    virtual TInterfacePtr<IFuzzySet> ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                   const std::string& Text,
                                                   const TEncoding* Encoding) = 0;
    /// Reads the first variable definition of Text; the new variable is also stored in
    /// the logic component's variable table, replacing one of the same name.
    virtual TInterfacePtr<IFuzzyVariable> ParseFuzzyVariableIntf(const std::string& Text,
                                                                 const TEncoding* Encoding) = 0;
    /// The definition text of a term (AsTerm), or the name or expression that stands for
    /// the set inside an expression.
    [[nodiscard]] virtual std::string PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet,
                                                  bool AsTerm) = 0;
    /// The definition text of a variable with its defined terms.
    [[nodiscard]] virtual std::string
    PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) = 0;

protected:
    ~IFuzzyParser() = default;
};

} // namespace fuzzy
