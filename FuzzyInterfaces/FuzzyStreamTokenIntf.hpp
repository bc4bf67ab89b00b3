#pragma once
// The contracts of the definition language's tokens. Besides what the lexer read, a token
// can carry a value produced while an expression is parsed: a nested token list, a fuzzy
// set of either object model, or any interface or object.

#include <string>

#include "platform/StreamTokenIntf.hpp"

namespace fuzzy {

class TObject;
class TFuzzySet;
class IFuzzySet;
class IFuzzyStreamTokenList;

/// A token of the definition language. DataType holds a TFuzzyStreamTokenType value, or
/// the character code of a punctuation token. The value setters also set DataType: to the
/// kind of the value, or to fstNone when the value is empty.
class IFuzzyStreamToken : public virtual IBaseStreamToken {
public:
    static constexpr TGUID IID = TGUID::Parse("{0A6B1F3E-52C7-4D8E-A1F9-3C2E7B8D9F11}");

    virtual TInterfacePtr<IInterface> GetIntfValue() const = 0;
    virtual void SetIntfValue(const TInterfacePtr<IInterface>& Value) = 0;
    /// The carried value as a token list, or empty when it is none.
    virtual TInterfacePtr<IFuzzyStreamTokenList> GetList() const = 0;
    virtual void SetList(const TInterfacePtr<IFuzzyStreamTokenList>& Value) = 0;
    /// The carried value as an interface-model set, or empty when it is none.
    virtual TInterfacePtr<IFuzzySet> GetFuzzySetIntf() const = 0;
    virtual void SetFuzzySetIntf(const TInterfacePtr<IFuzzySet>& Value) = 0;
    /// The carried object; the token does not own it.
    virtual TObject* GetObjValue() const = 0;
    virtual void SetObjValue(TObject* Value) = 0;
    /// The carried object when it is a component-model set, else nullptr.
    virtual TFuzzySet* GetFuzzySet() const = 0;
    virtual void SetFuzzySet(TFuzzySet* Value) = 0;

protected:
    ~IFuzzyStreamToken() = default;
};

/// A list of definition-language tokens; the base list's operations with the element type
/// narrowed to IFuzzyStreamToken.
class IFuzzyStreamTokenList : public virtual IBaseStreamTokenList {
public:
    static constexpr TGUID IID = TGUID::Parse("{0A6B1F3E-52C7-4D8E-A1F9-3C2E7B8D9F12}");

    using IBaseStreamTokenList::Add;
    using IBaseStreamTokenList::Append;
    using IBaseStreamTokenList::Equals;
    using IBaseStreamTokenList::IndexOf;
    using IBaseStreamTokenList::Insert;
    using IBaseStreamTokenList::Remove;

    virtual int Add(const TInterfacePtr<IFuzzyStreamToken>& Token) = 0;
    virtual void Append(const TInterfacePtr<IFuzzyStreamTokenList>& List) = 0;
    [[nodiscard]] virtual bool Equals(const TInterfacePtr<IFuzzyStreamTokenList>& List) const = 0;
    /// The first / last token; EListError when the list is empty.
    [[nodiscard]] virtual TInterfacePtr<IFuzzyStreamToken> First() const = 0;
    [[nodiscard]] virtual TInterfacePtr<IFuzzyStreamToken> Last() const = 0;
    [[nodiscard]] virtual TInterfacePtr<IFuzzyStreamToken> Get(int Index) const = 0;
    virtual void Put(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) = 0;
    virtual void Insert(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) = 0;
    [[nodiscard]] virtual int IndexOf(const TInterfacePtr<IFuzzyStreamToken>& Token) const = 0;
    virtual int Remove(const TInterfacePtr<IFuzzyStreamToken>& Token) = 0;

protected:
    ~IFuzzyStreamTokenList() = default;
};

} // namespace fuzzy
