#pragma once
// A room-heater controller built on the logic component, read from definition text: the temperature
// error and the rate at which the room temperature changes give the heater power through nine
// rules. The demo, the tests and the benchmark all use this one class, so they exercise the very
// same controller.

#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

/// The nine rules by the names of their terms: if the error is the first and the rate the
/// second, the power is the third. Colder and cooling down asks for more heat; at the
/// setpoint with a steady room the heater covers the losses at a low power.
inline constexpr std::array<std::array<const char*, 3>, 9> HeaterRuleTerms{
    {{"cold", "falling", "full"},
     {"cold", "steady", "high"},
     {"cold", "rising", "medium"},
     {"ok", "falling", "medium"},
     {"ok", "steady", "low"},
     {"ok", "rising", "off"},
     {"warm", "falling", "low"},
     {"warm", "steady", "off"},
     {"warm", "rising", "off"}}};

/// Raises EArgumentOutOfRangeException when an input of the controller is not a finite number.
inline void CheckHeaterInputs(TFzyFloat Error, TFzyFloat Rate) {
    if (!std::isfinite(Error) || !std::isfinite(Rate))
        throw EArgumentOutOfRangeException(
            "Heater inputs must be finite numbers (error %.4f, rate %.4f)", Error, Rate);
}

/// One rule: if the error is Error and the rate is Rate, then the power is Power. All three
/// are terms of the controller's variables.
struct THeaterRule {
    const TFuzzySet* Error;
    const TFuzzySet* Rate;
    const TFuzzySet* Power;
};

/// Owns a logic component and its parser, fills the component from a definition text
/// with three variables:
///  - "error": setpoint minus room temperature, terms warm, ok and cold;
///  - "rate": change of the room temperature, terms falling, steady and rising;
///  - "power": heater power, terms off, low, medium, high and full;
/// (the bundled examples/heater.fuzzy defines them) and makes one rule for every pair of
/// an error term and a rate term.
///
/// Evaluate runs one inference pass. The crisp inputs are two facts the controller owns
/// and reuses (free sets, so no variable's terms change); every intermediate solution that
/// AssertRule leaves in the power variable's terms is deleted as soon as the next one
/// replaces it, and the last after defuzzification, so a pass leaves the terms as it found
/// them however long the controller runs.
class THeaterController {
public:
    /// Reads the variables from Definition. Raises EFzyParseException for text that does
    /// not read, EFzyException when a variable or term the rules need is missing.
    explicit THeaterController(const std::string& Definition) {
        FLogic->SetAutoTerms(false); // the terms are the definition's own
        FParser->SetFuzzyLogic(FLogic.get());
        FLogic->SetParser(FParser.get());
        FParser->ParseFuzzyLogic(Definition, nullptr);

        TFuzzyVariables& variables = *FLogic->GetItems();
        const TFuzzySets& error = *variables.GetItemByName("error")->GetItems();
        const TFuzzySets& rate = *variables.GetItemByName("rate")->GetItems();
        FPower = variables.GetItemByName("power");
        const TFuzzySets& power = *FPower->GetItems();

        for (std::size_t i = 0; i < HeaterRuleTerms.size(); ++i) {
            const auto& [e, r, p] = HeaterRuleTerms[i];
            FRules[i] = {error.GetItemByName(e), rate.GetItemByName(r), power.GetItemByName(p)};
        }
    }

    /// The whole content of a definition file. Raises EConvertError when it cannot be read.
    static std::string ReadDefinitionFile(const std::string& Path) {
        std::ifstream file(Path, std::ios::binary);
        if (!file)
            throw EConvertError("cannot open %s", Path);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    /// One inference pass: the heater power in % for the given error (K) and rate (K/min),
    /// or no value when no rule reaches the power variable's firing threshold (then the
    /// rules say nothing about these inputs and the host keeps to its own fallback).
    /// Inputs outside the ranges are read as the nearest end of each term's curve.
    /// Raises EArgumentOutOfRangeException when an input is not a finite number.
    [[nodiscard]] std::optional<TFzyFloat> Evaluate(TFzyFloat Error, TFzyFloat Rate) {
        CheckHeaterInputs(Error, Rate);
        FErrorFact->CreateCrispValue(Error);
        FRateFact->CreateCrispValue(Rate);
        const std::array<const TFuzzySet*, 2> facts{FErrorFact.get(), FRateFact.get()};
        // The solution is a term of the power variable; holding it here deletes it (so it
        // leaves the terms) when it is replaced, after defuzzifying, or on an exception.
        std::unique_ptr<TFuzzySet> solution;
        for (const THeaterRule& rule : FRules) {
            const std::array<const TFuzzySet*, 2> premises{rule.Error, rule.Rate};
            if (TFuzzySet* next = FPower->AssertRule(premises, facts, rule.Power, solution.get()))
                solution.reset(next);
        }
        if (solution == nullptr)
            return std::nullopt;
        return solution->Defuzzify();
    }

    const TFuzzyLogic* GetLogic() const { return FLogic.get(); }
    TFuzzyLogic* GetLogic() { return FLogic.get(); }
    const TFuzzyVariable* GetPower() const { return FPower; }
    TFuzzyVariable* GetPower() { return FPower; }
    std::span<const THeaterRule> GetRules() const { return FRules; }

private:
    std::unique_ptr<TFuzzyLogic> FLogic{TFuzzyLogic::Create(nullptr)};
    TFuzzyVariable* FPower = nullptr;
    std::array<THeaterRule, 9> FRules{};
    std::unique_ptr<TFuzzySet> FErrorFact{TFuzzySet::Create(nullptr)};
    std::unique_ptr<TFuzzySet> FRateFact{TFuzzySet::Create(nullptr)};
    // Linked both ways with the component; whichever goes first clears the other's link.
    std::unique_ptr<TKelFuzzyLogicParser> FParser{TKelFuzzyLogicParser::Create(nullptr)};
};

} // namespace fuzzy
