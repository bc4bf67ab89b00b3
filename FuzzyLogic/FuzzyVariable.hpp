#pragma once
// A linguistic variable: a named axis owning its terms.

#include <memory>
#include <span>
#include <string>

#include "FuzzyLogic/FuzzySet.hpp"
#include "FuzzyLogic/FuzzySets.hpp"
#include "platform/Collection.hpp"

namespace fuzzy {

class TFuzzyLogic;
class TFuzzyVariables;

/// A named numeric axis from Minimum to Maximum with units, a comment and a firing
/// threshold, owning its terms (a TFuzzySets). It lives in the variable collection of a
/// logic component, or on its own (then the caller owns it and deletes it).
///
/// Changes flow upward: a term joining or leaving reaches the variable's Notify, a term's
/// change its Update, and both go on to the variable collection and so to the component's
/// events. A variable being destroyed first frees its terms (each reported as leaving),
/// then leaves its collection.
class TFuzzyVariable : public TGCollectionItem {
public:
    /// Creates a complete variable (range [0, 1], an empty term collection whose terms are
    /// made by SetClass) and only then joins Collection, if any.
    [[nodiscard]] static TFuzzyVariable* Create(TCollection* Collection,
                                                TFuzzySetClass SetClass = &TFuzzySet::Create);
    ~TFuzzyVariable() override;
    std::string ClassName() const override { return "TFuzzyVariable"; }

    /// Copies name, range, threshold, units, comment and current term index without any
    /// check or report, then replaces the terms by copies of the source's terms.
    void Assign(const TPersistent* Source) override;
    /// The name, or the class name when the variable has none.
    std::string GetDisplayName() const override;
    /// The parser's text of the variable when the component has a parser, else the class
    /// name.
    virtual std::string ToString() const;
    std::string GetAsString() const { return ToString(); }

    const std::string& GetName() const override { return FName; }
    void SetName(const std::string& Value);
    const std::string& GetUnits() const { return FUnits; }
    void SetUnits(const std::string& Value);
    const std::string& GetComment() const { return FComment; }
    void SetComment(const std::string& Value);
    TFzyFloat GetMinimum() const { return FMinimum; }
    /// Raises Maximum too when Value lies above it.
    void SetMinimum(TFzyFloat Value);
    TFzyFloat GetMaximum() const { return FMaximum; }
    /// Lowers Minimum too when Value lies below it.
    void SetMaximum(TFzyFloat Value);
    TFzyFloat GetThreshold() const { return FThreshold; }
    /// Stores Value clamped into [0, 1]; no change is reported.
    void SetThreshold(TFzyFloat Value);
    int GetItemIndex() const { return FItemIndex; }
    /// Selects the current term (-1 for none). EFzyException at or above the term count.
    void SetItemIndex(int Value);
    const TFuzzySets* GetItems() const { return FItems.get(); }
    TFuzzySets* GetItems() { return FItems.get(); }
    /// Replaces the terms by copies of Value's terms.
    void SetItems(const TFuzzySets* Value);
    const TFuzzyVariables* GetCollection() const;
    TFuzzyVariables* GetCollection();
    /// The logic component that owns the variable's collection, or nullptr.
    const TFuzzyLogic* GetFuzzy() const;
    TFuzzyLogic* GetFuzzy();

    /// The strength of a rule's premises against the facts: the smallest correlation
    /// strength of each premise with its fact (1 without premises). Raises
    /// EArgumentOutOfRangeException when there are fewer facts than premises.
    [[nodiscard]] TFzyFloat
    GetCorrelationStrength(std::span<const TFuzzySet* const> Premises,
                           std::span<const TFuzzySet* const> Matchings) const;
    /// Fires a rule of the given strength: nullptr when the strength is below Threshold;
    /// otherwise a copy of NewEvidence (made in its variable's terms) correlated with the
    /// strength, united with OldEvidence when there is one (a further new set; the copy is
    /// freed). OldEvidence is neither changed nor freed.
    [[nodiscard]] virtual TFuzzySet*
    AssertRule(TFzyFloat CorrelationStrength, const TFuzzySet* NewEvidence, TFuzzySet* OldEvidence);
    /// Fires a rule whose strength is Premise's correlation strength with Matching.
    [[nodiscard]] virtual TFuzzySet* AssertRule(const TFuzzySet* Premise,
                                                const TFuzzySet* NewEvidence,
                                                const TFuzzySet* Matching, TFuzzySet* OldEvidence);
    /// Fires a rule whose strength is GetCorrelationStrength(Premises, Matchings).
    [[nodiscard]] virtual TFuzzySet* AssertRule(std::span<const TFuzzySet* const> Premises,
                                                std::span<const TFuzzySet* const> Matchings,
                                                const TFuzzySet* NewEvidence,
                                                TFuzzySet* OldEvidence);

protected:
    TFuzzyVariable() = default;
    /// The creation step after construction: makes the terms and joins Collection.
    /// Descendants' Create functions call it on their new object.
    template <class T>
    static T* Initialize(std::unique_ptr<T> Variable, TCollection* Collection,
                         TFuzzySetClass SetClass);
    /// Factory of the term collection; descendants return their own class.
    virtual std::unique_ptr<TFuzzySets> CreateItems();
    /// Copies the term names into a string list, each line carrying its term.
    void AssignTo(TPersistent* Dest) const override;
    /// A term joined or left.
    virtual void Notify(TFuzzySet* FuzzySet, TCollectionNotification Action);
    /// A term changed (nullptr: the whole term collection).
    virtual void Update(TFuzzySet* FuzzySet);

    TFzyFloat FMaximum = 1.0;
    std::string FName;
    TFzyFloat FMinimum = 0;
    int FItemIndex = -1;
    std::string FUnits;
    std::unique_ptr<TFuzzySets> FItems;
    TFuzzySetClass FSetClass = &TFuzzySet::Create;
    std::string FComment;
    TFzyFloat FThreshold = 0;

private:
    friend class TFuzzySets;
    friend class TFuzzyVariables;
};

template <class T>
T* TFuzzyVariable::Initialize(std::unique_ptr<T> Variable, TCollection* Collection,
                              TFuzzySetClass SetClass) {
    Variable->FSetClass = SetClass;
    Variable->FItems = Variable->CreateItems();
    return Join(std::move(Variable), Collection);
}

} // namespace fuzzy
