#pragma once
// The host framework's string list: a list of texts, each with an optional object
// pointer, that can keep itself sorted, read and write itself as lines of text and treat
// "name=value" entries as a small dictionary.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/Object.hpp"
#include "platform/UpdateGuard.hpp"

namespace fuzzy {

/// Handler of a plain event; Sender is the object that raises it.
using TNotifyEvent = std::function<void(TObject* Sender)>;

/// Message of Insert and Put on a sorted list.
inline constexpr const char* SSortedListError = "Operation not allowed on sorted list";

/// A list of strings with attached object pointers, which it does not own.
///
/// Comparisons (IndexOf, IndexOfName, Values, sorting) ignore the case of ASCII letters
/// unless CaseSensitive is set; other bytes compare by their unsigned value, so the
/// result never depends on the C locale. A sorted list keeps its entries in that order;
/// equal entries are accepted and stay in the order they were added.
///
/// OnChange runs after every change when no update bracket is open; inside brackets it
/// runs once, when the outermost bracket closes, and only if something changed.
/// Indexes outside the list raise EListError ("List index out of bounds (%d)").
class TStringList : public TPersistent {
public:
    TStringList() = default;
    std::string ClassName() const override { return "TStringList"; }

    bool GetCaseSensitive() const { return FCaseSensitive; }
    /// Changes how entries compare; a sorted list sorts itself again.
    void SetCaseSensitive(bool Value);
    bool GetSorted() const { return FSorted; }
    /// Setting Sorted sorts the list.
    void SetSorted(bool Value);

    /// Adds S at the end, or at its place in a sorted list; returns its index.
    int Add(const std::string& S);
    /// As Add, with an object attached to the entry.
    int AddObject(const std::string& S, TObject* AObject);
    void Append(const std::string& S) { Add(S); }
    /// Inserts S before Index (0..Count). EListError on a sorted list or outside the range.
    void Insert(int Index, const std::string& S);
    void Delete(int Index);
    void Clear();

    int GetCount() const { return static_cast<int>(FItems.size()); }
    const std::string& Get(int Index) const;
    /// Replaces the text at Index. EListError on a sorted list.
    void Put(int Index, const std::string& S);
    const std::string& operator[](int Index) const { return Get(Index); }
    TObject* GetObject(int Index) const;

    /// Index of the first entry equal to S, or -1.
    int IndexOf(const std::string& S) const;
    /// Index of the first entry "Name=...", or -1. Entries without "=" have no name.
    int IndexOfName(const std::string& Name) const;
    /// The part before the first "=" of the entry at Index; empty when it has no "=".
    std::string GetName(int Index) const;
    /// The text after the first "=" of the entry named Name; empty when there is none.
    std::string GetValue(const std::string& Name) const;
    /// Sets the entry named Name to "Name=Value", adding it when missing (in a sorted
    /// list the entry is added again at its place). An empty Value deletes the entry.
    void SetValue(const std::string& Name, const std::string& Value);

    /// All entries, each followed by "\n" (the last one too); empty for an empty list.
    std::string GetText() const;
    /// Replaces the entries with the lines of Text, split at CR, LF or CR LF. A line break
    /// at the very end adds no empty entry. Runs OnChange at most once.
    void SetText(const std::string& Text);

    void BeginUpdate() { ++FUpdateCount; }
    /// Closes an update bracket; the outermost one runs OnChange if something changed.
    /// Without an open bracket nothing happens.
    void EndUpdate();

    const TNotifyEvent& GetOnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    /// Copies the strings and objects of another TStringList; this list keeps its own
    /// Sorted and CaseSensitive settings. Other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

private:
    struct TStringItem {
        std::string FString;
        TObject* FObject = nullptr;
    };

    int CompareStrings(const std::string& A, const std::string& B) const;
    void Sort();
    void InsertItem(int Index, const std::string& S, TObject* AObject);
    void CheckIndex(int Index) const;
    void CheckUnsorted() const;
    void Changed();

    std::vector<TStringItem> FItems;
    bool FCaseSensitive = false;
    bool FSorted = false;
    int FUpdateCount = 0;
    bool FChangedInUpdate = false;
    TNotifyEvent FOnChange;
};

} // namespace fuzzy
