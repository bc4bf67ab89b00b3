#include "platform/ComponentTextSyntax.hpp"

#include <charconv>
#include <string_view>

#include "platform/ComponentText.hpp"
#include "platform/Format.hpp"
#include "platform/KelMessages.hpp"

namespace fuzzy {

namespace {

bool IsWordChar(char C) {
    return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_' ||
           C == '.' || C == '+' || C == '-';
}

struct TToken {
    enum class TKind : std::uint8_t { tkWord, tkString, tkSymbol, tkEnd };
    TKind Kind = TKind::tkEnd;
    std::string Text; // a word, a decoded string or one symbol character
    int Line = 1;
};

/// Reads the text as one object block, keeping the path of what is being read for the
/// messages ("Logic.Items[0].Name").
class TSyntaxReader {
public:
    explicit TSyntaxReader(std::string_view Text) : FText(Text) { Next(); }

    TTextObject ReadDocument() {
        TTextObject root = ReadObject();
        if (FToken.Kind != TToken::TKind::tkEnd)
            Fail(STextAfterLastEnd);
        return root;
    }

private:
    [[noreturn]] void Fail(const std::string& Message) const {
        throw EReadError(FToken.Line, JoinPropertyPath(FPath), Message);
    }

    bool IsSymbol(char Symbol) const {
        return FToken.Kind == TToken::TKind::tkSymbol && FToken.Text[0] == Symbol;
    }
    bool IsWord(std::string_view Word) const {
        return FToken.Kind == TToken::TKind::tkWord && FToken.Text == Word;
    }
    void Expect(bool Found, std::string_view What) {
        if (!Found)
            Fail(FToken.Kind == TToken::TKind::tkEnd ? Format(SUnexpectedEndOfText, What)
                                                     : Format(SExpectedFound, What, FToken.Text));
        Next();
    }
    std::string TakeWord(std::string_view What) {
        std::string word = FToken.Text;
        Expect(FToken.Kind == TToken::TKind::tkWord, What);
        return word;
    }

    /// Guards one level of nesting.
    class TNesting {
    public:
        explicit TNesting(TSyntaxReader& Reader) : FReader(Reader) {
            if (++FReader.FDepth > MaxTextNesting)
                FReader.Fail(SNestedTooDeep);
        }
        ~TNesting() { --FReader.FDepth; }
        TNesting(const TNesting&) = delete;
        TNesting& operator=(const TNesting&) = delete;

    private:
        TSyntaxReader& FReader;
    };

    TTextObject ReadObject() {
        TNesting nesting(*this);
        TTextObject object;
        object.Line = FToken.Line;
        Expect(IsWord("object"), "\"object\"");
        if (FToken.Kind == TToken::TKind::tkWord)
            object.Name = TakeWord("a name");
        Expect(IsSymbol(':'), "\":\"");
        object.ClassName = TakeWord("a class name");
        FPath.push_back(object.Name.empty() ? object.ClassName : object.Name);
        while (FToken.Kind == TToken::TKind::tkWord && !IsWord("object") && !IsWord("end"))
            object.Properties.push_back(ReadProperty());
        while (IsWord("object"))
            object.Children.push_back(ReadObject());
        Expect(IsWord("end"), "\"end\"");
        FPath.pop_back();
        return object;
    }

    TTextProperty ReadProperty() {
        TTextProperty property;
        property.Line = FToken.Line;
        property.Name = TakeWord("a property name");
        FPath.push_back(property.Name);
        Expect(IsSymbol('='), "\"=\"");
        property.Value = ReadValue();
        FPath.pop_back();
        return property;
    }

