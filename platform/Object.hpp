#pragma once
// Root classes of the host object framework.

#include <string>
#include <typeinfo>

namespace fuzzy {

/// dynamic_cast<T*>(Object), trying first whether Object is of exactly class T. Where the
/// object nearly always is, one comparison of class identities replaces the cast's walk of
/// the class tree; the answer is the cast's in every case, as both look at the class the
/// object has at that moment (which a constructor or destructor in progress decides).
template <class T, class Source>
T* DynamicCastExactFirst(Source* Object) {
    if (Object != nullptr && typeid(*Object) == typeid(T))
        return static_cast<T*>(Object);
    return dynamic_cast<T*>(Object);
}

/// Root of the object model. Objects are not copyable: copies go through Assign or Clone.
class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    /// The class's declared name, as a host shows it ("TFuzzySet").
    virtual std::string ClassName() const { return "TObject"; }
};

/// An object that can copy itself from a like object.
class TPersistent : public TObject {
public:
    std::string ClassName() const override { return "TPersistent"; }

    /// Copies from Source. The base asks Source to AssignTo this object; a class that
    /// knows Source overrides Assign and copies it itself.
    /// Raises EConvertError when neither side knows the other.
    virtual void Assign(const TPersistent* Source);

protected:
    /// The source of an Assign override as its own class T. Returns nullptr when there is
    /// nothing to copy: Source is this object, or of another class, which then goes to the
    /// inherited Assign (and so raises EConvertError unless Source knows this class).
    template <class T>
    const T* AssignSourceAs(const TPersistent* Source) {
        const auto* source = DynamicCastExactFirst<const T>(Source);
        if (source == nullptr) {
            TPersistent::Assign(Source);
            return nullptr;
        }
        return static_cast<const TPersistent*>(source) == this ? nullptr : source;
    }

    /// Fallback of Assign when the destination does not know the source: raises
    /// EConvertError unless a descendant knows how to copy itself into Dest.
    virtual void AssignTo(TPersistent* Dest) const;
};

} // namespace fuzzy
