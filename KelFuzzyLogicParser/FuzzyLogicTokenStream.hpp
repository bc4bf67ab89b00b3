#pragma once
// The lexer of the definition language: turns the characters of a definition text into
// tokens, one parenthesised form at a time, with push-back.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"
#include "IFuzzyLogic/FuzzyStreamToken.hpp"
#include "platform/Stream.hpp"
#include "platform/TextStream.hpp"

namespace fuzzy {

class TRecordedText;

/// Hands out the tokens of a definition text:
///
///     (term warm ?w (tri 15 21.5 27)) ; a comment
///
/// gives "(", the atoms "term" and "warm", the variable "w", "(", the atom "tri", the
/// integer 15, the float 21.5, the integer 27, ")", ")" and then the end of the text.
///
/// Character classes work on bytes: every byte of code 32 or below is white space; ";"
/// starts a comment up to the end of its line; strings are written between double
/// quotes; a backslash takes the next character literally inside a string or an atom;
/// "(" ")" "[" "]" "~" "&" "=" "|" are tokens of their own when a token begins with them;
/// "(" ")" "[" "]" "~" "&" ";" "<" "|" and the double quote end an atom.
///
/// Tokens are new TFuzzyStreamToken objects shared by reference count. Their DataType is
/// a TFuzzyStreamTokenType value, or the character code of a punctuation token. Numbers
/// keep an empty Text; "?name" gives a variable token with the text "name"; the end of
/// the text gives an fstNone token "EOF", again at every further call.
///
/// The stream reads one whole form ahead: when no token is waiting, it reads up to the
/// ")" that closes the first "(" (or a single token when the form does not begin with
/// "("). It records the text form of the tokens handed out in the current form, one space
/// after each and a CR LF where the line number grows, for error messages (ToString).
///
/// Line numbers start at 1. A CR, an LF or a CR LF counts one line, also inside a string
/// (escaped or not) and after an atom: an atom ended by a line break keeps the line it is
/// on; a string spanning lines is on the line where it ends. A token's Whitespace holds
/// the white space and comments skipped before it, except that the blank ending an atom
/// goes to that atom. An atom whose text would convert to a non-finite number ("1e999")
/// stays an atom.
///
/// The reading loops use the fast ReadChar and count lines themselves; an override of
/// GetChar is not called by them. Nothing recurses per token or per comment line, so no
/// input can exhaust the stack, and every step is linear in the length of the text.
/// The text stream underneath is not owned and must outlive this object.
///
/// Fails with EFzyParseException for a string still open at the end of the text
/// (SUnbalancedString, at the line where the text ends).
class TFuzzyLogicTokenStream : public TGTextStream {
public:
    /// A lexer over Stream (not owned) read in Encoding (nullptr: UTF-8).
    /// Raises EKelException when Stream is nullptr.
    TFuzzyLogicTokenStream(TStream* Stream, const TEncoding* Encoding);
    ~TFuzzyLogicTokenStream() override;
    std::string ClassName() const override { return "TFuzzyLogicTokenStream"; }

    /// Reads white space up to the next character above code 32 (left unread) or up to
    /// and including the next line end, adding it to the gathered white space. Returns
    /// whether a line end was passed; it is counted.
    virtual bool SkipInLineSpaces();
    /// The next character; a line feed counts a line.
    bool GetChar(char& C) override;
    /// The rest of the line (see TGTextStream::GetLine); it is added to the gathered white
    /// space with a CR LF, and a line is counted, also at the end of the text.
    std::string GetLine() override;
    /// Reads the next token from the characters, skipping white space and comments.
    /// Raises EFzyParseException (SUnbalancedString) for a string open at the end.
    [[nodiscard]] virtual TInterfacePtr<IFuzzyStreamToken> BuildNextToken();
    /// A new token of the kind Type with Text, on the current line, carrying the white
    /// space gathered before it (which is then cleared). Type is -1 (end of text; an
    /// atom when Text is not empty), 0 (an atom, classified as number, variable or atom),
    /// 13 (the atom "CRLF"), 34 (a string) or the code of a punctuation character.
    /// Raises EFzyParseException (SInvalidTokenKind) for any other Type.
    [[nodiscard]] virtual TInterfacePtr<IFuzzyStreamToken> FinishToken(int Type,
                                                                       const std::string& Text);
    /// Drops the tokens read ahead and starts a new recorded text.
    virtual void Clear();
    /// Skips the rest of the line (see GetLine).
    virtual void DiscardUntilEOL();
    /// Takes tokens until the forms handed out are closed again, or the text ends.
    virtual void MoveToNextConstruct();
    /// The next token; when none is waiting, reads the next form ahead first, which starts
    /// a new recorded text. Records the token's text form and a space, preceded by a CR LF
    /// when the token is on a later line than the current one (also the first token of a
    /// form), and keeps the parenthesis depth of the tokens handed out.
    virtual TInterfacePtr<IFuzzyStreamToken> NextToken();
    /// Makes Token the next token handed out and the current token. When the recorded
    /// text ends with Token's text form, that is cut off together with the line break
    /// written before it, so that the text ends with one space after the token before
    /// (or is one space when no token came before); taking the token again records it once.
    /// Otherwise the recorded text stays as it is. Raises EKelException when Token is empty.
    virtual void PutBackToken(const TInterfacePtr<IFuzzyStreamToken>& Token);
    /// The word that heads the next form without consuming anything: for "(" followed by
    /// an atom the atom's text, for "(" followed by "=" the text "=", else "". The token
    /// it takes is put back in every case, also when it is no "(".
    [[nodiscard]] virtual std::string Head();

