#include "KelFuzzyLogicParser/ParserProperties.hpp"

#include "FuzzyLogic/FuzzyLogicProperties.hpp"
#include "KelFuzzyLogicParser/ParserComponent.hpp"
#include "platform/Properties.hpp"

namespace fuzzy {

void RegisterFuzzyLogicParserClasses() {
    RegisterFuzzyLogicClasses();
    // The concrete parser publishes exactly the properties of its base.
    GetClassRegistry().RegisterComponent<TKelFuzzyLogicParser>("TKelFuzzyLogicParser",
                                                               "TCustomFuzzyLogicParser");
}

} // namespace fuzzy
