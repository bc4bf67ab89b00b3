#pragma once
// A room-heater controller built on the logic component, read from definition text: the temperature
// error and the rate at which the room temperature changes give the heater power through nine
// rules, read with the variables. The demo, the tests and the benchmark all use this one class, so
// they exercise the very same controller.

#include <array>
#include <cmath>
#include <fstream>
#include <memory>
#include <optional>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "KelFuzzyLogicParser/KelFuzzyLogicParser.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

/// The nine rules by the names of their terms: if the error is the first and the rate the
/// second, the power is the third. examples/heater.fuzzy holds the same rules as text; these
/// serve the interface-model controller and hand-written checks of the rule path. Colder and
/// cooling down asks for more heat; at the setpoint with a steady room the heater covers the losses
/// at a low power.
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

/// Owns a logic component with rules and a parser that reads them, and fills the
/// component from a definition text with three variables:
///  - "error": setpoint minus room temperature, terms warm, ok and cold;
///  - "rate": change of the room temperature, terms falling, steady and rising;
///  - "power": heater power, terms off, low, medium, high and full;
/// and the rules that take error and rate to power (the bundled examples/heater.fuzzy
/// defines them, the nine rules of HeaterRuleTerms).
///
/// Evaluate runs one inference pass through a TFuzzyRuleEvaluator over the text's rules: the
/// crisp inputs become facts the evaluator owns (free sets, so no variable's terms change),
/// and every intermediate solution that AssertRule leaves in the power variable's terms is
/// deleted, so a pass leaves the terms as it found them however long the controller runs.
class THeaterController {
public:
    /// Reads the variables and rules from Definition. Raises EFzyParseException for text
    /// that does not read, EFzyException when a variable or term the rules or HeaterRuleTerms
    /// need is missing, or when the rules do not take error and rate to power.
    explicit THeaterController(const std::string& Definition) {
        FLogic->SetAutoTerms(false); // the terms are the definition's own
        FParser->SetReadRules(true);
        FParser->SetFuzzyLogic(FLogic.get());
        FLogic->SetParser(FParser.get());
        FParser->ParseFuzzyLogic(Definition, nullptr);
        FEvaluator = std::make_unique<TFuzzyRuleEvaluator>(*FLogic);
        if (FEvaluator->GetInputNames() != std::vector<std::string>{"error", "rate"} ||
            FEvaluator->GetOutputNames() != std::vector<std::string>{"power"})
            throw EFzyException("The heater's rules must take error and rate to power");
        FCompiled.emplace(CompileFuzzyRules(*FLogic));

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
    /// Inputs outside the ranges are clamped to the nearest end (the terms are flat there).
    /// Raises EArgumentOutOfRangeException when an input is not a finite number.
    [[nodiscard]] std::optional<TFzyFloat> Evaluate(TFzyFloat Error, TFzyFloat Rate) {
        CheckHeaterInputs(Error, Rate);
        FEvaluator->SetInput("error", Error);
        FEvaluator->SetInput("rate", Rate);
        FEvaluator->Evaluate();
        const TFuzzyOutputReport& power = FEvaluator->GetExplanation().Outputs.front();
        if (!power.Fired)
            return std::nullopt;
        return power.Value;
    }

    /// The same pass on the rules compiled in the library's semantics: the same answers as
    /// Evaluate, without a set made or freed per pass.
    [[nodiscard]] std::optional<TFzyFloat> EvaluateCompiled(TFzyFloat Error, TFzyFloat Rate) {
        CheckHeaterInputs(Error, Rate);
        FCompiled->Evaluate(std::array{Error, Rate}, FScratch);
        const controller::TOutputResult& power = FScratch.GetResults().front();
        if (!power.Fired)
            return std::nullopt;
        return power.Value;
    }

    /// The same pass written out by hand over the rules of HeaterRuleTerms, as a host wrote
    /// it before rules were objects: facts, AssertRule on the premises' terms themselves,
    /// each replaced solution deleted. Kept as the reference that Evaluate equals bit for
    /// bit, and to measure what the rule objects cost. Inputs are not clamped here.
    [[nodiscard]] std::optional<TFzyFloat> EvaluateByHand(TFzyFloat Error, TFzyFloat Rate) {
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

    const TFuzzyRuleLogic* GetLogic() const { return FLogic.get(); }
    TFuzzyRuleLogic* GetLogic() { return FLogic.get(); }
    const TFuzzyVariable* GetPower() const { return FPower; }
    TFuzzyVariable* GetPower() { return FPower; }
    /// The evaluator of the text's rules; its explanation tells about the last pass.
    const TFuzzyRuleEvaluator& GetEvaluator() const { return *FEvaluator; }
    /// The rules of HeaterRuleTerms as sets of the controller's variables.
    std::span<const THeaterRule> GetRules() const { return FRules; }

private:
    std::unique_ptr<TFuzzyRuleLogic> FLogic{TFuzzyRuleLogic::Create(nullptr)};
    TFuzzyVariable* FPower = nullptr;
    std::array<THeaterRule, 9> FRules{};
    std::unique_ptr<TFuzzySet> FErrorFact{TFuzzySet::Create(nullptr)};
    std::unique_ptr<TFuzzySet> FRateFact{TFuzzySet::Create(nullptr)};
    // Linked both ways with the component; whichever goes first clears the other's link.
    std::unique_ptr<TKelFuzzyRuleParser> FParser{TKelFuzzyRuleParser::Create(nullptr)};
    // Declared last: it holds the variables by name and its facts, and goes first.
    std::unique_ptr<TFuzzyRuleEvaluator> FEvaluator;
    std::optional<controller::TCompiledController> FCompiled;
    controller::TControllerScratch FScratch;
};

} // namespace fuzzy
