// Reads a variable from definition text with an installed fuzzy library and prints the
// degree of one term at one point. Exits 0 only when the answer is the expected 0.5, so a
// build that links but misbehaves (a wrong library found, say) fails too.

#include <iostream>
#include <memory>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"

int main() {
    using namespace fuzzy;
    try {
        std::unique_ptr<TFuzzyLogic> logic(TFuzzyLogic::Create(nullptr));
        std::unique_ptr<TKelFuzzyLogicParser> parser(TKelFuzzyLogicParser::Create(nullptr));
        parser->SetFuzzyLogic(logic.get());
        logic->SetParser(parser.get());
        parser->ParseFuzzyLogic("(deffuzzy temperature (range 0 40) (values (term warm (tri 15 "
                                "21 27))))",
                                nullptr);
        const TFuzzySet* warm =
            logic->GetItems()->GetItemByName("temperature")->GetItems()->GetItemByName("warm");
        const TFzyFloat degree = warm->DegreeOfMembership(18);
        std::cout << "warm at 18: " << degree << '\n';
        return degree == 0.5 ? 0 : 1;
    } catch (const Exception& error) {
        std::cerr << "consumer: " << error.what() << '\n';
        return 1;
    }
}
