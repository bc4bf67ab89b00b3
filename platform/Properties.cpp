#include "platform/Properties.hpp"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/KelMessages.hpp"

namespace fuzzy {

namespace {

/// The text as the reader met it, for messages: strings keep their quotes.
std::string Shown(const TPropertyText& Text) {
    return Text.Quoted ? "'" + Text.Text + "'" : Text.Text;
}

/// Converts the whole of a bare word with std::from_chars, which ignores the C locale.
template <class T>
bool ConvertWord(const TPropertyText& Text, T& Value) {
    if (Text.Quoted || Text.Text.empty())
        return false;
    const char* first = Text.Text.data();
    const char* last = first + Text.Text.size();
    const auto [end, error] = std::from_chars(first, last, Value);
    return error == std::errc() && end == last;
}

} // namespace

const TPropertyInfo* TRegisteredClass::FindProperty(std::string_view PropertyName) const {
    for (const TPropertyInfo& info : Properties)
        if (info.Name == PropertyName)
            return &info;
    return nullptr;
}

std::string PropertyValueToText(std::int32_t Value) {
    char buffer[16];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
    return std::string(buffer, result.ptr);
}

std::string PropertyValueToText(double Value) {
    // The shortest text that reads back as the same double ("0.1", "1e-05", "-0", "inf").
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, Value);
    return std::string(buffer, result.ptr);
}

std::string PropertyValueToText(bool Value) {
    return Value ? "True" : "False";
}

void PropertyValueFromText(const TPropertyText& Text, std::int32_t& Value) {
    if (!ConvertWord(Text, Value))
        throw EConvertError(SInvalidIntegerValue, Shown(Text));
}

void PropertyValueFromText(const TPropertyText& Text, double& Value) {
    if (!ConvertWord(Text, Value))
        throw EConvertError(SInvalidFloatingValue, Shown(Text));
}

void PropertyValueFromText(const TPropertyText& Text, bool& Value) {
    if (!Text.Quoted && (Text.Text == "True" || Text.Text == "False")) {
        Value = Text.Text == "True";
        return;
    }
    throw EConvertError(SInvalidBooleanValue, Shown(Text));
}

void PropertyValueFromText(const TPropertyText& Text, std::string& Value) {
    if (!Text.Quoted)
        throw EConvertError(SExpectedString, Shown(Text));
    Value = Text.Text;
}

std::size_t EnumValueFromText(const TPropertyText& Text, std::span<const std::string_view> Names) {
    if (!Text.Quoted)
        for (std::size_t i = 0; i < Names.size(); ++i)
            if (Names[i] == Text.Text)
                return i;
    throw EConvertError(SInvalidEnumValue, Shown(Text));
}

TClassRegistry::TClassRegistry() {
    RegisterComponent<TComponent>("TComponent");
}

const TRegisteredClass* TClassRegistry::Find(std::string_view Name) const {
    const auto found = FClasses.find(Name);
    return found == FClasses.end() ? nullptr : found->second.get();
}

TRegisteredClass& TClassRegistry::Reset(const std::string& Name, const std::string& Parent) {
    auto entry = std::make_unique<TRegisteredClass>();
    entry->Name = Name;
    if (!Parent.empty()) {
        const TRegisteredClass* parent = Find(Parent);
        if (parent == nullptr)
            throw EArgumentOutOfRangeException(SClassNotRegistered, Parent);
        entry->Properties = parent->Properties;
    }
    std::unique_ptr<TRegisteredClass>& slot = FClasses[Name];
    slot = std::move(entry);
    return *slot;
}

TClassRegistry& GetClassRegistry() {
    static TClassRegistry registry;
    return registry;
}

} // namespace fuzzy
