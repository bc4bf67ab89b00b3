#pragma once
// The RAII form of an update bracket, for any object with BeginUpdate and EndUpdate.

#include <exception>

namespace fuzzy {

/// Keeps an update bracket open for the guard's lifetime: `TUpdateGuard guard(list);`.
/// An error raised by the change that closing the bracket runs reaches the caller, unless
/// the bracket is being closed by another error, which then wins.
template <class T>
class TUpdateGuard {
public:
    explicit TUpdateGuard(T& Target) : FTarget(Target), FUncaught(std::uncaught_exceptions()) {
        FTarget.BeginUpdate();
    }
    ~TUpdateGuard() noexcept(false) {
        if (std::uncaught_exceptions() == FUncaught) {
            FTarget.EndUpdate();
            return;
        }
        try {
            FTarget.EndUpdate();
        } catch (...) {
        }
    }
    TUpdateGuard(const TUpdateGuard&) = delete;
    TUpdateGuard& operator=(const TUpdateGuard&) = delete;

private:
    T& FTarget;
    int FUncaught;
};

} // namespace fuzzy
