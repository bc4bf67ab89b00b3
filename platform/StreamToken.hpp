#pragma once
// Reference-counted tokens and token lists, the common ground of the library's lexers.

#include <string>
#include <string_view>
#include <vector>

#include "platform/StreamTokenIntf.hpp"

namespace fuzzy {

/// What tokens and token lists share: a reference count, a tag, and no persistent form
/// (copying from or into a persistent object raises EConvertError).
class TStreamObject : public TInterfacedObject, public virtual ICloneable {
public:
    std::int32_t GetTag() const override { return FTag; }
    void SetTag(std::int32_t Value) override { FTag = Value; }
    using ICloneable::Assign;
    void Assign(const TPersistent* Source) override;
    void AssignTo(TPersistent* Dest) const override;

protected:
    TStreamObject() = default;

private:
    std::int32_t FTag = 0;
};

/// A token: kind code, line, number, text, the white space read before it and a tag.
/// Reference-counted: made with MakeInterfaced and held through TInterfacePtr.
class TBaseStreamToken : public TStreamObject, public virtual IBaseStreamToken {
public:
    TBaseStreamToken() = default;
    std::string ClassName() const override { return "TBaseStreamToken"; }
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override;

    int GetDataType() const override { return FDataType; }
    void SetDataType(int Value) override { FDataType = Value; }
    int GetLineNumber() const override { return FLineNumber; }
    void SetLineNumber(int Value) override { FLineNumber = Value; }
    double GetNumber() const override { return FNumber; }
    void SetNumber(double Value) override { FNumber = Value; }
    const std::string& GetText() const override { return FText; }
    void SetText(const std::string& Value) override { FText = Value; }
    const std::string& GetWhitespace() const override { return FWhitespace; }
    void SetWhitespace(const std::string& Value) override { FWhitespace = Value; }

    using TStreamObject::Assign;
    /// Copies every field of another token. EConvertError when Source is no token.
    void Assign(const TInterfacePtr<IInterface>& Source) override;
    /// A new token of the same class with the same fields.
    [[nodiscard]] TInterfacePtr<IInterface> Clone() const override;
    /// Same kind, number and text (line, white space and tag do not count).
    [[nodiscard]] bool Equals(const TInterfacePtr<IInterface>& Other) const override;
    /// The text; for a numeric token with no text, the number in its shortest exact form
    /// ("12", "150", "0.1").
    [[nodiscard]] std::string ToString() const override;

protected:
    /// Sets every field a lexer reads and clears the tag, with no virtual call for each:
    /// for a lexer that fills its tokens anew by the thousand.
    void SetReadFields(int DataType, int LineNumber, double Number, std::string_view Text,
                       std::string_view Whitespace);
    /// A new, empty token of the object's own class, for Clone.
    [[nodiscard]] virtual TInterfacePtr<TBaseStreamToken> NewInstance() const;
    /// Copies the fields of Source; descendants add their own.
    virtual void AssignFrom(const IBaseStreamToken& Source);
    /// Whether the token's kind is a number; the base knows no kinds.
    virtual bool IsNumeric() const { return false; }

private:
    int FDataType = 0;
    int FLineNumber = 0;
    double FNumber = 0;
    std::string FText;
    std::string FWhitespace;
};

/// An ordered list of token references. Reference-counted like its tokens.
class TBaseStreamTokenList : public TStreamObject, public virtual IBaseStreamTokenList {
public:
    TBaseStreamTokenList() = default;
    std::string ClassName() const override { return "TBaseStreamTokenList"; }
    HRESULT QueryInterface(const TGUID& IID, void** Obj) override;

    int Add(const TInterfacePtr<IBaseStreamToken>& Token) override;
    void Append(const TInterfacePtr<IBaseStreamTokenList>& List) override;
    void Insert(int Index, const TInterfacePtr<IBaseStreamToken>& Token) override;
    TInterfacePtr<IBaseStreamToken> GetBaseStreamToken(int Index) const override;
    void PutBaseStreamToken(int Index, const TInterfacePtr<IBaseStreamToken>& Token) override;
    void Delete(int Index) override;
    int Remove(const TInterfacePtr<IBaseStreamToken>& Token) override;
    int IndexOf(const TInterfacePtr<IBaseStreamToken>& Token) const override;
    TInterfacePtr<IBaseStreamToken> FirstBaseStreamToken() const override;
    TInterfacePtr<IBaseStreamToken> LastBaseStreamToken() const override;
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    void Clear() override { FItems.clear(); }
    bool Equals(const TInterfacePtr<IBaseStreamTokenList>& List) const override;
    std::string ToString() const override;

    using TStreamObject::Assign;
    /// Replaces the tokens by those of another list (the same token objects, shared).
    /// EConvertError when Source is no token list.
    void Assign(const TInterfacePtr<IInterface>& Source) override;
    /// A new list of the same class sharing the same token objects.
    [[nodiscard]] TInterfacePtr<IInterface> Clone() const override;
    /// Equals for a list behind an interface reference; false when Other is no list.
    [[nodiscard]] bool Equals(const TInterfacePtr<IInterface>& Other) const override;

protected:
    /// A new, empty list of the object's own class, for Clone.
    [[nodiscard]] virtual TInterfacePtr<TBaseStreamTokenList> NewInstance() const;
    void CheckIndex(int Index, int Limit) const;

    std::vector<TInterfacePtr<IBaseStreamToken>> FItems;

private:
};

} // namespace fuzzy
