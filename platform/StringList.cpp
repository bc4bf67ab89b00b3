#include "platform/StringList.hpp"

#include <algorithm>
#include <exception>

#include "platform/Exceptions.hpp"

namespace fuzzy {

namespace {

unsigned char FoldCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'a' && byte <= 'z' ? static_cast<unsigned char>(byte - 'a' + 'A') : byte;
}

} // namespace

void TStringList::SetCaseSensitive(bool Value) {
    if (Value == FCaseSensitive)
        return;
    FCaseSensitive = Value;
    if (FSorted)
        Sort();
}

void TStringList::SetSorted(bool Value) {
    if (Value == FSorted)
        return;
    FSorted = Value;
    if (FSorted)
        Sort();
}

int TStringList::Add(const std::string& S) {
    return AddObject(S, nullptr);
}

int TStringList::AddObject(const std::string& S, TObject* AObject) {
    int index = GetCount();
    if (FSorted) {
        // After any equal entries, so equal entries keep the order they were added in.
        const auto place = std::upper_bound(FItems.begin(), FItems.end(), S,
                                            [this](const std::string& A, const TStringItem& B) {
                                                return CompareStrings(A, B.FString) < 0;
                                            });
        index = static_cast<int>(place - FItems.begin());
    }
    InsertItem(index, S, AObject);
    return index;
}

void TStringList::Insert(int Index, const std::string& S) {
    CheckUnsorted();
    if (Index < 0 || Index > GetCount())
        throw EListError(SListIndexError, Index);
    InsertItem(Index, S, nullptr);
}

void TStringList::Delete(int Index) {
    CheckIndex(Index);
    FItems.erase(FItems.begin() + Index);
    Changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    FItems.clear();
    Changed();
}

const std::string& TStringList::Get(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)].FString;
}

void TStringList::Put(int Index, const std::string& S) {
    CheckUnsorted();
    CheckIndex(Index);
    FItems[static_cast<std::size_t>(Index)].FString = S;
    Changed();
}

TObject* TStringList::GetObject(int Index) const {
    CheckIndex(Index);
    return FItems[static_cast<std::size_t>(Index)].FObject;
}

int TStringList::IndexOf(const std::string& S) const {
    const auto matches = [&](const TStringItem& item) {
        return CompareStrings(item.FString, S) == 0;
    };
    auto found = FItems.end();
    if (FSorted) {
        found = std::partition_point(FItems.begin(), FItems.end(), [&](const TStringItem& item) {
            return CompareStrings(item.FString, S) < 0;
        });
        if (found != FItems.end() && !matches(*found))
            found = FItems.end();
    } else {
        found = std::find_if(FItems.begin(), FItems.end(), matches);
    }
    return found == FItems.end() ? -1 : static_cast<int>(found - FItems.begin());
}

int TStringList::IndexOfName(const std::string& Name) const {
    for (std::size_t i = 0; i < FItems.size(); ++i) {
        const std::string& entry = FItems[i].FString;
        const std::size_t separator = entry.find('=');
        if (separator != std::string::npos && CompareStrings(entry.substr(0, separator), Name) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

std::string TStringList::GetName(int Index) const {
    const std::string& entry = Get(Index);
    const std::size_t separator = entry.find('=');
    return separator == std::string::npos ? std::string() : entry.substr(0, separator);
}

std::string TStringList::GetValue(const std::string& Name) const {
    const int index = IndexOfName(Name);
    if (index < 0)
        return {};
    const std::string& entry = FItems[static_cast<std::size_t>(index)].FString;
    return entry.substr(entry.find('=') + 1);
}

void TStringList::SetValue(const std::string& Name, const std::string& Value) {
    const int index = IndexOfName(Name);
    if (Value.empty()) {
        if (index >= 0)
            Delete(index);
        return;
    }
    const std::string entry = Name + "=" + Value;
    if (index < 0) {
        Add(entry);
    } else if (!FSorted) {
        Put(index, entry);
    } else {
        // A sorted list cannot be written in place: the new text may belong elsewhere.
        TUpdateGuard guard(*this);
        Delete(index);
        Add(entry);
    }
}

std::string TStringList::GetText() const {
    std::string text;
    for (const TStringItem& item : FItems) {
        text += item.FString;
        text += '\n';
    }
    return text;
}

void TStringList::SetText(const std::string& Text) {
    TUpdateGuard guard(*this);
    Clear();
    std::size_t start = 0;
    while (start < Text.size()) {
        const std::size_t lineEnd = Text.find_first_of("\r\n", start);
        if (lineEnd == std::string::npos) {
            Add(Text.substr(start));
            break;
        }
        Add(Text.substr(start, lineEnd - start));
        const bool crlf =
            Text[lineEnd] == '\r' && lineEnd + 1 < Text.size() && Text[lineEnd + 1] == '\n';
        start = lineEnd + (crlf ? 2 : 1);
    }
}

void TStringList::EndUpdate() {
    if (FUpdateCount == 0 || --FUpdateCount > 0 || !FChangedInUpdate)
        return;
    FChangedInUpdate = false;
    Changed();
}

void TStringList::Assign(const TPersistent* Source) {
    const auto* source = AssignSourceAs<TStringList>(Source);
    if (source == nullptr)
        return;
    TUpdateGuard guard(*this);
    Clear();
    for (const TStringItem& item : source->FItems)
        AddObject(item.FString, item.FObject);
}

int TStringList::CompareStrings(const std::string& A, const std::string& B) const {
    if (FCaseSensitive)
        return A.compare(B);
    const std::size_t common = std::min(A.size(), B.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = FoldCase(A[i]);
        const unsigned char b = FoldCase(B[i]);
        if (a != b)
            return a < b ? -1 : 1;
    }
    return A.size() == B.size() ? 0 : (A.size() < B.size() ? -1 : 1);
}

void TStringList::Sort() {
    if (FItems.size() < 2)
        return;
    std::stable_sort(FItems.begin(), FItems.end(),
                     [this](const TStringItem& A, const TStringItem& B) {
                         return CompareStrings(A.FString, B.FString) < 0;
                     });
    Changed();
}

void TStringList::InsertItem(int Index, const std::string& S, TObject* AObject) {
    FItems.insert(FItems.begin() + Index, TStringItem{S, AObject});
    Changed();
}

void TStringList::CheckIndex(int Index) const {
    if (Index < 0 || Index >= GetCount())
        throw EListError(SListIndexError, Index);
}

void TStringList::CheckUnsorted() const {
    if (FSorted)
        throw EListError(SSortedListError);
}

void TStringList::Changed() {
    if (FUpdateCount > 0) {
        FChangedInUpdate = true;
        return;
    }
    if (FOnChange) {
        // A copy, so that a handler may replace OnChange while it runs.
        const TNotifyEvent handler = FOnChange;
        handler(this);
    }
}

} // namespace fuzzy
