// Filling a logic component from a description, and describing one.

#include "FuzzyInterchange/DescriptionBridge.hpp"

#include <algorithm>

#include "FuzzyInterchange/InterchangeExceptions.hpp"
#include "FuzzyInterchange/InterchangeMessages.hpp"
#include "FuzzyInterchange/detail/DescriptionChecks.hpp"
#include "FuzzyLogic/FuzzyLogic.hpp"
#include "FuzzyLogic/FuzzyMath.hpp"

namespace fuzzy {

namespace {

/// Switches a component's automatic terms off for its lifetime.
class TAutoTermsOff {
public:
    explicit TAutoTermsOff(TFuzzyLogic& Logic) : FLogic(Logic), FWas(Logic.GetAutoTerms()) {
        FLogic.SetAutoTerms(false);
    }
    ~TAutoTermsOff() { FLogic.SetAutoTerms(FWas); }
    TAutoTermsOff(const TAutoTermsOff&) = delete;
    TAutoTermsOff& operator=(const TAutoTermsOff&) = delete;

private:
    TFuzzyLogic& FLogic;
    bool FWas;
};

void FillVariable(const TVariableDescription& Description, TFuzzyVariable& Variable) {
    // The maximum first: a minimum above the old maximum would move it.
    Variable.SetMaximum(Description.Maximum);
    Variable.SetMinimum(Description.Minimum);
    Variable.SetUnits(Description.Units);
    Variable.SetComment(Description.Comment);
    for (const TTermDescription& term : Description.Terms) {
        TFuzzySet* set = Variable.GetItems()->Add(term.Name);
        {
            TUpdateGuard bulk(*set->GetValues());
            for (const TDescribedPoint& point :
                 ClipToRange(term.Points, Description.Minimum, Description.Maximum))
                set->GetValues()->Add(point.X, point.Y);
        }
        set->SetDefined(true);
    }
}

} // namespace

std::vector<TDescribedPoint> ClipToRange(const std::vector<TDescribedPoint>& Points,
                                         TFzyFloat Minimum, TFzyFloat Maximum) {
    if (Points.empty())
        return {};
    if (Points.back().X < Minimum)
        return {{Minimum, Points.back().Y}};
    if (Points.front().X > Maximum)
        return {{Maximum, Points.front().Y}};
    std::vector<TDescribedPoint> clipped;
    auto crossing = [&](const TDescribedPoint& A, const TDescribedPoint& B, TFzyFloat X) {
        clipped.push_back({X, InterpolateY(A.X, A.Y, B.X, B.Y, X)});
    };
    for (std::size_t i = 0; i < Points.size(); ++i) {
        const TDescribedPoint& point = Points[i];
        if (i > 0 && Points[i - 1].X < Minimum && Minimum < point.X)
            crossing(Points[i - 1], point, Minimum);
        if (i > 0 && Points[i - 1].X < Maximum && Maximum < point.X)
            crossing(Points[i - 1], point, Maximum);
        if (point.X >= Minimum && point.X <= Maximum)
            clipped.push_back(point);
    }
    return clipped;
}

void FillFuzzyLogic(const TControllerDescription& Description, TFuzzyLogic& Logic) {
    interchange::CheckDescription(Description);
    TAutoTermsOff noAutoTerms(Logic);
    Logic.GetItems()->Clear();
    Logic.SetCorrelationMethod(Description.CorrelationMethod);
    Logic.SetInferenceMethod(Description.InferenceMethod);
    Logic.SetDefuzzificationMethod(Description.DefuzzificationMethod);
    Logic.SetThreshold(Description.Threshold);
    for (const TVariableDescription& variable : Description.Variables)
        FillVariable(variable, *Logic.GetItems()->Add(variable.Name));
}

TControllerDescription DescribeFuzzyLogic(const TFuzzyLogic& Logic,
                                          const std::vector<std::string>& OutputNames) {
    for (const std::string& name : OutputNames)
        if (Logic.GetItems()->IndexOf(name) < 0)
            throw EFzyInterchangeException(0, SIcUnknownOutput, name);
    TControllerDescription description;
    description.Name = Logic.GetName();
    description.CorrelationMethod = Logic.GetCorrelationMethod();
    description.InferenceMethod = Logic.GetInferenceMethod();
    description.DefuzzificationMethod = Logic.GetDefuzzificationMethod();
    description.Threshold = Logic.GetThreshold();
    for (const TFuzzyVariable* variable : *Logic.GetItems()) {
        TVariableDescription& described = description.Variables.emplace_back();
        described.Name = variable->GetName();
        const bool output =
            std::find(OutputNames.begin(), OutputNames.end(), described.Name) != OutputNames.end();
        described.Role = output ? TVariableRole::vrOutput : TVariableRole::vrInput;
        described.Minimum = variable->GetMinimum();
        described.Maximum = variable->GetMaximum();
        described.Units = variable->GetUnits();
        described.Comment = variable->GetComment();
        for (const TFuzzySet* set : *variable->GetItems()) {
            if (!set->GetDefined())
                continue;
            TTermDescription& term = described.Terms.emplace_back();
            term.Name = set->GetName();
            term.Shape = TTermShape::tsDiscrete;
            for (const TFuzzySetValue* point : *set->GetValues()) {
                term.Parameters.push_back(point->GetX());
                term.Parameters.push_back(point->GetY());
                term.Points.push_back({point->GetX(), point->GetY()});
            }
        }
    }
    return description;
}

} // namespace fuzzy
