#include "platform/InterfaceList.hpp"

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/Exceptions.hpp"
#include "platform/InterfaceListPersistent.hpp"
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
    void SetUp() override { TCounted::Alive = 0; }
    void TearDown() override { EXPECT_EQ(TCounted::Alive, 0); }

    static TItem Make(const std::string& Name) { return MakeInterfaced<TCounted>(Name); }
    static std::string Names(const IInterfaceList& List) {
        std::string names;
        for (int i = 0; i < List.GetCount(); ++i)
            names += Supports<INamed>(List.Get(i))->Name();
        return names;
    }
};

TEST_F(InterfaceListTest, EditsKeepOrderAndOneReferencePerSlot) {
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
}

// Items are freed when the list lets them go, and by then the list is consistent.
TEST_F(InterfaceListTest, ItemsAreFreedWhenTheListLetsThemGo) {
    auto list = MakeInterfaced<TInterfaceList>();
    std::vector<int> countsSeen;
    for (const char* name : {"a", "b", "c", "d"}) {
        auto item = MakeInterfaced<TCounted>(name);
        item->OnDestroy = [&countsSeen, raw = list.Get()] {
            countsSeen.push_back(raw->GetCount());
        };
        list->Add(item);
    }
    list->Delete(1);
    EXPECT_EQ(TCounted::Alive, 3);
    list->Put(0, nullptr);
    list->Put(1, Make("e"));
    EXPECT_EQ(TCounted::Alive, 2);
    list->Clear();
    EXPECT_EQ(TCounted::Alive, 0);
    EXPECT_EQ(countsSeen, (std::vector<int>{3, 3, 3, 0}));
    list->Add(Make("f"));
    list.Reset();
    EXPECT_EQ(TCounted::Alive, 0);
}

TEST_F(InterfaceListTest, IndexErrorsNameTheIndex) {
    const auto empty = MakeInterfaced<TInterfaceList>();
    const auto list = MakeInterfaced<TInterfaceList>();
    list->Add(Make("a"));
    list->Add(Make("b"));
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { (void)empty->First(); }, "List index out of bounds (0)"},
        {[&] { (void)empty->Last(); }, "List index out of bounds (-1)"},
        {[&] { (void)list->Get(2); }, "List index out of bounds (2)"},
        {[&] { (void)list->Get(-1); }, "List index out of bounds (-1)"},
        {[&] { list->Put(2, nullptr); }, "List index out of bounds (2)"},
        {[&] { list->Delete(-3); }, "List index out of bounds (-3)"},
        {[&] { list->Insert(3, nullptr); }, "List index out of bounds (3)"},
        {[&] { list->Insert(-1, nullptr); }, "List index out of bounds (-1)"},
        {[&] { list->Exchange(1, 2); }, "List index out of bounds (2)"},
    };
    for (const auto& c : cases)
        EXPECT_RAISES(c.first(), EListError, c.second);
    list->Insert(2, nullptr); // Count itself is a valid insertion point
    EXPECT_EQ(list->GetCount(), 3);
}

// An item is found whichever of its interfaces the list or the caller holds.
TEST_F(InterfaceListTest, AnswersItsInterfacesOnlyAndFindsItemsByIdentity) {
    const TItem list = MakeInterfaced<TInterfaceList>();
    const auto asList = Supports<IInterfaceList>(list);
    ASSERT_TRUE(asList);
    EXPECT_EQ(TItem(asList), list);
    EXPECT_FALSE(Supports<INamed>(list));
    const TInterfacePtr<INamed> named = MakeInterfaced<TCounted>("x");
    asList->Add(named);
    EXPECT_EQ(asList->IndexOf(Supports<IInterface>(named)), 0);
    EXPECT_EQ(asList->IndexOf(named), 0);
}

TEST_F(InterfaceListTest, PersistentAssignSharesTheItems) {
    TInterfaceListPersistent source, target;
    source.Add(Make("a"));
    source.Add(Make("b"));
    target.Add(Make("z"));
    target.Assign(&source);
    EXPECT_EQ(TCounted::Alive, 2);
    ASSERT_EQ(target.GetCount(), 2);
    EXPECT_EQ(target.First(), source.First());
    EXPECT_EQ(target.Last(), source.Last());
    target.Assign(&target);
    EXPECT_EQ(target.GetCount(), 2);
    source.Clear();
    EXPECT_EQ(TCounted::Alive, 2); // target still holds them

    TPersistent other;
    EXPECT_RAISES(target.Assign(&other), EConvertError,
                  "Cannot assign a TPersistent to a TInterfaceListPersistent");
    EXPECT_EQ(target.GetCount(), 2);
}

} // namespace
} // namespace fuzzy
