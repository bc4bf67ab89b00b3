#include "platform/StreamToken.hpp"

#include <charconv>

#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace {

[[noreturn]] void RaiseNotAssignable(const std::string& From, const std::string& To) {
    throw EConvertError(SAssignError, From, To);
}

std::string ShortestText(double Value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, Value);
    return std::string(text, result.ptr);
}

} // namespace

// ---- TStreamObject ----

void TStreamObject::Assign(const TPersistent* Source) {
    RaiseNotAssignable(Source != nullptr ? Source->ClassName() : "nil", ClassName());
}

void TStreamObject::AssignTo(TPersistent* Dest) const {
    RaiseNotAssignable(ClassName(), Dest != nullptr ? Dest->ClassName() : "nil");
}

// ---- TBaseStreamToken ----

HRESULT TBaseStreamToken::QueryInterface(const TGUID& InterfaceID, void** Obj) {
    return QueryInterfaces<IBaseStreamToken, ICloneable, IInterface>(this, InterfaceID, Obj);
}

void TBaseStreamToken::Assign(const TInterfacePtr<IInterface>& Source) {
    const auto source = Supports<IBaseStreamToken>(Source);
    if (!source)
        RaiseNotAssignable(Source ? "interface" : "nil", ClassName());
    if (source.Get() != this)
        AssignFrom(*source);
}

void TBaseStreamToken::AssignFrom(const IBaseStreamToken& Source) {
    FDataType = Source.GetDataType();
    FLineNumber = Source.GetLineNumber();
    FNumber = Source.GetNumber();
    FText = Source.GetText();
    FWhitespace = Source.GetWhitespace();
    SetTag(Source.GetTag());
}

void TBaseStreamToken::SetReadFields(int DataType, int LineNumber, double Number,
                                     std::string_view Text, std::string_view Whitespace) {
    FDataType = DataType;
    FLineNumber = LineNumber;
    FNumber = Number;
    FText.assign(Text);
    FWhitespace.assign(Whitespace);
    SetTag(0);
}

TInterfacePtr<TBaseStreamToken> TBaseStreamToken::NewInstance() const {
    return MakeInterfaced<TBaseStreamToken>();
}

TInterfacePtr<IInterface> TBaseStreamToken::Clone() const {
    TInterfacePtr<TBaseStreamToken> copy = NewInstance();
    copy->AssignFrom(*this);
    return copy;
}

bool TBaseStreamToken::Equals(const TInterfacePtr<IInterface>& Other) const {
    const auto other = Supports<IBaseStreamToken>(Other);
    return other && other->GetDataType() == FDataType && other->GetNumber() == FNumber &&
           other->GetText() == FText;
}

std::string TBaseStreamToken::ToString() const {
    if (FText.empty() && IsNumeric())
        return ShortestText(FNumber);
    return FText;
}

// ---- TBaseStreamTokenList ----

HRESULT TBaseStreamTokenList::QueryInterface(const TGUID& InterfaceID, void** Obj) {
    return QueryInterfaces<IBaseStreamTokenList, ICloneable, IInterface>(this, InterfaceID, Obj);
}

void TBaseStreamTokenList::CheckIndex(int Index, int Limit) const {
    if (Index < 0 || Index >= Limit)
        throw EListError(SListIndexError, Index);
}

int TBaseStreamTokenList::Add(const TInterfacePtr<IBaseStreamToken>& Token) {
    FItems.push_back(Token);
    return GetCount() - 1;
}

void TBaseStreamTokenList::Append(const TInterfacePtr<IBaseStreamTokenList>& List) {
    if (!List)
        return;
    // Counted first, so that appending a list to itself doubles it once.
    const int count = List->GetCount();
    FItems.reserve(FItems.size() + static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        FItems.push_back(List->GetBaseStreamToken(i));
}

void TBaseStreamTokenList::Insert(int Index, const TInterfacePtr<IBaseStreamToken>& Token) {
    CheckIndex(Index, GetCount() + 1);
    FItems.insert(FItems.begin() + Index, Token);
}

TInterfacePtr<IBaseStreamToken> TBaseStreamTokenList::GetBaseStreamToken(int Index) const {
    CheckIndex(Index, GetCount());
    return FItems[static_cast<std::size_t>(Index)];
}

void TBaseStreamTokenList::PutBaseStreamToken(int Index,
                                              const TInterfacePtr<IBaseStreamToken>& Token) {
    CheckIndex(Index, GetCount());
    FItems[static_cast<std::size_t>(Index)] = Token;
}

void TBaseStreamTokenList::Delete(int Index) {
    CheckIndex(Index, GetCount());
    // Moved out first, so that a token freed here cannot see the list half changed.
    TInterfacePtr<IBaseStreamToken> removed = std::move(FItems[static_cast<std::size_t>(Index)]);
    FItems.erase(FItems.begin() + Index);
}

int TBaseStreamTokenList::IndexOf(const TInterfacePtr<IBaseStreamToken>& Token) const {
    for (std::size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i] == Token)
            return static_cast<int>(i);
    return -1;
}

int TBaseStreamTokenList::Remove(const TInterfacePtr<IBaseStreamToken>& Token) {
    const int index = IndexOf(Token);
    if (index >= 0)
        Delete(index);
    return index;
}

TInterfacePtr<IBaseStreamToken> TBaseStreamTokenList::FirstBaseStreamToken() const {
    return GetBaseStreamToken(0);
}

TInterfacePtr<IBaseStreamToken> TBaseStreamTokenList::LastBaseStreamToken() const {
    return GetBaseStreamToken(GetCount() - 1);
}

bool TBaseStreamTokenList::Equals(const TInterfacePtr<IBaseStreamTokenList>& List) const {
    if (!List || List->GetCount() != GetCount())
        return false;
    for (int i = 0; i < GetCount(); ++i) {
        const TInterfacePtr<IBaseStreamToken>& mine = FItems[static_cast<std::size_t>(i)];
        if (!mine || !mine->Equals(List->GetBaseStreamToken(i)))
            return false;
    }
    return true;
}

bool TBaseStreamTokenList::Equals(const TInterfacePtr<IInterface>& Other) const {
    return Equals(Supports<IBaseStreamTokenList>(Other));
}

std::string TBaseStreamTokenList::ToString() const {
    std::string text = "(";
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        if (i > 0)
            text += ' ';
        if (FItems[i])
            text += FItems[i]->ToString();
    }
    text += ')';
    return text;
}

void TBaseStreamTokenList::Assign(const TInterfacePtr<IInterface>& Source) {
    const auto source = Supports<IBaseStreamTokenList>(Source);
    if (!source)
        RaiseNotAssignable(Source ? "interface" : "nil", ClassName());
    if (source.Get() == this)
        return;
    std::vector<TInterfacePtr<IBaseStreamToken>> items;
    items.reserve(static_cast<std::size_t>(source->GetCount()));
    for (int i = 0; i < source->GetCount(); ++i)
        items.push_back(source->GetBaseStreamToken(i));
    FItems = std::move(items);
    SetTag(source->GetTag());
}

TInterfacePtr<TBaseStreamTokenList> TBaseStreamTokenList::NewInstance() const {
    return MakeInterfaced<TBaseStreamTokenList>();
}

TInterfacePtr<IInterface> TBaseStreamTokenList::Clone() const {
    TInterfacePtr<TBaseStreamTokenList> copy = NewInstance();
    copy->FItems = FItems;
    copy->SetTag(GetTag());
    return copy;
}

} // namespace fuzzy
