#include "platform/Component.hpp"

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/EnumNames.hpp"
#include "support/Raises.hpp"

namespace fuzzy {
namespace {

using TLog = std::vector<std::string>;

// Records its hooks into a shared log and keeps one peer pointer, which it drops when the
// peer goes, as a real client of free notification does.
class TProbe : public TComponent {
public:
    static inline int Alive = 0;

    static TProbe* Create(TComponent* AOwner, const std::string& Name, TLog& Log) {
        return FinishCreate(std::unique_ptr<TProbe>(new TProbe(Name, Log)), AOwner);
    }
    ~TProbe() override {
        BeforeDestruction();
        FLog.push_back(GetName() + " gone");
        --Alive;
    }

    TComponent* Peer = nullptr;
    std::function<void(TComponent*, TOperation)> OnNotification;
    bool ThrowOnLoaded = false;

protected:
    void AfterConstruction() override { FLog.push_back(GetName() + " created"); }
    void Notification(TComponent* AComponent, TOperation Operation) override {
        FLog.push_back(GetName() + ": " + GetEnumName(Operation) + " " + AComponent->GetName());
        if (AComponent == Peer && Operation == TOperation::opRemove)
            Peer = nullptr;
        if (OnNotification)
            OnNotification(AComponent, Operation);
    }
    void Loaded() override {
        FLog.push_back(GetName() + " loaded, state " + std::to_string(GetComponentState().Bits()));
        if (ThrowOnLoaded)
            throw std::runtime_error("bad stored property");
    }

private:
    TProbe(const std::string& Name, TLog& Log) : FLog(Log) {
        SetName(Name);
        ++Alive;
    }
    TLog& FLog;
};

class ComponentTest : public ::testing::Test {
protected:
    TProbe* Make(const std::string& Name, TComponent* Owner = nullptr) {
        return TProbe::Create(Owner, Name, Log);
    }
    void TearDown() override { EXPECT_EQ(TProbe::Alive, 0) << "a component leaked"; }
    TLog Log;
};

// Created, a component runs AfterConstruction and then joins its owner; deleted, it leaves
// it; the owner destroys the rest last first.
TEST_F(ComponentTest, ComponentsJoinAndLeaveTheirOwnerInOrder) {
    TProbe* owner = Make("owner");
    TProbe* a = Make("a", owner);
    TProbe* b = Make("b", owner);
    EXPECT_EQ(Log, (TLog{"owner created", "a created", "owner: opInsert a", "b created",
                         "owner: opInsert b"}));
    EXPECT_EQ(b->GetOwner(), owner);
    EXPECT_RAISES((void)owner->GetComponent(2), EListError, "List index out of bounds (2)");
    Log.clear();
    delete a;
    EXPECT_EQ(Log, (TLog{"owner: opRemove a", "a gone"}));
    ASSERT_EQ(owner->GetComponentCount(), 1);
    EXPECT_EQ(owner->GetComponent(0), b);
    Make("c", owner);
    EXPECT_EQ(TComponent::Create(owner)->GetOwner(), owner); // a plain one, named ""
    Log.clear();
    delete owner;
    EXPECT_EQ(Log, (TLog{"owner: opRemove ", "owner: opRemove c", "c gone", "owner: opRemove b",
                         "b gone", "owner gone"}));
}

TEST_F(ComponentTest, FreeNotificationWarnsTheSurvivorInEitherOrder) {
    for (const bool firstGoesFirst : {true, false}) {
        TProbe* first = Make("first");
        TProbe* second = Make("second");
        first->FreeNotification(second);
        first->FreeNotification(second); // still one link
        first->FreeNotification(first);  // ignored
        first->Peer = second;
        second->Peer = first;
        TProbe* doomed = firstGoesFirst ? first : second;
        TProbe* survivor = firstGoesFirst ? second : first;
        const std::string doomedName = doomed->GetName();
        const std::string survivorName = survivor->GetName();
        Log.clear();
        delete doomed;
        EXPECT_EQ(Log, (TLog{survivorName + ": opRemove " + doomedName, doomedName + " gone"}));
        EXPECT_EQ(survivor->Peer, nullptr);
        Log.clear();
        delete survivor; // the link is gone both ways
        EXPECT_EQ(Log, (TLog{survivorName + " gone"}));
    }
}

// A link asked for by one side goes when that side lets go; asked for by both, it stays
// until both have.
TEST_F(ComponentTest, ALinkStaysUntilEverySideThatAskedLetsGo) {
    for (const bool bothAsked : {false, true}) {
        TProbe* a = Make("a");
        TProbe* b = Make("b");
        a->FreeNotification(b);
        if (bothAsked)
            b->FreeNotification(a);
        a->RemoveFreeNotification(b);
        Log.clear();
        delete a;
        delete b;
        EXPECT_EQ(Log, (bothAsked ? TLog{"b: opRemove a", "a gone", "b gone"}
                                  : TLog{"a gone", "b gone"}));
    }
}

// A receiver of a notification may delete another linked component, or the owner of the
// removed one; an owner may delete a sibling while it destroys its components.
TEST_F(ComponentTest, ReceiversMayDeleteOthersWhileNotified) {
    TProbe* dying = Make("dying");
    TProbe* receiver = Make("receiver");
    TProbe* victim = Make("victim");
    dying->FreeNotification(victim);
    dying->FreeNotification(receiver);
    receiver->OnNotification = [&](TComponent*, TOperation) { delete victim; };
    Log.clear();
    delete dying;
    EXPECT_EQ(Log, (TLog{"receiver: opRemove dying", "dying: opRemove victim", "victim gone",
                         "dying gone"}));

    TProbe* owner = Make("owner");
    TProbe* child = Make("child", owner);
    child->FreeNotification(receiver);
    receiver->OnNotification = [&](TComponent*, TOperation) { delete owner; };
    Log.clear();
    delete child;
    EXPECT_EQ(Log, (TLog{"owner: opRemove child", "receiver: opRemove child", "owner gone",
                         "child gone"}));
    delete receiver;

    owner = Make("owner");
    TProbe* a = Make("a", owner);
    TProbe* b = Make("b", owner);
    owner->OnNotification = [&](TComponent* AComponent, TOperation) {
        if (AComponent == b)
            delete a;
    };
    Log.clear();
    delete owner;
    EXPECT_EQ(Log,
              (TLog{"owner: opRemove b", "owner: opRemove a", "a gone", "b gone", "owner gone"}));
}

TEST_F(ComponentTest, InsertComponentMovesOwnershipAndRefusesCycles) {
    TProbe* first = Make("first");
    TProbe* second = Make("second");
    TProbe* child = Make("child", first);
    Log.clear();
    second->InsertComponent(child);
    EXPECT_EQ(Log, (TLog{"first: opRemove child", "second: opInsert child"}));
    EXPECT_EQ(first->GetComponentCount(), 0);
    for (TComponent* target : {static_cast<TComponent*>(child), static_cast<TComponent*>(second)})
        EXPECT_RAISES(child->InsertComponent(target), EComponentError,
                      "A component cannot own itself or one of its owners");
    second->RemoveComponent(child);
    EXPECT_EQ(child->GetOwner(), nullptr);
    delete second;
    delete first;
    delete child;
}

TEST_F(ComponentTest, DesigningSpreadsToOwnedComponents) {
    const auto designing = [](const TComponent* c) {
        return c->GetComponentState().Contains(TComponentStateFlag::csDesigning);
    };
    TProbe* owner = Make("owner");
    TProbe* early = Make("early", owner);
    owner->SetDesigning(true);
    TProbe* late = Make("late", owner);
    EXPECT_TRUE(designing(early) && designing(late));
    owner->SetDesigning(false);
    EXPECT_FALSE(designing(early) || designing(late) || designing(owner));
    delete owner;
}

// Nested brackets run Loaded once, after the state clears; the guard skips Loaded when an
// error leaves it and passes on an error of Loaded.
TEST_F(ComponentTest, LoadingRunsLoadedOnceAtTheOutermostEnd) {
    TProbe* probe = Make("probe");
    Log.clear();
    probe->EndLoading(); // no open bracket: nothing
    probe->BeginLoading();
    {
        TLoadingGuard inner(*probe);
        EXPECT_TRUE(probe->GetComponentState().Contains(TComponentStateFlag::csLoading));
    }
    EXPECT_TRUE(Log.empty());
    probe->EndLoading();
    EXPECT_EQ(Log, (TLog{"probe loaded, state 0"}));
    Log.clear();
    EXPECT_THROW(
        {
            TLoadingGuard guard(*probe);
            throw std::runtime_error("truncated");
        },
        std::runtime_error);
    EXPECT_TRUE(Log.empty());
    probe->ThrowOnLoaded = true;
    EXPECT_THROW({ TLoadingGuard guard(*probe); }, std::runtime_error);
    EXPECT_EQ(Log, (TLog{"probe loaded, state 0"}));
    EXPECT_TRUE(probe->GetComponentState().IsEmpty());
    delete probe;
}

} // namespace
} // namespace fuzzy