    TTextValue ReadValue() {
        TTextValue value;
        if (FToken.Kind == TToken::TKind::tkWord || FToken.Kind == TToken::TKind::tkString) {
            value.Form = FToken.Kind == TToken::TKind::tkWord ? TTextValue::TForm::vfWord
                                                              : TTextValue::TForm::vfString;
            value.Text = FToken.Text;
            Next();
        } else if (IsSymbol('(')) {
            value.Form = TTextValue::TForm::vfLines;
            Next();
            while (FToken.Kind == TToken::TKind::tkString) {
                value.Lines.push_back(FToken.Text);
                Next();
            }
            Expect(IsSymbol(')'), "a string or \")\"");
        } else if (IsSymbol('<')) {
            value.Form = TTextValue::TForm::vfItems;
            TNesting nesting(*this);
            Next();
            while (IsWord("item")) {
                FPath.push_back(ItemPathPart(value.Items.size()));
                value.Items.push_back(ReadItem());
                FPath.pop_back();
            }
            Expect(IsSymbol('>'), "\"item\" or \">\"");
        } else {
            Expect(false, "a value");
        }
        return value;
    }

    TTextItem ReadItem() {
        TTextItem item;
        item.Line = FToken.Line;
        Next(); // "item"
        while (FToken.Kind == TToken::TKind::tkWord && !IsWord("end"))
            item.Properties.push_back(ReadProperty());
        Expect(IsWord("end"), "\"end\"");
        return item;
    }

    // ---- characters to tokens ----

    bool AtEnd() const { return FPos >= FText.size(); }
    char Peek() const { return FText[FPos]; }

    void SkipWhitespace() {
        while (!AtEnd() && static_cast<unsigned char>(Peek()) <= ' ') {
            if (Peek() == '\n')
                ++FLine;
            ++FPos;
        }
    }

    void Next() {
        SkipWhitespace();
        FToken.Line = FLine;
        FToken.Text.clear();
        if (AtEnd()) {
            FToken.Kind = TToken::TKind::tkEnd;
        } else if (IsWordChar(Peek())) {
            FToken.Kind = TToken::TKind::tkWord;
            while (!AtEnd() && IsWordChar(Peek()))
                FToken.Text += FText[FPos++];
        } else if (Peek() == '\'' || Peek() == '#') {
            FToken.Kind = TToken::TKind::tkString;
            ReadString();
        } else if (std::string_view("=:<>()").find(Peek()) != std::string_view::npos) {
            FToken.Kind = TToken::TKind::tkSymbol;
            FToken.Text = FText[FPos++];
        } else {
            const int code = static_cast<unsigned char>(Peek());
            Fail(Format(SUnexpectedCharacter, code));
        }
    }

    /// Quoted parts and #codes, side by side without spaces, make one string.
    void ReadString() {
        while (!AtEnd() && (Peek() == '\'' || Peek() == '#')) {
            if (Peek() == '#')
                ReadCharCode();
            else
                ReadQuoted();
        }
    }

    void ReadQuoted() {
        ++FPos; // opening quote
        for (;;) {
            if (AtEnd())
                Fail(SUnterminatedString);
            const char c = FText[FPos++];
            if (c == '\'') {
                if (AtEnd() || Peek() != '\'')
                    return;
                ++FPos;
            } else if (static_cast<unsigned char>(c) < ' ') {
                Fail(SUnterminatedString);
            }
            FToken.Text += c;
        }
    }

    void ReadCharCode() {
        ++FPos; // '#'
        const char* first = FText.data() + FPos;
        const char* last = FText.data() + FText.size();
        unsigned code = 256;
        const auto [end, error] = std::from_chars(first, last, code);
        if (error != std::errc() || code > 255)
            Fail(SInvalidCharCode);
        FPos += static_cast<std::size_t>(end - first);
        FToken.Text += static_cast<char>(code);
    }

    std::string_view FText;
    std::size_t FPos = 0;
    int FLine = 1;
    int FDepth = 0;
    TToken FToken;
    std::vector<std::string> FPath;
};

} // namespace

// Appended piece by piece: a literal joined to a temporary string trips a false restrict
// warning of the optimiser.
std::string ItemPathPart(std::size_t Index) {
    std::string part(1, '[');
    part += std::to_string(Index);
    part += ']';
    return part;
}

std::string JoinPropertyPath(const std::vector<std::string>& Parts) {
    std::string path;
    for (const std::string& part : Parts)
        path += (path.empty() || part.front() == '[' ? "" : ".") + part;
    return path;
}

TTextObject ParseComponentText(const std::string& Text) {
    return TSyntaxReader(Text).ReadDocument();
}

} // namespace fuzzy
