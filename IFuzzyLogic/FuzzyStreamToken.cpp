#include "IFuzzyLogic/FuzzyStreamToken.hpp"

#include "FuzzyInterfaces/FuzzySetIntf.hpp"
#include "FuzzyLogic/FuzzySet.hpp"
#include "platform/detail/BlockArena.hpp"

namespace fuzzy {

// ---- TFuzzyStreamToken ----

namespace {

using TTokenBlocks = TBlockArena<sizeof(TFuzzyStreamToken)>;

} // namespace

void* TFuzzyStreamToken::operator new(std::size_t Size) {
    return TTokenBlocks::Allocate(Size);
}

void TFuzzyStreamToken::operator delete(void* Block, std::size_t Size) noexcept {
    TTokenBlocks::Free(Block, Size);
}

HRESULT TFuzzyStreamToken::QueryInterface(const TGUID& InterfaceID, void** Obj) {
    return QueryInterfaces<IFuzzyStreamToken, IBaseStreamToken, ICloneable, IInterface>(
        this, InterfaceID, Obj);
}

void TFuzzyStreamToken::Renew(int DataType, int LineNumber, double Number, std::string_view Text,
                              std::string_view Whitespace) {
    FIntfValue.Reset();
    FObjValue = nullptr;
    SetReadFields(DataType, LineNumber, Number, Text, Whitespace);
}

void TFuzzyStreamToken::StoreIntf(const TInterfacePtr<IInterface>& Value,
                                  TFuzzyStreamTokenType Type) {
    FIntfValue = Value;
    SetDataType(static_cast<int>(Value ? Type : TFuzzyStreamTokenType::fstNone));
}

void TFuzzyStreamToken::StoreObj(TObject* Value, TFuzzyStreamTokenType Type) {
    FObjValue = Value;
    SetDataType(static_cast<int>(Value != nullptr ? Type : TFuzzyStreamTokenType::fstNone));
}

void TFuzzyStreamToken::SetIntfValue(const TInterfacePtr<IInterface>& Value) {
    StoreIntf(Value, TFuzzyStreamTokenType::fstInterface);
}

void TFuzzyStreamToken::SetList(const TInterfacePtr<IFuzzyStreamTokenList>& Value) {
    StoreIntf(Value, TFuzzyStreamTokenType::fstList);
}

void TFuzzyStreamToken::SetFuzzySetIntf(const TInterfacePtr<IFuzzySet>& Value) {
    StoreIntf(Value, TFuzzyStreamTokenType::fstIFuzzySet);
}

void TFuzzyStreamToken::SetObjValue(TObject* Value) {
    StoreObj(Value, TFuzzyStreamTokenType::fstObject);
}

void TFuzzyStreamToken::SetFuzzySet(TFuzzySet* Value) {
    StoreObj(Value, TFuzzyStreamTokenType::fstFuzzySet);
}

TInterfacePtr<IFuzzyStreamTokenList> TFuzzyStreamToken::GetList() const {
    return Supports<IFuzzyStreamTokenList>(FIntfValue);
}

TInterfacePtr<IFuzzySet> TFuzzyStreamToken::GetFuzzySetIntf() const {
    return Supports<IFuzzySet>(FIntfValue);
}

TFuzzySet* TFuzzyStreamToken::GetFuzzySet() const {
    return dynamic_cast<TFuzzySet*>(FObjValue);
}

bool TFuzzyStreamToken::IsNumeric() const {
    return IsType(TFuzzyStreamTokenType::fstInteger) || IsType(TFuzzyStreamTokenType::fstFloat);
}

std::string TFuzzyStreamToken::ToString() const {
    switch (static_cast<TFuzzyStreamTokenType>(GetDataType())) {
    case TFuzzyStreamTokenType::fstInterface:
        return "<interface>";
    case TFuzzyStreamTokenType::fstList: {
        const auto list = GetList();
        return list ? list->ToString() : std::string();
    }
    case TFuzzyStreamTokenType::fstIFuzzySet: {
        const auto set = GetFuzzySetIntf();
        return set ? set->ToString() : std::string();
    }
    case TFuzzyStreamTokenType::fstObject:
        return "<object>";
    case TFuzzyStreamTokenType::fstFuzzySet: {
        const TFuzzySet* set = GetFuzzySet();
        return set != nullptr ? set->GetExpression() : std::string();
    }
    default:
        return TBaseStreamToken::ToString();
    }
}

TInterfacePtr<TBaseStreamToken> TFuzzyStreamToken::NewInstance() const {
    return MakeInterfaced<TFuzzyStreamToken>();
}

void TFuzzyStreamToken::AssignFrom(const IBaseStreamToken& Source) {
    // The values first: their setters change the kind, which the base then copies.
    if (const auto* source = dynamic_cast<const IFuzzyStreamToken*>(&Source)) {
        FIntfValue = source->GetIntfValue();
        FObjValue = source->GetObjValue();
    }
    TBaseStreamToken::AssignFrom(Source);
}

// ---- TFuzzyStreamTokenList ----

HRESULT TFuzzyStreamTokenList::QueryInterface(const TGUID& InterfaceID, void** Obj) {
    return QueryInterfaces<IFuzzyStreamTokenList, IBaseStreamTokenList, ICloneable, IInterface>(
        this, InterfaceID, Obj);
}

int TFuzzyStreamTokenList::Add(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    // Widened in place: the reader adds every token of an expression here.
    FItems.emplace_back(Token);
    return GetCount() - 1;
}

void TFuzzyStreamTokenList::Append(const TInterfacePtr<IFuzzyStreamTokenList>& List) {
    TBaseStreamTokenList::Append(TInterfacePtr<IBaseStreamTokenList>(List));
}

bool TFuzzyStreamTokenList::Equals(const TInterfacePtr<IFuzzyStreamTokenList>& List) const {
    return TBaseStreamTokenList::Equals(TInterfacePtr<IBaseStreamTokenList>(List));
}

TInterfacePtr<IFuzzyStreamToken> TFuzzyStreamTokenList::Get(int Index) const {
    CheckIndex(Index, GetCount());
    return Supports<IFuzzyStreamToken>(FItems[static_cast<std::size_t>(Index)]);
}

void TFuzzyStreamTokenList::Put(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) {
    PutBaseStreamToken(Index, TInterfacePtr<IBaseStreamToken>(Token));
}

void TFuzzyStreamTokenList::Insert(int Index, const TInterfacePtr<IFuzzyStreamToken>& Token) {
    TBaseStreamTokenList::Insert(Index, TInterfacePtr<IBaseStreamToken>(Token));
}

int TFuzzyStreamTokenList::IndexOf(const TInterfacePtr<IFuzzyStreamToken>& Token) const {
    return TBaseStreamTokenList::IndexOf(TInterfacePtr<IBaseStreamToken>(Token));
}

int TFuzzyStreamTokenList::Remove(const TInterfacePtr<IFuzzyStreamToken>& Token) {
    return TBaseStreamTokenList::Remove(TInterfacePtr<IBaseStreamToken>(Token));
}

TInterfacePtr<TBaseStreamTokenList> TFuzzyStreamTokenList::NewInstance() const {
    return MakeInterfaced<TFuzzyStreamTokenList>();
}

} // namespace fuzzy
