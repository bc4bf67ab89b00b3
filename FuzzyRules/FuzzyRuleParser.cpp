#include "FuzzyRules/FuzzyRuleParser.hpp"

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyNames.hpp"
#include "FuzzyRules/FuzzyRuleLogic.hpp"
#include "FuzzyRules/FuzzyRuleMessages.hpp"
#include "KelFuzzyLogicParser/ParserMessages.hpp"
#include "KelFuzzyLogicParser/detail/ParserTokens.hpp"

namespace fuzzy {

namespace {

constexpr const char* RulesKeyword = "rules";
constexpr const char* WhereParseFuzzyRules = "ParseFuzzyRules";
constexpr const char* WhereParseFuzzyRule = "ParseFuzzyRule";

bool IsAtom(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return IsTokenOfType(Token, TFuzzyStreamTokenType::fstAtom);
}

} // namespace

TKelFuzzyRuleParser* TKelFuzzyRuleParser::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TKelFuzzyRuleParser>(new TKelFuzzyRuleParser()), AOwner);
}

TInterfacePtr<IFuzzyStreamToken> TKelFuzzyRuleParser::NextToken() {
    return GetStream()->NextToken();
}

void TKelFuzzyRuleParser::ParseFuzzyForm() {
    if (!FReadRules || GetStream()->Head() != RulesKeyword) {
        TKelFuzzyLogicParser::ParseFuzzyForm();
        return;
    }
    std::vector<std::unique_ptr<TFuzzyRule>> read = ParseFuzzyRules();
    auto* logic = dynamic_cast<TFuzzyRuleLogic*>(GetFuzzyLogic());
    if (logic == nullptr)
        return;
    // Each rule joins whole, so that the block reports it once, complete.
    TFuzzyRules& rules = *logic->GetRules();
    TUpdateGuard guard(rules);
    for (std::unique_ptr<TFuzzyRule>& rule : read) {
        rule->SetCollection(&rules);
        (void)rule.release(); // the block owns it now
    }
}

std::vector<std::unique_ptr<TFuzzyRule>> TKelFuzzyRuleParser::ParseFuzzyRules() {
    NextToken(); // "(" and "rules", as the form's head showed
    NextToken();
    std::vector<std::unique_ptr<TFuzzyRule>> rules;
    for (auto token = NextToken(); !IsCharToken(token, ')'); token = NextToken()) {
        if (!IsCharToken(token, '('))
            ParseError(WhereParseFuzzyRules, SFzyExpectedKeyword, SRuleKeywordRule);
        GetStream()->PutBackToken(token);
        ParseFuzzyRule(*rules.emplace_back(TFuzzyRule::Create(nullptr)));
    }
    return rules;
}

void TKelFuzzyRuleParser::ParseFuzzyRule(TFuzzyRule& Rule) {
    ExpectClause(SRuleKeywordRule);
    ExpectClause(SRuleKeywordIf);
    ParseCondition(Rule);
    ExpectCloseParens();
    ExpectClause(SRuleKeywordThen);
    std::vector<TFuzzyConclusion> conclusions;
    auto token = NextToken();
    while (IsCharToken(token, '(')) {
        const auto keyword = NextToken();
        if (!IsAtom(keyword) || keyword->GetText() != SRuleKeywordConclusion)
            ParseError(WhereParseFuzzyRule, SFzyExpectedKeyword, SRuleKeywordConclusion);
        TFuzzyConclusion& conclusion = conclusions.emplace_back();
        ParseIs(conclusion.Variable, conclusion.Term, nullptr);
        token = NextToken();
    }
    if (!IsCharToken(token, ')'))
        ParseError(WhereParseFuzzyRule, SFzyMissingCloseParens);
    Rule.SetConclusions(std::move(conclusions));
    token = NextToken();
    if (IsCharToken(token, '(')) {
        GetStream()->PutBackToken(token);
        ExpectClause(SRuleKeywordWeight);
        Rule.SetWeight(ParseWeight());
        ExpectCloseParens();
        token = NextToken();
    }
    if (!IsCharToken(token, ')'))
        ParseError(WhereParseFuzzyRule, SFzyMissingCloseParens);
}

