#include "IFuzzyLogic/FuzzyParserIntf.hpp"

#include <algorithm>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"
#include "IFuzzyLogic/IFuzzySet.hpp"
#include "IFuzzyLogic/IFuzzyVariable.hpp"

namespace fuzzy {

namespace bridge {

TFuzzyVariable* ToComponent(const IFuzzyVariable& Variable, TFuzzyLogic& Logic) {
    TFuzzyVariable* copy = Logic.GetItems()->Add();
    copy->SetName(Variable.GetName());
    copy->SetComment(Variable.GetComment());
    copy->SetMinimum(Variable.GetMinimum());
    copy->SetMaximum(Variable.GetMaximum());
    copy->SetUnits(Variable.GetUnits());
    copy->SetThreshold(Variable.GetThreshold());
    // The table's order depends on the hashes; the terms go over in the order they were
    // stored, as the component model keeps them.
    std::vector<TInterfacePtr<IFuzzySet>> sets;
    for (int i = 0; i < Variable.GetCount(); ++i)
        sets.push_back(Variable.GetFuzzySet(i));
    std::ranges::sort(sets, {}, [](const TInterfacePtr<IFuzzySet>& Set) { return Set->GetIndex(); });
    for (const TInterfacePtr<IFuzzySet>& set : sets)
        ToComponent(set, *copy->GetItems()->Add());
    return copy;
}

void ToComponent(const TInterfacePtr<IFuzzySet>& FuzzySet, TFuzzySet& Term) {
    Term.Assign(TIFuzzySet::CoreOf(FuzzySet));
    Term.SetComment(FuzzySet->GetComment());
    Term.SetDefined(FuzzySet->GetDefined());
}

TInterfacePtr<IFuzzyVariable> ToInterface(const TFuzzyVariable& Variable,
                                          TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&)) {
    TInterfacePtr<IFuzzyVariable> copy = Create(Variable.GetName());
    copy->SetComment(Variable.GetComment());
    copy->SetMinimum(Variable.GetMinimum());
    copy->SetMaximum(Variable.GetMaximum());
    copy->SetUnits(Variable.GetUnits());
    for (const TFuzzySet* term : *Variable.GetItems())
        if (term->GetDefined())
            ToInterface(*term, copy);
    return copy;
}

TInterfacePtr<IFuzzySet> ToInterface(const TFuzzySet& FuzzySet,
                                     const TInterfacePtr<IFuzzyVariable>& Variable) {
    TInterfacePtr<IFuzzySet> copy = TIFuzzySet::Create(Variable, FuzzySet.GetName());
    copy->Assign(&FuzzySet);
    copy->SetComment(FuzzySet.GetComment());
    copy->SetDefined(FuzzySet.GetDefined());
    if (FuzzySet.GetDefined() && Variable)
        Variable->Add(copy);
    return copy;
}

} // namespace bridge

namespace {

// The variable a set is written for: a copy of its own, or a bare one over the set's axis.
TFuzzyVariable* ScratchVariableOf(const IFuzzySet& FuzzySet, TFuzzyLogic& Logic) {
    if (const TInterfacePtr<IFuzzyVariable> variable = FuzzySet.GetVariable())
        return bridge::ToComponent(*variable, Logic);
    return Logic.GetItems()->Add();
}

} // namespace

// ---- the parser's type query ----

TFuzzyParserIntf& TCustomFuzzyLogicParser::GetIntf() {
    if (!FIntf)
        FIntf = TInterfacePtr<IFuzzyParser>(new TFuzzyParserIntf(this));
    return dynamic_cast<TFuzzyParserIntf&>(*FIntf);
}

HRESULT TCustomFuzzyLogicParser::QueryInterface(const TGUID& IID, void** Obj) {
    return GetIntf().QueryInterface(IID, Obj);
}

void TCustomFuzzyLogicParser::DetachIntf() noexcept {
    if (FIntf)
        dynamic_cast<TFuzzyParserIntf&>(*FIntf).Detach();
    FIntf.Reset();
}

