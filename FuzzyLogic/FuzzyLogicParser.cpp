#include "FuzzyLogic/FuzzyLogicParser.hpp"

#include "FuzzyConsts/FuzzyDefaults.hpp"
#include "FuzzyConsts/FuzzyExceptions.hpp"
#include "FuzzyConsts/FuzzyMessages.hpp"
#include "FuzzyLogic/FuzzyLogicComponent.hpp"
#include "FuzzyLogic/FuzzySet.hpp"

namespace fuzzy {

namespace {

// A parsed text longer than this is shown by its two ends only.
constexpr std::size_t MaxShownText = 255;
constexpr std::size_t ShownEnd = 128;

std::string ShortenParsedText(const std::string& Text) {
    if (Text.size() <= MaxShownText)
        return Text;
    return Text.substr(0, ShownEnd) + "... \r\n" + Text.substr(Text.size() - ShownEnd);
}

} // namespace

TCustomFuzzyLogicParser::~TCustomFuzzyLogicParser() {
    DetachIntf();
    SetFuzzyLogic(nullptr);
    BeforeDestruction();
}

void TCustomFuzzyLogicParser::SetFuzzyLogic(TCustomFuzzyLogic* Value) {
    SetLinkedComponent(FFuzzyLogic, Value);
}

void TCustomFuzzyLogicParser::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == FFuzzyLogic)
        FFuzzyLogic = nullptr; // the link is already gone on the component's side
}

void TCustomFuzzyLogicParser::CheckFuzzyLogic() const {
    if (FFuzzyLogic == nullptr)
        throw EFzyParseException(SFuzzyLogicNotSet);
}

void TCustomFuzzyLogicParser::Parse(const std::string& Text, const TEncoding* Encoding) {
    CheckFuzzyLogic();
    if (FOnBeginParse)
        FOnBeginParse(this);
    ParseFuzzyLogic(Text, Encoding);
    if (FOnEndParse)
        FOnEndParse(this);
}

void TCustomFuzzyLogicParser::ParseError(const std::string& Where, const std::string& Message) {
    const int line = GetLineNumber();
    ParseError(Where, Message, GetParsedText(), line);
    // Reached only through an override that does not raise; reading must stop all the same.
    throw EFzyParseException(TParseLine(line), Message);
}

void TCustomFuzzyLogicParser::ParseError(const std::string& Where, const std::string& Message,
                                         const std::string& ParsedText, int LineNumber) {
    throw EFzyParseException(TParseLine(LineNumber), SFzyParseError, Message, Where,
                             std::to_string(LineNumber), ShortenParsedText(ParsedText));
}

int TCustomFuzzyLogicParser::GetNumFunctionValues() const {
    return FFuzzyLogic != nullptr ? FFuzzyLogic->GetNumFunctionValues() : DefaultNumFunctionValues;
}

TFuzzySet*
TCustomFuzzyLogicParser::CalcFuzzyFunction(TFuzzySet* FuzzySet, const std::string& Name,
                                           const TInterfacePtr<IFuzzyStreamTokenList>& Arguments) {
    TFuzzySet* result = FuzzySet;
    bool handled = false;
    if (FOnCalcFuzzyFunction)
        FOnCalcFuzzyFunction(this, Name, handled, result, Arguments);
    if (!handled)
        CalcFuzzyFunction(Name, Arguments, result);
    return result;
}

bool TCustomFuzzyLogicParser::VerifyAll(const TInterfacePtr<IFuzzyStreamTokenList>& Arguments,
                                        TFuzzyStreamTokenTypes Allowed) {
    if (!Arguments)
        return true;
    for (int i = 0; i < Arguments->GetCount(); ++i) {
        const int type = Arguments->GetBaseStreamToken(i)->GetDataType();
        if (type < 0 || type >= static_cast<int>(EnumValueCount<TFuzzyStreamTokenType>) ||
            !Allowed.Contains(static_cast<TFuzzyStreamTokenType>(type)))
            return false;
    }
    return true;
}

} // namespace fuzzy
