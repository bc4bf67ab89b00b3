// Example controllers of a peer fuzzy library, in its FLL format, evaluated by the tool in
// the textbook semantics against a reference that takes nothing but the file's terms and
// rules as the reader describes them: every shape is evaluated from its parameters (not from
// the points the reader made of it), the rules' connectives, implication and aggregation by
// their formulas, and the centre of gravity by integrating the solution piece by piece
// (support/MamdaniReference.hpp).

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "FuzzyInterchange/FuzzyInterchange.hpp"
#include "ToolFixture.hpp"
#include "support/MamdaniReference.hpp"

namespace fuzzy::test {
namespace {

/// A term's membership at X as its shape and parameters define it.
double Membership(const TTermDescription& Term, double X) {
    const std::vector<double>& p = Term.Parameters;
    switch (Term.Shape) {
    case TTermShape::tsTriangle:
        return PlainAt(TCurve{{p[0], 0}, {p[1], 1}, {p[2], 0}}, X);
    case TTermShape::tsTrapezoid:
        return PlainAt(TCurve{{p[0], 0}, {p[1], 1}, {p[2], 1}, {p[3], 0}}, X);
    case TTermShape::tsRamp:
        return p[0] < p[1] ? PlainAt(TCurve{{p[0], 0}, {p[1], 1}}, X)
                           : PlainAt(TCurve{{p[1], 1}, {p[0], 0}}, X);
    case TTermShape::tsGaussian:
        return std::exp(-(X - p[0]) * (X - p[0]) / (2 * p[1] * p[1]));
    default:
        ADD_FAILURE() << "the reference has no formula for the shape of " << Term.Name;
        return 0;
    }
}

/// Two premises' degrees joined by a connective of the library's words.
double Join(const std::string& Connective, double A, double B) {
    static const std::map<std::string, double (*)(double, double)> formulas{
        {"and", [](double a, double b) { return std::min(a, b); }},
        {"and-product", [](double a, double b) { return a * b; }},
        {"and-boundedsum", [](double a, double b) { return std::max(0.0, a + b - 1); }},
        {"or", [](double a, double b) { return std::max(a, b); }},
        {"or-product", [](double a, double b) { return a + b - a * b; }},
        {"or-boundedsum", [](double a, double b) { return std::min(1.0, a + b); }},
        {"or-sum", [](double a, double b) { return a + b; }}};
    const auto found = formulas.find(Connective);
    if (found == formulas.end()) {
        ADD_FAILURE() << "the reference has no formula for " << Connective;
        return 0;
    }
    return found->second(A, B);
}

/// The reference's value of Output at the inputs (by variable name, clamped into their
/// ranges); NaN when no rule fired. A solution without area (every rule fired at strength 0,
/// which fires with threshold 0) has no centre: the library answers the middle of the range.
double ReferenceValue(const TControllerDescription& Controller, const TVariableDescription& Output,
                      const std::map<std::string, double>& Inputs, double Straightness) {
    EXPECT_EQ(Controller.DefuzzificationMethod, TDefuzzificationMethod::dmCenterOfGravity);
    std::vector<TFiredConclusion> fired;
    for (const TRuleDescription& rule : Controller.Rules) {
        double strength = 0;
        for (std::size_t p = 0; p < rule.Premises.size(); ++p) {
            const TPremiseDescription& premise = rule.Premises[p];
            EXPECT_TRUE(premise.Hedges.empty()) << "the reference has no hedges";
            const TVariableDescription& input = *Controller.FindVariable(premise.Variable);
            const double x = std::clamp(Inputs.at(premise.Variable), input.Minimum, input.Maximum);
            const double degree = Membership(*FindTerm(input, premise.Term), x);
            const double signedDegree = premise.Negated ? 1 - degree : degree;
            strength = p == 0 ? signedDegree : Join(rule.Connective, strength, signedDegree);
        }
        strength *= rule.Weight;
        for (const TConclusionDescription& conclusion : rule.Conclusions)
            if (conclusion.Variable == Output.Name && strength >= Controller.Threshold)
                fired.push_back({[Term = FindTerm(Output, conclusion.Term)](double X) {
                                     return Membership(*Term, X);
                                 },
                                 strength});
    }
    if (fired.empty())
        return NAN;
    const TReferenceSolution solution(
        std::move(fired), Controller.CorrelationMethod == TFuzzyCorrelationMethod::fcmProduct,
        Controller.InferenceMethod);
    const double centre = solution.CenterOfGravity(Output.Minimum, Output.Maximum, Straightness);
    return std::isnan(centre) ? (Output.Minimum + Output.Maximum) / 2 : centre;
}

/// Where each input is evaluated: the ends of its range, every corner of its terms inside
/// it, and a fine even spacing between, with a little beyond each end.
std::vector<double> GridOf(const TVariableDescription& Input, int Steps) {
    std::set<double> values;
    const double width = Input.Maximum - Input.Minimum;
    for (int k = -1; k <= Steps + 1; ++k)
        values.insert(Input.Minimum + width * k / Steps);
    for (const TTermDescription& term : Input.Terms)
        for (const TDescribedPoint& point : term.Points)
            if (point.X >= Input.Minimum && point.X <= Input.Maximum)
                values.insert(point.X);
    return {values.begin(), values.end()};
}

struct TPeerExample {
    const char* File;
    int Steps;           // of each input's grid
    double Tolerance;    // of the outputs' difference, as a part of the output's range
    double Straightness; // of the reference's integration
};

void PrintTo(const TPeerExample& Example, std::ostream* Out) {
    *Out << Example.File;
}

class PeerExamplesTest : public FuzzyToolTest,
                         public ::testing::WithParamInterface<TPeerExample> {};

// The grid's rows go through "fuzzy eval FILE.fll --csv --semantics textbook"; each output
// cell must match the reference: empty exactly where the reference has no value.
TEST_P(PeerExamplesTest, EvaluatedByTheToolAgreeWithTheReference) {
    const std::string file = std::string(FUZZY_TEST_DATA_DIR "/interchange/") + GetParam().File;
    const TControllerDescription controller = ReadFll(ReadFile(file));
    // Every combination of the inputs' grids, as rows of a CSV file.
    std::vector<std::map<std::string, double>> rows(1);
    std::vector<std::string> inputs;
    for (const TVariableDescription& input : controller.Variables) {
        if (input.Role != TVariableRole::vrInput)
            continue;
        inputs.push_back(input.Name);
        std::vector<std::map<std::string, double>> grown;
        for (const std::map<std::string, double>& row : rows)
            for (const double value : GridOf(input, GetParam().Steps)) {
                grown.push_back(row);
                grown.back()[input.Name] = value;
            }
        rows = std::move(grown);
    }
    std::ostringstream csv;
    csv.precision(17);
    for (std::size_t i = 0; i < inputs.size(); ++i)
        csv << (i > 0 ? "," : "") << inputs[i];
    for (const std::map<std::string, double>& row : rows)
        for (std::size_t i = 0; i < inputs.size(); ++i)
            csv << (i > 0 ? "," : "\n") << row.at(inputs[i]);
    Write("grid.csv", csv.str() + "\n");
    const TRun run = Run({"eval", file, "--semantics", "textbook", "--csv", Path("grid.csv")});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;

    std::istringstream out(run.Out);
    std::string line;
    std::getline(out, line);
    std::vector<const TVariableDescription*> outputs;
    for (std::istringstream header(line); std::getline(header, line, ',');)
        outputs.push_back(controller.FindVariable(line));
    double largest = 0;
    for (const std::map<std::string, double>& row : rows) {
        ASSERT_TRUE(std::getline(out, line));
        std::ostringstream at;
        at.precision(17);
        for (const auto& [name, value] : row)
            at << " " << name << "=" << value;
        std::istringstream cells(line + ",");
        for (const TVariableDescription* output : outputs) {
            std::string cell;
            std::getline(cells, cell, ',');
            const double expected =
                ReferenceValue(controller, *output, row, GetParam().Straightness);
            if (std::isnan(expected)) {
                EXPECT_EQ(cell, "") << output->Name << " at" << at.str();
                continue;
            }
            ASSERT_NE(cell, "") << output->Name << " has no value at" << at.str();
            const double deviation =
                std::fabs(std::stod(cell) - expected) / (output->Maximum - output->Minimum);
            EXPECT_LE(deviation, GetParam().Tolerance)
                << output->Name << ": " << cell << " for " << expected << " at" << at.str();
            largest = std::max(largest, deviation);
        }
    }
    RecordProperty("LargestDeviation", ::testing::PrintToString(largest));
}

INSTANTIATE_TEST_SUITE_P(
    Files, PeerExamplesTest,
    ::testing::Values(
        // Piecewise linear: exact.
        TPeerExample{"SimpleDimmer.fll", 400, 1e-9, 1e-15},
        TPeerExample{"ObstacleAvoidance.fll", 400, 1e-9, 1e-15},
        // Trapezoids in, Gaussians out, imported as polylines within 0.001 of the curve:
        // the same bound on the outputs, as a part of their range (6.9e-5 measured).
        TPeerExample{"mamdani_tip_calculator.fll", 9, 1e-3, 1e-8}),
    [](const auto& Info) {
        std::string name = Info.param.File;
        return name.substr(0, name.find('.'));
    });

} // namespace
} // namespace fuzzy::test