// ---- the face ----

// A component model the parser works in for one call: a logic component with the settings
// of the one the parser is linked to, linked to the parser until the call ends. While it
// lasts, the parser's OnCalcFuzzyFunctionIntf sees the function calls the parser evaluates.
class TFuzzyParserIntf::TScratchModel {
public:
    explicit TScratchModel(TFuzzyParserIntf& Face)
        : FLogic(TFuzzyLogic::Create(nullptr)), FParser(Face.Parser()),
          FLinked(FParser.GetFuzzyLogic()), FCalc(FParser.GetOnCalcFuzzyFunction()) {
        FLogic->SetAutoTerms(false);
        if (FLinked != nullptr) {
            FLogic->SetNumFunctionValues(FLinked->GetNumFunctionValues());
            FLogic->SetDefuzzificationMethod(FLinked->GetDefuzzificationMethod());
            FLogic->SetCorrelationMethod(FLinked->GetCorrelationMethod());
            FLogic->SetInferenceMethod(FLinked->GetInferenceMethod());
            FLogic->SetThreshold(FLinked->GetThreshold());
            FLogic->SetVariables(FLinked->GetVariables());
        }
        FParser.SetFuzzyLogic(FLogic.get());
        if (FParser.GetOnCalcFuzzyFunctionIntf())
            FParser.SetOnCalcFuzzyFunction(
                [&Parser = FParser, previous = FCalc](
                    TObject* Sender, const std::string& Name, bool& Handled, TFuzzySet*& Result,
                    const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
                    if (previous)
                        previous(Sender, Name, Handled, Result, Arguments);
                    if (Handled)
                        return;
                    TInterfacePtr<IFuzzySet> result = bridge::ToInterface(*Result, nullptr);
                    Parser.GetOnCalcFuzzyFunctionIntf()(Name, Handled, result, Arguments);
                    if (Handled)
                        Result->Assign(TIFuzzySet::CoreOf(result));
                });
    }
    ~TScratchModel() {
        FParser.SetOnCalcFuzzyFunction(FCalc);
        FParser.SetFuzzyLogic(FLinked);
    }
    TScratchModel(const TScratchModel&) = delete;
    TScratchModel& operator=(const TScratchModel&) = delete;

    TFuzzyLogic& GetLogic() const { return *FLogic; }

private:
    std::unique_ptr<TFuzzyLogic> FLogic;
    TCustomFuzzyLogicParser& FParser;
    TCustomFuzzyLogic* FLinked;
    TCalcFuzzyFunctionEvent FCalc;
};

TCustomFuzzyLogicParser& TFuzzyParserIntf::Parser() const {
    if (FParser == nullptr)
        throw EFzyException(SParserUnassigned);
    return *FParser;
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::ReadSet(const TInterfacePtr<IFuzzyVariable>& Variable,
                          const std::function<TFuzzySet*(TFuzzyVariable*)>& Read) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable = bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic());
    return bridge::ToInterface(*Read(variable), Variable);
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::ReadTerm(const TInterfacePtr<IFuzzyVariable>& Variable,
                           const std::function<TFuzzySet*(TFuzzyVariable*)>& Read) {
    TInterfacePtr<IFuzzySet> term = ReadSet(Variable, Read);
    if (const TIFuzzySetEvent& handler = Parser().GetOnParseFuzzySetIntf())
        handler(Variable, term);
    return term;
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::EvalSet(const TInterfacePtr<IFuzzyVariable>& Variable, const std::string& Expression,
                          const std::function<TFuzzySet*(TFuzzyVariable*)>& Evaluate) {
    TInterfacePtr<IFuzzySet> result = ReadSet(Variable, Evaluate);
    if (const TIFuzzyExpressionEvent& handler = Parser().GetOnEvalExpressionIntf())
        handler(Variable, Expression, result);
    return result;
}

TFzyFloat TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                const std::string& Expression,
                                                TInterfacePtr<IFuzzySet>& Result) {
    TFzyFloat value = 0;
    Result = EvalSet(Variable, Expression, [&](TFuzzyVariable* Copy) {
        TFuzzySet* result = nullptr;
        value = Parser().EvalFuzzyExpression(Copy, Expression, result);
        return result;
    });
    return value;
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                      const std::string& Expression) {
    return EvalSet(Variable, Expression,
                   [&](TFuzzyVariable* Copy) { return Parser().EvalFuzzyExpression(Copy, Expression); });
}

