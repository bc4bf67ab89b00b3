#pragma once
// "This raises that exception type with exactly this text", as one assertion.

#include <exception>
#include <string>

#include <gtest/gtest.h>

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

} // namespace fuzzy::test

/// Expects Statement to raise Type with the text Message, word for word.
#define EXPECT_RAISES(Statement, Type, Message)                                                    \
    EXPECT_TRUE(::fuzzy::test::Raises<Type>([&] { Statement; }, Message))
