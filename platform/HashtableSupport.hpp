#pragma once
// What the common library offers hash tables: the circular range test that removal from an
// open-addressing table needs, the table's own error, the messages of its list errors, and
// the iterator over a table's keys.

#include <string>

#include "platform/Exceptions.hpp"
#include "platform/Interface.hpp"

namespace fuzzy {

/// A hash table was asked to remove an entry while it holds none.
FUZZY_DECLARE_EXCEPTION(EGHashtableError, EKelException);

inline constexpr const char* STableEmpty = "Hash table is empty";
/// Messages of the list errors a keyed table raises.
inline constexpr const char* SGenericDuplicateItem = "Duplicates not allowed";
inline constexpr const char* SGenericItemNotFound = "Item not found";
/// Message of a capacity that is negative or below the number of entries.
inline constexpr const char* SArgumentOutOfRange = "Argument out of range";

/// True when Value lies on the circular walk from Low to High (both included): for
/// Low <= High the plain range, otherwise the range that wraps past the end.
[[nodiscard]] constexpr bool InCircularRange(int Low, int Value, int High) {
    return Low <= High ? Low <= Value && Value <= High : Value >= Low || Value <= High;
}

/// Walks the keys of a table: NextElement hands them out one by one, Reset starts again.
class IStringIterator : public virtual IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{5E0B7C41-2A9D-4F63-8D1E-7B3C9A0F4E25}");

    [[nodiscard]] virtual bool HasMoreElements() const = 0;
    /// The next key; EListError when every key was handed out.
    virtual std::string NextElement() = 0;
    virtual void Reset() = 0;
    /// The key NextElement returned last (empty before the first).
    [[nodiscard]] virtual std::string CurrentElement() const = 0;
    [[nodiscard]] virtual int GetCount() const = 0;

protected:
    ~IStringIterator() = default;
};

} // namespace fuzzy
