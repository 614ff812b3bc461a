#include "runtime/component.h"

#include <windows.h>

#include <algorithm>

#include "win/text.h"

namespace klarvik {

TObject::~TObject() = default;

void TObject::BeforeDestruction() {}

void Free(TObject* object) {
  if (!object) return;
  object->BeforeDestruction();
  delete object;
}

TComponent::TComponent(TComponent* AOwner) {
  if (!AOwner) return;
  if (AOwner->IsLoading()) state_ |= csLoading;
  AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  Destroying();
  const std::vector<TComponent*> partners = std::move(freeNotifies_);
  freeNotifies_.clear();
  for (TComponent* partner : partners) {
    partner->DropFreeNotification(this);
    partner->Notification(this, TOperation::opRemove);
  }
  DestroyComponents();
  if (owner_) owner_->RemoveComponent(this);
}

void TComponent::BeforeDestruction() { Destroying(); }

void TComponent::Destroying() {
  if (IsDestroying()) return;
  state_ |= csDestroying;
  for (TComponent* component : components_) component->Destroying();
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount()) return nullptr;
  return components_[static_cast<size_t>(index)];
}

TComponent* TComponent::FindComponent(const std::wstring& name) const {
  if (name.empty()) return nullptr;
  for (TComponent* component : components_) {
    if (SameText(component->Name(), name)) return component;
  }
  return nullptr;
}

void TComponent::InsertComponent(TComponent* component) {
  if (!component || component->owner_ == this) return;
  if (component->owner_) component->owner_->RemoveComponent(component);
  components_.push_back(component);
  component->owner_ = this;
  Notification(component, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  if (!component || component->owner_ != this) return;
  Notification(component, TOperation::opRemove);
  std::erase(components_, component);
  component->owner_ = nullptr;
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    Free(last);
    // A destructor that did not leave its owner would otherwise be freed again.
    std::erase(components_, last);
  }
}

void TComponent::BeginLoading() { state_ |= csLoading; }

void TComponent::EndLoading() {
  const std::vector<TComponent*> owned = components_;
  for (TComponent* component : owned) {
    if (component->IsLoading()) component->EndLoading();
  }
  if (IsLoading()) Loaded();
}

void TComponent::Loaded() { state_ &= ~csLoading; }

void TComponent::FreeNotification(TComponent* other) {
  if (!other || other == this) return;
  if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
    freeNotifies_.push_back(other);
  if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
    other->freeNotifies_.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
  if (!other) return;
  DropFreeNotification(other);
  other->DropFreeNotification(this);
}

void TComponent::DropFreeNotification(TComponent* other) { std::erase(freeNotifies_, other); }

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == TOperation::opRemove) DropFreeNotification(AComponent);
  if (Operation != TOperation::opRemove || AComponent->Owner() != this) return;
  for (size_t i = components_.size(); i-- > 0;) {
    if (i >= components_.size()) continue;
    TComponent* sibling = components_[i];
    if (sibling != AComponent) sibling->Notification(AComponent, Operation);
  }
}

}  // namespace klarvik