void TKelFuzzyRuleParser::ExpectClause(const std::string& Keyword) {
    if (!IsCharToken(NextToken(), '('))
        ParseError(WhereParseFuzzyRule, SFzyMissingOpenParens);
    const auto keyword = NextToken();
    if (!IsAtom(keyword) || keyword->GetText() != Keyword)
        ParseError(WhereParseFuzzyRule, SFzyExpectedKeyword, Keyword);
}

void TKelFuzzyRuleParser::ExpectCloseParens() {
    if (!IsCharToken(NextToken(), ')'))
        ParseError(WhereParseFuzzyRule, SFzyMissingCloseParens);
}

void TKelFuzzyRuleParser::ParseCondition(TFuzzyRule& Rule) {
    const auto open = NextToken();
    if (!IsCharToken(open, '('))
        ParseError(WhereParseFuzzyRule, SFzyMissingOpenParens);
    const auto head = NextToken();
    const std::string word = IsAtom(head) ? head->GetText() : std::string();
    TFuzzyConnective connective;
    if (word == "is" || word == "not") {
        GetStream()->PutBackToken(head);
        GetStream()->PutBackToken(open);
        Rule.SetPremises({ParsePremise()});
        return;
    }
    if (!IsFuzzyRuleConnective(word, connective))
        ParseError(WhereParseFuzzyRule, SFzyExpectedKeyword, SRuleKeywordCondition);
    std::vector<TFuzzyPremise> premises;
    auto token = NextToken();
    while (IsCharToken(token, '(')) {
        GetStream()->PutBackToken(token);
        premises.push_back(ParsePremise());
        token = NextToken();
    }
    if (!IsCharToken(token, ')'))
        ParseError(WhereParseFuzzyRule, SFzyMissingCloseParens);
    Rule.SetConnective(word);
    Rule.SetPremises(std::move(premises));
}

TFuzzyPremise TKelFuzzyRuleParser::ParsePremise() {
    TFuzzyPremise premise;
    if (!IsCharToken(NextToken(), '('))
        ParseError(WhereParseFuzzyRule, SFzyMissingOpenParens);
    auto keyword = NextToken();
    if (IsAtom(keyword) && keyword->GetText() == "not") {
        premise.Negated = true;
        ExpectClause(SRuleKeywordConclusion);
        ParseIs(premise.Variable, premise.Term, &premise.Hedges);
        ExpectCloseParens();
        return premise;
    }
    if (!IsAtom(keyword) || keyword->GetText() != "is")
        ParseError(WhereParseFuzzyRule, SFzyExpectedKeyword, SRuleKeywordPremise);
    ParseIs(premise.Variable, premise.Term, &premise.Hedges);
    return premise;
}

void TKelFuzzyRuleParser::ParseIs(std::string& Variable, std::string& Term,
                                  std::vector<TFuzzyHedge>* Hedges) {
    std::vector<std::string> names;
    auto token = NextToken();
    while (IsAtom(token)) {
        names.push_back(token->GetText());
        token = NextToken();
    }
    // A variable and a term at least; hedges between them only in a premise.
    if (!IsCharToken(token, ')') || names.size() < 2)
        ParseError(WhereParseFuzzyRule, SFzyMissingName);
    if (Hedges == nullptr && names.size() > 2)
        ParseError(WhereParseFuzzyRule, SFzyMissingCloseParens);
    Variable = names.front();
    Term = names.back();
    for (std::size_t i = 1; i + 1 < names.size(); ++i) {
        TFuzzyHedge hedge{};
        if (!IsFuzzyHedge(names[i], hedge))
            ParseError(WhereParseFuzzyRule, SFzyUnknownHedge, names[i]);
        Hedges->push_back(hedge);
    }
}

TFzyFloat TKelFuzzyRuleParser::ParseWeight() {
    const auto token = NextToken();
    if (!IsNumberToken(token))
        ParseError(WhereParseFuzzyRule, SFzyExpectedNumber);
    const TFzyFloat weight = token->GetNumber();
    if (!IsValidRuleWeight(weight))
        ParseError(WhereParseFuzzyRule, SRuleWeightOutOfRange, weight);
    return weight;
}

} // namespace fuzzy
