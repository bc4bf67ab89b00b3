#pragma once
// The parser's string forms read their text through a token stream of their own.

#include <memory>
#include <string>

#include "KelFuzzyLogicParser/ParserComponent.hpp"
#include "platform/Encoding.hpp"
#include "platform/Stream.hpp"

namespace fuzzy {

/// Makes the parser read Text through a token stream of its own for the scope's lifetime,
/// then gives the parser back the stream it had (a parse may run inside another).
class TKelFuzzyLogicParser::TStreamScope {
public:
    TStreamScope(TKelFuzzyLogicParser& Parser, const std::string& Text, const TEncoding* Encoding)
        : FParser(Parser), FSaved(Parser.FStream), FText(TextStream(Text, Encoding)),
          FTokens(Parser.CreateStream(FText.get(), Encoding)) {
        Parser.FStream = FTokens.get();
    }
    ~TStreamScope() { FParser.FStream = FSaved; }
    TStreamScope(const TStreamScope&) = delete;
    TStreamScope& operator=(const TStreamScope&) = delete;

private:
    /// The bytes of Text in Encoding. UTF-8 text is read from a plain copy of its bytes,
    /// which are the text itself: a copy, so that a callback that changes the caller's
    /// string while it is read cannot pull the bytes from under the reader.
    std::unique_ptr<TStream> TextStream(const std::string& Text, const TEncoding* Encoding) {
        if (&TEncoding::OrDefault(Encoding) == TEncoding::UTF8()) {
            FBytes = Text;
            return std::make_unique<TByteViewStream>(FBytes);
        }
        return std::make_unique<TKelStringStream>(Text, Encoding);
    }

    TKelFuzzyLogicParser& FParser;
    TFuzzyLogicTokenStream* FSaved;
    std::string FBytes; // before FText, which reads it
    std::unique_ptr<TStream> FText;
    std::unique_ptr<TFuzzyLogicTokenStream> FTokens;
};

} // namespace fuzzy
