#include "FuzzyConsts/FuzzyNames.hpp"

#include <string_view>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "platform/Format.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {

namespace {

// Only the space itself makes a name need brackets; tabs and line breaks do not.
bool HoldsSpace(std::string_view S) {
    return S.find(' ') != std::string_view::npos;
}

std::string Bracket(const std::string& Name) {
    return HoldsSpace(Name) ? LeftFuzzyParentheses + Name + RightFuzzyParentheses : Name;
}

// Whether the outer brackets of T (which begins with '[' and ends with ']') enclose all
// of it, rather than closing early as in "[a] [b]".
bool OuterBracketsEncloseAll(std::string_view T) {
    int depth = 1;
    for (std::size_t i = 1; i < T.size(); ++i) {
        if (T[i] == '[')
            ++depth;
        else if (T[i] == ']')
            --depth;
        if (depth == 0 && i + 1 < T.size())
            return false;
    }
    return true;
}

// The first value of the table whose word equals S; Value is left alone when none does.
template <class E, std::size_t N>
bool FindWord(const TEnumArray<E, std::string_view, N>& Table, std::string_view S, E& Value) {
    for (std::size_t i = 0; i < N; ++i) {
        if (Table[static_cast<E>(i)] == S) {
            Value = static_cast<E>(i);
            return true;
        }
    }
    return false;
}

// S is Symbol followed by the X suffix of an operator's X form.
bool IsXForm(std::string_view S, std::string_view Symbol) {
    return S.size() == Symbol.size() + 1 && S.starts_with(Symbol) && S.back() == 'X';
}

} // namespace

std::string CreateFuzzyName(TFuzzyHedge Hedge, const std::string& Name) {
    return std::string(HedgeNames[Hedge]) + " " + Bracket(Name);
}

std::string CreateFuzzyName(TBaseFuzzyHedge Hedge, bool ModifyY, const std::string& Name) {
    return std::string(BaseHedgeNames[Hedge]) + (ModifyY ? " " : "X ") + Bracket(Name);
}

std::string CreateFuzzyName(const std::string& LeftName, const std::string& RightName,
                            const std::string& Operation) {
    return Bracket(LeftName) + " " + Operation + " " + Bracket(RightName);
}

std::string CreateFuzzyName(const std::string& Name, const std::string& Operation,
                            TFzyFloat Value) {
    return Format("%s %s " + FuzzyFormatStr, Bracket(Name), Operation, Value);
}

std::string FormatFuzzyExpression(const std::string& S) {
    std::string T = Trim(S);
    if (!HoldsSpace(T))
        return T;
    if (T.size() > 2 && T.front() == '[' && T.back() == ']' && OuterBracketsEncloseAll(T))
        return T;
    return "[" + S + "]";
}

bool IsFuzzyHedge(const std::string& S) {
    TFuzzyHedge ignored{};
    return IsFuzzyHedge(S, ignored);
}

bool IsFuzzyHedge(const std::string& S, TFuzzyHedge& Hedge) {
    return FindWord(HedgeNames, S, Hedge);
}

bool IsFuzzyHedgeOperator(const std::string& S) {
    TBaseFuzzyHedge ignoredHedge{};
    bool ignoredModifyY = false;
    return IsFuzzyHedgeOperator(S, ignoredHedge, ignoredModifyY);
}

bool IsFuzzyHedgeOperator(const std::string& S, TBaseFuzzyHedge& Hedge, bool& ModifyY) {
    for (std::size_t i = 0; i < BaseHedgeNames.size(); ++i) {
        const auto candidate = static_cast<TBaseFuzzyHedge>(i);
        const std::string_view symbol = BaseHedgeNames[candidate];
        const bool plain = S == symbol;
        if (plain || IsXForm(S, symbol)) {
            Hedge = candidate;
            ModifyY = plain;
            return true;
        }
    }
    return false;
}

bool IsFuzzyOperation(const std::string& S, TFuzzyOperation& Operation) {
    return FindWord(FuzzyOperationNames, S, Operation);
}

bool IsFuzzyInference(const std::string& S, TFuzzyInferenceMethod& Method) {
    return FindWord(FuzzyInferenceNames, S, Method);
}

bool IsFuzzyCorrelation(const std::string& S, TFuzzyCorrelationMethod& Method) {
    return FindWord(FuzzyCorrelationNames, S, Method);
}

bool IsFuzzyKeyword(const std::string& S, bool& IsUnion, TFuzzyOperation& Operation) {
    IsUnion = true;
    for (std::size_t i = 0; i < FuzzyIntersectionKeywords.size(); ++i) {
        const auto candidate = static_cast<TFuzzyOperation>(i);
        const bool intersection = S == FuzzyIntersectionKeywords[candidate];
        if (intersection || S == FuzzyUnionKeywords[candidate]) {
            IsUnion = !intersection;
            Operation = candidate;
            return true;
        }
    }
    return false;
}

} // namespace fuzzy
