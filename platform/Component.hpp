#pragma once
// Components as the host framework provides them: an ownership tree, free notification
// between components, and the loading and designing states a host sets.
//
// Ownership. A component created with an owner belongs to it: the owner destroys the
// components it owns when it is destroyed, the last inserted first. A component destroyed
// by `delete` leaves its owner first. Components are handed out as raw, non-owning
// pointers; a component without an owner belongs to whoever created it.
//
// Creation. C++ constructors build a complete, unattached component. The creation step
// after the constructor (FinishCreate, used by every static Create) runs the virtual
// AfterConstruction of the finished object and then joins the owner, so both see the
// final class.
//
// Destruction. When a component goes, in this order:
//  1. it leaves its owner: the owner's Notification(component, opRemove) runs, then the
//     component is taken out of the owner's list;
//  2. every component linked to it by FreeNotification gets Notification(component,
//     opRemove), the last linked first; each link is cleared both ways before its call;
//  3. the components it owns are destroyed, the last first; each slot is cleared before
//     its component is deleted, so their destructors never meet a dangling sibling.
// These steps are BeforeDestruction. A descendant whose Notification or state the steps
// may reach calls BeforeDestruction() first in its destructor, so that the notifications
// see a whole object; the base destructor runs it again for anything left.
//
// Rules for Notification receivers. AComponent is passed for identity only: compare it
// with the pointers you keep and drop them; do not call it, it may be half destroyed.
// Notification(opRemove) runs inside destructors and must not throw. A receiver may delete
// other components, but not the component being removed, nor a component whose own
// destruction is already in progress (for example an owner destroying its components).

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/EnumSet.hpp"
#include "platform/Exceptions.hpp"
#include "platform/Object.hpp"

namespace fuzzy {

/// A state of a component: being read by its host, shown in a designer, being destroyed.
enum class TComponentStateFlag : std::uint8_t { csLoading, csDesigning, csDestroying };
using TComponentState = TEnumSet<TComponentStateFlag, 3>;

/// What happened to the component passed to Notification.
enum class TOperation : std::uint8_t { opInsert, opRemove };

std::span<const std::string_view> EnumDeclaredNames(TComponentStateFlag);
std::span<const std::string_view> EnumDeclaredNames(TOperation);

/// A component was asked to join an owner that it owns itself, directly or not.
FUZZY_DECLARE_EXCEPTION(EComponentError, Exception);
/// Message of the ownership cycle error.
inline constexpr const char* SOwnershipCycle = "A component cannot own itself or one of its owners";

class TComponent : public TPersistent {
public:
    /// Creates a plain component owned by AOwner, or by the caller when AOwner is nullptr.
    static TComponent* Create(TComponent* AOwner);
    /// Runs BeforeDestruction if a descendant has not.
    ~TComponent() override;
    std::string ClassName() const override { return "TComponent"; }

    const TComponent* GetOwner() const { return FOwner; }
    TComponent* GetOwner() { return FOwner; }
    int GetComponentCount() const { return static_cast<int>(FComponents.size()); }
    /// The owned component at Index; EListError when out of range.
    const TComponent* GetComponent(int Index) const { return FComponents[CheckedIndex(Index)]; }
    TComponent* GetComponent(int Index) { return FComponents[CheckedIndex(Index)]; }
    const std::string& GetName() const { return FName; }
    /// Names are free text; the owner does not check them for uniqueness.
    void SetName(const std::string& Value) { FName = Value; }

    /// Makes this component the owner of AComponent, taking it from its previous owner
    /// (whose Notification(AComponent, opRemove) runs). A designing owner makes the
    /// component designing too; then Notification(AComponent, opInsert) runs here.
    /// Nothing happens for nullptr or an owned component. Raises EComponentError when
    /// AComponent is this component or one of its owners.
    void InsertComponent(TComponent* AComponent);
    /// Gives an owned component back to the caller: Notification(AComponent, opRemove)
    /// runs here, then the component leaves. Nothing happens for a component owned elsewhere.
    void RemoveComponent(TComponent* AComponent);

