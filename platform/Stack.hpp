#pragma once
// The last-in-first-out container of the makers' common library.

#include <utility>
#include <vector>

#include "platform/Exceptions.hpp"

namespace fuzzy {

/// Message of Pop or Peek on an empty stack.
inline constexpr const char* SStackEmpty = "Stack is empty";

/// A last-in-first-out stack of T. Taking from an empty stack raises EKelException
/// (SStackEmpty) rather than failing silently, so a caller's miscounted pops show up as
/// an error at the place they happen.
template <class T>
class TStack {
public:
    void Push(T Item) { FItems.push_back(std::move(Item)); }
    /// Removes and returns the top item.
    T Pop() {
        CheckNotEmpty();
        T top = std::move(FItems.back());
        FItems.pop_back();
        return top;
    }
    /// The top item, left on the stack.
    T& Peek() {
        CheckNotEmpty();
        return FItems.back();
    }
    const T& Peek() const {
        CheckNotEmpty();
        return FItems.back();
    }
    int Count() const { return static_cast<int>(FItems.size()); }
    bool IsEmpty() const { return FItems.empty(); }
    void Clear() { FItems.clear(); }

private:
    void CheckNotEmpty() const {
        if (FItems.empty())
            throw EKelException(SStackEmpty);
    }

    std::vector<T> FItems; // top at the back
};

} // namespace fuzzy
