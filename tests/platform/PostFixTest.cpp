#include "platform/PostFix.hpp"

#include <set>
#include <sstream>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "platform/Stack.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

// A word of an expression; the tests classify words by their text.
class TWord : public TInterfacedObject {
public:
    explicit TWord(std::string Value) : Text(std::move(Value)) {}
    const std::string Text;
};

const std::string& TextOf(const TInterfacePtr<IInterface>& Item) {
    return dynamic_cast<const TWord&>(*Item).Text;
}

bool IsHedge(const std::string& Text) {
    static const std::set<std::string> hedges = {"very", "not", "somewhat"};
    return hedges.count(Text) > 0;
}

bool IsConnective(const std::string& Text) {
    return Text == "and" || Text == "or";
}

// Hedge words (in-stack 2, incoming 1) group to the right, connectives (3, 3) to the left,
// an open group comes in at 0 and stays at 4.
TInterfacePtr<IInterfaceList> ConvertList(const TInterfacePtr<IInterfaceList>& List) {
    return PostFix(
        List, [](const auto& Item) { return TextOf(Item) == "["; },
        [](const auto& Item) { return TextOf(Item) == "]"; },
        [](const auto& Item) {
            return TextOf(Item) != "[" && !IsHedge(TextOf(Item)) && !IsConnective(TextOf(Item));
        },
        [](const auto& Item) { return TextOf(Item) == "["     ? 4
                                      : IsHedge(TextOf(Item)) ? 2
                                                              : 3; },
        [](const auto& Item) { return TextOf(Item) == "["     ? 0
                                      : IsHedge(TextOf(Item)) ? 1
                                                              : 3; });
}

// Splits at white space; brackets are words of their own.
std::string Convert(const std::string& Infix) {
    std::string spaced;
    for (const char c : Infix)
        spaced += c == '[' || c == ']' ? std::string{' ', c, ' '} : std::string{c};
    auto list = MakeInterfaced<TInterfaceList>();
    std::istringstream words(spaced);
    for (std::string word; words >> word;)
        list->Add(MakeInterfaced<TWord>(word));
    const auto postfix = ConvertList(list);
    std::string result;
    for (int i = 0; i < postfix->GetCount(); ++i)
        result += (i > 0 ? " " : "") + TextOf(postfix->Get(i));
    return result;
}

TEST(PostFixTest, ReordersByPriorityAndGroups) {
    const std::pair<const char*, const char*> cases[] = {
        {"very cold or warm", "cold very warm or"},
        {"not very cold", "cold very not"},
        {"cold and [warm or hot]", "cold warm hot or and"},
        {"a and b or c", "a b and c or"},
        {"a or [b or [c and d]]", "a b c d and or or"},
        {"very [a or b]", "a b or very"},
        {"a and [b] or c", "a b and c or"}, // the closed group no longer shields "and"
        // Unbalanced groups: a stray close empties the stack, a stray open is dropped.
        {"a and b ] or c", "a b and c or"},
        {"[ a or b ] ] and c", "a b or c and"},
        {"[ a and [ b or c", "a b c or and"},
        {"", ""},
    };
    for (const auto& [infix, postfix] : cases)
        EXPECT_EQ(Convert(infix), postfix) << infix;
}

TEST(PostFixTest, EmptyListReferenceGivesAnEmptyList) {
    const auto result = ConvertList(nullptr);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->GetCount(), 0);
}

TEST(PostFixTest, DeepNestingRunsWithoutRecursion) {
    constexpr int depth = 100000;
    auto list = MakeInterfaced<TInterfaceList>();
    list->Reserve(2 * depth + 1);
    const TInterfacePtr<IInterface> open = MakeInterfaced<TWord>("["),
                                    close = MakeInterfaced<TWord>("]");
    for (int i = 0; i < depth; ++i)
        list->Add(open);
    list->Add(MakeInterfaced<TWord>("x"));
    for (int i = 0; i < depth; ++i)
        list->Add(close);
    const auto result = ConvertList(list);
    ASSERT_EQ(result->GetCount(), 1);
    EXPECT_EQ(TextOf(result->First()), "x");
}

// The stack under the conversion: an empty one raises, and is usable again after.
TEST(Stack, TakingFromAnEmptyStackRaisesAndLeavesItUsable) {
    TStack<int> stack;
    stack.Push(1);
    stack.Push(2);
    EXPECT_EQ(stack.Peek(), 2);
    stack.Clear();
    EXPECT_RAISES((void)stack.Pop(), EKelException, "Stack is empty");
    EXPECT_RAISES((void)std::as_const(stack).Peek(), EKelException, "Stack is empty");
    stack.Push(3);
    EXPECT_EQ(stack.Pop(), 3);
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Count(), 0);
}

} // namespace
} // namespace fuzzy
