#include "KelFuzzyLogicParser/FuzzyLogicTokenStream.hpp"

#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyTypes.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "KelFuzzyLogicParser/detail/RecordedText.hpp"
#include "platform/Exceptions.hpp"
#include "platform/KelMessages.hpp"
#include "platform/Strings.hpp"

namespace fuzzy {

namespace {

// The kinds FinishToken is given besides punctuation codes.
constexpr int EndKind = -1;
constexpr int AtomKind = 0;
constexpr int LineEndKind = 13;
constexpr int StringKind = 34;

constexpr std::string_view PunctuationChars = "()[]~&=|";
// The most tokens a lexer keeps for reuse; the tokens of a larger form are made anew.
constexpr std::size_t MaxTokenRing = 1024;
constexpr std::string_view LineBreak = "\r\n";

inline constexpr const char* SNoTokenToPutBack = "No token to put back";

bool IsBlank(char C) {
    return static_cast<unsigned char>(C) <= 32;
}

bool IsCharToken(const IFuzzyStreamToken& Token, char C) {
    return Token.GetDataType() == static_cast<unsigned char>(C);
}

// A token's kind and line; read from the fields of one of the ring's tokens (Ring, else
// nullptr). The ring makes its tokens as TFuzzyStreamToken, which keeps the base class's
// accessors: the qualified call gives what the virtual one would, without the dispatch.
int KindOf(const IFuzzyStreamToken& Token, const TFuzzyStreamToken* Ring) {
    return Ring != nullptr ? Ring->TBaseStreamToken::GetDataType() : Token.GetDataType();
}

int LineOf(const IFuzzyStreamToken& Token, const TFuzzyStreamToken* Ring) {
    return Ring != nullptr ? Ring->TBaseStreamToken::GetLineNumber() : Token.GetLineNumber();
}

// Powers of ten that a double holds exactly.
constexpr double ExactPowersOfTen[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The number of a plain decimal: an optional "-", digits and at most one point, at most 15
// digits in all; nothing for anything else, which the full conversions read. Most numbers
// of a text look so, and for them this gives what the full conversions give, for less: an
// integer of up to 9 digits fits the integer kind, and a fraction is its digits as a
// whole number (exact, below 2^53) divided by an exact power of ten, which rounds once to
// the nearest double, as the full conversion does.
std::optional<std::pair<TFuzzyStreamTokenType, double>> PlainNumber(std::string_view Text) {
    const bool negative = Text.starts_with('-');
    const std::string_view body = Text.substr(negative ? 1 : 0);
    std::int64_t digits = 0;
    int count = 0;
    int fraction = -1; // digits after the point, once there is one
    for (const char c : body) {
        if (c == '.' && fraction < 0) {
            fraction = 0;
        } else if (c >= '0' && c <= '9' && count < 15) {
            digits = digits * 10 + (c - '0');
            ++count;
            fraction += fraction >= 0 ? 1 : 0;
        } else {
            return std::nullopt;
        }
    }
    if (count == 0 || (fraction < 0 && count > 9))
        return std::nullopt;
    if (fraction < 0) {
        const auto integer = static_cast<std::int32_t>(negative ? -digits : digits);
        return std::pair(TFuzzyStreamTokenType::fstInteger, static_cast<double>(integer));
    }
    const double value = static_cast<double>(digits) / ExactPowersOfTen[fraction];
    return std::pair(TFuzzyStreamTokenType::fstFloat, negative ? -value : value);
}

} // namespace

TFuzzyLogicTokenStream::TFuzzyLogicTokenStream(TStream* Stream, const TEncoding* Encoding)
    : TGTextStream(Stream, Encoding), FRecordedText(std::make_unique<TRecordedText>()) {
    for (const char c : PunctuationChars)
        FCharClass[static_cast<unsigned char>(c)] |= ccPunctuation;
    // "=" is a token of its own at the start of a token but does not end an atom, so
    // that 'x=y' stays one atom; "<" ends an atom without being a token of its own.
    for (const char c : {'(', ')', '[', ']', '~', '&', '|', '<', FCommentChar, FStringDelimiter})
        FCharClass[static_cast<unsigned char>(c)] |= ccAtomBreaker | ccAtomEnd;
    for (int c = 0; c <= 32; ++c)
        FCharClass[c] |= ccAtomEnd | (c == '\r' || c == '\n' ? 0 : ccInLineSpace);
    for (const char c : {FEscapeChar, FStringDelimiter, '\r', '\n'})
        FCharClass[static_cast<unsigned char>(c)] |= ccStringEnd;
    FCharClass[static_cast<unsigned char>(FEscapeChar)] |= ccAtomEnd;
}

TFuzzyLogicTokenStream::~TFuzzyLogicTokenStream() = default;

std::string TFuzzyLogicTokenStream::ToString() const {
    return FRecordedText->GetText();
}

bool TFuzzyLogicTokenStream::SkipInLineSpaces() {
    ReadWhile([this](char C) { return IsCharClass(C, ccInLineSpace); }, FWhitespace);
    char c;
    if (!ReadChar(c))
        return false;
    if (!IsBlank(c)) {
        PutBack(c);
        return false;
    }
    TakeLineBreak(c, FWhitespace); // a CR or an LF
    return true;
}

bool TFuzzyLogicTokenStream::GetChar(char& C) {
    if (!ReadChar(C))
        return false;
    if (C == '\n')
        ++FLineNumber;
    return true;
}

std::string TFuzzyLogicTokenStream::GetLine() {
    std::string line = TGTextStream::GetLine();
    FWhitespace += line;
    FWhitespace += LineBreak;
    ++FLineNumber;
    return line;
}

void TFuzzyLogicTokenStream::DiscardUntilEOL() {
    GetLine();
}

void TFuzzyLogicTokenStream::TakeLineBreak(char C, std::string& Text) {
    Text.push_back(C);
    char next;
    if (C == '\r' && ReadChar(next)) {
        if (next == '\n')
            Text.push_back(next);
        else
            PutBack(next);
    }
    ++FLineNumber;
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyLogicTokenStream::BuildNextToken() {
    // Comment lines loop here rather than recursing, so that any number of them in a
    // row needs no stack.
    for (;;) {
        FAtomText.clear();
        while (SkipInLineSpaces() && !IsEof()) {
        }
        char c;
        if (!ReadChar(c))
            return FinishToken(EndKind, FAtomText);
        if (IsCharClass(c, ccPunctuation)) {
            FAtomText.push_back(c);
            return FinishToken(static_cast<unsigned char>(c), FAtomText);
        }
        if (c == FStringDelimiter) {
            ReadString();
            return FinishToken(StringKind, FAtomText);
        }
        if (c != FCommentChar)
            return ReadAtom(c);
        FWhitespace.push_back(c);
        GetLine();
    }
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyLogicTokenStream::ReadAtom(char First) {
    // The atom starts with First as it is, even when that is the escape character.
    FAtomText.push_back(First);
    const auto isPlain = [this](char C) { return !IsCharClass(C, ccAtomEnd); };
    char c;
    for (;;) {
        ReadWhile(isPlain, FAtomText);
        if (!ReadChar(c))
            break;
        if (IsBlank(c)) {
            // The blank that ends the atom goes with the white space handed to this
            // token. A line break it starts counts only after the token is made, so
            // that the atom keeps its own line; of a CR LF the LF is left for the next
            // token's white space, which counts it.
            FWhitespace.push_back(c);
            bool countLine = c == '\n';
            char next;
            if (c == '\r') {
                countLine = true;
                if (ReadChar(next)) {
                    countLine = next != '\n';
                    PutBack(next);
                }
            }
            auto token = FinishToken(AtomKind, FAtomText);
            if (countLine)
                ++FLineNumber;
            return token;
        }
        if (IsCharClass(c, ccAtomBreaker)) {
            PutBack(c);
            return FinishToken(AtomKind, FAtomText);
        }
        // The escape character: the next one is taken as it is.
        if (!ReadChar(c))
            break;
        if (c == '\r' || c == '\n')
            TakeLineBreak(c, FAtomText);
        else
            FAtomText.push_back(c);
    }
    // The text ends inside the atom: the atom now, the end-of-text token next time.
    return FinishToken(EndKind, FAtomText);
}

void TFuzzyLogicTokenStream::ReadString() {
    // Each line break inside a string counts one line, a CR LF once, escaped or not, so
    // that the lines of the tokens after it stay right.
    const auto isPlain = [this](char C) { return !IsCharClass(C, ccStringEnd); };
    char c;
    for (;;) {
        ReadWhile(isPlain, FAtomText);
        if (!ReadChar(c))
            break;
        if (c == FStringDelimiter)
            return;
        if (c == FEscapeChar && !ReadChar(c)) {
            FAtomText.clear();
            break;
        }
        if (c == '\r' || c == '\n')
            TakeLineBreak(c, FAtomText);
        else
            FAtomText.push_back(c);
    }
    throw EFzyParseException(TParseLine(FLineNumber), SUnbalancedString);
}

TFuzzyLogicTokenStream::TReadFields TFuzzyLogicTokenStream::ClassifyAtom(std::string_view Text) {
    using enum TFuzzyStreamTokenType;
    // A number that converts to a non-finite value ("1e999") is no number: the
    // conversions refuse it, and it stays an atom.
    std::int32_t integer = 0;
    double real = 0;
    if (!Text.empty() && Text.front() == '?')
        return {static_cast<int>(fstVariable), 0, Text.substr(1)};
    if (Text.size() == 1 && IsNumberSymbol(Text.front()))
        return {static_cast<int>(fstAtom), 0, Text};
    if (const auto number = PlainNumber(Text))
        return {static_cast<int>(number->first), number->second, {}};
    if (!Text.empty() && IsNumberChar(Text.front()) && TryStrToInt(Text, integer))
        return {static_cast<int>(fstInteger), static_cast<double>(integer), {}};
    if (!Text.empty() && IsNumberChar(Text.front()) && TryStrToFloat(Text, real))
        return {static_cast<int>(fstFloat), real, {}};
    return {static_cast<int>(fstAtom), 0, Text};
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyLogicTokenStream::FinishToken(int Type,
                                                                     const std::string& Text) {
    using enum TFuzzyStreamTokenType;
    if (Type == EndKind && !Text.empty())
        Type = AtomKind;
    const bool known =
        Type == EndKind || Type == AtomKind || Type == LineEndKind || Type == StringKind ||
        (Type >= 0 && Type < 256 && IsCharClass(static_cast<char>(Type), ccPunctuation));
    if (!known)
        throw EFzyParseException(TParseLine(FLineNumber), SInvalidTokenKind, std::to_string(Type));

    TReadFields read{Type, 0, Text}; // punctuation: its character code is its kind
    switch (Type) {
    case EndKind:
        read = {static_cast<int>(fstNone), 0, "EOF"};
        break;
    case AtomKind:
        read = ClassifyAtom(Text);
        break;
    case LineEndKind:
        read = {static_cast<int>(fstAtom), 0, "CRLF"};
        break;
    case StringKind:
        read.DataType = static_cast<int>(fstString);
        break;
    default:
        break;
    }
    TInterfacePtr<TFuzzyStreamToken> token = FreshToken();
    token->Renew(read.DataType, FLineNumber, read.Number, read.Text, FWhitespace);
    FWhitespace.clear();
    return token;
}

TInterfacePtr<TFuzzyStreamToken> TFuzzyLogicTokenStream::FreshToken() {
    if (FNextInRing == FTokenRing.size())
        FNextInRing = 0;
    // Held by the ring alone, a token is out of everybody's reach: no other thread can
    // take a reference to it meanwhile. The caller renews every field.
    if (FNextInRing < FTokenRing.size() && FTokenRing[FNextInRing]->GetRefCount() == 1 &&
        FTokenRing[FNextInRing].Get() != FCurrentToken)
        return FTokenRing[FNextInRing++];
    auto token = MakeInterfaced<TFuzzyStreamToken>();
    if (FTokenRing.size() < MaxTokenRing)
        FTokenRing.insert(FTokenRing.begin() + static_cast<std::ptrdiff_t>(FNextInRing++), token);
    return token;
}

void TFuzzyLogicTokenStream::PrepareSExp() {
    FRecordedText->Clear();
    FDepth = 0;
    FLookAhead.clear();
    int depth = 0;
    do {
        TInterfacePtr<IFuzzyStreamToken> next = BuildNextToken();
        TFuzzyStreamToken* ring = FNextInRing > 0 && FNextInRing <= FTokenRing.size() &&
                                          FTokenRing[FNextInRing - 1].Get() == next.Get()
                                      ? FTokenRing[FNextInRing - 1].Get()
                                      : nullptr;
        const int kind = KindOf(*next, ring);
        FLookAhead.push_back({std::move(next), ring});
        if (kind == static_cast<int>(TFuzzyStreamTokenType::fstNone))
            break;
        if (kind == '(')
            ++depth;
        else if (kind == ')')
            --depth;
    } while (depth > 0);
    FTokenStack.insert(FTokenStack.end(), std::make_move_iterator(FLookAhead.rbegin()),
                       std::make_move_iterator(FLookAhead.rend()));
    FLookAhead.clear();
}

void TFuzzyLogicTokenStream::Clear() {
    FTokenStack.clear();
    FRecordedText->Clear();
}

void TFuzzyLogicTokenStream::MoveToNextConstruct() {
    while (FDepth != 0) {
        if (NextToken()->GetDataType() == static_cast<int>(TFuzzyStreamTokenType::fstNone))
            break;
    }
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyLogicTokenStream::NextToken() {
    if (FTokenStack.empty())
        PrepareSExp();
    TWaitingToken next = std::move(FTokenStack.back());
    FTokenStack.pop_back();
    TInterfacePtr<IFuzzyStreamToken> token = std::move(next.Token);
    if (FCurrentToken != nullptr &&
        LineOf(*token, next.Ring) > LineOf(*FCurrentToken, FCurrentRing))
        FRecordedText->Append(LineBreak);
    // A token put back is the current token already.
    if (FCurrentToken != token.Get())
        SetCurrentToken(token, next.Ring);
    if (next.Ring != nullptr)
        RecordRingToken(*next.Ring);
    else
        FRecordedText->Append(token->ToString());
    FRecordedText->Append(' ');
    const int kind = KindOf(*token, next.Ring);
    if (kind == ')')
        --FDepth;
    else if (kind == '(')
        ++FDepth;
    return token;
}

std::optional<std::string_view>
TFuzzyLogicTokenStream::RingTokenText(const TFuzzyStreamToken& Token) {
    using enum TFuzzyStreamTokenType;
    // The ring's tokens are of the one class, which says a value by its value, a number
    // without text in its shortest exact form, and any other kind by its text. Their
    // fields are read as KindOf reads them.
    const int type = Token.TBaseStreamToken::GetDataType();
    if (type >= static_cast<int>(fstInterface) && type <= static_cast<int>(fstFuzzySet))
        return std::nullopt;
    const std::string& text = Token.TBaseStreamToken::GetText();
    const bool number = type == static_cast<int>(fstInteger) || type == static_cast<int>(fstFloat);
    if (text.empty() && number)
        return std::nullopt;
    return text;
}

void TFuzzyLogicTokenStream::RecordRingToken(const TFuzzyStreamToken& Token) {
    // A number is written as its value, which the record says when asked for it.
    const int type = Token.TBaseStreamToken::GetDataType();
    if (const auto text = RingTokenText(Token))
        FRecordedText->Append(*text);
    else if (type == static_cast<int>(TFuzzyStreamTokenType::fstInteger) ||
             type == static_cast<int>(TFuzzyStreamTokenType::fstFloat))
        FRecordedText->AppendNumber(Token.TBaseStreamToken::GetNumber());
    else
        FRecordedText->Append(Token.ToString());
}

void TFuzzyLogicTokenStream::PutBackToken(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    if (!Token)
        throw EKelException(SNoTokenToPutBack);
    // Put back as it was taken, the current token stays current, and one of the ring's
    // stays the ring's to keep.
    const bool current = Token.Get() == FCurrentToken;
    TFuzzyStreamToken* ring = current ? FCurrentRing : nullptr;
    FTokenStack.push_back({Token, ring});
    if (!current)
        SetCurrentToken(Token, nullptr);
    // Only the end of the recorded text is looked at, so that putting tokens back costs
    // the length of their text, not of the whole form.
    const auto text = ring != nullptr ? RingTokenText(*ring) : std::nullopt;
    if (text)
        FRecordedText->CutTail(*text);
    else
        FRecordedText->CutTail(Token->ToString());
    const int kind = KindOf(*Token, ring);
    if (kind == ')')
        ++FDepth;
    else if (kind == '(')
        --FDepth;
}

std::string TFuzzyLogicTokenStream::Head() {
    // Every token taken is put back, so the stream is left as it was whatever follows.
    const TInterfacePtr<IFuzzyStreamToken> first = NextToken();
    std::string head;
    if (IsCharToken(*first, '(') && !FTokenStack.empty()) {
        const IFuzzyStreamToken& following = *FTokenStack.back().Token;
        if (following.GetDataType() == static_cast<int>(TFuzzyStreamTokenType::fstAtom))
            head = following.GetText().empty() ? following.ToString() : following.GetText();
        else if (IsCharToken(following, '='))
            head.assign(1, '='); // not = "=", which g++ 12 misreads as an overlapping copy
    }
    PutBackToken(first);
    return head;
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyLogicTokenStream::GetCurrentToken() {
    if (FCurrentToken == nullptr)
        return NextToken();
    return FCurrentToken;
}

void TFuzzyLogicTokenStream::SetCurrentToken(const TInterfacePtr<IFuzzyStreamToken>& Token,
                                             TFuzzyStreamToken* Ring) {
    FCurrentToken = Token.Get();
    FCurrentRing = Ring;
    if (Ring != nullptr)
        FCurrentHeld.Reset();
    else
        FCurrentHeld = Token;
}

} // namespace fuzzy
