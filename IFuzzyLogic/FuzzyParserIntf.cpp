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
    std::ranges::sort(sets, {},
                      [](const TInterfacePtr<IFuzzySet>& Set) { return Set->GetIndex(); });
    for (const TInterfacePtr<IFuzzySet>& set : sets)
        ToComponent(set, *copy->GetItems()->Add());
    return copy;
}

void ToComponent(const TInterfacePtr<IFuzzySet>& FuzzySet, TFuzzySet& Term) {
    Term.Assign(TIFuzzySet::CoreOf(FuzzySet));
    Term.SetComment(FuzzySet->GetComment());
    Term.SetDefined(FuzzySet->GetDefined());
}

void CopyFields(const TFuzzyVariable& Variable, IFuzzyVariable& Copy) {
    Copy.SetComment(Variable.GetComment());
    Copy.SetMinimum(Variable.GetMinimum());
    Copy.SetMaximum(Variable.GetMaximum());
    Copy.SetUnits(Variable.GetUnits());
}

TInterfacePtr<IFuzzyVariable>
ToInterface(const TFuzzyVariable& Variable,
            TInterfacePtr<IFuzzyVariable> (*Create)(const std::string&)) {
    TInterfacePtr<IFuzzyVariable> copy = Create(Variable.GetName());
    CopyFields(Variable, *copy);
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

    TFuzzyLogic& GetLogic() { return *FLogic; }

private:
    std::unique_ptr<TFuzzyLogic> FLogic;
    TCustomFuzzyLogicParser& FParser;
    TCustomFuzzyLogic* FLinked;
    TCalcFuzzyFunctionEvent FCalc;
};

TCustomFuzzyLogicParser& TFuzzyParserIntf::Parser() {
    if (FParser == nullptr)
        throw EFzyException(SParserUnassigned);
    return *FParser;
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::ReadSet(const TInterfacePtr<IFuzzyVariable>& Variable,
                          const std::function<TFuzzySet*(TFuzzyVariable*)>& Read) {
    TScratchModel scratch(*this);
    TFuzzyVariable* variable =
        bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic());
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
TFuzzyParserIntf::EvalSet(const TInterfacePtr<IFuzzyVariable>& Variable,
                          const std::string& Expression,
                          const std::function<TFuzzySet*(TFuzzyVariable*)>& Evaluate) {
    TInterfacePtr<IFuzzySet> result = ReadSet(Variable, Evaluate);
    if (const TIFuzzyExpressionEvent& handler = Parser().GetOnEvalExpressionIntf())
        handler(Variable, Expression, result);
    return result;
}

TInterfacePtr<IFuzzyVariable>
TFuzzyParserIntf::ReadVariable(const std::function<TFuzzyVariable*()>& Read) {
    TCustomFuzzyLogicParser& parser = Parser();
    TCustomFuzzyLogic* linked = parser.GetFuzzyLogic();
    if (linked == nullptr)
        throw EFzyParseException(SFuzzyLogicNotSet);
    auto* logic = dynamic_cast<TIFuzzyLogic*>(linked);
    if (logic == nullptr)
        throw EFzyParseException(SFuzzyLogicNotTIFuzzyLogic);
    // The interface variable is made when its first term has been read, so that
    // OnParseFuzzySetIntf runs as each term is read, with the variable as read so far (not
    // yet in the component's table, the terms before this one stored in it) and the term
    // linked to it but not yet stored. The copies handed to the handler are the ones stored.
    TInterfacePtr<IFuzzyVariable> variable;
    std::vector<std::pair<const TFuzzySet*, TInterfacePtr<IFuzzySet>>> termsRead;
    // A term the parser has marked Defined is stored, once.
    const auto store = [&](const TFuzzySet& Term, const TInterfacePtr<IFuzzySet>& Copy) {
        if (!Term.GetDefined() || variable->ContainsFuzzySet(Copy->GetName()) == Copy)
            return;
        Copy->SetDefined(true);
        variable->Add(Copy);
    };
    const auto makeVariable = [&](const TFuzzyVariable& Scratch) {
        variable = logic->GetVariableClass()(Scratch.GetName());
        bridge::CopyFields(Scratch, *variable);
        variable->SetParser(TInterfacePtr<IFuzzyParser>(this));
    };
    {
        const TFuzzySetEvent onSet = parser.GetOnParseFuzzySet();
        const TIFuzzySetEvent onSetIntf = parser.GetOnParseFuzzySetIntf();
        struct TRestore {
            ~TRestore() { FParser.SetOnParseFuzzySet(FHandler); }
            TCustomFuzzyLogicParser& FParser;
            TFuzzySetEvent FHandler;
        } restore{parser, onSet};
        if (onSetIntf)
            parser.SetOnParseFuzzySet([&](TObject* Sender, TFuzzySet* Term) {
                if (onSet)
                    onSet(Sender, Term);
                // Terms read for other variables (a handler reading one alone) are not ours.
                if (variable && Term->GetVariable() != termsRead.front().first->GetVariable())
                    return;
                if (!variable)
                    makeVariable(*Term->GetVariable());
                else
                    store(*termsRead.back().first, termsRead.back().second);
                termsRead.emplace_back(Term, bridge::ToInterface(*Term, variable));
                onSetIntf(variable, termsRead.back().second);
            });
        TScratchModel scratch(*this);
        const TFuzzyVariable* read = Read();
        if (!variable)
            makeVariable(*read);
        bridge::CopyFields(*read, *variable);
        for (const TFuzzySet* term : *read->GetItems()) {
            if (!term->GetDefined())
                continue;
            const auto copy =
                std::ranges::find(termsRead, term, [](const auto& Pair) { return Pair.first; });
            if (copy == termsRead.end())
                (void)bridge::ToInterface(*term, variable);
            else
                store(*term, copy->second);
        }
    }
    // Held here, and the parser's handlers put back above: storing the variable and the
    // handler may unlink or free the parser.
    const TIFuzzyVariableEvent onVariable = parser.GetOnParseFuzzyVariableIntf();
    logic->GetItems().Add(variable);
    if (onVariable)
        onVariable(variable);
    return variable;
}

// ---- the IFuzzyParser calls, forwarded to the parser component ----

TFzyFloat TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                                const std::string& Expression,
                                                TInterfacePtr<IFuzzySet>& Result) {
    return Parser().EvalFuzzyExpression(Variable, Expression, Result);
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                      const std::string& Expression) {
    return Parser().EvalFuzzyExpression(Variable, Expression);
}

