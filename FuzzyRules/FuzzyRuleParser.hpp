#pragma once
// The parser component that also reads rules.

#include <memory>
#include <string>
#include <vector>

#include "FuzzyRules/FuzzyRuleBlock.hpp"
#include "KelFuzzyLogicParser/ParserComponent.hpp"

namespace fuzzy {

/// The definition-language parser of TKelFuzzyLogicParser that, with ReadRules set, also
/// reads a rule block at the top level of the text, among the variable definitions:
///
///     (rules
///       (rule (if (and (is error cold) (not (is rate very falling))))
///             (then (is power full))
///             (weight 0.5)))
///
/// (grammar in docs/rules.md). The rules go to the linked component's block when it is a
/// TFuzzyRuleLogic, after those it has; any other component (one without rules, such as
/// the interface model's) takes the variables of such a text and the rules are read,
/// checked and left. A rules form is read whole before any of its rules joins the block,
/// so one that fails adds nothing.
///
/// ReadRules is off by default: then the parser is exactly TKelFuzzyLogicParser, and a
/// "(rules" form fails as any other unknown form does ('Expected "( deffuzzy"'). Reading
/// errors are EFzyParseException with the parser's usual text, naming "ParseFuzzyRules" or
/// "ParseFuzzyRule" and the line. Names are not resolved here: rules may come before the
/// variables they name, and preparing them for evaluation checks the names.
class TKelFuzzyRuleParser : public TKelFuzzyLogicParser {
public:
    [[nodiscard]] static TKelFuzzyRuleParser* Create(TComponent* AOwner);
    std::string ClassName() const override { return "TKelFuzzyRuleParser"; }

    bool GetReadRules() const { return FReadRules; }
    void SetReadRules(bool Value) { FReadRules = Value; }

protected:
    TKelFuzzyRuleParser() = default;
    /// A "(rules" form when reading rules, else what the base reads.
    void ParseFuzzyForm() override;
    /// Reads "(rules rule*)": its rules, in no block yet.
    virtual std::vector<std::unique_ptr<TFuzzyRule>> ParseFuzzyRules();
    /// Reads "(rule (if condition) (then conclusion*) [(weight NUMBER)])" into Rule.
    virtual void ParseFuzzyRule(TFuzzyRule& Rule);

private:
    TInterfacePtr<IFuzzyStreamToken> NextToken();
    /// The next token must be "(" and the one after it the atom Keyword.
    void ExpectClause(const std::string& Keyword);
    void ExpectCloseParens();
    void ParseCondition(TFuzzyRule& Rule);
    TFuzzyPremise ParsePremise();
    /// Reads "VARIABLE [HEDGE*] TERM)" after "(is"; hedges only when Hedges is given.
    void ParseIs(std::string& Variable, std::string& Term, std::vector<TFuzzyHedge>* Hedges);
    TFzyFloat ParseWeight();

    bool FReadRules = false;
};

} // namespace fuzzy
