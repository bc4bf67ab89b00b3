#pragma once
// Published properties: what a class offers to be stored and read back.
//
// Each class that takes part in storing registers its published properties once, in the
// order it declares them, with their stored defaults; a subclass starts from its parent's
// list. The component writer stores the properties in that order, leaving out those equal
// to their default; the reader sets them in that order, whatever the order of the text.
// Classes are found by their ClassName().
//
// Kinds of property:
//  - simple values (integer, floating, boolean, string, enumeration), stored as text;
//  - lines (a string list), stored as a list of strings;
//  - collections, stored item by item with each item's own published properties;
//  - owned objects, whose own published properties are stored as Name.Property lines;
//  - links to other components, stored by component name and resolved after reading;
//  - events, stored by the name of their handler (see EventHandlers.hpp).

#include <concepts>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/Collection.hpp"
#include "platform/Component.hpp"
#include "platform/EnumNames.hpp"
#include "platform/EventHandlers.hpp"
#include "platform/Exceptions.hpp"
#include "platform/StringList.hpp"

namespace fuzzy {

enum class TPropertyKind : std::uint8_t {
    pkInteger,
    pkFloat,
    pkBoolean,
    pkString,
    pkEnumeration,
    pkLines,
    pkCollection,
    pkObject,
    pkComponent,
    pkEvent
};

/// A simple value as the text form holds it: a bare word (number, name, True) or a string.
struct TPropertyText {
    std::string Text;
    bool Quoted = false;
};

/// One published property. Only the accessors of its kind are set.
struct TPropertyInfo {
    std::string Name;
    TPropertyKind Kind = TPropertyKind::pkInteger;
    /// Simple values: the text of the stored default; a value equal to it is not stored.
    std::optional<std::string> Default;
    bool Stored = true;

    std::function<std::string(const TObject&)> GetText;
    /// Raises EConvertError for a text that is not a value of the property's type.
    std::function<void(TObject&, const TPropertyText&)> SetText;
    std::function<const TStringList*(const TObject&)> GetLines;
    std::function<void(TObject&, const TStringList&)> SetLines;
    /// Owned collections and objects: Get for writing, Edit for reading into them.
    std::function<const TCollection*(const TObject&)> GetCollection;
    std::function<TCollection*(TObject&)> EditCollection;
    std::function<const TPersistent*(const TObject&)> GetObject;
    std::function<TPersistent*(TObject&)> EditObject;
    std::function<const TComponent*(const TObject&)> GetComponent;
    /// Raises EConvertError for a component of another class.
    std::function<void(TObject&, TComponent*)> SetComponent;
    /// Empty when unassigned, nullptr when the handler has no registered name.
    std::function<const std::string*(const TObject&)> GetHandlerName;
    /// Raises EConvertError when Handlers has no handler of that name and signature.
    std::function<void(TObject&, const TEventHandlers&, const std::string&)> SetHandler;
};

/// A class that takes part in storing. Components that can be read from text have a
/// creation function; collection items are created by their collection.
struct TRegisteredClass {
    std::string Name;
    std::vector<TPropertyInfo> Properties;
    std::function<TComponent*(TComponent* Owner)> Create;

