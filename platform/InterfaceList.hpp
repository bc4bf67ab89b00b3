#pragma once
// The host's list of interface references: an ordered list that holds one reference to
// each of its items and drops it when the item leaves the list or the list goes.

#include <vector>

#include "platform/Interface.hpp"

namespace fuzzy {

/// An ordered list of interface references. Indices run from 0; an index outside the
/// list raises EListError ("List index out of bounds (%d)"). Empty references are valid
/// items.
///
/// Items compare by identity: two references are the same item when their IInterface
/// pointers are equal. IInterface is a virtual base of every interface and object, so each
/// object has exactly one IInterface part, and a reference widened from any of its
/// interfaces points there; no QueryInterface round trip is needed.
///
/// Nothing here is safe to share between threads beyond the reference counts.
class IInterfaceList : public virtual IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{3F1C7A52-8E4B-4D21-B6A9-5C0E2F7D1A93}");

    /// Appends Item (taking a reference) and returns its index.
    virtual int Add(const TInterfacePtr<IInterface>& Item) = 0;
    /// Inserts Item before Index (0..Count).
    virtual void Insert(int Index, const TInterfacePtr<IInterface>& Item) = 0;
    [[nodiscard]] virtual TInterfacePtr<IInterface> Get(int Index) const = 0;
    /// Replaces the item at Index; the old item's reference is released.
    virtual void Put(int Index, const TInterfacePtr<IInterface>& Item) = 0;
    /// Removes the item at Index and releases its reference.
    virtual void Delete(int Index) = 0;
    /// Removes the first occurrence of Item and returns its former index, or -1.
    virtual int Remove(const TInterfacePtr<IInterface>& Item) = 0;
    /// Swaps the items at Index1 and Index2.
    virtual void Exchange(int Index1, int Index2) = 0;
    /// Index of the first occurrence of Item, or -1.
    [[nodiscard]] virtual int IndexOf(const TInterfacePtr<IInterface>& Item) const = 0;
    /// The first item; on an empty list raises EListError for index 0.
    [[nodiscard]] virtual TInterfacePtr<IInterface> First() const = 0;
    /// The last item; on an empty list raises EListError for index -1.
    [[nodiscard]] virtual TInterfacePtr<IInterface> Last() const = 0;
    virtual int GetCount() const = 0;
    /// Removes every item and releases their references.
    virtual void Clear() = 0;

protected:
    ~IInterfaceList() = default;
};

/// The reference-counted list over a vector. Items are released only after the list is
/// consistent again, so an item whose destruction reads the list sees it without the item.
class TInterfaceList : public TInterfacedObject, public virtual IInterfaceList {
public:
    TInterfaceList() = default;
    std::string ClassName() const override { return "TInterfaceList"; }

    HRESULT QueryInterface(const TGUID& InterfaceID, void** Obj) override {
        return QueryInterfaces<IInterfaceList, IInterface>(this, InterfaceID, Obj);
    }

    int Add(const TInterfacePtr<IInterface>& Item) override;
    void Insert(int Index, const TInterfacePtr<IInterface>& Item) override;
    [[nodiscard]] TInterfacePtr<IInterface> Get(int Index) const override;
    void Put(int Index, const TInterfacePtr<IInterface>& Item) override;
    void Delete(int Index) override;
    int Remove(const TInterfacePtr<IInterface>& Item) override;
    void Exchange(int Index1, int Index2) override;
    [[nodiscard]] int IndexOf(const TInterfacePtr<IInterface>& Item) const override;
    [[nodiscard]] TInterfacePtr<IInterface> First() const override;
    [[nodiscard]] TInterfacePtr<IInterface> Last() const override;
    int GetCount() const override { return static_cast<int>(FItems.size()); }
    void Clear() override;

    /// Makes room for Capacity items without further allocation; never shrinks.
    void Reserve(int Capacity);

private:
    void CheckIndex(int Index) const;

    std::vector<TInterfacePtr<IInterface>> FItems;
};

} // namespace fuzzy
