#pragma once
// A room-heater controller built on the logic component: the temperature error and the
// rate at which the room temperature changes give the heater power through nine rules.
// The demo, the tests and the benchmark all use this one class, so they exercise the very
// same controller.

#include <array>
#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "FuzzyLogic/FuzzyLogic.hpp"
#include "platform/Exceptions.hpp"

namespace fuzzy {

/// One rule: if the error is Error and the rate is Rate, then the power is Power. All three
/// are terms of the controller's variables.
struct THeaterRule {
    const TFuzzySet* Error;
    const TFuzzySet* Rate;
    const TFuzzySet* Power;
};

/// Owns a logic component with two input variables and one output variable:
///  - "error": setpoint minus room temperature, -10..10 K, terms warm (Z curve), ok
///    (triangle) and cold (S curve);
///  - "rate": change of the room temperature, -2..2 K/min, terms falling (Z curve), steady
///    (PI curve) and rising (S curve);
///  - "power": heater power, 0..100 %, terms off (Z curve), low (triangle), medium (PI
///    curve), high (triangle) and full (S curve);
/// and one rule for every pair of an error term and a rate term.
///
/// Evaluate runs one inference pass. The crisp inputs are two facts the controller owns
/// and reuses (free sets, so no variable's terms change); every intermediate solution that
/// AssertRule leaves in the power variable's terms is deleted as soon as the next one
/// replaces it, and the last after defuzzification, so a pass leaves the terms as it found
/// them however long the controller runs.
class THeaterController {
public:
    THeaterController() {
        FLogic->SetAutoTerms(false); // the terms below are the controller's own
        const int points = FLogic->GetNumFunctionValues();

        TFuzzyVariable* error = AddVariable("error", -10, 10, "K");
        TFuzzySet* warm = error->GetItems()->Add("warm");
        warm->CreateCurveValues(points, -10, 0, -5, false);
        TFuzzySet* ok = error->GetItems()->Add("ok");
        ok->CreateTriangleFunctionValues(-5, 0, 5);
        TFuzzySet* cold = error->GetItems()->Add("cold");
        cold->CreateCurveValues(points, 0, 10, 5, true);

        TFuzzyVariable* rate = AddVariable("rate", -2, 2, "K/min");
        TFuzzySet* falling = rate->GetItems()->Add("falling");
        falling->CreateCurveValues(points, -2, 0, -1, false);
        TFuzzySet* steady = rate->GetItems()->Add("steady");
        steady->CreatePIFunctionValues(points, -1, 1, 0);
        TFuzzySet* rising = rate->GetItems()->Add("rising");
        rising->CreateCurveValues(points, 0, 2, 1, true);

        FPower = AddVariable("power", 0, 100, "%");
        TFuzzySet* off = FPower->GetItems()->Add("off");
        off->CreateCurveValues(points, 0, 25, 12.5, false);
        TFuzzySet* low = FPower->GetItems()->Add("low");
        low->CreateTriangleFunctionValues(0, 25, 50);
        TFuzzySet* medium = FPower->GetItems()->Add("medium");
        medium->CreatePIFunctionValues(points, 25, 75, 50);
        TFuzzySet* high = FPower->GetItems()->Add("high");
        high->CreateTriangleFunctionValues(50, 75, 100);
        TFuzzySet* full = FPower->GetItems()->Add("full");
        full->CreateCurveValues(points, 75, 100, 87.5, true);

        for (TFuzzyVariable* variable : *FLogic->GetItems())
            for (TFuzzySet* term : *variable->GetItems())
                SpanRange(*variable, *term);

        // Colder and cooling down asks for more heat; at the setpoint with a steady room
        // the heater covers the losses at a low power.
        FRules = {{{cold, falling, full},
                   {cold, steady, high},
                   {cold, rising, medium},
                   {ok, falling, medium},
                   {ok, steady, low},
                   {ok, rising, off},
                   {warm, falling, low},
                   {warm, steady, off},
                   {warm, rising, off}}};
    }

    /// One inference pass: the heater power in % for the given error (K) and rate (K/min),
    /// or no value when no rule reaches the power variable's firing threshold (then the
    /// rules say nothing about these inputs and the host keeps to its own fallback).
    /// Inputs outside the ranges are read as the nearest end of each term's curve.
    /// Raises EArgumentOutOfRangeException when an input is not a finite number.
    [[nodiscard]] std::optional<TFzyFloat> Evaluate(TFzyFloat Error, TFzyFloat Rate) {
        if (!std::isfinite(Error) || !std::isfinite(Rate))
            throw EArgumentOutOfRangeException(
                "Heater inputs must be finite numbers (error %.4f, rate %.4f)", Error, Rate);
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

    TFuzzyLogic* GetLogic() const { return FLogic.get(); }
    TFuzzyVariable* GetPower() const { return FPower; }
    std::span<const THeaterRule> GetRules() const { return FRules; }

private:
    TFuzzyVariable* AddVariable(const std::string& Name, TFzyFloat Minimum, TFzyFloat Maximum,
                                const std::string& Units) {
        TFuzzyVariable* variable = FLogic->GetItems()->Add(Name);
        variable->SetMaximum(Maximum); // first, so the new minimum never passes the old maximum
        variable->SetMinimum(Minimum);
        variable->SetUnits(Units);
        return variable;
    }

    // Gives a term points at both ends of its variable's range, at the heights it already
    // has there (the curve is flat beyond its end points anyway). Two curves are combined
    // by walking them side by side; with every term covering the whole range, neither
    // runs out of points before the other, so every crossing is met within both curves.
    static void SpanRange(const TFuzzyVariable& Variable, TFuzzySet& Term) {
        TFuzzySetValues& values = *Term.GetValues();
        const TFuzzySetValue* first = values[0];
        const TFuzzySetValue* last = values[values.GetCount() - 1];
        const TFzyFloat firstY = first->GetY();
        const TFzyFloat lastY = last->GetY();
        const bool startsLate = first->GetX() > Variable.GetMinimum();
        const bool endsEarly = last->GetX() < Variable.GetMaximum();
        TUpdateGuard guard(values);
        if (startsLate)
            values.Add(Variable.GetMinimum(), firstY);
        if (endsEarly)
            values.Add(Variable.GetMaximum(), lastY);
    }

    std::unique_ptr<TFuzzyLogic> FLogic{TFuzzyLogic::Create(nullptr)};
    TFuzzyVariable* FPower = nullptr;
    std::array<THeaterRule, 9> FRules{};
    std::unique_ptr<TFuzzySet> FErrorFact{TFuzzySet::Create(nullptr)};
    std::unique_ptr<TFuzzySet> FRateFact{TFuzzySet::Create(nullptr)};
};

} // namespace fuzzy
