#include "FuzzyRules/FuzzyRuleCompiler.hpp"

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "FuzzyRules/detail/RuleResolution.hpp"

namespace fuzzy {

namespace {

// Builds the plan's lists as rules name inputs, outputs and premise curves.
class TPlanBuilder {
public:
    TPlanBuilder(const TFuzzyLogic& Logic, controller::TPlan& Plan)
        : FVariables(*Logic.GetItems()), FPlan(Plan) {}

    void AddRule(const TFuzzyRule& Source) {
        rules::CheckComplete(Source);
        const int index = Source.GetIndex();
        const TFuzzyConnective connective = Source.GetConnectiveFamily();
        controller::TPlanRule& rule = FPlan.Rules.emplace_back();
        rule.Connective = connective.IsUnion ? controller::TPlanConnective::pcOr
                                             : controller::TPlanConnective::pcAnd;
        rule.Family = connective.Family;
        rule.Weight = Source.GetWeight();
        for (const TFuzzyPremise& premise : Source.GetPremises())
            rule.Premises.push_back(Premise(premise, index));
        for (const TFuzzyConclusion& conclusion : Source.GetConclusions()) {
            const TFuzzyVariable& variable =
                rules::VariableOf(FVariables, conclusion.Variable, index);
            rule.Conclusions.push_back(
                {Output(variable), CurvePoints(rules::TermOf(variable, conclusion.Term, index))});
        }
    }

private:
    using TPremiseKey = std::tuple<std::size_t, std::string, std::vector<TFuzzyHedge>, bool>;

    controller::TPlanPremise Premise(const TFuzzyPremise& Premise, int Rule) {
        const TFuzzyVariable& variable = rules::VariableOf(FVariables, Premise.Variable, Rule);
        const TFuzzySet& term = rules::TermOf(variable, Premise.Term, Rule);
        const std::size_t input = Input(variable);
        // Premises that read alike share one curve, so the controller works out their
        // strength once per pass.
        const TPremiseKey key{input, Premise.Term, Premise.Hedges, Premise.Negated};
        const auto [found, added] = FPremiseTerms.try_emplace(key, FPlan.PremiseTerms.size());
        if (added)
            FPlan.PremiseTerms.push_back(CurvePoints(*rules::PremiseSet(term, Premise)));
        return {input, found->second};
    }

    std::size_t Input(const TFuzzyVariable& Variable) {
        const std::size_t index = rules::IndexOfName(FInputNames, Variable.GetName());
        if (index == FPlan.Inputs.size())
            FPlan.Inputs.push_back(
                {Variable.GetName(), Variable.GetMinimum(), Variable.GetMaximum()});
        return index;
    }

    std::size_t Output(const TFuzzyVariable& Variable) {
        const std::size_t index = rules::IndexOfName(FOutputNames, Variable.GetName());
        if (index == FPlan.Outputs.size())
            FPlan.Outputs.push_back({Variable.GetName(), Variable.GetMinimum(),
                                     Variable.GetMaximum(), Variable.GetThreshold()});
        return index;
    }

    const TFuzzyVariables& FVariables;
    controller::TPlan& FPlan;
    std::vector<std::string> FInputNames;
    std::vector<std::string> FOutputNames;
    std::map<TPremiseKey, std::size_t> FPremiseTerms;
};

} // namespace

std::vector<controller::TPoint> CurvePoints(const TFuzzySet& Set) {
    const kernels::TCurve curve = Set.GetValues()->GetCurve();
    return {curve.Points.begin(), curve.Points.end()};
}

controller::TPlan MakeControllerPlan(const TFuzzyLogic& Logic, const TFuzzyRules& Rules) {
    controller::TPlan plan;
    plan.CorrelationMethod = Logic.GetCorrelationMethod();
    plan.InferenceMethod = Logic.GetInferenceMethod();
    plan.DefuzzificationMethod = Logic.GetDefuzzificationMethod();
    TPlanBuilder builder(Logic, plan);
    for (const TFuzzyRule* rule : Rules)
        builder.AddRule(*rule);
    return plan;
}

controller::TCompiledController CompileFuzzyRules(const TFuzzyRuleLogic& Logic,
                                                  controller::TSemantics Semantics) {
    return controller::TCompiledController::Compile(MakeControllerPlan(Logic, *Logic.GetRules()),
                                                    Semantics);
}

} // namespace fuzzy
