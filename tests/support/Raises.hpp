#pragma once
// "This raises that exception type with exactly this text", as one assertion; and, for the
// checks that need more, the exception raised or its text.

#include <exception>
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"

namespace fuzzy::test {

/// Succeeds when Action raises an E (or a class derived from it) whose text is Message.
template <class E, class F>
::testing::AssertionResult Raises(F&& Action, const std::string& Message) {
    try {
        Action();
    } catch (const E& error) {
        if (Message == error.what())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "raised \"" << error.what() << "\"";
    } catch (const std::exception& error) {
        return ::testing::AssertionFailure() << "raised another type: \"" << error.what() << "\"";
    }
    return ::testing::AssertionFailure() << "raised nothing";
}

/// The E that Action raises (a copy), or nothing; for checks of more than its text.
template <class E = Exception, class F>
std::optional<E> RaisedBy(F&& Action) {
    try {
        Action();
    } catch (const E& error) {
        return error;
    }
    return std::nullopt;
}

/// The text of the E that Action raises, or "" when it raises nothing; for checks that
/// compare two texts or look at part of one.
template <class E = Exception, class F>
std::string MessageOf(F&& Action) {
    const std::optional<E> error = RaisedBy<E>(std::forward<F>(Action));
    return error ? error->what() : "";
}

} // namespace fuzzy::test

/// Expects Statement to raise Type with the text Message, word for word.
#define EXPECT_RAISES(Statement, Type, Message)                                                    \
    EXPECT_TRUE(::fuzzy::test::Raises<Type>([&] { Statement; }, Message))
