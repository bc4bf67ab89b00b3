#pragma once
// A rule of a controller: premises joined by one connective, conclusions, a weight.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

/// A rule that does not make sense (no premise, an unknown name, a weight outside [0, 1],
/// a word that is no connective). Raised before anything changes.
class EFzyRuleException : public EFzyException {
public:
    using EFzyException::EFzyException;
};

/// "Variable is [hedges] Term", or its negation. The hedges apply to the term in the order
/// written; the negation ("not" hedge) applies after them.
struct TFuzzyPremise {
    std::string Variable;
    std::string Term;
    std::vector<TFuzzyHedge> Hedges;
    bool Negated = false;

    bool operator==(const TFuzzyPremise&) const = default;
};

/// "Variable is Term": the term of an output variable that a firing rule asserts.
struct TFuzzyConclusion {
    std::string Variable;
    std::string Term;

    bool operator==(const TFuzzyConclusion&) const = default;
};

/// A connective of the definition language as a rule uses it: an intersection word ("and",
/// "and-product", ...) or a union word ("or", ..., "or-sum") and its operation family.
struct TFuzzyConnective {
    TFuzzyOperation Family = TFuzzyOperation::foZadeh;
    bool IsUnion = false;
};

/// Reads Word as a rule connective: false for a word that is no connective, and for
/// "and-sum", whose family has no intersection.
[[nodiscard]] bool IsFuzzyRuleConnective(const std::string& Word, TFuzzyConnective& Connective);

/// True for a weight a rule accepts: a number from 0 to 1 (NaN is none).
[[nodiscard]] inline bool IsValidRuleWeight(TFzyFloat Weight) {
    return Weight >= 0 && Weight <= 1;
}

/// One rule: if the premises hold (joined by the connective, left to right), each
/// conclusion's variable is its term, to the degree of the premises' strength times the
/// weight. Names of variables and terms are resolved when the rules are prepared for
/// evaluation, so rules may be written before the variables they name.
///
/// An item of a rule block (TFuzzyRules), or free (then the caller owns it). Every setter
/// that changes the rule reports the change to the block (Changed), and so to the logic
/// component's OnRuleChange. Setters that refuse a value raise EFzyRuleException and keep
/// the rule as it was.
class TFuzzyRule : public TCollectionItem {
public:
    /// The connective of a new rule.
    static constexpr const char* DefaultConnective = "and";

    /// Creates a complete rule (no premise, no conclusion, "and", weight 1) and only then
    /// joins Collection, if any.
    [[nodiscard]] static TFuzzyRule* Create(TCollection* Collection);
    /// Leaves the block first, so that the block and the component hear of a whole rule.
    ~TFuzzyRule() override { LeaveCollection(); }
    std::string ClassName() const override { return "TFuzzyRule"; }

    /// Copies premises, conclusions, connective and weight of another rule, then reports
    /// the change. Other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;
    /// The rule's definition text: '(rule (if ...) (then ...))'.
    std::string ToString() const;

    const std::vector<TFuzzyPremise>& GetPremises() const { return FPremises; }
    void SetPremises(std::vector<TFuzzyPremise> Value);
    void AddPremise(TFuzzyPremise Premise);
    const std::vector<TFuzzyConclusion>& GetConclusions() const { return FConclusions; }
    void SetConclusions(std::vector<TFuzzyConclusion> Value);
    void AddConclusion(TFuzzyConclusion Conclusion);
    /// The word that joins the premises ("and" by default).
    const std::string& GetConnective() const { return FConnective; }
    /// Raises EFzyRuleException for a word that is no rule connective.
    void SetConnective(const std::string& Value);
    /// The connective's operation family and kind.
    TFuzzyConnective GetConnectiveFamily() const { return FFamily; }
    TFzyFloat GetWeight() const { return FWeight; }
    /// Raises EFzyRuleException for a weight outside [0, 1] or NaN.
    void SetWeight(TFzyFloat Value);

private:
    TFuzzyRule() = default;

    std::vector<TFuzzyPremise> FPremises;
    std::vector<TFuzzyConclusion> FConclusions;
    std::string FConnective = DefaultConnective;
    TFuzzyConnective FFamily;
    TFzyFloat FWeight = 1;
};

} // namespace fuzzy
