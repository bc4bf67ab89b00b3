#pragma once
// The room-heater controller of HeaterController.hpp on the reference-counted model: the
// same definition text read into an interface logic component, the same nine rules, the
// same answers. Sets and variables are shared references here, so nothing a pass makes
// has to be deleted by hand.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "HeaterController.hpp"
#include "IFuzzyLogic/IFuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"

namespace fuzzy {

class TIHeaterController {
public:
    /// Reads the variables from Definition. Raises EFzyParseException for text that does
    /// not read, EListError when a variable or term the rules need is missing.
    explicit TIHeaterController(const std::string& Definition) {
        FLogic->SetAutoTerms(false); // the terms are the definition's own
        // The text's rules are read and left: the interface model keeps no rule objects, and
        // this controller runs HeaterRuleTerms, the same rules.
        FParser->SetReadRules(true);
        FParser->SetFuzzyLogic(FLogic.get());
        FLogic->SetParser(FParser.get());
        TStringList text;
        text.SetText(Definition);
        FLogic->SetStrings(&text);

        const TFuzzyVariableTable& variables = FLogic->GetItems();
        const TInterfacePtr<IFuzzyVariable> error = variables.Get("error");
        const TInterfacePtr<IFuzzyVariable> rate = variables.Get("rate");
        FPower = variables.Get("power");
        for (std::size_t i = 0; i < HeaterRuleTerms.size(); ++i) {
            const auto& [e, r, p] = HeaterRuleTerms[i];
            FRules[i] = {error->GetFuzzySetByName(e), rate->GetFuzzySetByName(r),
                         FPower->GetFuzzySetByName(p)};
        }
    }

    /// One inference pass, as THeaterController::Evaluate.
    [[nodiscard]] std::optional<TFzyFloat> Evaluate(TFzyFloat Error, TFzyFloat Rate) {
        CheckHeaterInputs(Error, Rate);
        FErrorFact->CreateCrispValue(Error);
        FRateFact->CreateCrispValue(Rate);
        const std::array<TInterfacePtr<IFuzzySet>, 2> facts{FErrorFact, FRateFact};
        TInterfacePtr<IFuzzySet> solution;
        for (const TRule& rule : FRules) {
            const std::array<TInterfacePtr<IFuzzySet>, 2> premises{rule.Error, rule.Rate};
            if (TInterfacePtr<IFuzzySet> next =
                    FPower->AssertRule(premises, facts, rule.Power, solution))
                solution = next;
        }
        if (!solution)
            return std::nullopt;
        return solution->Defuzzify();
    }

    const TIFuzzyLogic* GetLogic() const { return FLogic.get(); }
    TIFuzzyLogic* GetLogic() { return FLogic.get(); }

private:
    struct TRule {
        TInterfacePtr<IFuzzySet> Error;
        TInterfacePtr<IFuzzySet> Rate;
        TInterfacePtr<IFuzzySet> Power;
    };

    // Linked both ways with the component; whichever goes first clears the other's link.
    std::unique_ptr<TKelFuzzyRuleParser> FParser{TKelFuzzyRuleParser::Create(nullptr)};
    std::unique_ptr<TIFuzzyLogic> FLogic{TIFuzzyLogic::Create(nullptr)};
    TInterfacePtr<IFuzzyVariable> FPower;
    std::array<TRule, 9> FRules{};
    TInterfacePtr<IFuzzySet> FErrorFact{TIFuzzySet::Create(nullptr, "error fact")};
    TInterfacePtr<IFuzzySet> FRateFact{TIFuzzySet::Create(nullptr, "rate fact")};
};

} // namespace fuzzy
