// Reference-counted lists, the postfix conversion over them, the stack under it and the
// block cache of objects made in bursts.

#include "platform/InterfaceList.hpp"

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "platform/InterfaceListPersistent.hpp"
#include "platform/PostFix.hpp"
#include "platform/Stack.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

class INamed : public virtual IInterface {
public:
    static constexpr TGUID IID = TGUID::Parse("{9B27E4D0-61AF-4C3B-8D52-0E7A1F3C6B48}");
    virtual std::string Name() const = 0;

protected:
    ~INamed() = default;
};

// Counts the live instances, so a test sees exactly when the list lets an item go.
class TCounted : public TInterfacedObject, public virtual INamed {
public:
    static inline int Alive = 0;
    explicit TCounted(std::string Name) : FName(std::move(Name)) { ++Alive; }
    ~TCounted() override {
        --Alive;
        if (OnDestroy)
            OnDestroy();
    }
    HRESULT QueryInterface(const TGUID& InterfaceID, void** Obj) override {
        return QueryInterfaces<INamed, IInterface>(this, InterfaceID, Obj);
    }
    std::string Name() const override { return FName; }
    std::function<void()> OnDestroy;

private:
    std::string FName;
};

using TItem = TInterfacePtr<IInterface>;

class InterfaceListTest : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(TCounted::Alive, 0); }

    static TItem Make(const std::string& Name) { return MakeInterfaced<TCounted>(Name); }
    static std::string Names(const IInterfaceList& List) {
        std::string names;
        for (int i = 0; i < List.GetCount(); ++i)
            names += Supports<INamed>(List.Get(i))->Name();
        return names;
    }
};

// Edits keep the order and one reference per slot; items are freed when the list lets them
// go, and by then the list is consistent.
TEST_F(InterfaceListTest, EditsKeepOrderAndFreeWhatTheListLetsGo) {
    auto list = MakeInterfaced<TInterfaceList>();
    const auto a = MakeInterfaced<TCounted>("a");
    const TItem b = Make("b"), c = Make("c");
    EXPECT_EQ(list->Add(a), 0);
    EXPECT_EQ(list->Add(c), 1);
    list->Insert(1, b);
    list->Insert(3, a);
    EXPECT_EQ(Names(*list), "abca");
    EXPECT_EQ(a->GetRefCount(), 3);
    list->Exchange(0, 2);
    EXPECT_EQ(Names(*list), "cbaa");
    EXPECT_EQ(list->IndexOf(a), 2);
    EXPECT_EQ(list->Remove(a), 2);
    EXPECT_EQ(list->Remove(Make("a")), -1); // same name, other object
    list->Put(0, nullptr);
    EXPECT_EQ(list->IndexOf(nullptr), 0);
    EXPECT_EQ(list->First(), nullptr);
    EXPECT_EQ(list->Last(), a);
    list->Delete(0);
    EXPECT_EQ(Names(*list), "ba");

    std::vector<int> countsSeen;
    auto owned = MakeInterfaced<TInterfaceList>();
    for (const char* name : {"a", "b", "c", "d"}) {
        auto item = MakeInterfaced<TCounted>(name);
        item->OnDestroy = [&countsSeen, raw = owned.Get()] {
            countsSeen.push_back(raw->GetCount());
        };
        owned->Add(item);
    }
    const int before = TCounted::Alive;
    owned->Delete(1);
    owned->Put(0, nullptr);
    owned->Put(1, Make("e"));
    EXPECT_EQ(TCounted::Alive, before - 2);
    owned->Clear();
    EXPECT_EQ(countsSeen, (std::vector<int>{3, 3, 3, 0}));
    owned->Add(Make("f"));
    owned.Reset();
    EXPECT_EQ(TCounted::Alive, before - 4);
}

TEST_F(InterfaceListTest, IndexErrorsNameTheIndex) {
    const auto empty = MakeInterfaced<TInterfaceList>();
    const auto list = MakeInterfaced<TInterfaceList>();
    list->Add(Make("a"));
    list->Add(Make("b"));
    const std::vector<std::pair<std::function<void()>, int>> cases = {
        {[&] { (void)empty->First(); }, 0},     {[&] { (void)empty->Last(); }, -1},
        {[&] { (void)list->Get(2); }, 2},       {[&] { (void)list->Get(-1); }, -1},
        {[&] { list->Put(2, nullptr); }, 2},    {[&] { list->Delete(-3); }, -3},
        {[&] { list->Insert(3, nullptr); }, 3}, {[&] { list->Insert(-1, nullptr); }, -1},
        {[&] { list->Exchange(1, 2); }, 2},
    };
    for (const auto& c : cases)
        EXPECT_RAISES(c.first(), EListError,
                      "List index out of bounds (" + std::to_string(c.second) + ")");
    list->Insert(2, nullptr); // Count itself is a valid insertion point
    EXPECT_EQ(list->GetCount(), 3);
}