    /// The token last handed out or put back; takes the first token when there is none.
    [[nodiscard]] TInterfacePtr<IFuzzyStreamToken> GetCurrentToken();
    /// The recorded text of the current form.
    [[nodiscard]] std::string ToString() const;
    [[nodiscard]] int GetLineNumber() const noexcept { return FLineNumber; }
    void SetLineNumber(int Value) noexcept { FLineNumber = Value; }

protected:
    /// Reads one form ahead onto the token stack, starts a new recorded text and sets the
    /// depth to 0. Called by NextToken when no token is waiting.
    void PrepareSExp();

    const char FCommentChar = ';';
    const char FStringDelimiter = '"';
    const char FEscapeChar = '\\';

private:
    // Character classes as bits of a table indexed by byte, so that the loops over long
    // atoms, strings and runs of blanks test each character with one look-up.
    enum TCharClass : std::uint8_t {
        ccPunctuation = 1, // a token of its own
        ccAtomBreaker = 2, // ends an atom and is left for the next token
        ccAtomEnd = 4,     // anything that stops a run of plain atom characters
        ccStringEnd = 8,   // anything that stops a run of plain string characters
        ccInLineSpace = 16 // white space that ends no line
    };

    /// The fields FinishToken gives a token: its kind, number and text.
    struct TReadFields {
        int DataType;
        double Number;
        std::string_view Text;
    };

    /// A token to fill: the next token of the ring when nobody else holds it any more, to
    /// be made new again in place; else a new token, which joins the ring there while the
    /// ring is below its limit.
    [[nodiscard]] TInterfacePtr<TFuzzyStreamToken> FreshToken();
    [[nodiscard]] TInterfacePtr<IFuzzyStreamToken> ReadAtom(char First);
    /// Reads a string after its opening delimiter into FAtomText.
    void ReadString();
    /// Appends the line break that starts with C (CR LF as one) to Text and counts it.
    void TakeLineBreak(char C, std::string& Text);
    /// An atom's kind: a variable (its text without the "?"), a number, or an atom.
    [[nodiscard]] static TReadFields ClassifyAtom(std::string_view Text);
    [[nodiscard]] bool IsCharClass(char C, TCharClass Class) const {
        return (FCharClass[static_cast<unsigned char>(C)] & Class) != 0;
    }

    /// A token read ahead or put back, and the same token as one of the ring's when it is
    /// one (else nullptr).
    struct TWaitingToken {
        TInterfacePtr<IFuzzyStreamToken> Token;
        TFuzzyStreamToken* Ring = nullptr;
    };
    /// What ToString says for one of the ring's tokens, when that is its text as it stands;
    /// nothing for a number or a value, which ToString says otherwise.
    [[nodiscard]] static std::optional<std::string_view>
    RingTokenText(const TFuzzyStreamToken& Token);
    /// Writes the text of one of the ring's tokens to the record, as its ToString says it.
    void RecordRingToken(const TFuzzyStreamToken& Token);
    /// Makes Token the current token; a token of the ring (Ring) is kept alive by the ring.
    void SetCurrentToken(const TInterfacePtr<IFuzzyStreamToken>& Token, TFuzzyStreamToken* Ring);

    std::vector<TWaitingToken> FTokenStack; // top at the back
    std::vector<TWaitingToken> FLookAhead;  // one form, in reading order
    // The current token, and a reference to it when it is not one of the ring's (which
    // FreshToken never makes new while it is current): so that handing out the ring's
    // tokens one after another changes no reference count for the current one.
    IFuzzyStreamToken* FCurrentToken = nullptr;
    TFuzzyStreamToken* FCurrentRing = nullptr; // the current token, when it is the ring's
    TInterfacePtr<IFuzzyStreamToken> FCurrentHeld;
    std::unique_ptr<TRecordedText> FRecordedText; // a private helper, out of this header
    std::string FAtomText;
    std::string FWhitespace;
    int FLineNumber = 1;
    int FDepth = 0;
    std::array<std::uint8_t, 256> FCharClass{};
    // The tokens made so far, kept so that their objects serve again once dropped: a text
    // of a hundred thousand words then needs about as many token objects as its largest
    // form holds, not one per word. The ring grows where it meets a token still in use.
    std::vector<TInterfacePtr<TFuzzyStreamToken>> FTokenRing;
    std::size_t FNextInRing = 0;
};

} // namespace fuzzy
