#include <gtest/gtest.h>

#include <string>

#include "platform/Stack.hpp"

namespace fuzzy {
namespace {

TEST(Stack, HandsItemsBackLastInFirstOut) {
    TStack<std::string> stack;
    for (const char* item : {"a", "b", "c"})
        stack.Push(item);
    EXPECT_EQ(stack.Count(), 3);
    EXPECT_EQ(stack.Peek(), "c");
    EXPECT_EQ(stack.Count(), 3) << "Peek leaves the item";
    EXPECT_EQ(stack.Pop(), "c");
    EXPECT_EQ(stack.Pop(), "b");
    stack.Push("d");
    EXPECT_EQ(stack.Pop(), "d");
    EXPECT_EQ(stack.Pop(), "a");
    EXPECT_TRUE(stack.IsEmpty());
}

TEST(Stack, TakingFromAnEmptyStackRaisesAndLeavesItUsable) {
    TStack<int> stack;
    auto expectEmptyError = [&](auto&& Take) {
        try {
            (void)Take();
            ADD_FAILURE() << "took from an empty stack";
        } catch (const EKelException& error) {
            EXPECT_STREQ(error.what(), "Stack is empty");
        }
    };
    expectEmptyError([&] { return stack.Pop(); });
    expectEmptyError([&] { return stack.Peek(); });
    stack.Push(1);
    stack.Push(2);
    stack.Clear();
    EXPECT_EQ(stack.Count(), 0);
    expectEmptyError([&] { return stack.Pop(); });
    stack.Push(3);
    EXPECT_EQ(stack.Pop(), 3);
    expectEmptyError([&] { return std::as_const(stack).Peek(); });
}

} // namespace
} // namespace fuzzy
