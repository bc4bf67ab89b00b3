#include "FuzzyConsts/FuzzyNames.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "FuzzyConsts/FuzzyKeywords.hpp"
#include "platform/Format.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {

namespace {

using namespace std::string_view_literals;

// Only the space itself makes a name need brackets; tabs and line breaks do not.
bool HoldsSpace(std::string_view S) {
    return S.find(' ') != std::string_view::npos;
}

// A name as an operand of a longer name: bracketed when it holds a space.
class TOperand {
public:
    explicit TOperand(const std::string& Name) : FName(Name), FBracketed(HoldsSpace(Name)) {}
    [[nodiscard]] std::size_t Size() const {
        return FName.size() +
               (FBracketed ? LeftFuzzyParentheses.size() + RightFuzzyParentheses.size() : 0);
    }
    void AppendTo(std::string& Out) const {
        if (FBracketed)
            Out += LeftFuzzyParentheses;
        Out += FName;
        if (FBracketed)
            Out += RightFuzzyParentheses;
    }

private:
    const std::string& FName;
    bool FBracketed;
};

std::size_t SizeOf(std::string_view Part) {
    return Part.size();
}
std::size_t SizeOf(const TOperand& Part) {
    return Part.Size();
}
void Append(std::string& Out, std::string_view Part) {
    Out += Part;
}
void Append(std::string& Out, const TOperand& Part) {
    Part.AppendTo(Out);
}

// The parts of a name joined in one string of the right size, without a string for each
// step of the joining.
template <class... Parts>
std::string Joined(const Parts&... Part) {
    std::string text;
    text.reserve((SizeOf(Part) + ...));
    (Append(text, Part), ...);
    return text;
}

// The decimals of FuzzyFormatStr when it is one plain fixed-point directive such as
// "%.4f": Format writes its number by FormatFixed alone then, with no padding. Nothing
// for any other format, and for decimals that Format refuses, so that such a format
// still goes through Format and fails there with its own message.
std::optional<int> PlainFixedDecimals(std::string_view Format) {
    if (Format.size() < 4 || !Format.starts_with("%.") || Format.back() != 'f')
        return std::nullopt;
    int decimals = 0;
    for (const char digit : Format.substr(2, Format.size() - 3)) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        decimals = decimals * 10 + (digit - '0');
        if (decimals > MaxDecimals)
            return std::nullopt;
    }
    return decimals;
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

// A quick refusal of texts that cannot be a word of a table: for each first character,
// one bit per length of the words that start with it. Most texts that reach a recogniser
// are names of terms and variables, and nearly all of them are refused here, without a
// comparison with every word. It only refuses: a text it lets through is still compared
// word by word, so the answers are those of the comparisons alone.
class TWordFilter {
public:
    /// Lets through the texts of Length characters that start as Word does. Only the
    /// constant filters below call it, so a length beyond the 64 bits (a shift past them
    /// is no constant) stops the compilation instead of going unnoticed.
    constexpr void Allow(std::string_view Word, std::size_t Length) {
        FLengths[static_cast<unsigned char>(Word.front())] |= std::uint64_t{1} << Length;
    }
    constexpr void Allow(std::string_view Word) { Allow(Word, Word.size()); }
    template <class E, std::size_t N>
    constexpr void Allow(const TEnumArray<E, std::string_view, N>& Table) {
        for (const std::string_view word : Table)
            Allow(word);
    }
    [[nodiscard]] bool MayHold(std::string_view S) const {
        return !S.empty() && S.size() < 64 &&
               ((FLengths[static_cast<unsigned char>(S.front())] >> S.size()) & 1) != 0;
    }

private:
    std::array<std::uint64_t, 256> FLengths{};
};

constexpr void AllowHedges(TWordFilter& Filter) {
    Filter.Allow(HedgeNames);
}

constexpr void AllowHedgeOperators(TWordFilter& Filter) {
    for (const std::string_view symbol : BaseHedgeNames) {
        Filter.Allow(symbol);
        Filter.Allow(symbol, symbol.size() + 1); // the X form
    }
}

constexpr void AllowConnectives(TWordFilter& Filter) {
    Filter.Allow(FuzzyIntersectionKeywords);
    Filter.Allow(FuzzyUnionKeywords);
}

template <auto... Fill>
constexpr TWordFilter MakeFilter() {
    TWordFilter filter;
    (Fill(filter), ...);
    return filter;
}

constexpr TWordFilter HedgeWords = MakeFilter<AllowHedges>();
constexpr TWordFilter HedgeOperatorWords = MakeFilter<AllowHedgeOperators>();
constexpr TWordFilter ConnectiveWords = MakeFilter<AllowConnectives>();
// Every word a name may not be: one look refuses nearly every name a set is given.
constexpr TWordFilter ReservedWords =
    MakeFilter<AllowConnectives, AllowHedgeOperators, AllowHedges>();

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
    return Joined(HedgeNames[Hedge], " "sv, TOperand(Name));
}

