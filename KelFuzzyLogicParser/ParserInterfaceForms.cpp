// The interface-model forms of the parser's readers and evaluator. Each runs its
// component-model form through the parser's face, which copies the variable into a scratch
// component model and the result back, so that every reading algorithm exists once.

#include "FuzzyLogic/FuzzySet.hpp"
#include "IFuzzyLogic/FuzzyParserIntf.hpp"
#include "KelFuzzyLogicParser/ParserComponent.hpp"

namespace fuzzy {

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::ReadIntf(const TInterfacePtr<IFuzzyVariable>& Variable,
                               TFuzzySet* (TKelFuzzyLogicParser::*Read)(TFuzzyVariable*)) {
    return GetIntf().ReadSet(Variable, [this, Read](TFuzzyVariable* Copy) {
        TFuzzySet* set = (this->*Read)(Copy);
        if (set->GetName().empty())
            set->SetName(GetUniqueName());
        return set;
    });
}

TInterfacePtr<IFuzzyVariable> TKelFuzzyLogicParser::ParseFuzzyVariableIntf() {
    return GetIntf().ReadVariable([this] { return ParseFuzzyVariable(); });
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable) {
    return GetIntf().ReadTerm(Variable,
                              [this](TFuzzyVariable* Copy) { return ParseFuzzySet(Copy); });
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::ParseFuzzyValues(const TInterfacePtr<IFuzzyVariable>& Variable) {
    return ReadIntf(Variable, &TKelFuzzyLogicParser::ParseFuzzyValues);
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::ParseFuzzyValuePairs(const TInterfacePtr<IFuzzyVariable>& Variable) {
    return ReadIntf(Variable, &TKelFuzzyLogicParser::ParseFuzzyValuePairs);
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::ParseFuzzyFunction(const TInterfacePtr<IFuzzyVariable>& Variable) {
    return ReadIntf(Variable, &TKelFuzzyLogicParser::ParseFuzzyFunction);
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                          const TInterfacePtr<IFuzzyStreamTokenList>& Tokens) {
    std::string postfix; // what the component model's callback gets too
    return GetIntf().EvalSet(Variable, postfix, [&](TFuzzyVariable* Copy) {
        TFuzzySet* result = EvalFuzzyExpression(Copy, Tokens);
        postfix = Tokens->ToString();
        return result;
    });
}

TInterfacePtr<IFuzzySet>
TKelFuzzyLogicParser::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                          const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return GetIntf().ReadSet(
        Variable, [&](TFuzzyVariable* Copy) { return EvalFuzzyExpression(Copy, Token); });
}

} // namespace fuzzy
