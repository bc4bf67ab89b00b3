#pragma once
// Reference-counted interfaces as the host framework provides them.
//
// An interface is an abstract class that derives virtually from IInterface and carries its
// identifier as `static constexpr TGUID IID`. An object implements interfaces by deriving
// from TInterfacedObject and from them; its QueryInterface answers the identifiers it
// lists. Callers hold interfaces through TInterfacePtr (copy adds a reference, destruction
// releases, nullptr is the empty reference) and ask for another interface with Supports.
// Nobody calls _AddRef or _Release outside TInterfacePtr.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/Object.hpp"

namespace fuzzy {

/// A 128-bit interface identifier.
struct TGUID {
    std::uint32_t D1 = 0;
    std::uint16_t D2 = 0;
    std::uint16_t D3 = 0;
    std::array<std::uint8_t, 8> D4{};

    friend constexpr bool operator==(const TGUID&, const TGUID&) = default;

    /// Reads the registry form "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" at compile time; a
    /// malformed text does not compile.
    static consteval TGUID Parse(const char* Text);
    /// The registry form, upper-case hexadecimal.
    std::string ToString() const;

private:
    static consteval std::uint8_t HexDigit(char C);
    static consteval std::uint64_t HexField(const char* Text, int First, int Count);
};

consteval std::uint8_t TGUID::HexDigit(char C) {
    if (C >= '0' && C <= '9')
        return static_cast<std::uint8_t>(C - '0');
    if (C >= 'A' && C <= 'F')
        return static_cast<std::uint8_t>(C - 'A' + 10);
    if (C >= 'a' && C <= 'f')
        return static_cast<std::uint8_t>(C - 'a' + 10);
    throw "interface identifier holds a character that is not hexadecimal";
}

consteval std::uint64_t TGUID::HexField(const char* Text, int First, int Count) {
    std::uint64_t value = 0;
    for (int i = First; i < First + Count; ++i)
        value = value * 16 + HexDigit(Text[i]);
    return value;
}

consteval TGUID TGUID::Parse(const char* Text) {
    if (Text[0] != '{' || Text[9] != '-' || Text[14] != '-' || Text[19] != '-' || Text[24] != '-' ||
        Text[37] != '}' || Text[38] != '\0')
        throw "interface identifier is not of the form {XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    TGUID guid;
    guid.D1 = static_cast<std::uint32_t>(HexField(Text, 1, 8));
    guid.D2 = static_cast<std::uint16_t>(HexField(Text, 10, 4));
    guid.D3 = static_cast<std::uint16_t>(HexField(Text, 15, 4));
    guid.D4[0] = static_cast<std::uint8_t>(HexField(Text, 20, 2));
    guid.D4[1] = static_cast<std::uint8_t>(HexField(Text, 22, 2));
    for (int i = 0; i < 6; ++i)
        guid.D4[2 + i] = static_cast<std::uint8_t>(HexField(Text, 25 + 2 * i, 2));
    return guid;
}

/// Result codes of QueryInterface.
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0;
inline constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

/// The root interface: the type query and the two operations of reference counting.
class IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{00000000-0000-0000-C000-000000000046}");

    /// Stores the object's interface IID in Obj and adds a reference (S_OK), or clears Obj
    /// and answers E_NOINTERFACE.
    virtual HRESULT QueryInterface(const TGUID& IID, void** Obj) = 0;
    virtual int _AddRef() = 0;
    /// Drops a reference; the object frees itself when the last one goes.
    virtual int _Release() = 0;

protected:
    // Objects are freed by their last release, never through an interface.
    ~IInterface() = default;
};

/// The smart interface reference.
template <class I>
class TInterfacePtr {
public:
    TInterfacePtr() noexcept = default;
    TInterfacePtr(std::nullptr_t) noexcept {}
    /// Takes a new reference to Intf.
    TInterfacePtr(I* Intf) noexcept : FIntf(Intf) { AddRef(); }
    TInterfacePtr(const TInterfacePtr& Other) noexcept : FIntf(Other.FIntf) { AddRef(); }
    TInterfacePtr(TInterfacePtr&& Other) noexcept : FIntf(std::exchange(Other.FIntf, nullptr)) {}
    /// Widens a reference to a derived interface.
    template <class J>
    requires(!std::is_same_v<I, J> && std::is_convertible_v<J*, I*>)
        TInterfacePtr(const TInterfacePtr<J>& Other)
    noexcept : FIntf(Other.Get()) { AddRef(); }
    /// Widens a reference to a derived interface, taking Other's reference over.
    template <class J>
    requires(!std::is_same_v<I, J> && std::is_convertible_v<J*, I*>)
        TInterfacePtr(TInterfacePtr<J>&& Other)
    noexcept : FIntf(std::exchange(Other.FIntf, nullptr)) {}
    ~TInterfacePtr() { Release(); }

