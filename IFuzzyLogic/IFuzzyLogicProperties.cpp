#include "IFuzzyLogic/IFuzzyLogicProperties.hpp"

#include "FuzzyLogic/FuzzyLogicProperties.hpp"
#include "IFuzzyLogic/IFuzzyLogicComponent.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

namespace {

// The tables size themselves; the sizing an older writer stored is read and dropped.
void RegisterTableClasses(TClassRegistry& Registry) {
    Registry.RegisterClass<TObject>("TKelHashTable")
        .Discarded<TFzyFloat>("LoadFactor")
        .Discarded<std::int32_t>("HashType")
        .Discarded<std::int32_t>("Capacity");
    Registry.RegisterClass<TObject>("TKelStringHashTable", "TKelHashTable");
    Registry.RegisterClass<TObject>("TIFuzzySets", "TKelStringHashTable");
    Registry.RegisterClass<TObject>("TFuzzyVariableTable", "TKelStringHashTable");
}

} // namespace

void RegisterIFuzzyLogicClasses() {
    RegisterFuzzyLogicClasses();
    RegisterTableClasses(GetClassRegistry());
    using L = TIFuzzyLogic;
    GetClassRegistry()
        .RegisterComponent<L>("TIFuzzyLogic")
        .Value("AutoTerms", &L::GetAutoTerms, &L::SetAutoTerms, true)
        .Value("CorrelationMethod", &L::GetCorrelationMethod, &L::SetCorrelationMethod,
               TFuzzyCorrelationMethod::fcmMinimum)
        .Value<TFzyFloat>("Threshold", &L::GetThreshold, &L::SetThreshold)
        .Event("OnVariableAdded", &L::GetOnVariableAdded, &L::SetOnVariableAdded)
        .Event("OnVariableDeleted", &L::GetOnVariableDeleted, &L::SetOnVariableDeleted)
        .Event("OnFuzzySetAdded", &L::GetOnFuzzySetAdded, &L::SetOnFuzzySetAdded)
        .Event("OnFuzzySetDeleted", &L::GetOnFuzzySetDeleted, &L::SetOnFuzzySetDeleted)
        .Event("OnVariableChange", &L::GetOnVariableChange, &L::SetOnVariableChange)
        .Event("OnFuzzySetChange", &L::GetOnFuzzySetChange, &L::SetOnFuzzySetChange)
        .Value("DefuzzificationMethod", &L::GetDefuzzificationMethod, &L::SetDefuzzificationMethod,
               TDefuzzificationMethod::dmCenterOfGravity)
        .Value("NumFunctionValues", &L::GetNumFunctionValues, &L::SetNumFunctionValues, 7)
        .Link<TCustomFuzzyLogicParser>(
            "Parser", [](const L& Logic) { return Logic.GetParser(); }, &L::SetParser,
            "TCustomFuzzyLogicParser")
        .Event("OnChange", &L::GetOnChange, &L::SetOnChange)
        .Lines(
            "Variables", [](const L& Logic) { return Logic.GetVariables(); }, &L::SetVariables)
        // The text is regenerated from the variables when it is stale.
        .Lines(
            "Strings",
            [](const L& Logic) -> const TStringList* { return const_cast<L&>(Logic).GetStrings(); },
            &L::SetStrings)
        .Value("InferenceMethod", &L::GetInferenceMethod, &L::SetInferenceMethod,
               TFuzzyInferenceMethod::fimMinMax);
}

} // namespace fuzzy
