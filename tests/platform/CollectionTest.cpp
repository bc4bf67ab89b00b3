#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/Collection.hpp"
#include "platform/Exceptions.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using TLog = std::vector<std::string>;
TLog* GLog = nullptr;
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
        List.reset();
        GLog = nullptr;
        EXPECT_EQ(GLiveItems, 0) << "items leaked or freed twice";
    }
    TLog TakeLog() { return std::exchange(Log, {}); }
    /// Fills List with items of these names, and forgets what that logged.
    TLoggingCollection& Fill(std::initializer_list<const char*> Names) {
        for (const char* name : Names)
            List->AddNamed(name);
        Log.clear();
        return *List;
    }
    /// Each item's name followed by its index.
    std::string Items() const {
        std::string items;
        for (TCollectionItem* item : *List)
            items += static_cast<TNamedItem*>(item)->GetName() + std::to_string(item->GetIndex());
        return items;
    }

    TLog Log;
    std::unique_ptr<TLoggingCollection> List = std::make_unique<TLoggingCollection>();
};

// The hooks of joining, leaving, deleting, clearing and destroying, in their order: Clear and
// the destructor free last first, and only Clear reports, as the list lives on.
TEST_F(Collections, HooksRunInOrder) {
    TNamedItem* a = List->AddNamed("a");
    EXPECT_EQ(TakeLog(), (TLog{"notify added ", "update all", "update a"}));
    Fill({"b"});
    delete a;
    EXPECT_EQ(TakeLog(), (TLog{"notify extracting a", "update all"}));
    List->Delete(0);
    EXPECT_EQ(TakeLog(), (TLog{"notify deleting b", "notify extracting b", "update all"}));
    Fill({"a", "b"}).Clear();
    EXPECT_EQ(TakeLog(), (TLog{"notify extracting b", "notify extracting a", "update all"}));
    Fill({"a", "b"});
    List.reset();
    EXPECT_EQ(TakeLog(), (TLog{"notify extracting b", "notify extracting a"}));
}

TEST_F(Collections, UpdateBracketsNestAndReportOnceAtTheOutermostEnd) {
    List->BeginUpdate();
    List->BeginUpdate();
    List->AddNamed("a");
    List->AddNamed("b")->TouchAll();
    List->Changed();
    List->EndUpdate();
    EXPECT_EQ(TakeLog(), (TLog{"notify added ", "notify added "}));
    List->EndUpdate();
    EXPECT_EQ(TakeLog(), (TLog{"update all"}));
    List->EndUpdate(); // an unmatched end does nothing
    EXPECT_EQ(List->GetUpdateCount(), 0);
    EXPECT_TRUE(TakeLog().empty());
}

TEST_F(Collections, DeleteItemsRemovesTheFlaggedOnesAtOnceAndKeepsTheOrder) {
    Fill({"a", "b", "c", "d", "e"}).DeleteItems({true, false, true, true, false});
    EXPECT_EQ(TakeLog(), (TLog{"notify deleting a", "notify extracting a", "notify deleting c",
                               "notify extracting c", "notify deleting d", "notify extracting d",
                               "update all"}));
    EXPECT_EQ(Items(), "b0e1");
    List->DeleteItems({false, false}); // nothing flagged: nothing reported
    EXPECT_TRUE(TakeLog().empty());
    EXPECT_THROW(List->DeleteItems({true}), EListError);
    EXPECT_EQ(List->GetCount(), 2);
}

// Moving an item reports all changed; index errors carry the index; names are exact.
TEST_F(Collections, IndexesMoveItemsAndFindNames) {
    Fill({"a", "b", "c", "d"}).Item(0)->SetIndex(2);
    EXPECT_EQ(TakeLog(), (TLog{"update all"}));
    EXPECT_EQ(Items(), "b0c1a2d3");
    EXPECT_THROW(List->Item(0)->SetIndex(4), EListError);
    static_cast<TNamedItem*>(List->Insert(1))->SetName("x");
    EXPECT_EQ(Items(), "b0x1c2a3d4");
    EXPECT_EQ(List->IndexOf("x"), 1);
    EXPECT_EQ(List->IndexOf("X"), -1);
    EXPECT_RAISES(List->Delete(5), EListError, "List index out of bounds (5)");
    EXPECT_THROW((void)List->GetItem(-1), EListError);
    EXPECT_THROW((void)List->Insert(6), EListError);
}

