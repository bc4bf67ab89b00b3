#pragma once
// The exception hierarchy of the host framework. Every error the library raises derives
// from Exception, whose what() is the finished message text. The text is shared and never
// changed, so that copying an exception (as a catch by value or a rethrow does) never
// allocates and never throws.

#include <exception>
#include <memory>
#include <string>
#include <type_traits>
#include <utility>

#include "platform/Format.hpp"

namespace fuzzy {

/// Root of every exception raised by the library and its platform layer.
class Exception : public std::exception {
public:
    explicit Exception(std::string message)
        : FMessage(std::make_shared<const std::string>(std::move(message))) {}
    /// Formats the message from a format text and its arguments (see Format).
    template <class... Args>
    requires(sizeof...(Args) > 0) Exception(std::string_view format, const Args&... args)
        : Exception(Format(format, args...)) {}

    const char* what() const noexcept override { return FMessage->c_str(); }
    const std::string& GetMessage() const noexcept { return *FMessage; }

private:
    std::shared_ptr<const std::string> FMessage;
};

static_assert(std::is_nothrow_copy_constructible_v<Exception>);

#define FUZZY_DECLARE_EXCEPTION(Name, Base)                                                        \
    class Name : public Base {                                                                     \
    public:                                                                                        \
        using Base::Base;                                                                          \
    }

/// A persistent object was asked to copy from an object it does not understand, or a text
/// did not convert to a number.
FUZZY_DECLARE_EXCEPTION(EConvertError, Exception);
/// An index outside a list ("List index out of bounds (%d)").
FUZZY_DECLARE_EXCEPTION(EListError, Exception);
/// An argument outside its allowed range.
FUZZY_DECLARE_EXCEPTION(EArgumentOutOfRangeException, Exception);
/// A floating-point division by zero that the model reports as an error; always checked
/// and raised explicitly, never left to a hardware trap.
FUZZY_DECLARE_EXCEPTION(EZeroDivide, Exception);
/// An interface was asked for that the object does not implement.
FUZZY_DECLARE_EXCEPTION(EIntfCastError, Exception);
/// Base of the exceptions of the makers' common library.
FUZZY_DECLARE_EXCEPTION(EKelException, Exception);

/// Message of the list-index error.
inline constexpr const char* SListIndexError = "List index out of bounds (%d)";
/// Message of a failed Assign between unrelated classes.
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
/// Message of the explicit division-by-zero check.
inline constexpr const char* SDivByZero = "Floating point division by zero";

} // namespace fuzzy
