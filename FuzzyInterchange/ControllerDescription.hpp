#pragma once
// A plain description of a controller as the interchange formats hold one: variables with
// their ranges and terms, rules, and the inference settings of the whole controller. It is
// the common ground of the FLL, FCL and FIS readers and writers and of the bridge to a logic
// component; it owns nothing but values and knows nothing of the object model.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyTypes.hpp"

namespace fuzzy {

/// The membership shapes the formats name. The first five are piecewise linear and become
/// points exactly; the others are curves and become polylines (see TermShapes.hpp).
enum class TTermShape : std::uint8_t {
    tsTriangle,
    tsTrapezoid,
    tsRectangle,
    tsRamp,
    tsDiscrete,
    tsGaussian,
    tsGaussianProduct,
    tsBell,
    tsSigmoid,
    tsSigmoidDifference,
    tsSigmoidProduct,
    tsCosine,
    tsPiShape,
    tsSShape,
    tsZShape,
    tsConcave,
    tsSpike
};

enum class TVariableRole : std::uint8_t { vrInput, vrOutput };

struct TDescribedPoint {
    TFzyFloat X = 0;
    TFzyFloat Y = 0;
    bool operator==(const TDescribedPoint&) const = default;
};

/// A term as written (its shape and that shape's parameters, in the order the FLL format
/// gives them) and the piecewise-linear membership function it stands for.
struct TTermDescription {
    std::string Name;
    TTermShape Shape = TTermShape::tsDiscrete;
    std::vector<TFzyFloat> Parameters;
    std::vector<TDescribedPoint> Points;
    bool operator==(const TTermDescription&) const = default;
};

struct TVariableDescription {
    std::string Name;
    TVariableRole Role = TVariableRole::vrInput;
    TFzyFloat Minimum = 0;
    TFzyFloat Maximum = 1;
    std::string Units;
    std::string Comment;
    std::vector<TTermDescription> Terms;
    /// The value an output takes when no rule fires; none when the file says "nan" or
    /// nothing.
    std::optional<TFzyFloat> DefaultValue;
    bool operator==(const TVariableDescription&) const = default;
};

/// "Variable is [not] [hedges] Term". Hedges are the library's words ("very",
/// "moreorless", ...), outermost first; negation applies after every hedge.
struct TPremiseDescription {
    std::string Variable;
    std::string Term;
    std::vector<std::string> Hedges;
    bool Negated = false;
    bool operator==(const TPremiseDescription&) const = default;
};

struct TConclusionDescription {
    std::string Variable;
    std::string Term;
    bool operator==(const TConclusionDescription&) const = default;
};

/// One rule: its premises joined by one connective, a word of the library's keyword tables
/// ("and", "and-product", "or", "or-sum", ...; empty for a single premise), its
/// conclusions, and its weight in [0, 1].
struct TRuleDescription {
    std::vector<TPremiseDescription> Premises;
    std::string Connective;
    std::vector<TConclusionDescription> Conclusions;
    TFzyFloat Weight = 1;
    bool operator==(const TRuleDescription&) const = default;
};

/// A whole controller. The methods are those of a logic component: correlation (minimum
/// clips a conclusion at the rule's strength, product scales it), inference (how the
/// conclusions of several rules merge into an output's solution), defuzzification, and
/// the firing threshold (a rule whose strength is below it contributes nothing). The
/// formats fire every rule, so the threshold read from them is 0 unless they say more.
struct TControllerDescription {
    std::string Name;
    std::string Comment;
    std::vector<TVariableDescription> Variables;
    std::vector<TRuleDescription> Rules;
    TFuzzyCorrelationMethod CorrelationMethod = TFuzzyCorrelationMethod::fcmMinimum;
    TFuzzyInferenceMethod InferenceMethod = TFuzzyInferenceMethod::fimMinMax;
    TDefuzzificationMethod DefuzzificationMethod = TDefuzzificationMethod::dmCenterOfGravity;
    TFzyFloat Threshold = 0;
    bool operator==(const TControllerDescription&) const = default;

    /// The variable of that name, or nullptr.
    [[nodiscard]] const TVariableDescription* FindVariable(const std::string& VariableName) const;
};

/// The term of that name in Variable, or nullptr.
[[nodiscard]] const TTermDescription* FindTerm(const TVariableDescription& Variable,
                                               const std::string& TermName);

} // namespace fuzzy
