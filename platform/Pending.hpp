#pragma once
// The RAII holder of an object that is still being made.

namespace fuzzy {

/// Holds an object while it is being made: `TPending set(terms.Add()); ...; return
/// set.Keep();`. An object that is never kept, because making it failed, is deleted when
/// the holder goes, and so leaves its collection: no failure leaves a half-made object.
template <class T>
class TPending {
public:
    explicit TPending(T* Object) : FObject(Object) {}
    ~TPending() { delete FObject; }
    TPending(const TPending&) = delete;
    TPending& operator=(const TPending&) = delete;

    T* Get() const { return FObject; }
    T* operator->() const { return FObject; }
    /// The finished object, handed on to its collection or caller.
    [[nodiscard]] T* Keep() {
        T* object = FObject;
        FObject = nullptr;
        return object;
    }

private:
    T* FObject;
};

} // namespace fuzzy
