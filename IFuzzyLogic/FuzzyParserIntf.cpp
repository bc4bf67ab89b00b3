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

// A component model the parser works in for one call: a logic component with the settings
// of the one the parser is linked to, linked to the parser until the call ends. While it
// lasts, the face's OnCalcFuzzyFunctionIntf sees the function calls the parser evaluates.
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
        if (Face.FOnCalcFuzzyFunctionIntf)
            FParser.SetOnCalcFuzzyFunction(
                [&Face, previous = FCalc](TObject* Sender, const std::string& Name, bool& Handled,
                                          TFuzzySet*& Result,
                                          const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
                    if (previous)
                        previous(Sender, Name, Handled, Result, Arguments);
                    if (Handled)
                        return;
                    TInterfacePtr<IFuzzySet> result = bridge::ToInterface(*Result, nullptr);
                    Face.FOnCalcFuzzyFunctionIntf(Name, Handled, result, Arguments);
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

TInterfacePtr<IFuzzySet> TFuzzyParserIntf::Evaluated(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                     const std::string& Expression,
                                                     const TFuzzySet& Result) {
    TInterfacePtr<IFuzzySet> result = bridge::ToInterface(Result, Variable);
    if (FOnEvalExpressionIntf)
        FOnEvalExpressionIntf(Variable, Expression, result);
    return result;
}

TFzyFloat TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                const std::string& Expression,
                                                TInterfacePtr<IFuzzySet>& Result) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable = bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic());
    TFuzzySet* result = nullptr;
    const TFzyFloat value = Parser().EvalFuzzyExpression(variable, Expression, result);
    Result = Evaluated(Variable, Expression, *result);
    return value;
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                      const std::string& Expression) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable = bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic());
    return Evaluated(Variable, Expression, *Parser().EvalFuzzyExpression(variable, Expression));
}

TInterfacePtr<IFuzzySet> TFuzzyParserIntf::ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                         const std::string& Text,
                                                         const TEncoding* Encoding) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable = bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic());
    return bridge::ToInterface(*Parser().ParseFuzzySet(variable, Text, Encoding), Variable);
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

void TFuzzyParserIntf::Read(const TInterfacePtr<IFuzzyVariable>& Variable) {
    Variable->SetParser(TInterfacePtr<IFuzzyParser>(this));
    if (FOnParseFuzzySetIntf) {
        std::vector<TInterfacePtr<IFuzzySet>> sets;
        for (int i = 0; i < Variable->GetCount(); ++i)
            sets.push_back(Variable->GetFuzzySet(i));
        std::ranges::sort(sets, {}, [](const auto& Set) { return Set->GetIndex(); });
        for (const TInterfacePtr<IFuzzySet>& set : sets)
            FOnParseFuzzySetIntf(Variable, set);
    }
    if (FOnParseFuzzyVariableIntf)
        FOnParseFuzzyVariableIntf(Variable);
}

TInterfacePtr<IFuzzyVariable> TFuzzyParserIntf::ParseFuzzyVariableIntf(const std::string& Text,
                                                                       const TEncoding* Encoding) {
    TCustomFuzzyLogic* linked = Parser().GetFuzzyLogic();
    if (linked == nullptr)
        throw EFzyParseException(SFuzzyLogicNotSet);
    auto* logic = dynamic_cast<TIFuzzyLogic*>(linked);
    if (logic == nullptr)
        throw EFzyParseException(SFuzzyLogicNotTIFuzzyLogic);
    TInterfacePtr<IFuzzyVariable> variable;
    {
        TScratchModel scratch(*this);
        variable = bridge::ToInterface(*Parser().ParseFuzzyVariable(Text, Encoding),
                                       logic->GetVariableClass());
    }
    Read(variable);
    logic->GetItems().Add(variable);
    return variable;
}

void TFuzzyParserIntf::ParseVariables(
    const std::string& Text, const TEncoding* Encoding,
    TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&),
    const std::function<void(const TInterfacePtr<IFuzzyVariable>&)>& Store) {
    TScratchModel scratch(*this);
    // Each variable is copied and stored as soon as the parser has read it whole, so a
    // parse error keeps the variables before it and drops the one it broke off.
    struct TRestore {
        TCustomFuzzyLogicParser& Parser;
        TFuzzyVariableEvent Previous;
        ~TRestore() { Parser.SetOnParseFuzzyVariable(std::move(Previous)); }
    } restore{Parser(), Parser().GetOnParseFuzzyVariable()};
    Parser().SetOnParseFuzzyVariable([&](TObject* Sender, TFuzzyVariable* ReadVariable) {
        if (restore.Previous)
            restore.Previous(Sender, ReadVariable);
        TInterfacePtr<IFuzzyVariable> variable = bridge::ToInterface(*ReadVariable, Create);
        Read(variable);
        Store(variable);
    });
    Parser().Parse(Text, Encoding);
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
