#pragma once
// Random rule bases for the property tests of the compiled controller: random variables,
// methods and rules with hedges, negations, every connective and weights.

#include <array>
#include <initializer_list>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "FuzzyRules/FuzzyRules.hpp"
#include "support/RandomVariables.hpp"

namespace fuzzy::test {

/// A component of 1 to 4 inputs and 1 or 2 outputs with random terms and methods, and 1 to
/// 40 random rules over them.
class TRandomRuleBase {
public:
    /// MinMaxOnly keeps the inference by maximum and the centre of gravity (the textbook
    /// controller's reference knows no other).
    explicit TRandomRuleBase(std::mt19937& Random, bool MinMaxOnly = false) : FRandom(Random) {
        FLogic->SetAutoTerms(false);
        FLogic->SetCorrelationMethod(
            Pick({TFuzzyCorrelationMethod::fcmMinimum, TFuzzyCorrelationMethod::fcmProduct}));
        FLogic->SetInferenceMethod(MinMaxOnly
                                       ? TFuzzyInferenceMethod::fimMinMax
                                       : static_cast<TFuzzyInferenceMethod>(Below(5))); // of five
        FLogic->SetDefuzzificationMethod(MinMaxOnly
                                             ? TDefuzzificationMethod::dmCenterOfGravity
                                             : Pick({TDefuzzificationMethod::dmCenterOfGravity,
                                                     TDefuzzificationMethod::dmMeanOfMaxima}));
        for (int i = 1 + Below(4); i > 0; --i)
            FInputs.push_back(AddRandomVariable(FRandom, *FLogic, "in" + std::to_string(i)));
        for (int o = 1 + Below(2); o > 0; --o)
            FOutputs.push_back(AddRandomVariable(FRandom, *FLogic, "out" + std::to_string(o)));
        for (int r = 1 + Below(40); r > 0; --r)
            AddRule();
    }

    TFuzzyRuleLogic& Logic() const { return *FLogic; }
    /// The rules as a plan for the compiled controller.
    controller::TPlan Plan() const { return MakeControllerPlan(*FLogic, *FLogic->GetRules()); }

private:
    static constexpr std::array Hedges{TFuzzyHedge::fhVery,      TFuzzyHedge::fhSomewhat,
                                       TFuzzyHedge::fhAbove,     TFuzzyHedge::fhBelow,
                                       TFuzzyHedge::fhExtremely, TFuzzyHedge::fhPositively};

    int Below(int Count) { return std::uniform_int_distribution<int>(0, Count - 1)(FRandom); }
    template <class T>
    T Pick(std::initializer_list<T> Items) {
        return Items.begin()[Below(static_cast<int>(Items.size()))];
    }
    std::string TermOf(const TFuzzyVariable& Variable) {
        return Variable.GetItems()->GetItem(Below(Variable.GetItems()->GetCount()))->GetName();
    }

    void AddRule() {
        std::vector<TFuzzyPremise> premises;
        for (int p = 1 + Below(3); p > 0; --p) {
            const TFuzzyVariable& input =
                *FInputs[static_cast<std::size_t>(Below(static_cast<int>(FInputs.size())))];
            TFuzzyPremise& premise = premises.emplace_back();
            premise.Variable = input.GetName();
            premise.Term = TermOf(input);
            for (int h = Below(3) - 1; h > 0; --h)
                premise.Hedges.push_back(Hedges[static_cast<std::size_t>(Below(Hedges.size()))]);
            premise.Negated = Below(4) == 0;
        }
        std::vector<TFuzzyConclusion> conclusions;
        for (const TFuzzyVariable* output : FOutputs)
            if (conclusions.empty() || Below(2) == 0)
                conclusions.push_back({output->GetName(), TermOf(*output)});
        // Every connective word but "and-sum", which has no intersection.
        std::string connective;
        do {
            const auto family = static_cast<TFuzzyOperation>(Below(7));
            connective = std::string(Below(2) == 0 ? FuzzyIntersectionKeywords[family]
                                                   : FuzzyUnionKeywords[family]);
        } while (connective == "and-sum");
        const double weight = Below(3) == 0 ? Below(9) / 8.0 : 1.0;
        FLogic->GetRules()->Add(premises, conclusions, connective, weight);
    }

    std::mt19937& FRandom;
    std::unique_ptr<TFuzzyRuleLogic> FLogic{TFuzzyRuleLogic::Create(nullptr)};
    std::vector<TFuzzyVariable*> FInputs;
    std::vector<TFuzzyVariable*> FOutputs;
};

} // namespace fuzzy::test
