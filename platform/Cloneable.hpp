#pragma once
// The copying contract shared by reference-counted objects.

#include <cstdint>

#include "platform/Interface.hpp"

namespace fuzzy {

class TPersistent;

/// An object that copies itself from, and into, like objects and makes copies of itself.
class ICloneable : public virtual IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{2D42CCDB-D296-11D3-B9BB-00C04F8EDA5F}");

    /// Copies from the object behind Source.
    virtual void Assign(const TInterfacePtr<IInterface>& Source) = 0;
    /// Copies from a persistent object.
    virtual void Assign(const TPersistent* Source) = 0;
    /// Copies into a persistent object.
    virtual void AssignTo(TPersistent* Dest) const = 0;
    /// A new copy of the object, holding its first reference.
    [[nodiscard]] virtual TInterfacePtr<IInterface> Clone() const = 0;
    /// True when the object behind Other holds the same value.
    [[nodiscard]] virtual bool Equals(const TInterfacePtr<IInterface>& Other) const = 0;
    virtual std::int32_t GetTag() const = 0;
    virtual void SetTag(std::int32_t Value) = 0;

protected:
    ~ICloneable() = default;
};

} // namespace fuzzy
