#include "platform/Component.hpp"

#include <algorithm>
#include <exception>

namespace fuzzy {

std::span<const std::string_view> EnumDeclaredNames(TComponentStateFlag) {
    static constexpr std::string_view names[] = {"csLoading", "csDesigning", "csDestroying"};
    return names;
}

std::span<const std::string_view> EnumDeclaredNames(TOperation) {
    static constexpr std::string_view names[] = {"opInsert", "opRemove"};
    return names;
}

TComponent* TComponent::Create(TComponent* AOwner) {
    return FinishCreate(std::unique_ptr<TComponent>(new TComponent()), AOwner);
}

TComponent::~TComponent() {
    BeforeDestruction();
}

std::size_t TComponent::CheckedIndex(int Index) const {
    if (Index < 0 || Index >= GetComponentCount())
        throw EListError(SListIndexError, Index);
    return static_cast<std::size_t>(Index);
}

void TComponent::InsertComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->FOwner == this)
        return;
    for (const TComponent* owner = this; owner != nullptr; owner = owner->FOwner)
        if (owner == AComponent)
            throw EComponentError(SOwnershipCycle);
    if (AComponent->FOwner != nullptr)
        AComponent->FOwner->RemoveComponent(AComponent);
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
    if (FComponentState.Contains(TComponentStateFlag::csDesigning))
        AComponent->SetDesigning(true);
    Notification(AComponent, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent->FOwner != this)
        return;
    Notification(AComponent, TOperation::opRemove);
    // The slot may already be gone when DestroyComponents is deleting AComponent.
    std::erase(FComponents, AComponent);
    AComponent->FOwner = nullptr;
}

void TComponent::FreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this)
        return;
    if (std::ranges::find(FRequestedNotifies, AComponent) == FRequestedNotifies.end())
        FRequestedNotifies.push_back(AComponent);
    if (std::ranges::find(FFreeNotifies, AComponent) != FFreeNotifies.end())
        return;
    FFreeNotifies.push_back(AComponent);
    AComponent->FFreeNotifies.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent) {
    if (AComponent == nullptr || AComponent == this)
        return;
    std::erase(FRequestedNotifies, AComponent);
    if (std::ranges::find(AComponent->FRequestedNotifies, this) ==
        AComponent->FRequestedNotifies.end())
        Unlink(AComponent);
}

void TComponent::Unlink(TComponent* AComponent) {
    std::erase(FFreeNotifies, AComponent);
    std::erase(AComponent->FFreeNotifies, this);
    std::erase(FRequestedNotifies, AComponent);
    std::erase(AComponent->FRequestedNotifies, this);
}

void TComponent::SetDesigning(bool Value) {
    if (Value)
        FComponentState.Include(TComponentStateFlag::csDesigning);
    else
        FComponentState.Exclude(TComponentStateFlag::csDesigning);
    for (TComponent* component : FComponents)
        component->SetDesigning(Value);
}

void TComponent::BeginLoading() {
    ++FLoadingCount;
    FComponentState.Include(TComponentStateFlag::csLoading);
}

void TComponent::EndLoading() {
    CloseLoading(true);
}

void TComponent::CloseLoading(bool RunLoaded) {
    if (FLoadingCount == 0 || --FLoadingCount > 0)
        return;
    FComponentState.Exclude(TComponentStateFlag::csLoading);
    if (RunLoaded)
        Loaded();
}

void TComponent::BeforeDestruction() noexcept {
    FComponentState.Include(TComponentStateFlag::csDestroying);
    // Leaving the owner first keeps this component out of reach when a receiver below
    // deletes the former owner.
    if (FOwner != nullptr)
        FOwner->RemoveComponent(this);
    RemoveFreeNotifications();
    DestroyComponents();
}

void TComponent::RemoveFreeNotifications() {
    // A receiver may link or unlink other components, so the list is read afresh each time.
    while (!FFreeNotifies.empty()) {
        TComponent* linked = FFreeNotifies.back();
        Unlink(linked);
        linked->Notification(this, TOperation::opRemove);
    }
}

void TComponent::DestroyComponents() {
    while (!FComponents.empty()) {
        TComponent* component = FComponents.back();
        FComponents.pop_back();
        // Still pointing at this owner, the component notifies it when it leaves.
        delete component;
    }
}

TLoadingGuard::TLoadingGuard(TComponent& Component)
    : FComponent(Component), FUncaughtExceptions(std::uncaught_exceptions()) {
    FComponent.BeginLoading();
}

TLoadingGuard::~TLoadingGuard() noexcept(false) {
    FComponent.CloseLoading(std::uncaught_exceptions() <= FUncaughtExceptions);
}

} // namespace fuzzy
