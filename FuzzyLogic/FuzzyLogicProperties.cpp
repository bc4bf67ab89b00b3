#include "FuzzyLogic/FuzzyLogicProperties.hpp"

#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzyLogicParser.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySetValue.hpp"
#include "FuzzyLogic/FuzzyVariable.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

namespace {

void RegisterSetClasses(TClassRegistry& Registry) {
    Registry.RegisterClass<TFuzzySetValue>("TFuzzySetValue")
        .Value<TFzyFloat>("X", &TFuzzySetValue::GetX, &TFuzzySetValue::SetX)
        .Value<TFzyFloat>("Y", &TFuzzySetValue::GetY, &TFuzzySetValue::SetY);

    // The points come before the type: while its component loads, a set given a shape
    // type keeps the points read with it instead of generating the default shape.
    Registry.RegisterClass<TFuzzySet>("TFuzzySet")
        .Value<bool>("Defined", &TFuzzySet::GetDefined, &TFuzzySet::SetDefined)
        .Collection("Values", [](auto& Set) { return Set.GetValues(); })
        .Value<std::string>("Name", &TFuzzySet::GetName, &TFuzzySet::SetName)
        .Value<std::string>("Comment", &TFuzzySet::GetComment, &TFuzzySet::SetComment)
        .Value<TFuzzySetType>("SetType", &TFuzzySet::GetSetType, &TFuzzySet::SetSetType)
        .Value<std::int32_t>("Tag", &TFuzzySet::GetTag, &TFuzzySet::SetTag);

    // The range comes before the terms, whose points are clamped into it, and the current
    // term after them, since it must index one of them.
    Registry.RegisterClass<TFuzzyVariable>("TFuzzyVariable")
        .Value<TFzyFloat>("Maximum", &TFuzzyVariable::GetMaximum, &TFuzzyVariable::SetMaximum)
        .Value<TFzyFloat>("Minimum", &TFuzzyVariable::GetMinimum, &TFuzzyVariable::SetMinimum)
        .Collection("Items", [](auto& Variable) { return Variable.GetItems(); })
        .Value<std::int32_t>("ItemIndex", &TFuzzyVariable::GetItemIndex,
                             &TFuzzyVariable::SetItemIndex)
        .Value<std::string>("Name", &TFuzzyVariable::GetName, &TFuzzyVariable::SetName)
        .Value<std::string>("Units", &TFuzzyVariable::GetUnits, &TFuzzyVariable::SetUnits)
        .Value<std::string>("Comment", &TFuzzyVariable::GetComment, &TFuzzyVariable::SetComment)
        .Value<TFzyFloat>("Threshold", &TFuzzyVariable::GetThreshold,
                          &TFuzzyVariable::SetThreshold);
}

void RegisterLogicClass(TClassRegistry& Registry) {
    using L = TFuzzyLogic;
    Registry.RegisterComponent<L>("TFuzzyLogic")
        .Value("AutoTerms", &L::GetAutoTerms, &L::SetAutoTerms, true)
        .Value("CorrelationMethod", &L::GetCorrelationMethod, &L::SetCorrelationMethod,
               DefaultCorrelationMethod)
        .Value("DefuzzificationMethod", &L::GetDefuzzificationMethod, &L::SetDefuzzificationMethod,
               DefaultDefuzzificationMethod)
        .Value("InferenceMethod", &L::GetInferenceMethod, &L::SetInferenceMethod,
               DefaultInferenceMethod)
        .Value("NumFunctionValues", &L::GetNumFunctionValues, &L::SetNumFunctionValues,
               DefaultNumFunctionValues)
        .Value<TFzyFloat>("Threshold", &L::GetThreshold, &L::SetThreshold)
        .Event("OnChange", &L::GetOnChange, &L::SetOnChange)
        .Link<TCustomFuzzyLogicParser>(
            "Parser", [](const L& Logic) { return Logic.GetParser(); }, &L::SetParser,
            "TCustomFuzzyLogicParser")
        .Lines(
            "Variables", [](const L& Logic) { return Logic.GetVariables(); }, &L::SetVariables)
        // The variables are stored whole in Items; the definition text is only their
        // view, rounded to four decimals, so it is not written. Text that gives it is
        // parsed once loading ends.
        .Lines(
            "Strings", [](const L&) -> const TStringList* { return nullptr; }, &L::SetStrings)
        .NotStored()
        .Collection("Items", [](auto& Logic) { return Logic.GetItems(); })
        .Event("OnFuzzySetChange", &L::GetOnFuzzySetChange, &L::SetOnFuzzySetChange)
        .Event("OnVariableChange", &L::GetOnVariableChange, &L::SetOnVariableChange)
        .Event("OnVariableDeleted", &L::GetOnVariableDeleted, &L::SetOnVariableDeleted)
        .Event("OnVariableAdded", &L::GetOnVariableAdded, &L::SetOnVariableAdded)
        .Event("OnFuzzySetDeleted", &L::GetOnFuzzySetDeleted, &L::SetOnFuzzySetDeleted)
        .Event("OnFuzzySetAdded", &L::GetOnFuzzySetAdded, &L::SetOnFuzzySetAdded);
}

void RegisterParserBaseClass(TClassRegistry& Registry) {
    using P = TCustomFuzzyLogicParser;
    Registry.RegisterClass<P>("TCustomFuzzyLogicParser")
        .Event("OnParseFuzzySet", &P::GetOnParseFuzzySet, &P::SetOnParseFuzzySet)
        .Event("OnParseFuzzyVariable", &P::GetOnParseFuzzyVariable, &P::SetOnParseFuzzyVariable)
        .Link<TCustomFuzzyLogic>(
            "FuzzyLogic", [](const P& Parser) { return Parser.GetFuzzyLogic(); }, &P::SetFuzzyLogic,
            "TCustomFuzzyLogic")
        .Event("OnEvalExpression", &P::GetOnEvalExpression, &P::SetOnEvalExpression)
        .Event("OnCalcFuzzyFunction", &P::GetOnCalcFuzzyFunction, &P::SetOnCalcFuzzyFunction)
        .Event("OnParseFuzzySetIntf", &P::GetOnParseFuzzySetIntf, &P::SetOnParseFuzzySetIntf)
        .Event("OnParseFuzzyVariableIntf", &P::GetOnParseFuzzyVariableIntf,
               &P::SetOnParseFuzzyVariableIntf)
        .Event("OnEvalExpressionIntf", &P::GetOnEvalExpressionIntf, &P::SetOnEvalExpressionIntf);
}

} // namespace

void RegisterFuzzyLogicClasses() {
    TClassRegistry& registry = GetClassRegistry();
    RegisterSetClasses(registry);
    RegisterLogicClass(registry);
    RegisterParserBaseClass(registry);
}

} // namespace fuzzy