    const TPropertyInfo* FindProperty(std::string_view PropertyName) const;
};

/// The text forms of the simple value types. Numbers never depend on the C locale; a
/// floating value is written with the fewest digits that read back as the same double.
std::string PropertyValueToText(std::int32_t Value);
std::string PropertyValueToText(double Value);
std::string PropertyValueToText(bool Value);
inline std::string PropertyValueToText(const std::string& Value) {
    return Value;
}
template <NamedEnum E>
std::string PropertyValueToText(E Value) {
    return GetEnumName(Value);
}

void PropertyValueFromText(const TPropertyText& Text, std::int32_t& Value);
void PropertyValueFromText(const TPropertyText& Text, double& Value);
void PropertyValueFromText(const TPropertyText& Text, bool& Value);
void PropertyValueFromText(const TPropertyText& Text, std::string& Value);
/// The index of Text among Names; raises EConvertError when it is none of them.
std::size_t EnumValueFromText(const TPropertyText& Text, std::span<const std::string_view> Names);
template <NamedEnum E>
void PropertyValueFromText(const TPropertyText& Text, E& Value) {
    Value = static_cast<E>(EnumValueFromText(Text, EnumDeclaredNames(E{})));
}

template <class T>
constexpr TPropertyKind PropertyKindOf() {
    if constexpr (std::is_same_v<T, bool>)
        return TPropertyKind::pkBoolean;
    else if constexpr (std::is_enum_v<T>)
        return TPropertyKind::pkEnumeration;
    else if constexpr (std::is_integral_v<T>)
        return TPropertyKind::pkInteger;
    else if constexpr (std::is_floating_point_v<T>)
        return TPropertyKind::pkFloat;
    else
        return TPropertyKind::pkString;
}

template <class Function>
struct TFunctionSignature;
template <class Signature>
struct TFunctionSignature<std::function<Signature>> {
    using Type = Signature;
};

/// Message of a link to a component of the wrong class.
inline constexpr const char* SWrongComponentClass = "%s is a %s, not a %s";
/// Message of an event handler that is not registered with that signature.
inline constexpr const char* SUnknownHandler = "No event handler \"%s\" fits this event";

/// Adds the published properties of class C, in declared order. Get and Set are member
/// functions of C or callables taking a C. The Get of an owned collection or object is
/// called on a const C for writing and on a C for reading, so that a getter overloaded on
/// constness is passed as a generic callable ([](auto& Object) { return Object.GetItems(); }).
template <class C>
class TClassBuilder {
public:
    explicit TClassBuilder(TRegisteredClass& Class) : FClass(Class) {}