TInterfacePtr<IFuzzySet> TFuzzyParserIntf::ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                         const std::string& Text,
                                                         const TEncoding* Encoding) {
    return ReadTerm(Variable,
                    [&](TFuzzyVariable* Copy) { return Parser().ParseFuzzySet(Copy, Text, Encoding); });
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::CalcFuzzyFunction(const TInterfacePtr<IFuzzySet>& FuzzySet, const std::string& Name,
                                    const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
    TScratchModel scratch(*this);
    TFuzzySet* set = ScratchVariableOf(Given(FuzzySet, "fuzzy set"), scratch.GetLogic())->GetItems()->Add();
    bridge::ToComponent(FuzzySet, *set);
    TFuzzySet* shaped = Parser().CalcFuzzyFunction(set, Name, Arguments);
    // The set keeps its name, and with it its place in its variable's table.
    shaped->SetName(FuzzySet->GetName());
    FuzzySet->Assign(static_cast<const TPersistent*>(shaped));
    return FuzzySet;
}

TInterfacePtr<IFuzzyVariable> TFuzzyParserIntf::ReadVariable(const std::function<TFuzzyVariable*()>& Read) {
    TCustomFuzzyLogic* linked = Parser().GetFuzzyLogic();
    if (linked == nullptr)
        throw EFzyParseException(SFuzzyLogicNotSet);
    auto* logic = dynamic_cast<TIFuzzyLogic*>(linked);
    if (logic == nullptr)
        throw EFzyParseException(SFuzzyLogicNotTIFuzzyLogic);
    TInterfacePtr<IFuzzyVariable> variable;
    {
        TScratchModel scratch(*this);
        variable = bridge::ToInterface(*Read(), logic->GetVariableClass());
    }
    variable->SetParser(TInterfacePtr<IFuzzyParser>(this));
    logic->GetItems().Add(variable);
    // Held here: the handlers may unlink or free the parser.
    const TIFuzzySetEvent onSet = FParser->GetOnParseFuzzySetIntf();
    const TIFuzzyVariableEvent onVariable = FParser->GetOnParseFuzzyVariableIntf();
    if (onSet) {
        std::vector<TInterfacePtr<IFuzzySet>> sets;
        for (int i = 0; i < variable->GetCount(); ++i)
            sets.push_back(variable->GetFuzzySet(i));
        std::ranges::sort(sets, {}, [](const auto& Set) { return Set->GetIndex(); });
        for (const TInterfacePtr<IFuzzySet>& set : sets)
            onSet(variable, set);
    }
    if (onVariable)
        onVariable(variable);
    return variable;
}

TInterfacePtr<IFuzzyVariable> TFuzzyParserIntf::ParseFuzzyVariableIntf(const std::string& Text,
                                                                       const TEncoding* Encoding) {
    return ReadVariable([&] { return Parser().ParseFuzzyVariable(Text, Encoding); });
}

std::string TFuzzyParserIntf::PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet, bool AsTerm) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable = ScratchVariableOf(Given(FuzzySet, "fuzzy set"), scratch.GetLogic());
    TFuzzySet* set = variable->GetItems()->Add();
    bridge::ToComponent(FuzzySet, *set);
    return Parser().PrettyPrint(set, AsTerm);
}

std::string TFuzzyParserIntf::PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) {
    TScratchModel scratch(*this);
    return Parser().PrettyPrint(bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic()));
}

} // namespace fuzzy
