#pragma once
// Tokens and token lists of the definition language. Besides what the lexer read, a token
// carries what parsing an expression made of it: a nested list, a set of either object
// model, or any other interface or object.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzyStreamTokenIntf.hpp"
#include "platform/StreamToken.hpp"

namespace fuzzy {

/// A definition-language token. DataType holds a TFuzzyStreamTokenType value, or the
/// character code of a punctuation token. IntfValue is a shared reference; ObjValue is a
/// plain pointer the token does not own.
class TFuzzyStreamToken : public TBaseStreamToken, public virtual IFuzzyStreamToken {
public:
    TFuzzyStreamToken() = default;
    std::string ClassName() const override { return "TFuzzyStreamToken"; }
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override;

    /// A reader makes and drops tokens by the thousand: their memory comes in chunks
    /// (TBlockArena) rather than one heap block each.
    static void* operator new(std::size_t Size);
    static void operator delete(void* Block, std::size_t Size) noexcept;

    /// Makes the token what a lexer read: the kind, line, number, text and white space
    /// given, no value and tag 0, as a new token set field by field would be.
    void Renew(int DataType, int LineNumber, double Number, std::string_view Text,
               std::string_view Whitespace);

    /// The token's kind as a token type; punctuation codes are no token type.
    [[nodiscard]] bool IsType(TFuzzyStreamTokenType Type) const {
        return GetDataType() == static_cast<int>(Type);
    }

    TInterfacePtr<IInterface> GetIntfValue() const override { return FIntfValue; }
    void SetIntfValue(const TInterfacePtr<IInterface>& Value) override;
    TInterfacePtr<IFuzzyStreamTokenList> GetList() const override;
    void SetList(const TInterfacePtr<IFuzzyStreamTokenList>& Value) override;
    TInterfacePtr<IFuzzySet> GetFuzzySetIntf() const override;
    void SetFuzzySetIntf(const TInterfacePtr<IFuzzySet>& Value) override;
    TObject* GetObjValue() const override { return FObjValue; }
    void SetObjValue(TObject* Value) override;
    TFuzzySet* GetFuzzySet() const override;
    void SetFuzzySet(TFuzzySet* Value) override;

    /// By kind: "<interface>", the list's text, the interface set's text, "<object>", the
    /// set's expression text; any other kind gives the base token's text form.
    [[nodiscard]] std::string ToString() const override;

protected:
    [[nodiscard]] TInterfacePtr<TBaseStreamToken> NewInstance() const override;
    void AssignFrom(const IBaseStreamToken& Source) override;
    bool IsNumeric() const override;

private:
    void StoreIntf(const TInterfacePtr<IInterface>& Value, TFuzzyStreamTokenType Type);
    void StoreObj(TObject* Value, TFuzzyStreamTokenType Type);

    TInterfacePtr<IInterface> FIntfValue;
    TObject* FObjValue = nullptr;
};

/// A list of definition-language tokens: the base list with the element type narrowed.
class TFuzzyStreamTokenList : public TBaseStreamTokenList, public virtual IFuzzyStreamTokenList {
public:
    TFuzzyStreamTokenList() = default;
    std::string ClassName() const override { return "TFuzzyStreamTokenList"; }
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override;

    using TBaseStreamTokenList::Add;
    using TBaseStreamTokenList::Append;
    using TBaseStreamTokenList::Equals;
    using TBaseStreamTokenList::IndexOf;
    using TBaseStreamTokenList::Insert;
    using TBaseStreamTokenList::Remove;

    int Add(const TInterfacePtr<IFuzzyStreamToken>& Token) override;
    /// Appends Token, taking the caller's reference over; Add's counterpart for a reader
    /// that fills a list of this class and drops its own reference anyway.
    void Adopt(TInterfacePtr<IFuzzyStreamToken>&& Token) { FItems.emplace_back(std::move(Token)); }
    /// Makes room for Count tokens at once, for a reader that fills the list one by one.
    void Reserve(std::size_t Count) { FItems.reserve(Count); }
    void Append(const TInterfacePtr<IFuzzyStreamTokenList>& List) override;
    bool Equals(const TInterfacePtr<IFuzzyStreamTokenList>& List) const override;
    TInterfacePtr<IFuzzyStreamToken> First() const override { return Get(0); }
    TInterfacePtr<IFuzzyStreamToken> Last() const override { return Get(GetCount() - 1); }
    /// The token at Index as a definition-language token (empty when a foreign token was
    /// put there through the base list). EListError outside the list.
    TInterfacePtr<IFuzzyStreamToken> Get(int Index) const override;
    void Put(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) override;
    void Insert(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) override;
    int IndexOf(const TInterfacePtr<IFuzzyStreamToken>& Token) const override;
    int Remove(const TInterfacePtr<IFuzzyStreamToken>& Token) override;

protected:
    [[nodiscard]] TInterfacePtr<TBaseStreamTokenList> NewInstance() const override;
};

} // namespace fuzzy