std::string CreateFuzzyName(TBaseFuzzyHedge Hedge, bool ModifyY, const std::string& Name) {
    return Joined(BaseHedgeNames[Hedge], ModifyY ? " "sv : "X "sv, TOperand(Name));
}

std::string CreateFuzzyName(const std::string& LeftName, const std::string& RightName,
                            const std::string& Operation) {
    return Joined(TOperand(LeftName), " "sv, Operation, " "sv, TOperand(RightName));
}

std::string CreateFuzzyName(const std::string& Name, const std::string& Operation,
                            TFzyFloat Value) {
    const TOperand operand(Name);
    const std::optional<int> decimals = PlainFixedDecimals(FuzzyFormatStr);
    if (!decimals) {
        std::string bracketed;
        operand.AppendTo(bracketed);
        return Format("%s %s " + FuzzyFormatStr, bracketed, Operation, Value);
    }
    return Joined(operand, " "sv, Operation, " "sv, FormatFixed(Value, *decimals));
}

void AppendFuzzyExpression(std::string& Out, const std::string& S) {
    const std::string_view trimmed = TrimView(S);
    const bool oneOperand =
        !HoldsSpace(trimmed) || (trimmed.size() > 2 && trimmed.front() == '[' &&
                                 trimmed.back() == ']' && OuterBracketsEncloseAll(trimmed));
    if (oneOperand) {
        Out += trimmed;
        return;
    }
    Out += '[';
    Out += S;
    Out += ']';
}

std::string FormatFuzzyExpression(const std::string& S) {
    std::string expression;
    AppendFuzzyExpression(expression, S);
    return expression;
}

bool IsFuzzyHedge(const std::string& S) {
    TFuzzyHedge ignored{};
    return IsFuzzyHedge(S, ignored);
}

bool IsFuzzyHedge(const std::string& S, TFuzzyHedge& Hedge) {
    return HedgeWords.MayHold(S) && FindWord(HedgeNames, S, Hedge);
}

bool IsFuzzyHedgeOperator(const std::string& S) {
    TBaseFuzzyHedge ignoredHedge{};
    bool ignoredModifyY = false;
    return IsFuzzyHedgeOperator(S, ignoredHedge, ignoredModifyY);
}

bool IsFuzzyHedgeOperator(const std::string& S, TBaseFuzzyHedge& Hedge, bool& ModifyY) {
    if (!HedgeOperatorWords.MayHold(S))
        return false;
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

bool IsFuzzyReservedWord(const std::string& S) {
    if (!ReservedWords.MayHold(S))
        return false;
    bool isUnion = false;
    TFuzzyOperation operation{};
    return IsFuzzyKeyword(S, isUnion, operation) || IsFuzzyHedgeOperator(S) || IsFuzzyHedge(S);
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
    if (!ConnectiveWords.MayHold(S))
        return false;
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
