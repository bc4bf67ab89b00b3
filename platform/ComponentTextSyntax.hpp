#pragma once
// The syntax of stored component text, read into a tree before any object is made, so
// that a text broken anywhere fails before it has built anything.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace fuzzy {

struct TTextItem;

/// A property's value as written.
struct TTextValue {
    enum class TForm : std::uint8_t { vfWord, vfString, vfLines, vfItems };
    TForm Form = TForm::vfWord;
    std::string Text;               // vfWord, vfString (decoded)
    std::vector<std::string> Lines; // vfLines
    std::vector<TTextItem> Items;   // vfItems
};

struct TTextProperty {
    std::string Name;
    int Line = 0;
    TTextValue Value;
};

struct TTextItem {
    int Line = 0;
    std::vector<TTextProperty> Properties;
};

struct TTextObject {
    int Line = 0;
    std::string Name;
    std::string ClassName;
    std::vector<TTextProperty> Properties;
    std::vector<TTextObject> Children;
};

/// Objects and collections nest at most this deep, so no text can exhaust the stack.
inline constexpr int MaxTextNesting = 256;

/// The path of a property being read, from its parts: "Logic", "Items", "[0]", "Name"
/// give "Logic.Items[0].Name".
std::string JoinPropertyPath(const std::vector<std::string>& Parts);
/// The path part of a collection's item: "[Index]".
std::string ItemPathPart(std::size_t Index);

/// Reads the one object block of Text. Raises EReadError.
TTextObject ParseComponentText(const std::string& Text);

} // namespace fuzzy
