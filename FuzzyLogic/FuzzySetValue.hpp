#pragma once
// One point (X, Y) of a membership function.

#include <cstddef>
#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzySet;
class TFuzzySetValues;

/// A point of a fuzzy set's point list (TFuzzySetValues), which owns it.
///
/// Setting X or Y tells the list (UpdateValue), which keeps the points ordered and clean,
/// and then reports the change to the list's Update hook. Inside a point list with an
/// owning set, X is clamped into the set's X range and Y is never negative.
/// When a change makes the point equal to a neighbour, or overfills its vertical line, the
/// list removes a neighbour rather than the point being set, so a setter never destroys
/// the object it is called on. No class derives from a point (its constructor is private);
/// saying so lets the list's bulk paths call its members directly.
class TFuzzySetValue final : public TCollectionItem {
public:
    /// Creates a point in Collection (or none). A point joining a list that already holds
    /// points starts one to the right of the last one, at Y = 0.
    static TFuzzySetValue* Create(TCollection* Collection);
    /// The item class of point lists.
    static TCollectionItem* CreateItem(TCollection* Collection) { return Create(Collection); }

    ~TFuzzySetValue() override;
    std::string ClassName() const override { return "TFuzzySetValue"; }

    /// Points are made by the thousand and mostly go with their set: their memory comes
    /// in chunks (TBlockArena) rather than one heap block each.
    static void* operator new(std::size_t Size);
    static void operator delete(void* Block, std::size_t Size) noexcept;

    /// Copies X and Y of another point (through SetValue); other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

    TFzyFloat GetX() const { return FX; }
    TFzyFloat GetY() const { return FY; }
    /// Nothing when Value, clamped into the set's range, equals X exactly. Raises
    /// EArgumentOutOfRangeException for NaN.
    virtual void SetX(TFzyFloat Value);
    /// Nothing when Value equals Y exactly; a negative value is stored as 0. Raises
    /// EArgumentOutOfRangeException for NaN.
    virtual void SetY(TFzyFloat Value);
    /// Sets both coordinates without an equality test. A point outside a set's list keeps
    /// them as given, even a negative Y. Raises EArgumentOutOfRangeException for NaN.
    void SetValue(TFzyFloat X, TFzyFloat Y);
    /// True when X and Y both equal the other point's within the tolerance.
    virtual bool Equals(const TFuzzySetValue* Source) const;

    /// The owning point list, or nullptr.
    const TFuzzySetValues* GetFuzzySetValues() const { return FList; }
    TFuzzySetValues* GetFuzzySetValues() { return FList; }
    const TFuzzySetValues* GetCollection() const { return FList; }
    TFuzzySetValues* GetCollection() { return FList; }

private:
    TFuzzySetValue() = default;
    /// The X a point joining Collection starts at: one to the right of the last point.
    static TFzyFloat StartX(const TCollection* Collection);
    /// The X a point joining after a last point at LastX starts at.
    static TFzyFloat StartXAfter(TFzyFloat LastX);
    const TFuzzySet* GetFuzzySet() const;
    bool IsInSet() const;
    /// X clamped into the owning set's range; X itself for a point in no set's list.
    TFzyFloat ClampedIntoSet(TFzyFloat X);
    void ValueChanged(TXYUpdateTypes UpdateTypes);

    friend class TFuzzySetValues;

    TFzyFloat FX = 0;
    TFzyFloat FY = 0;
    /// The point list this point belongs to, kept by the list as points join and leave.
    TFuzzySetValues* FList = nullptr;
};

} // namespace fuzzy