    TInterfacePtr& operator=(TInterfacePtr Other) noexcept {
        std::swap(FIntf, Other.FIntf);
        return *this;
    }

    [[nodiscard]] I* Get() const noexcept { return FIntf; }
    I* operator->() const noexcept { return FIntf; }
    I& operator*() const noexcept { return *FIntf; }
    explicit operator bool() const noexcept { return FIntf != nullptr; }
    void Reset() noexcept { TInterfacePtr().Swap(*this); }
    void Swap(TInterfacePtr& Other) noexcept { std::swap(FIntf, Other.FIntf); }

    /// Adopts an interface pointer that already carries a reference (QueryInterface's out).
    [[nodiscard]] static TInterfacePtr Attach(I* Intf) noexcept {
        TInterfacePtr result;
        result.FIntf = Intf;
        return result;
    }

    template <class J>
    friend bool operator==(const TInterfacePtr& A, const TInterfacePtr<J>& B) noexcept {
        return A.Get() == B.Get();
    }
    friend bool operator==(const TInterfacePtr& A, std::nullptr_t) noexcept {
        return A.FIntf == nullptr;
    }

private:
    template <class>
    friend class TInterfacePtr;

    void AddRef() noexcept {
        if (FIntf != nullptr)
            FIntf->_AddRef();
    }
    void Release() noexcept {
        if (I* intf = std::exchange(FIntf, nullptr))
            intf->_Release();
    }

    I* FIntf = nullptr;
};

/// The interface I of the object behind Source, or an empty reference when the object
/// does not implement it (or Source is empty).
template <class I, class J>
[[nodiscard]] TInterfacePtr<I> Supports(const TInterfacePtr<J>& Source) {
    if (!Source)
        return nullptr;
    void* obj = nullptr;
    if (Source->QueryInterface(I::IID, &obj) != S_OK)
        return nullptr;
    return TInterfacePtr<I>::Attach(static_cast<I*>(obj));
}

/// Supports with an out reference: true when the object implements I.
template <class I, class J>
bool Supports(const TInterfacePtr<J>& Source, TInterfacePtr<I>& Intf) {
    Intf = Supports<I>(Source);
    return static_cast<bool>(Intf);
}

/// The interface I of an object that answers the type query without being counted itself
/// (a component handing out a counted face of its own), or an empty reference when it does
/// not implement I (or Object is nullptr).
template <class I, class T>
requires requires(T& Object, void** Obj) {
    Object.QueryInterface(I::IID, Obj);
}
[[nodiscard]] TInterfacePtr<I> Supports(T* Object) {
    if (Object == nullptr)
        return nullptr;
    void* obj = nullptr;
    if (Object->QueryInterface(I::IID, &obj) != S_OK)
        return nullptr;
    return TInterfacePtr<I>::Attach(static_cast<I*>(obj));
}

/// Base of the reference-counted objects: a new object has no reference and frees itself
/// when its last reference is released. The count changes atomically.
class TInterfacedObject : public TObject, public virtual IInterface {
public:
    std::string ClassName() const override { return "TInterfacedObject"; }

    HRESULT QueryInterface(const TGUID& InterfaceID, void** Obj) override {
        return QueryInterfaces<IInterface>(this, InterfaceID, Obj);
    }
    int _AddRef() override { return FRefCount.fetch_add(1, std::memory_order_relaxed) + 1; }
    int _Release() override {
        const int count = FRefCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
        if (count == 0)
            delete this;
        return count;
    }
    int GetRefCount() const { return FRefCount.load(std::memory_order_relaxed); }

protected:
    TInterfacedObject() = default;

    /// Answers the type query for the interfaces listed (each with its ancestors listed
    /// too, as a class declares them): a derived class's QueryInterface calls it with its
    /// own list and falls back to its base's.
    template <class... Interfaces, class Self>
    static HRESULT QueryInterfaces(Self* Object, const TGUID& IID, void** Obj) {
        const bool found =
            ((IID == Interfaces::IID
                  ? (*Obj = static_cast<void*>(static_cast<Interfaces*>(Object)), true)
                  : false) ||
             ...);
        if (!found) {
            *Obj = nullptr;
            return E_NOINTERFACE;
        }
        Object->_AddRef();
        return S_OK;
    }

private:
    std::atomic<int> FRefCount{0};
};

/// Makes a new reference-counted object and hands out its first reference.
template <class T, class... Args>
[[nodiscard]] TInterfacePtr<T> MakeInterfaced(Args&&... args) {
    return TInterfacePtr<T>(new T(std::forward<Args>(args)...));
}

} // namespace fuzzy
