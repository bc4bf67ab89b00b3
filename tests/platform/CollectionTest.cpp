#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/Collection.hpp"
#include "platform/Exceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

std::vector<std::string>* GLog = nullptr;
int GLiveItems = 0;

class TNamedItem : public TGCollectionItem {
public:
    static TCollectionItem* CreateItem(TCollection* Collection) {
        return Join(std::unique_ptr<TNamedItem>(new TNamedItem()), Collection);
    }
    ~TNamedItem() override {
        LeaveCollection();
        --GLiveItems;
    }
    const std::string& GetName() const override { return FName; }
    void SetName(const std::string& Name) {
        FName = Name;
        Changed(false);
    }
    void Assign(const TPersistent* Source) override {
        if (const auto* item = dynamic_cast<const TNamedItem*>(Source))
            FName = item->FName;
        else
            TGCollectionItem::Assign(Source);
    }
    void TouchAll() { Changed(true); }

protected:
    void ItemFreed(TGCollectionItem* /*Item*/) noexcept override {
        if (GLog)
            GLog->push_back(FName + " heard of an end");
    }

private:
    TNamedItem() { ++GLiveItems; }
    std::string FName;
};

// A collection that logs its hooks as "notify <action> <name>" and "update <name|all>".
class TLoggingCollection : public TGCollection {
public:
    TLoggingCollection() : TGCollection(nullptr, &TNamedItem::CreateItem) {}
    ~TLoggingCollection() override { DestroyItems(); }
    TNamedItem* Item(int Index) { return static_cast<TNamedItem*>(GetItem(Index)); }
    TNamedItem* AddNamed(const std::string& Name) {
        auto* item = static_cast<TNamedItem*>(Add());
        item->SetName(Name);
        return item;
    }
    using TCollection::Changed;

protected:
    static std::string NameOf(TCollectionItem* Item) {
        return Item ? static_cast<TNamedItem*>(Item)->GetName() : "all";
    }
    void Update(TCollectionItem* Item) override {
        if (GLog)
            GLog->push_back("update " + NameOf(Item));
    }
    void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
        static const char* const names[] = {"added", "extracting", "deleting"};
        if (GLog)
            GLog->push_back(std::string("notify ") + names[static_cast<int>(Action)] + " " +
                            NameOf(Item));
    }
};

class Collections : public ::testing::Test {
protected:
    void SetUp() override { GLog = &Log; }
    void TearDown() override {
        GLog = nullptr;
        EXPECT_EQ(GLiveItems, 0) << "items leaked or freed twice";
    }
    std::vector<std::string> TakeLog() { return std::exchange(Log, {}); }

    std::vector<std::string> Log;
};

TEST_F(Collections, JoiningLeavingAndDeletingRunTheHooksInOrder) {
    TLoggingCollection list;
    TNamedItem* a = list.AddNamed("a");
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"notify added ", "update all", "update a"}));
    list.AddNamed("b");
    TakeLog();
    delete a;
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"notify extracting a", "update all"}));
    list.Delete(0);
    EXPECT_EQ(TakeLog(),
              (std::vector<std::string>{"notify deleting b", "notify extracting b", "update all"}));
}

TEST_F(Collections, UpdateBracketsNestAndReportOnceAtTheOutermostEnd) {
    TLoggingCollection list;
    list.BeginUpdate();
    list.BeginUpdate();
    list.AddNamed("a");
    list.AddNamed("b")->TouchAll();
    list.Changed();
    list.EndUpdate();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"notify added ", "notify added "}));
    list.EndUpdate();
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"update all"}));
    list.EndUpdate(); // an unmatched end does nothing
    EXPECT_EQ(list.GetUpdateCount(), 0);
    EXPECT_TRUE(TakeLog().empty());
}

// Both free the items last first; only Clear reports, once, as the list lives on.
TEST_F(Collections, ClearAndTheDestructorFreeLastFirst) {
    for (const bool clear : {true, false}) {
        auto list = std::make_unique<TLoggingCollection>();
        list->AddNamed("a");
        list->AddNamed("b");
        TakeLog();
        if (clear)
            list->Clear();
        else
            list.reset();
        std::vector<std::string> expected{"notify extracting b", "notify extracting a"};
        if (clear)
            expected.push_back("update all");
        EXPECT_EQ(TakeLog(), expected);
    }
}

