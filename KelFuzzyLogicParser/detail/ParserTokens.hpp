#pragma once
// Questions the parser asks of a token.

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"

namespace fuzzy {

/// True when Token is of the kind Type.
inline bool IsTokenOfType(const TInterfacePtr<IFuzzyStreamToken>& Token,
                          TFuzzyStreamTokenType Type) {
    return Token && Token->GetDataType() == static_cast<int>(Type);
}

/// True when Token is the punctuation token of C.
inline bool IsCharToken(const TInterfacePtr<IFuzzyStreamToken>& Token, char C) {
    return Token && Token->GetDataType() == static_cast<unsigned char>(C);
}

/// True when Token is an integer or a floating-point number.
inline bool IsNumberToken(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return IsTokenOfType(Token, TFuzzyStreamTokenType::fstInteger) ||
           IsTokenOfType(Token, TFuzzyStreamTokenType::fstFloat);
}

/// True when Token is the end of the text (or missing).
inline bool IsEndToken(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return !Token || IsTokenOfType(Token, TFuzzyStreamTokenType::fstNone);
}

} // namespace fuzzy
