#pragma once
// The base of everything that raises events (TObject) and of everything a form owns
// (TComponent): name, owner, owned components, loading/destroying state and the
// notifications that let components drop references to one that goes away.
#include <functional>
#include <string>
#include <vector>

namespace klarvik {

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  // Runs while the object is still whole, before its destructors: where "about to be
  // freed" behaviour goes, since virtual calls inside a destructor no longer reach overrides.
  virtual void BeforeDestruction();
};

// Destroys an object the way its owner would: BeforeDestruction, then delete.
void Free(TObject* object);

using TNotifyEvent = std::function<void(TObject* Sender)>;

enum class TOperation { opInsert, opRemove };

enum TComponentStateFlag : unsigned { csLoading = 1, csReading = 2, csDestroying = 4, csDesigning = 8 };

class TComponent : public TObject {
 public:
  // Inserted into the owner; starts in csLoading when the owner is loading.
  explicit TComponent(TComponent* AOwner);
  // Sets csDestroying, sends the free notifications, destroys the owned components
  // (last created first) and leaves the owner.
  ~TComponent() override;

  void BeforeDestruction() override;

  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name) { name_ = name; }

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const;
  // The owned component with that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const std::wstring& name) const;

  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  // Frees every owned component, last created first.
  void DestroyComponents();

  unsigned ComponentState() const { return state_; }
  bool IsLoading() const { return (state_ & csLoading) != 0; }
  bool IsDestroying() const { return (state_ & csDestroying) != 0; }

  int Tag() const { return tag_; }
  void SetTag(int tag) { tag_ = tag; }

  void BeginLoading();
  // Calls Loaded on every owned component that is still loading (creation order), then on itself.
  void EndLoading();
  // Clears csLoading; "after the properties were read" behaviour goes in overrides.
  virtual void Loaded();

  // Both components learn (through Notification with opRemove) when the other is destroyed.
  void FreeNotification(TComponent* other);
  void RemoveFreeNotification(TComponent* other);

 protected:
  // Told about components inserted into or removed from this one's owner list and about
  // the destruction of free-notification partners. The default forwards removals of owned
  // components to the other owned components so that siblings can drop references.
  virtual void Notification(TComponent* AComponent, TOperation Operation);

  void SetComponentState(unsigned flags) { state_ |= flags; }

 private:
  void Destroying();
  void DropFreeNotification(TComponent* other);

  std::wstring name_;
  TComponent* owner_ = nullptr;
  std::vector<TComponent*> components_;
  std::vector<TComponent*> freeNotifies_;
  unsigned state_ = 0;
  int tag_ = 0;
};

}  // namespace klarvik