// An item is found whichever of its interfaces the list or the caller holds; a persistent
// list's Assign shares the items.
TEST_F(InterfaceListTest, FindsItemsByIdentityAndAssignSharesThem) {
    const TItem list = MakeInterfaced<TInterfaceList>();
    const auto asList = Supports<IInterfaceList>(list);
    ASSERT_TRUE(asList);
    EXPECT_EQ(TItem(asList), list);
    EXPECT_FALSE(Supports<INamed>(list));
    const TInterfacePtr<INamed> named = MakeInterfaced<TCounted>("x");
    asList->Add(named);
    EXPECT_EQ(asList->IndexOf(Supports<IInterface>(named)), 0);
    EXPECT_EQ(asList->IndexOf(named), 0);

    TInterfaceListPersistent source, target;
    source.Add(Make("a"));
    source.Add(Make("b"));
    target.Add(Make("z"));
    target.Assign(&source);
    EXPECT_EQ(TCounted::Alive, 3);
    ASSERT_EQ(target.GetCount(), 2);
    EXPECT_EQ(target.First(), source.First());
    EXPECT_EQ(target.Last(), source.Last());
    target.Assign(&target);
    source.Clear();
    EXPECT_EQ(TCounted::Alive, 3); // target still holds them
    TPersistent other;
    EXPECT_RAISES(target.Assign(&other), EConvertError,
                  "Cannot assign a TPersistent to a TInterfaceListPersistent");
    EXPECT_EQ(target.GetCount(), 2);
}

// A reference moved into one of a base interface takes the count over.
TEST(InterfaceReference, WideningAMovedReferenceKeepsTheCount) {
    TInterfacePtr<TInterfaceList> list = MakeInterfaced<TInterfaceList>();
    const TInterfacePtr<TInterfaceList> kept = list;
    TInterfacePtr<IInterfaceList> widened(std::move(list));
    EXPECT_FALSE(list);
    EXPECT_EQ(widened.Get(), static_cast<IInterfaceList*>(kept.Get()));
    EXPECT_EQ(kept->GetRefCount(), 2);
    widened.Reset();
    EXPECT_EQ(kept->GetRefCount(), 1);
}

// A word of an expression; words are classified by their text.
class TWord : public TInterfacedObject {
public:
    explicit TWord(std::string Value) : Text(std::move(Value)) {}
    const std::string Text;
};

const std::string& TextOf(const TItem& Item) {
    return dynamic_cast<const TWord&>(*Item).Text;
}

// Hedge words (in-stack 2, incoming 1) group to the right, connectives (3, 3) to the left,
// an open group comes in at 0 and stays at 4.
TInterfacePtr<IInterfaceList> ConvertList(const TInterfacePtr<IInterfaceList>& List) {
    static const std::set<std::string> hedges = {"very", "not", "somewhat"};
    const auto priority = [](int Open, int Hedge) {
        return [=](const TItem& Item) {
            return TextOf(Item) == "[" ? Open : hedges.count(TextOf(Item)) ? Hedge : 3;
        };
    };
    return PostFix(
        List, [](const TItem& Item) { return TextOf(Item) == "["; },
        [](const TItem& Item) { return TextOf(Item) == "]"; },
        [](const TItem& Item) {
            const std::string& text = TextOf(Item);
            return text != "[" && !hedges.count(text) && text != "and" && text != "or";
        },
        priority(4, 2), priority(0, 1));
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
    EXPECT_EQ(ConvertList(nullptr)->GetCount(), 0);
}

TEST(PostFixTest, DeepNestingRunsWithoutRecursion) {
    constexpr int depth = 100000;
    auto list = MakeInterfaced<TInterfaceList>();
    list->Reserve(2 * depth + 1);
    const TItem open = MakeInterfaced<TWord>("["), close = MakeInterfaced<TWord>("]");
    for (int i = 0; i < depth; ++i)
        list->Add(open);
    list->Add(MakeInterfaced<TWord>("x"));
    for (int i = 0; i < depth; ++i)
        list->Add(close);
    const auto result = ConvertList(list);
    ASSERT_EQ(result->GetCount(), 1);
    EXPECT_EQ(TextOf(result->First()), "x");
}

// Taking from an empty stack raises and leaves it usable.
TEST(Stack, TakingFromAnEmptyStackRaises) {
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
