#include <gtest/gtest.h>

#include <string>

#include "platform/Stack.hpp"
#include "support/Raises.hpp"

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
    EXPECT_RAISES((void)stack.Pop(), EKelException, "Stack is empty");
    EXPECT_RAISES((void)stack.Peek(), EKelException, "Stack is empty");
    stack.Push(1);
    stack.Push(2);
    stack.Clear();
    EXPECT_EQ(stack.Count(), 0);
    EXPECT_RAISES((void)stack.Pop(), EKelException, "Stack is empty");
    stack.Push(3);
    EXPECT_EQ(stack.Pop(), 3);
    EXPECT_RAISES((void)std::as_const(stack).Peek(), EKelException, "Stack is empty");
}

} // namespace
} // namespace fuzzy
