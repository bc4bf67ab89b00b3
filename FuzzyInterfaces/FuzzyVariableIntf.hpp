#pragma once
// The contract of a reference-counted linguistic variable.

#include <span>
#include <string>

#include "FuzzyConsts/FuzzyTypes.hpp"
#include "FuzzyInterfaces/FuzzyEventsIntf.hpp"
#include "FuzzyInterfaces/FuzzySetIntf.hpp"
#include "platform/Cloneable.hpp"
#include "platform/Interface.hpp"
#include "platform/StringList.hpp"

namespace fuzzy {

class IFuzzyParser;

/// A linguistic variable such as 'temperature' in the reference-counted object model: a
/// named axis [Minimum, Maximum] with its terms, kept in a table keyed by set name
/// (case-sensitive), and the rules that build result sets from input sets. Implemented
/// by TIFuzzyVariable; TIFuzzyLogic keeps the variables of one rule base.
///
/// The variable holds a counted reference to each stored set and each set one back to
/// it. The variable breaks that cycle itself: when only its own sets still refer to it,
/// releasing the last outside reference clears its table and frees it.
///
/// Notifications: OnFuzzySetAdded and OnFuzzySetDeleted as sets enter and leave the
/// table, OnFuzzySetChange when a set's points change, OnChange (this variable's object
/// as sender) and then OnVariableChange when the variable or its table changes.
class IFuzzyVariable : public virtual ICloneable {
public:
    static constexpr TGUID IID = TGUID::Parse("{F749FF55-FFF4-4F92-9B6F-14568D174661}");

    virtual TDefuzzificationMethod GetDefuzzificationMethod() const = 0;
    virtual TFzyFloat GetMaximum() const = 0;
    virtual TFzyFloat GetMinimum() const = 0;
    virtual std::string GetName() const = 0;
    /// The text form: the parser's writing of the variable with its defined terms when
    /// the variable has a parser, else its name.
    virtual std::string ToString() const = 0;
    virtual std::string GetUnits() const = 0;
    /// How many points the generated shapes of new terms get.
    virtual int GetNumFunctionValues() const = 0;
    virtual TNotifyEvent GetOnChange() const = 0;
    virtual TIFuzzyVariableEvent GetOnVariableChange() const = 0;
    virtual TIFuzzySetEvent GetOnFuzzySetChange() const = 0;
    virtual TInterfacePtr<IFuzzyParser> GetParser() const = 0;
    /// The minimum rule strength below which AssertRule gives no result.
    virtual TFzyFloat GetThreshold() const = 0;
    virtual std::string GetComment() const = 0;
    virtual TIFuzzySetEvent GetOnFuzzySetAdded() const = 0;
    virtual TIFuzzySetEvent GetOnFuzzySetDeleted() const = 0;

    virtual void SetOnFuzzySetAdded(const TIFuzzySetEvent& Value) = 0;
    virtual void SetOnFuzzySetDeleted(const TIFuzzySetEvent& Value) = 0;
    virtual void SetComment(const std::string& Value) = 0;
    /// Also gives every stored set this parser.
    virtual void SetParser(const TInterfacePtr<IFuzzyParser>& Value) = 0;
    virtual void SetDefuzzificationMethod(TDefuzzificationMethod Value) = 0;
    /// A bound pushed past the other moves the other to the same value.
    virtual void SetMaximum(TFzyFloat Value) = 0;
    virtual void SetMinimum(TFzyFloat Value) = 0;
    /// Does not re-key the stored sets, which are keyed by their own names.
    virtual void SetName(const std::string& Value) = 0;
    virtual void SetUnits(const std::string& Value) = 0;
    virtual void SetNumFunctionValues(int Value) = 0;
    virtual void SetOnChange(const TNotifyEvent& Value) = 0;
    virtual void SetOnVariableChange(const TIFuzzyVariableEvent& Value) = 0;
    virtual void SetOnFuzzySetChange(const TIFuzzySetEvent& Value) = 0;
    /// Stores Value clamped into [0, 1].
    virtual void SetThreshold(TFzyFloat Value) = 0;

    /// The smallest correlation strength of Antecedents[i] with Inputs[i] (1 when there
    /// are no antecedents). Inputs must hold at least as many sets as Antecedents.
    [[nodiscard]] virtual TFzyFloat
    GetCorrelationStrength(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
                           std::span<const TInterfacePtr<IFuzzySet>> Inputs) const = 0;
    /// AssertRule with the rule strength of the antecedents against the inputs.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    AssertRule(std::span<const TInterfacePtr<IFuzzySet>> Antecedents,
               std::span<const TInterfacePtr<IFuzzySet>> Inputs,
               const TInterfacePtr<IFuzzySet>& Consequent,
               const TInterfacePtr<IFuzzySet>& Accumulated) const = 0;
    /// An empty reference when Value is below the threshold; else a copy of Consequent
    /// correlated with Value, united (min-max) with Accumulated when that is not empty.
    /// Neither set is changed; the result is a new set.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    AssertRule(TFzyFloat Value, const TInterfacePtr<IFuzzySet>& Consequent,
               const TInterfacePtr<IFuzzySet>& Accumulated) const = 0;
    /// AssertRule with the strength of Antecedent against Input.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    AssertRule(const TInterfacePtr<IFuzzySet>& Antecedent,
               const TInterfacePtr<IFuzzySet>& Consequent, const TInterfacePtr<IFuzzySet>& Input,
               const TInterfacePtr<IFuzzySet>& Accumulated) const = 0;

    virtual int GetCount() const = 0;
    /// The stored set at Index in table order; EListError outside 0..Count-1.
    virtual TInterfacePtr<IFuzzySet> GetFuzzySet(int Index) const = 0;
    /// The set stored under Name; raises the table's not-found error when there is none
    /// (ContainsFuzzySet answers an empty reference instead).
    virtual TInterfacePtr<IFuzzySet> GetFuzzySetByName(const std::string& Name) const = 0;

    /// Links FuzzySet to this variable; a defined set is stored under its name, replacing
    /// the set stored there.
    virtual void Add(const TInterfacePtr<IFuzzySet>& FuzzySet) = 0;
    /// A new set named Name, linked to this variable and stored as a defined term (the
    /// reserved name "__Empty" gives a set that is linked but not stored).
    virtual TInterfacePtr<IFuzzySet> Add(const std::string& Name) = 0;
    /// Replaces the stored sets by copies of Source's sets made for this variable.
    virtual void AssignFuzzySets(const TInterfacePtr<IFuzzyVariable>& Source) = 0;
    /// Brackets the table's own notifications; the variable's callbacks still fire.
    virtual void BeginUpdate() = 0;
    /// Releases every stored set and restarts the set numbering at 0.
    virtual void Clear() = 0;
    /// The set stored under Name, or an empty reference.
    [[nodiscard]] virtual TInterfacePtr<IFuzzySet>
    ContainsFuzzySet(const std::string& Name) const = 0;
    /// Removes FuzzySet when the table holds this very set under its name.
    virtual void Remove(const TInterfacePtr<IFuzzySet>& FuzzySet) = 0;
    virtual void EndUpdate() = 0;
    /// Called by a set whose points changed: fires OnFuzzySetChange only.
    virtual void FuzzySetChanged(const TInterfacePtr<IFuzzySet>& FuzzySet) = 0;

protected:
    ~IFuzzyVariable() = default;
};

} // namespace fuzzy