// A plain item, a named item that leaves only from its base's destructor (when it is no
// named item any more), and a collection that looks that name up as each item leaves.
class TPlainItem : public TCollectionItem {};

class TLateLeavingItem : public TGCollectionItem {
public:
    const std::string& GetName() const override { return FName; }
    std::string FName = "late";
};

class TLookupOnLeaveCollection : public TGCollection {
public:
    TLookupOnLeaveCollection() : TGCollection(nullptr, nullptr) {}
    std::vector<int> Found;

protected:
    void Notify(TCollectionItem* /*Item*/, TCollectionNotification Action) override {
        if (Action == TCollectionNotification::cnExtracting)
            Found.push_back(IndexOf("late"));
    }
};

// Lookup by name passes over items that are not named items: one of another class, and one
// whose named part is already destroyed as it leaves.
TEST_F(Collections, LookupByNamePassesOverItemsWithoutAName) {
    TLookupOnLeaveCollection list;
    auto* plain = new TPlainItem();
    plain->SetCollection(&list);
    auto* late = new TLateLeavingItem();
    late->SetCollection(&list);
    EXPECT_EQ(list.IndexOf("late"), 1);
    delete late;
    delete plain;
    EXPECT_EQ(list.Found, (std::vector<int>{-1, -1}));
}

// The cast that tries the exact class first answers as dynamic_cast for an object of that
// very class, of a derived class, of a base class, and for none.
TEST_F(Collections, CastTryingTheExactClassFirstAnswersAsDynamicCast) {
    TGCollection named(nullptr, nullptr);
    TCollection plain(nullptr);
    for (TCollection* object :
         {static_cast<TCollection*>(&named), static_cast<TCollection*>(List.get()), &plain,
          static_cast<TCollection*>(nullptr)}) {
        EXPECT_EQ(DynamicCastExactFirst<TGCollection>(object), dynamic_cast<TGCollection*>(object));
        const TCollection* constant = object;
        EXPECT_EQ(DynamicCastExactFirst<const TGCollection>(constant),
                  dynamic_cast<const TGCollection*>(constant));
    }
}

// SetItem assigns, Assign copies the whole collection; an extracted item is the caller's,
// and one moved to another collection is reported by both.
TEST_F(Collections, AssignExtractAndMoveBetweenCollections) {
    TLoggingCollection source;
    source.AddNamed("x");
    source.AddNamed("y");
    Fill({"old"}).SetItem(0, source.Item(1));
    EXPECT_EQ(Items(), "y0");
    List->Assign(&source);
    EXPECT_EQ(Items(), "x0y1");
    EXPECT_EQ(TakeLog().back(), "update all");
    EXPECT_THROW(List->Assign(source.Item(0)), EConvertError);

    TNamedItem* a = List->AddNamed("a");
    TakeLog();
    a->SetCollection(&source);
    EXPECT_EQ(TakeLog(),
              (TLog{"notify extracting a", "update all", "notify added a", "update all"}));
    EXPECT_EQ(a->GetCollection(), &source);
    std::unique_ptr<TCollectionItem> owned = source.Extract(a);
    EXPECT_EQ(source.GetCount(), 2);
    EXPECT_EQ(owned->GetCollection(), nullptr);
    EXPECT_EQ(owned->GetIndex(), -1);
    EXPECT_THROW((void)source.Extract(owned.get()), EListError);
}

// Linked items hear of each other's end once, whichever goes first; an item unlinked or
// never linked hears nothing, and an item that went never hears again.
TEST_F(Collections, LinkedItemsHearOfEachOthersEnd) {
    Fill({"a", "b", "c", "d"});
    TNamedItem* a = List->Item(0);
    TNamedItem* b = List->Item(1);
    a->FreeNotification(b);
    a->FreeNotification(b); // one link all the same
    b->FreeNotification(List->Item(2));
    List->Item(3)->FreeNotification(b);
    List->Item(3)->RemoveFreeNotification(b);
    a->FreeNotification(a);
    a->FreeNotification(nullptr);
    auto heard = [&] {
        TLog lines;
        for (const std::string& line : TakeLog())
            if (line.ends_with("heard of an end"))
                lines.push_back(line);
        return lines;
    };
    TakeLog();
    List->Delete(1);
    EXPECT_EQ(heard(), (TLog{"c heard of an end", "a heard of an end"}));
    List->Delete(0);
    List->Delete(0);
    EXPECT_EQ(heard(), TLog{});
}

} // namespace
} // namespace fuzzy