    /// Links this component and AComponent both ways: when either is destroyed, the
    /// other's Notification(it, opRemove) runs. Linking twice keeps one link; nullptr and
    /// this component itself are ignored (a component knows of its own destruction).
    void FreeNotification(TComponent* AComponent);
    /// Withdraws this component's request for the link. The link itself goes only when
    /// AComponent has not asked for it too: two components that each hold a pointer to
    /// the other both keep hearing of the other's end until both have let go.
    void RemoveFreeNotification(TComponent* AComponent);

protected:
    /// Points Field at Value, moving this component's free-notification request from the
    /// old component to the new one, so that Field is cleared in Notification when its
    /// component goes (the descendant's Notification does the clearing).
    template <class T>
    void SetLinkedComponent(T*& Field, T* Value) {
        if (Value == Field)
            return;
        if (Field != nullptr)
            RemoveFreeNotification(Field);
        Field = Value;
        if (Field != nullptr)
            FreeNotification(Field);
    }

public:
    TComponentState GetComponentState() const { return FComponentState; }
    /// Sets or clears the designing state, here and in every owned component.
    void SetDesigning(bool Value);
    /// Opens a loading bracket (nested brackets count): csLoading is set.
    void BeginLoading();
    /// Closes a loading bracket. The outermost one clears csLoading, then runs Loaded.
    /// Without an open bracket nothing happens.
    void EndLoading();

protected:
    TComponent() = default;

    /// The creation step after the constructor: runs Component's AfterConstruction,
    /// then makes it join AOwner. Returns the component, owned by AOwner if given, else
    /// by the caller. Descendants' Create end with
    /// `return FinishCreate(std::unique_ptr<TMine>(new TMine(...)), AOwner);`
    template <class T>
    static T* FinishCreate(std::unique_ptr<T> Component, TComponent* AOwner) {
        TComponent* component = Component.get(); // the hook is reached through the base
        component->AfterConstruction();
        if (AOwner != nullptr)
            AOwner->InsertComponent(component);
        return Component.release();
    }

    /// Runs once the constructor has finished, with the final class in place: the place
    /// for work that calls overridable methods, such as creating owned parts.
    virtual void AfterConstruction() {}
    /// AComponent joined this owner (opInsert), or is leaving this owner or a link with
    /// this component (opRemove). See the rules at the top of this file.
    virtual void Notification(TComponent* /*AComponent*/, TOperation /*Operation*/) {}
    /// Runs when the outermost loading bracket closes.
    virtual void Loaded() {}
    /// Leaves the owner, notifies and clears the links, destroys the owned components
    /// (see the top of this file). Each step works on what is left, so calling it again
    /// is harmless. Descendants' destructors call it first.
    void BeforeDestruction() noexcept;

private:
    friend class TLoadingGuard;
    /// Closes a loading bracket; the outermost one clears csLoading and, when RunLoaded,
    /// runs Loaded.
    void CloseLoading(bool RunLoaded);
    void RemoveFreeNotifications();
    void DestroyComponents();
    void Unlink(TComponent* AComponent);
    /// Index as a position in the owned components; EListError when out of range.
    std::size_t CheckedIndex(int Index) const;

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::vector<TComponent*> FFreeNotifies;
    // The components this one asked to be linked with (a subset of FFreeNotifies).
    std::vector<TComponent*> FRequestedNotifies;
    std::string FName;
    TComponentState FComponentState;
    int FLoadingCount = 0;
};

/// Keeps a component's loading bracket open for the guard's lifetime. When the scope ends
/// normally the bracket closes through EndLoading, so an exception from Loaded reaches the
/// caller. When an exception leaves the scope, the bracket closes without Loaded: the
/// component was not read completely.
class TLoadingGuard {
public:
    explicit TLoadingGuard(TComponent& Component);
    ~TLoadingGuard() noexcept(false);
    TLoadingGuard(const TLoadingGuard&) = delete;
    TLoadingGuard& operator=(const TLoadingGuard&) = delete;

private:
    TComponent& FComponent;
    int FUncaughtExceptions;
};

} // namespace fuzzy