TEST_F(Collections, DeleteItemsRemovesTheFlaggedOnesAtOnceAndKeepsTheOrder) {
    TLoggingCollection list;
    for (const char* name : {"a", "b", "c", "d", "e"})
        list.AddNamed(name);
    TakeLog();
    list.DeleteItems({true, false, true, true, false});
    EXPECT_EQ(TakeLog(),
              (std::vector<std::string>{"notify deleting a", "notify extracting a",
                                        "notify deleting c", "notify extracting c",
                                        "notify deleting d", "notify extracting d", "update all"}));
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.Item(0)->GetName(), "b");
    EXPECT_EQ(list.Item(1)->GetName(), "e");
    EXPECT_EQ(list.Item(1)->GetIndex(), 1);
    list.DeleteItems({false, false}); // nothing flagged: nothing reported
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_THROW(list.DeleteItems({true}), EListError);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(Collections, SettingTheIndexMovesTheItemAndReportsAllChanged) {
    TLoggingCollection list;
    for (const char* name : {"a", "b", "c", "d"})
        list.AddNamed(name);
    TakeLog();
    list.Item(0)->SetIndex(2);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"update all"}));
    std::string order;
    for (TCollectionItem* item : list)
        order += static_cast<TNamedItem*>(item)->GetName() + std::to_string(item->GetIndex());
    EXPECT_EQ(order, "b0c1a2d3");
    EXPECT_THROW(list.Item(0)->SetIndex(4), EListError);

    TNamedItem* inserted = static_cast<TNamedItem*>(list.Insert(1));
    EXPECT_EQ(inserted->GetIndex(), 1);
    EXPECT_EQ(list.Item(2)->GetName(), "c");
}

TEST_F(Collections, ItemsWriteAssignsAndAssignCopiesTheWholeCollection) {
    TLoggingCollection source;
    source.AddNamed("x");
    source.AddNamed("y");
    TLoggingCollection target;
    target.AddNamed("old");
    target.SetItem(0, source.Item(1));
    EXPECT_EQ(target.Item(0)->GetName(), "y");
    TakeLog();
    target.Assign(&source);
    ASSERT_EQ(target.GetCount(), 2);
    EXPECT_EQ(target.Item(0)->GetName(), "x");
    EXPECT_EQ(target.Item(1)->GetName(), "y");
    EXPECT_EQ(TakeLog().back(), "update all");
    EXPECT_THROW(target.Assign(source.Item(0)), EConvertError);
}

TEST_F(Collections, ExtractHandsOwnershipOutAndMovingBetweenCollectionsNotifiesBoth) {
    TLoggingCollection first;
    TLoggingCollection second;
    TNamedItem* a = first.AddNamed("a");
    TakeLog();
    a->SetCollection(&second);
    EXPECT_EQ(TakeLog(), (std::vector<std::string>{"notify extracting a", "update all",
                                                   "notify added a", "update all"}));
    EXPECT_EQ(a->GetCollection(), &second);
    std::unique_ptr<TCollectionItem> owned = second.Extract(a);
    EXPECT_EQ(second.GetCount(), 0);
    EXPECT_EQ(owned->GetCollection(), nullptr);
    EXPECT_EQ(owned->GetIndex(), -1);
    EXPECT_THROW((void)second.Extract(owned.get()), EListError);
}

// Linked items hear of each other's end once, whichever goes first; an item unlinked or
// never linked hears nothing, and an item that went never hears again.
TEST_F(Collections, LinkedItemsHearOfEachOthersEnd) {
    TLoggingCollection list;
    TNamedItem* a = list.AddNamed("a");
    TNamedItem* b = list.AddNamed("b");
    TNamedItem* c = list.AddNamed("c");
    TNamedItem* d = list.AddNamed("d");
    a->FreeNotification(b);
    a->FreeNotification(b); // one link all the same
    b->FreeNotification(c);
    d->FreeNotification(b);
    d->RemoveFreeNotification(b);
    a->FreeNotification(a);
    a->FreeNotification(nullptr);
    auto heard = [&] {
        std::vector<std::string> lines;
        for (const std::string& line : TakeLog())
            if (line.ends_with("heard of an end"))
                lines.push_back(line);
        return lines;
    };
    TakeLog();
    list.Delete(b->GetIndex());
    EXPECT_EQ(heard(), (std::vector<std::string>{"c heard of an end", "a heard of an end"}));
    list.Delete(a->GetIndex());
    list.Delete(c->GetIndex());
    EXPECT_EQ(heard(), std::vector<std::string>{});
}

TEST_F(Collections, IndexOfFindsNamesExactlyAndIndexErrorsCarryTheIndex) {
    TLoggingCollection list;
    list.AddNamed("low");
    list.AddNamed("high");
    EXPECT_EQ(list.IndexOf("high"), 1);
    EXPECT_EQ(list.IndexOf("High"), -1);
    EXPECT_RAISES(list.Delete(3), EListError, "List index out of bounds (3)");
    EXPECT_THROW((void)list.GetItem(-1), EListError);
    EXPECT_THROW((void)list.Insert(3), EListError);
}

} // namespace
} // namespace fuzzy