TInterfacePtr<IFuzzySet>
TFuzzyParserIntf::ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                const std::string& Text, const TEncoding* Encoding) {
    return Parser().ParseFuzzySet(Variable, Text, Encoding);
}

TInterfacePtr<IFuzzyVariable> TFuzzyParserIntf::ParseFuzzyVariableIntf(const std::string& Text,
                                                                       const TEncoding* Encoding) {
    return Parser().ParseFuzzyVariableIntf(Text, Encoding);
}

std::string TFuzzyParserIntf::PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet, bool AsTerm) {
    return Parser().PrettyPrint(FuzzySet, AsTerm);
}

std::string TFuzzyParserIntf::PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) {
    return Parser().PrettyPrint(Variable);
}

// ---- the parser component's interface forms ----

TFzyFloat
TCustomFuzzyLogicParser::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                             const std::string& Expression,
                                             TInterfacePtr<IFuzzySet>& Result) {
    TFzyFloat value = 0;
    Result = GetIntf().EvalSet(Variable, Expression, [&](TFuzzyVariable* Copy) {
        TFuzzySet* result = nullptr;
        value = EvalFuzzyExpression(Copy, Expression, result);
        return result;
    });
    return value;
}

TInterfacePtr<IFuzzySet>
TCustomFuzzyLogicParser::EvalFuzzyExpression(const TInterfacePtr<IFuzzyVariable>& Variable,
                                             const std::string& Expression) {
    return GetIntf().EvalSet(Variable, Expression, [&](TFuzzyVariable* Copy) {
        return EvalFuzzyExpression(Copy, Expression);
    });
}

TInterfacePtr<IFuzzySet>
TCustomFuzzyLogicParser::ParseFuzzySet(const TInterfacePtr<IFuzzyVariable>& Variable,
                                       const std::string& Text, const TEncoding* Encoding) {
    return GetIntf().ReadTerm(
        Variable, [&](TFuzzyVariable* Copy) { return ParseFuzzySet(Copy, Text, Encoding); });
}

TInterfacePtr<IFuzzyVariable>
TCustomFuzzyLogicParser::ParseFuzzyVariableIntf(const std::string& Text,
                                                const TEncoding* Encoding) {
    return GetIntf().ReadVariable([&] { return ParseFuzzyVariable(Text, Encoding); });
}

TInterfacePtr<IFuzzySet>
TCustomFuzzyLogicParser::CalcFuzzyFunction(const TInterfacePtr<IFuzzySet>& FuzzySet,
                                           const std::string& Name,
                                           const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
    TFuzzyParserIntf::TScratchModel scratch(GetIntf());
    TFuzzySet* set =
        ScratchVariableOf(Given(FuzzySet, "fuzzy set"), scratch.GetLogic())->GetItems()->Add();
    bridge::ToComponent(FuzzySet, *set);
    TFuzzySet* shaped = CalcFuzzyFunction(set, Name, Arguments);
    // The set keeps its name, and with it its place in its variable's table.
    shaped->SetName(FuzzySet->GetName());
    FuzzySet->Assign(static_cast<const TPersistent*>(shaped));
    return FuzzySet;
}

std::string TCustomFuzzyLogicParser::PrettyPrint(const TInterfacePtr<IFuzzySet>& FuzzySet,
                                                 bool AsTerm) {
    TFuzzyParserIntf::TScratchModel scratch(GetIntf());
    TFuzzyVariable* variable = ScratchVariableOf(Given(FuzzySet, "fuzzy set"), scratch.GetLogic());
    TFuzzySet* set = variable->GetItems()->Add();
    bridge::ToComponent(FuzzySet, *set);
    return PrettyPrint(set, AsTerm);
}

std::string TCustomFuzzyLogicParser::PrettyPrint(const TInterfacePtr<IFuzzyVariable>& Variable) {
    TFuzzyParserIntf::TScratchModel scratch(GetIntf());
    return PrettyPrint(bridge::ToComponent(Given(Variable, "fuzzy variable"), scratch.GetLogic()));
}

} // namespace fuzzy