    /// A simple value of type T, always stored.
    template <class T, class G, class S>
    TClassBuilder& Value(std::string Name, G Get, S Set) {
        TPropertyInfo& info = Append(std::move(Name), PropertyKindOf<T>());
        info.GetText = [Get](const TObject& Object) {
            return PropertyValueToText(static_cast<T>(std::invoke(Get, Cast(Object))));
        };
        info.SetText = [Set](TObject& Object, const TPropertyText& Text) {
            T value{};
            PropertyValueFromText(Text, value);
            std::invoke(Set, Cast(Object), value);
        };
        return *this;
    }
    /// A simple value stored only when it differs from Default.
    template <class T, class G, class S>
    TClassBuilder& Value(std::string Name, G Get, S Set, T Default) {
        Value<T>(std::move(Name), Get, Set);
        FClass.Properties.back().Default = PropertyValueToText(Default);
        return *this;
    }
    /// A string list, stored when it holds lines.
    template <class G, class S>
    TClassBuilder& Lines(std::string Name, G Get, S Set) {
        TPropertyInfo& info = Append(std::move(Name), TPropertyKind::pkLines);
        info.GetLines = [Get](const TObject& Object) -> const TStringList* {
            return std::invoke(Get, Cast(Object));
        };
        info.SetLines = [Set](TObject& Object, const TStringList& Lines) {
            std::invoke(Set, Cast(Object), &Lines);
        };
        return *this;
    }
    /// An owned collection, read by clearing it and adding one item per stored item.
    template <class G>
    TClassBuilder& Collection(std::string Name, G Get) {
        TPropertyInfo& info = Append(std::move(Name), TPropertyKind::pkCollection);
        info.GetCollection = [Get](const TObject& Object) -> const TCollection* {
            return std::invoke(Get, Cast(Object));
        };
        info.EditCollection = [Get](TObject& Object) -> TCollection* {
            return std::invoke(Get, Cast(Object));
        };
        return *this;
    }
    /// An object owned by C (never replaced), whose published properties are stored and
    /// read as Name.Property.
    template <class G>
    TClassBuilder& Object(std::string Name, G Get) {
        TPropertyInfo& info = Append(std::move(Name), TPropertyKind::pkObject);
        info.GetObject = [Get](const TObject& Object) -> const TPersistent* {
            return std::invoke(Get, Cast(Object));
        };
        info.EditObject = [Get](TObject& Object) -> TPersistent* {
            return std::invoke(Get, Cast(Object));
        };
        return *this;
    }
    /// A value of type T that reading accepts (when it is a value of T) and discards, and
    /// that is never written: what older writers stored and the class no longer keeps.
    template <class T>
    TClassBuilder& Discarded(std::string Name) {
        TPropertyInfo& info = Append(std::move(Name), PropertyKindOf<T>());
        info.Stored = false;
        info.SetText = [](TObject&, const TPropertyText& Text) {
            T value{};
            PropertyValueFromText(Text, value);
        };
        return *this;
    }
    /// A link to a component of class Target (or a descendant), stored by its name.
    template <class Target, class G, class S>
    TClassBuilder& Link(std::string Name, G Get, S Set, std::string TargetClassName) {
        TPropertyInfo& info = Append(std::move(Name), TPropertyKind::pkComponent);
        info.GetComponent = [Get](const TObject& Object) -> const TComponent* {
            return std::invoke(Get, Cast(Object));
        };
        info.SetComponent = [Set, TargetClassName](TObject& Object, TComponent* Value) {
            auto* target = dynamic_cast<Target*>(Value);
            if (Value != nullptr && target == nullptr)
                throw EConvertError(SWrongComponentClass, Value->GetName(), Value->ClassName(),
                                    TargetClassName);
            std::invoke(Set, Cast(Object), target);
        };
        return *this;
    }
    /// An event, stored by the name of its handler.
    template <class G, class S>
    TClassBuilder& Event(std::string Name, G Get, S Set) {
        using Signature = typename TFunctionSignature<
            std::remove_cvref_t<std::invoke_result_t<G, const C&>>>::Type;
        TPropertyInfo& info = Append(std::move(Name), TPropertyKind::pkEvent);
        info.GetHandlerName = [Get](const TObject& Object) {
            return GetHandlerName<Signature>(std::invoke(Get, Cast(Object)));
        };
        info.SetHandler = [Set](TObject& Object, const TEventHandlers& Handlers,
                                const std::string& HandlerName) {
            const std::function<Signature>* handler = Handlers.Find<Signature>(HandlerName);
            if (handler == nullptr)
                throw EConvertError(SUnknownHandler, HandlerName);
            std::invoke(Set, Cast(Object), *handler);
        };
        return *this;
    }
    /// The property added last is read but never written.
    TClassBuilder& NotStored() {
        FClass.Properties.back().Stored = false;
        return *this;
    }

private:
    static C& Cast(TObject& Object) { return static_cast<C&>(Object); }
    static const C& Cast(const TObject& Object) { return static_cast<const C&>(Object); }
    TPropertyInfo& Append(std::string Name, TPropertyKind Kind) {
        TPropertyInfo& info = FClass.Properties.emplace_back();
        info.Name = std::move(Name);
        info.Kind = Kind;
        return info;
    }

    TRegisteredClass& FClass;
};

/// The classes that take part in storing, by class name. TComponent itself is registered,
/// without properties, so that a plain component can hold others.
class TClassRegistry {
public:
    TClassRegistry();

    /// Registers (or registers again, from scratch) class C as Name, starting from the
    /// properties of the registered class Parent when given.
    template <class C>
    TClassBuilder<C> RegisterClass(const std::string& Name, const std::string& Parent = {}) {
        return TClassBuilder<C>(Reset(Name, Parent));
    }
    /// As RegisterClass, for a component that the reader creates with C::Create(Owner).
    template <class C>
    TClassBuilder<C> RegisterComponent(const std::string& Name, const std::string& Parent = {}) {
        TRegisteredClass& entry = Reset(Name, Parent);
        entry.Create = [](TComponent* Owner) -> TComponent* { return C::Create(Owner); };
        return TClassBuilder<C>(entry);
    }

    /// The class registered as Name, or nullptr.
    const TRegisteredClass* Find(std::string_view Name) const;

private:
    /// Raises EArgumentOutOfRangeException when Parent is given but not registered.
    TRegisteredClass& Reset(const std::string& Name, const std::string& Parent);

    std::map<std::string, std::unique_ptr<TRegisteredClass>, std::less<>> FClasses;
};

/// The library-wide registry.
TClassRegistry& GetClassRegistry();

} // namespace fuzzy
