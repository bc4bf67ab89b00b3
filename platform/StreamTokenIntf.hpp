#pragma once
// The contracts of lexer tokens and token lists: a token is a typed value with the text it
// was read from, its line and the white space before it; a list holds tokens in order.

#include <cstdint>
#include <string>

#include "platform/Cloneable.hpp"

namespace fuzzy {

/// One token of a text. DataType is the lexer's kind code; Number is meaningful for
/// numeric kinds only.
class IBaseStreamToken : public virtual ICloneable {
public:
    static constexpr TGUID IID = TGUID::Parse("{6E0D8C62-3B44-4F0B-9E0A-2B7C1A5D4E01}");

    virtual int GetDataType() const = 0;
    virtual void SetDataType(int Value) = 0;
    virtual int GetLineNumber() const = 0;
    virtual void SetLineNumber(int Value) = 0;
    virtual double GetNumber() const = 0;
    virtual void SetNumber(double Value) = 0;
    virtual const std::string& GetText() const = 0;
    virtual void SetText(const std::string& Value) = 0;
    /// The white space and comments read before the token.
    virtual const std::string& GetWhitespace() const = 0;
    virtual void SetWhitespace(const std::string& Value) = 0;
    /// The token as text: its Text, or for a token with an empty text its number.
    [[nodiscard]] virtual std::string ToString() const = 0;

protected:
    ~IBaseStreamToken() = default;
};

/// An ordered list of tokens. Indices run from 0; an index outside the list raises
/// EListError.
class IBaseStreamTokenList : public virtual ICloneable {
public:
    static constexpr TGUID IID = TGUID::Parse("{6E0D8C62-3B44-4F0B-9E0A-2B7C1A5D4E02}");

    /// Appends Token and returns its index.
    virtual int Add(const TInterfacePtr<IBaseStreamToken>& Token) = 0;
    /// Appends every token of List, in order.
    virtual void Append(const TInterfacePtr<IBaseStreamTokenList>& List) = 0;
    virtual void Insert(int Index, const TInterfacePtr<IBaseStreamToken>& Token) = 0;
    [[nodiscard]] virtual TInterfacePtr<IBaseStreamToken> GetBaseStreamToken(int Index) const = 0;
    virtual void PutBaseStreamToken(int Index, const TInterfacePtr<IBaseStreamToken>& Token) = 0;
    virtual void Delete(int Index) = 0;
    /// Removes Token (compared by identity) and returns its former index, or -1.
    virtual int Remove(const TInterfacePtr<IBaseStreamToken>& Token) = 0;
    /// Index of Token (compared by identity), or -1.
    [[nodiscard]] virtual int IndexOf(const TInterfacePtr<IBaseStreamToken>& Token) const = 0;
    /// The first / last token; EListError when the list is empty.
    [[nodiscard]] virtual TInterfacePtr<IBaseStreamToken> FirstBaseStreamToken() const = 0;
    [[nodiscard]] virtual TInterfacePtr<IBaseStreamToken> LastBaseStreamToken() const = 0;
    virtual int GetCount() const = 0;
    virtual void Clear() = 0;
    /// True when List has as many tokens and each equals this list's token at its index.
    [[nodiscard]] virtual bool Equals(const TInterfacePtr<IBaseStreamTokenList>& List) const = 0;
    using ICloneable::Equals;
    /// "(" + the tokens' text forms separated by single spaces + ")".
    [[nodiscard]] virtual std::string ToString() const = 0;

protected:
    ~IBaseStreamTokenList() = default;
};

} // namespace fuzzy
